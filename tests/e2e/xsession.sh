# shellcheck shell=bash
# Shared steps of the end-to-end tests, sourced by each scenario: a private
# X server, the real program started in a fresh data folder with fresh
# settings, windows found by title, and keys and clicks sent as a person
# would send them. The diary file is read back with diary_file.sh.
#
# Method. Xvfb chooses a free display itself (-displayfd), so tests can run
# side by side. There is no window manager: a window gets the keyboard
# through `xdotool windowfocus` (windowactivate needs a window manager), and
# keys and text then go to the focused window as real X input events.
# Dialog controls are clicked at their template positions: a dialog's size
# in pixels is its template size in dialog units scaled by the dialog font,
# so a control's centre follows from its dialog units and the window's
# geometry, whatever font the machine has.
#
# Every wait has a deadline. A failing step saves a screenshot of the whole
# screen, the program's output and the data folder under the artefacts
# folder, then ends the test with status 1. Where no X server can be
# started the test prints one SKIP line and ends with status 77.
#
# Usage: source this file, then `e2e_begin NAME JOTWEL ARTEFACTS`.

set -euo pipefail

readonly E2E_SKIP=77

E2E_NAME=""
JOTWEL=""
ARTEFACTS=""
WORK=""
DATA=""
DIARY=""
APP_PID=""
XVFB_PID=""

# Sets up the scratch folders and environment and starts the X server.
e2e_begin() {
    E2E_NAME=$1 JOTWEL=$2 ARTEFACTS=$3
    [ -x "$JOTWEL" ] || { echo "FAIL: no program at $JOTWEL" >&2; exit 1; }
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/jotwel-e2e.XXXXXX")
    DATA=$WORK/data
    DIARY=$DATA/Jotwel.dat
    mkdir -p "$DATA" "$WORK/config" "$WORK/runtime"
    chmod 700 "$WORK/runtime"
    trap e2e_end EXIT
    export TZ=UTC XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/runtime
    # English throughout, Qt's own buttons included (Qt reads LANGUAGE too).
    export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANGUAGE=
    command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/install-deps --test)"
    start_x
}

# Stops whatever this test started and removes the scratch folder.
e2e_end() {
    if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    if [ -n "$WORK" ]; then rm -rf "$WORK"; fi
}

skip() {
    echo "SKIP: $*"
    exit "$E2E_SKIP"
}

# Reports the failure, keeps the evidence, ends the test.
fail() {
    echo "FAIL [$E2E_NAME]: $*" >&2
    mkdir -p "$ARTEFACTS"
    local stem
    stem=$ARTEFACTS/$E2E_NAME-$(date +%H%M%S)
    if [ -n "$XVFB_PID" ] && command -v import >/dev/null; then
        import -window root "$stem.png" 2>/dev/null && echo "screenshot: $stem.png" >&2
    fi
    [ -f "$WORK/jotwel.log" ] && cp "$WORK/jotwel.log" "$stem.log"
    [ -d "$DATA" ] && cp -r "$DATA" "$stem-data"
    [ -d "$WORK/config" ] && cp -r "$WORK/config" "$stem-config"
    exit 1
}

# Starts Xvfb on a display of its own choosing and waits until it answers.
start_x() {
    command -v Xvfb >/dev/null || skip "no X server can be started: Xvfb is not installed"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
        grep -q '[0-9]' "$WORK/display" 2>/dev/null && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '[0-9]' "$WORK/display" 2>/dev/null ||
        skip "no X server can be started: $(tail -n 3 "$WORK/xvfb.log" | tr '\n' ' ')"
    DISPLAY=":$(tr -dc '0-9' <"$WORK/display")"
    export DISPLAY
    retry 50 xdotool getdisplaygeometry >/dev/null ||
        skip "no X server can be started: $DISPLAY does not answer"
}

