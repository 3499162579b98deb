#!/usr/bin/env bash
# The Debian package made by cpack from the install rules: named jotwel,
# holding the installed files under /usr, depending on the Qt libraries the
# program links (found by dpkg-shlibdeps) and on what Qt loads at run time;
# its jotwel-tool, as packed (stripped), answers --help.
# Usage: package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/jotwel-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL [package]: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$work/cpack.log")"
debs=("$work"/jotwel_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no jotwel_*.deb: $(ls "$work")"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = jotwel ] || fail "the package is not named jotwel"
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/jotwel ./usr/bin/jotwel-launch ./usr/bin/jotwel-tool \
    ./usr/share/applications/jotwel.desktop \
    ./usr/share/jotwel/jotwel-autostart.desktop \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48}/apps/jotwel.png; do
    grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/bin/jotwel-tool" --help >"$work/tool-help.txt" 2>&1 ||
    fail "the packaged jotwel-tool --help failed: $(cat "$work/tool-help.txt")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2; do
    grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
echo "PASS: package $(basename "$deb")"
