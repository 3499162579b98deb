#!/usr/bin/env bash
# The Debian package made by cpack from the install rules, checked as a
# packager and a user would:
# - named jotwel, holding the installed files under /usr, depending on the
#   Qt libraries the program links (found by dpkg-shlibdeps) and on what Qt
#   loads at run time;
# - lintian finds no error and no warning (the package carries no
#   overrides); the AppStream metadata passes appstreamcli validate; each
#   manual page renders under man -l without a formatter warning; the
#   programs carry Debian's hardening (hardening-check; not in a sanitizer
#   or debug build, which is made without it); the changelog, the
#   metadata's newest release and jotwel --version all name the package's
#   version;
# - installed with dpkg into a scratch root of its own (never the system's),
#   the desktop entry's Exec line starts the program in ~/Jotwel; removing
#   and then purging the package leaves that root exactly as it was before,
#   and the user's diary, settings and autostart copy where they were (that
#   copy then skipped by the desktop, its TryExec program gone).
# Usage: package.sh BUILD_DIR [hardened|not-hardened]
set -euo pipefail
build=$1 hardening=${2:-hardened}
work=$(mktemp -d "${TMPDIR:-/tmp}/jotwel-package.XXXXXX")
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAIL [package]: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null || fail "$1 is not installed (scripts/install-deps --test)"
}
for tool in lintian appstreamcli hardening-check man dpkg-parsechangelog; do need "$tool"; done

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$work/cpack.log")"
debs=("$work"/jotwel_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no jotwel_*.deb: $(ls "$work")"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)

# --- What it holds and needs --------------------------------------------------
[ "$(dpkg-deb -f "$deb" Package)" = jotwel ] || fail "the package is not named jotwel"
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
metainfo=./usr/share/metainfo/org.example.jotwel.metainfo.xml
pages=(./usr/share/man/man1/{jotwel,jotwel-launch,jotwel-tool}.1.gz)
for path in ./usr/bin/jotwel ./usr/bin/jotwel-launch ./usr/bin/jotwel-tool \
    ./usr/share/applications/jotwel.desktop "$metainfo" \
    ./usr/share/jotwel/jotwel-autostart.desktop \
    ./usr/share/icons/hicolor/scalable/apps/jotwel.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/jotwel.png \
    "${pages[@]}" ./usr/share/doc/jotwel/copyright ./usr/share/doc/jotwel/changelog.gz; do
    grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2; do
    grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
grep -q '\bqt6-translations-l10n\b' <<<"$(dpkg-deb -f "$deb" Recommends)" ||
    fail "the package does not recommend qt6-translations-l10n"

root=$work/root
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/jotwel-tool" --help >"$work/tool-help.txt" 2>&1 ||
    fail "the packaged jotwel-tool --help failed: $(cat "$work/tool-help.txt")"
# Answered before start-up: no display is needed.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/jotwel" --version)" = \
    "jotwel $version" ] || fail "jotwel --version does not say jotwel $version"
env -u DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/jotwel" --help | grep -q '^Usage: jotwel' ||
    fail "jotwel --help shows no usage"
gzip -dc "$root/usr/share/doc/jotwel/changelog.gz" >"$work/changelog"
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's newest entry is $changelog_version, the package $version"
release=$(grep -o '<release version="[^"]*"' "$root/$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "the metadata's newest release is $release, the package $version"

# --- Debian's checks ---------------------------------------------------------
# --allow-root: the suite may run as root (as CI does); lintian only reads.
lintian --allow-root --fail-on error,warning --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.txt")"
appstreamcli validate --no-net "$root/$metainfo" >"$work/appstream.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream.txt")"
# The features dpkg-buildflags gives on Debian 12 (stack protector, fortify,
# relro, bind now, PIE); control-flow protection is not among them there
# (stack-clash protection is only reported, never required).
if [ "$hardening" = hardened ]; then
    for program in jotwel jotwel-tool; do
        hardening-check --nocfprotection "$root/usr/bin/$program" >"$work/hardening.txt" 2>&1 ||
            fail "$program lacks hardening: $(cat "$work/hardening.txt")"
    done
else
    echo "NOTE: a build without hardening: hardening-check not run"
