#!/usr/bin/env bash
# The installed program as the desktop starts it. `cmake --install` into a
# scratch prefix puts every file where the desktop looks for it; both
# desktop entries pass desktop-file-validate; the application menu's entry,
# run as the desktop runs it, starts Jotwel in ~/Jotwel (made if absent);
# the start-at-log-on entry runs in the same folder and ends by itself on a
# day whose entry is made. The program runs offscreen: no X server needed.
# jotwel-tool is installed beside it and answers --help; jotwel answers
# --help and --version without a display; the icon is there as SVG and at
# every size of the hicolor theme; the manual pages and the AppStream
# metadata are in place. The README's one command that installs what
# building and running need names exactly the packages of
# scripts/install-deps.
# Usage: installed.sh BUILD_DIR ICONS_DIR
set -euo pipefail
build=$1 icons=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/jotwel-install.XXXXXX")
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAIL [installed]: $*" >&2
    exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed"

# --- Files in their places ---------------------------------------------------
[ -x "$prefix/bin/jotwel" ] || fail "bin/jotwel is missing"
[ -x "$prefix/bin/jotwel-launch" ] || fail "bin/jotwel-launch is missing"
[ -x "$prefix/bin/jotwel-tool" ] || fail "bin/jotwel-tool is missing"
"$prefix/bin/jotwel-tool" --help >"$work/tool-help.txt" 2>&1 ||
    fail "jotwel-tool --help failed: $(cat "$work/tool-help.txt")"
grep -q '^Usage: jotwel-tool' "$work/tool-help.txt" || fail "jotwel-tool --help shows no usage"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/jotwel" --version \
    >"$work/version.txt" 2>&1 || fail "jotwel --version failed: $(cat "$work/version.txt")"
grep -qx 'jotwel [0-9.]*' "$work/version.txt" || fail "jotwel --version says $(cat "$work/version.txt")"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/jotwel" --help \
    >"$work/help.txt" 2>&1 || fail "jotwel --help failed: $(cat "$work/help.txt")"
grep -q '^Usage: jotwel \[auto\]' "$work/help.txt" || fail "jotwel --help shows no usage"
hicolor=$prefix/share/icons/hicolor
for size in 16 32 48 64 128 256; do
    icon=$hicolor/${size}x$size/apps/jotwel.png
    source=$icons/icon3-$size.png
    [ "$size" -gt 48 ] && source=$icons/desktop/icon3-$size.png
    cmp -s "$icon" "$source" || fail "$icon is not icon 3 at $size pixels"
    [ "$(file -b "$icon" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] ||
        fail "$icon is not $size pixels square: $(file -b "$icon")"
done
cmp -s "$hicolor/scalable/apps/jotwel.svg" "$icons/src/icon3.svg" ||
    fail "the scalable icon is not icon 3's source"
for page in jotwel jotwel-launch jotwel-tool; do
    [ -f "$prefix/share/man/man1/$page.1.gz" ] || fail "the manual page of $page is missing"
done
[ -f "$prefix/share/metainfo/org.example.jotwel.metainfo.xml" ] || fail "the AppStream metadata is missing"
[ -f "$prefix/share/doc/jotwel/copyright" ] || fail "the copyright file is missing"

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
readme_packages=$(grep -m 1 '^    sudo .*apt-get install --no-install-recommends ' "$source_dir/README.md" |
    sed 's/.*--no-install-recommends //' | tr ' ' '\n' | sort)
script_packages=$("$source_dir/scripts/install-deps" --list | sort)
[ "$readme_packages" = "$script_packages" ] ||
    fail "the README's install command and scripts/install-deps differ: $(diff <(echo "$readme_packages") <(echo "$script_packages") | grep '^[<>]')"
menu_entry=$prefix/share/applications/jotwel.desktop
autostart_entry=$prefix/share/jotwel/jotwel-autostart.desktop
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is not installed"
for entry in "$menu_entry" "$autostart_entry"; do
    desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
done

# --- Started as the desktop starts them ------------------------------------
export HOME=$work/home XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen TZ=UTC
export PATH=$prefix/bin:$PATH
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

# Runs the Exec line of a desktop entry (no field codes, no quoting) in the
# background; sets pid.
start_entry() {
    local exec_line
    exec_line=$(sed -n 's/^Exec=//p' "$1")
    read -ra argv <<<"$exec_line"
    (cd / && exec "${argv[@]}") >>"$work/jotwel.log" 2>&1 &
    pid=$!
}

# Waits until the started entry has become the program and fails unless it
# runs in ~/Jotwel; then ends it.
expect_running_in_diary_folder() {
    local i
    for ((i = 0; i < 100; i++)); do
        [ "$(basename "$(readlink "/proc/$pid/exe" 2>/dev/null)")" = jotwel ] && break
        kill -0 "$pid" 2>/dev/null || fail "$1 ended: $(cat "$work/jotwel.log")"
        sleep 0.1
    done
    [ "$(readlink "/proc/$pid/cwd")" = "$HOME/Jotwel" ] ||
        fail "$1 runs in $(readlink "/proc/$pid/cwd"), not ~/Jotwel"
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "$1 did not wait at its window"
    kill "$pid"
    wait "$pid" || true
    pid=""
}

start_entry "$menu_entry"
expect_running_in_diary_folder "the application menu's entry"
[ -d "$HOME/Jotwel" ] || fail "$HOME/Jotwel was not made"

start_entry "$autostart_entry" # no entry made yet: an ordinary start
expect_running_in_diary_folder "the start-at-log-on entry"

printf '[Jotwel]\r\nLastDate=%s\r\n' "$(date -u +%d%m%y)" >"$XDG_CONFIG_HOME/ZORVANT.INI"
start_entry "$autostart_entry"
for ((i = 0; i < 100; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the start-at-log-on entry did not end on a day already entered"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the start-at-log-on entry ended with status $status"
echo "PASS: installed"
