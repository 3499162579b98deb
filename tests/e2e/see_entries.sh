#!/usr/bin/env bash
# The event reports over a diary of three entries: everything listed, then
# only the entries containing a word, then the last of those deleted with
# Yes. The listing file follows each list, the diary keeps the other two
# records byte for byte, and closing the reports returns to the main
# window, whose Exit button ends the program with status 0.
# Usage: see_entries.sh JOTWEL ARTEFACTS
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
e2e_begin see-entries "$1" "$2"

readonly W=511 H=301 # the event reports template, in dialog units
LISTING=$DATA/listd.tmp

append_record "Picnic in the park  = Sunny)" "10/06/25 @ 13:00:00" 1749560400 8
append_record "Dentist visit  = Brave)" "11/06/25 @ 09:00:00" 1749632400 3
append_record "Park run in the rain  = Wet)" "12/06/25 @ 08:00:00" 1749715200 6
head -c $((2 * RECORD_SIZE)) "$DIARY" >"$WORK/kept.dat"

# Waits up to 5 seconds for the listing file to list exactly the given
# stamps, in order (the program writes it after our click); fails if it
# does not.
expect_listed() {
    local expected listed="" i
    expected=$(IFS=,; echo "$*")
    for ((i = 0; i < 50; i++)); do
        listed=$(grep -o '^[0-9/]* @ [0-9:]*' "$LISTING" 2>/dev/null | paste -sd,) || true
        [ "$listed" = "$expected" ] && return 0
        sleep 0.1
    done
    fail "the listing holds [$listed], not [$expected]"
}

show_results() {
    rm -f "$LISTING"
    click_control "$reports" $W $H 317 267 50 14 # Show Results
}

start_jotwel
main=$(window Jotwel)
keys "$main" alt+s
reports=$(window "Event Reports")
show_results
expect_listed "10/06/25 @ 13:00:00" "11/06/25 @ 09:00:00" "12/06/25 @ 08:00:00"

click_control "$reports" $W $H 59 229 82 15 # the search word
type_text "$reports" PARK
show_results
expect_listed "10/06/25 @ 13:00:00" "12/06/25 @ 08:00:00"

click_control "$reports" $W $H 39 15 421 20 # the list
keys "$reports" End Up                      # the last entry, above the closing rule
click_control "$reports" $W $H 14 270 55 15 # Delete
box=$(window "Delete Confirmation")
keys "$box" y
box=$(untitled_message_box) # "Entry Deleted"
keys "$box" Return
cmp -s "$DIARY" "$WORK/kept.dat" || fail "the diary does not hold exactly the other two records"
expect_listed "10/06/25 @ 13:00:00" # listed again, without the deleted entry

window_geometry "$reports" # placed at the top of the main window's client area
reports_y=$GY
window_geometry "$main"
menu_height=$((reports_y - GY))
click_control "$reports" $W $H 389 266 50 14 # Close
expect_gone "Event Reports"
expect_running "after the reports were closed"
click_at "$main" $((470 + 31)) $((menu_height + 250 + 12)) # Exit, below the menu bar
expect_exit 0 10
cmp -s "$DIARY" "$WORK/kept.dat" || fail "the diary changed after the deletion"
echo "PASS: see entries"
