#!/usr/bin/env bash
# A day recorded as a text entry, typed and clicked as a person would: the
# entry dialog opened from the menu bar with its mnemonic, a two-line
# summary, a note, a score chosen with the mouse, OK. The program ends by
# itself, the diary holds exactly that record, and a start at log-on later
# that day ends by itself too.
# Usage: text_entry.sh JOTWEL ARTEFACTS
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
e2e_begin text-entry "$1" "$2"

readonly W=409 H=211 # the text entry template, in dialog units

start_jotwel
main=$(window Jotwel)
keys "$main" alt+t
dialog=$(window "Yesterday's Events Entry")
type_text "$dialog" "Walked by the river"
keys "$dialog" Return
type_text "$dialog" "Rain in the evening"
keys "$dialog" Tab
type_text "$dialog" "A heron"
click_control "$dialog" $W $H $((69 + 27 * 7)) 162 17 8 # score 7
before=$(date +%s)
click_control "$dialog" $W $H 335 187 50 14 # OK
expect_exit 0 10
after=$(date +%s)

[ "$(record_count)" -eq 1 ] || fail "the diary holds $(record_count) records, not 1"
key=$(record_key 0)
expect_between "$key" $((before - 86400)) $((after - 86400)) "the key of yesterday's entry"
expect_text 0 $'Walked by the river\r\nRain in the evening  = A heron)'
expect_stamp 0 "$(stamp_of "$key")"
[ "$(record_score 0)" -eq 7 ] || fail "the score is $(record_score 0), not 7"
last=$(setting LastDate)
[ "$last" = "$(compact_date_of "$after")" ] || [ "$last" = "$(compact_date_of "$before")" ] ||
    fail "LastDate is '$last', not today"

# Started at log-on on the same day: ends at once, touching nothing.
cp "$DIARY" "$WORK/before.dat"
start_jotwel auto
expect_exit 0 10
cmp -s "$DIARY" "$WORK/before.dat" || fail "the auto start changed the diary"
echo "PASS: text entry"
