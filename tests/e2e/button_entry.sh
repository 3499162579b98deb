#!/usr/bin/env bash
# Six subject headings set through the Setup menu (opened with the mouse,
# the item chosen with its mnemonic), then a button entry: one score
# clicked on each row, OK. The headings are kept in the settings file, the
# program ends by itself and the entry is appended to the diary after the
# one already there.
# Usage: button_entry.sh JOTWEL ARTEFACTS
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
e2e_begin button-entry "$1" "$2"

readonly HW=240 HH=181 # the subject headings template, in dialog units
readonly BW=341 BH=209 # the button entry template
headings=(Work Garden Sleep Music Friends Food)
scores=(3 5 7 9 10 0)

append_record "An earlier day  = Quiet)" "01/02/25 @ 09:30:00" 1738402200 4
cp "$DIARY" "$WORK/earlier.dat"

start_jotwel
main=$(window Jotwel)
choose_from_menu "$main" 20 8 h # Setup (first on the menu bar), "Set Subect &Headings"
dialog=$(window "Set Subject Headings")
for i in "${!headings[@]}"; do
    click_control "$dialog" $HW $HH 99 $((34 + 18 * i)) 90 13
    type_text "$dialog" "${headings[i]}"
done
click_control "$dialog" $HW $HH 180 160 50 14 # OK
expect_gone "Set Subject Headings"
expect_running "after the headings were set"
for i in "${!headings[@]}"; do
    [ "$(setting "Head$i")" = "${headings[i]}" ] || fail "Head$i is '$(setting "Head$i")'"
done

keys "$main" alt+b
dialog=$(window "Button  Entry")
for row in "${!scores[@]}"; do
    click_control "$dialog" $BW $BH $((130 + 14 * scores[row])) $((58 + 14 * row)) 10 10
done
before=$(date +%s)
click_control "$dialog" $BW $BH 265 184 50 14 # OK
expect_exit 0 10
after=$(date +%s)

[ "$(record_count)" -eq 2 ] || fail "the diary holds $(record_count) records, not 2"
cmp -s <(head -c "$RECORD_SIZE" "$DIARY") "$WORK/earlier.dat" || fail "the earlier record changed"
key=$(record_key 1)
expect_between "$key" $((before - 86400)) $((after - 86400)) "the key of yesterday's entry"
expect_text 1 "Work = 3 : Garden = 5 :Sleep = 7 Music = 9 : Friends = 10 : Food = 0"
expect_stamp 1 "$(short_date_of "$key")"
[ "$(record_score 1)" -eq -1 ] || fail "the score is $(record_score 1), not -1"
echo "PASS: button entry"