fi
for page in "${pages[@]}"; do
    MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$root/$page" >"$work/page.txt" 2>"$work/page-warnings.txt" ||
        fail "man -l $page failed: $(cat "$work/page-warnings.txt")"
    [ ! -s "$work/page-warnings.txt" ] || fail "man -l $page warns: $(cat "$work/page-warnings.txt")"
    name=$(basename "$page" .1.gz)
    grep -q "^NAME" "$work/page.txt" && grep -q "^ *$name - " "$work/page.txt" ||
        fail "man -l $page shows no NAME section for $name"
done
grep -q '^TryExec=jotwel-launch$' "$root/usr/share/jotwel/jotwel-autostart.desktop" ||
    fail "the start-at-log-on entry does not try jotwel-launch first"

# --- Installed, started, removed and purged ----------------------------------
# A dpkg root of its own: its own database, so the system's packages are
# neither seen nor touched (the package's dependencies are the system's).
system=$work/system
mkdir -p "$system/var/lib/dpkg/info" "$system/var/lib/dpkg/updates"
touch "$system/var/lib/dpkg/status" "$system/var/lib/dpkg/available"
dpkg_here() {
    dpkg --root="$system" --force-not-root --force-depends --log=/dev/null "$@" \
        >>"$work/dpkg.log" 2>&1 || fail "dpkg $*: $(tail -n 5 "$work/dpkg.log")"
}
# Everything of the scratch root but dpkg's own records.
tree() {
    (cd "$system" && find . -path ./var/lib/dpkg -prune -o -print | sort)
}
tree >"$work/before.txt"
dpkg_here --install "$deb"
[ -x "$system/usr/bin/jotwel" ] || fail "dpkg --install did not install usr/bin/jotwel"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=offscreen TZ=UTC
export PATH=$system/usr/bin:$PATH
mkdir -p "$HOME/Jotwel" "$XDG_CONFIG_HOME"
printf 'the diary\n' >"$HOME/Jotwel/Jotwel.dat"
printf '[Jotwel]\r\nTextTit=Best moment\r\n' >"$XDG_CONFIG_HOME/ZORVANT.INI"
# The start-at-log-on entry switched on, as the README shows.
mkdir -p "$XDG_CONFIG_HOME/autostart"
cp "$system/usr/share/jotwel/jotwel-autostart.desktop" "$XDG_CONFIG_HOME/autostart/"
cp -a "$HOME" "$work/home-before"
exec_line=$(sed -n 's/^Exec=//p' "$system/usr/share/applications/jotwel.desktop")
read -ra argv <<<"$exec_line"
(cd / && exec "${argv[@]}") >"$work/jotwel.log" 2>&1 &
pid=$!
for ((i = 0; i < 100; i++)); do
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$system/usr/bin/jotwel" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the menu entry's $exec_line ended: $(cat "$work/jotwel.log")"
    sleep 0.1
done
[ "$(readlink "/proc/$pid/exe")" = "$system/usr/bin/jotwel" ] ||
    fail "the menu entry's $exec_line did not start the installed jotwel"
[ "$(readlink "/proc/$pid/cwd")" = "$HOME/Jotwel" ] ||
    fail "the installed jotwel runs in $(readlink "/proc/$pid/cwd"), not ~/Jotwel"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the installed jotwel did not wait at its window"
kill "$pid"
wait "$pid" || true
pid=""

dpkg_here --remove jotwel
dpkg_here --purge jotwel
tree >"$work/after.txt"
diff -u "$work/before.txt" "$work/after.txt" >"$work/left.txt" ||
    fail "removing and purging the package left behind: $(grep '^[-+]\.' "$work/left.txt")"
# The copy left in the autostart folder is skipped by the desktop: the
# program its TryExec names is gone (looked for in the scratch root only: a
# copy installed on this machine is not the package's).
try_exec=$(sed -n 's/^TryExec=//p' "$XDG_CONFIG_HOME/autostart/jotwel-autostart.desktop")
[ -n "$try_exec" ] && ! PATH=$system/usr/bin command -v "$try_exec" >/dev/null ||
    fail "after purging, the autostart copy's TryExec ($try_exec) is still found"
diff -r "$work/home-before" "$HOME" >"$work/home.txt" ||
    fail "the user's folder changed: $(cat "$work/home.txt")"
echo "PASS: package $(basename "$deb")"