# Runs the command up to n times, a tenth of a second apart, until it
# succeeds; its output is that of the successful run.
retry() {
    local tries=$1 i
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts the program in the data folder with the given arguments (none for
# an ordinary start).
# shellcheck disable=SC2120
start_jotwel() {
    (cd "$DATA" && exec "$JOTWEL" "$@") >>"$WORK/jotwel.log" 2>&1 &
    APP_PID=$!
}

# Waits up to `seconds` for the program to end; fails unless it ended with
# the given status.
expect_exit() {
    local status=$1 seconds=$2 i
    for ((i = 0; i < seconds * 10; i++)); do
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end within ${seconds}s"
    local got=0
    wait "$APP_PID" || got=$?
    APP_PID=""
    [ "$got" -eq "$status" ] || fail "the program ended with status $got, not $status"
}

# Fails if the program has ended.
expect_running() {
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended: $*"
}

# Fails if the program was started and has ended since.
still_running() {
    [ -z "$APP_PID" ] || expect_running "while a window was awaited"
}

# Prints the ids of the visible windows whose whole title is `title`.
# (xdotool's own match ignores case, accepts parts of titles and reads only
# WM_NAME, which Qt leaves empty for a window without a title: so every
# visible window is a candidate, and its title is compared here.)
find_windows() {
    local title=$1 id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && echo "$id"
    done
    return 0
}

# Prints the id of the visible window titled `title`, waiting up to 10
# seconds for it.
window() {
    local title=$1 i id
    for ((i = 0; i < 100; i++)); do
        id=$(find_windows "$title")
        [ -n "$id" ] && { echo "${id%%$'\n'*}"; return 0; }
        still_running
        sleep 0.1
    done
    fail "no window titled '$title'"
}

# Prints the id of the program's first visible window whose titles and
# window type, as xprop prints them ("WM_NAME = ...|_NET_WM_NAME =
# ...|_NET_WM_WINDOW_TYPE = ..."), match the extended regular expression;
# waits up to 10 seconds.
program_window() {
    local pattern=$1 what=$2 i id
    for ((i = 0; i < 100; i++)); do
        for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
            xprop -id "$id" -notype WM_NAME _NET_WM_NAME _NET_WM_WINDOW_TYPE 2>/dev/null |
                paste -sd '|' |
                grep -Eq "$pattern" && { echo "$id"; return 0; }
        done
        still_running
        sleep 0.1
    done
    fail "no $what is open"
}

# A message box without a caption: a dialog whose titles show nothing (a
# lone space; an empty title would be replaced by the program's name).
untitled_message_box() {
    program_window '^WM_NAME = " "[|]_NET_WM_NAME = " "[|]_NET_WM_WINDOW_TYPE = _NET_WM_WINDOW_TYPE_DIALOG' \
        "message box without a caption"
}

# Opens a menu of the menu bar by clicking its title at dx, dy in the
# window, then chooses an item with its mnemonic key.
choose_from_menu() {
    local id=$1 dx=$2 dy=$3 key=$4
    click_at "$id" "$dx" "$dy"
    program_window '_NET_WM_WINDOW_TYPE = _NET_WM_WINDOW_TYPE_DROPDOWN_MENU' "menu" >/dev/null
    sleep 0.1 # the menu takes the keyboard once it is on screen
    xdotool key "$key"
}

# Waits up to 10 seconds until no visible window has the title.
expect_gone() {
    local title=$1 i
    for ((i = 0; i < 100; i++)); do
        [ -z "$(find_windows "$title")" ] && return 0
        sleep 0.1
    done
    fail "the window '$title' is still open"
}

# Gives the window the keyboard and waits until it has it.
focus() {
    local id=$1 i
    for ((i = 0; i < 50; i++)); do
        xdotool windowfocus "$id" 2>/dev/null || true
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && return 0
        sleep 0.1
    done
    fail "window $id did not take the keyboard"
}

# Presses keys (xdotool names, e.g. alt+t Return) in the window.
keys() {
    local id=$1
    shift
    focus "$id"
    xdotool key --delay 30 "$@"
}

# Types text into the window's focused control.
type_text() {
    focus "$1"
    xdotool type --delay 15 -- "$2"
}

# Sets GX, GY, GW and GH to the window's position and size on the screen.
window_geometry() {
    local key value
    while IFS='=' read -r key value; do
        case $key in
        X) GX=$value ;;
        Y) GY=$value ;;
        WIDTH) GW=$value ;;
        HEIGHT) GH=$value ;;
        esac
    done < <(xdotool getwindowgeometry --shell "$1")
}

# Clicks the centre of a control given in dialog units (x y w h) on a
# window whose template is dw x dh dialog units.
click_control() {
    local id=$1 dw=$2 dh=$3 x=$4 y=$5 w=$6 h=$7
    window_geometry "$id"
    xdotool mousemove --sync $((GX + (2 * x + w) * GW / (2 * dw))) \
        $((GY + (2 * y + h) * GH / (2 * dh))) click 1
    sleep 0.05
}

# Clicks at a point given in pixels from the window's top left corner.
click_at() {
    window_geometry "$1"
    xdotool mousemove --sync $((GX + $2)) $((GY + $3)) click 1
    sleep 0.05
}

# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/diary_file.sh"
