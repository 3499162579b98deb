#!/usr/bin/env bash
# The installed program as the desktop starts it. `cmake --install` into a
# scratch prefix puts every file where the desktop looks for it; both
# desktop entries pass desktop-file-validate; the application menu's entry,
# run as the desktop runs it, starts Jotwel in ~/Jotwel (made if absent);
# the start-at-log-on entry runs in the same folder and ends by itself on a
# day whose entry is made. The program runs offscreen: no X server needed.
# jotwel-tool is installed beside it and answers --help.
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
for size in 16 32 48; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/jotwel.png
    cmp -s "$icon" "$icons/icon3-$size.png" || fail "$icon is not icon 3 at $size pixels"
done
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
