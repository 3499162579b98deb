# shellcheck shell=bash
# The diary and settings files of an end-to-end test, read and written byte
# by byte, independently of the program's own code. Sourced by xsession.sh;
# uses DIARY, WORK and XDG_CONFIG_HOME, and `fail`, from there.
#
# Jotwel.dat is a sequence of 534-byte records: Text at 0 (501 bytes,
# NUL-terminated), Stamp at 501 (25 bytes, NUL-terminated), Key at 526 and
# Score at 530 (signed 32-bit little-endian).

readonly RECORD_SIZE=534

# Prints the number of records in the diary (0 when there is none); fails
# when the file is not a whole number of records.
record_count() {
    local size
    size=$(stat -c %s "$DIARY" 2>/dev/null) || { echo 0; return; }
    ((size % RECORD_SIZE == 0)) || fail "diary size $size is not a whole number of records"
    echo $((size / RECORD_SIZE))
}

# Prints the signed little-endian 32-bit integer at `offset` of record n.
record_int() {
    od --endian=little -An -t d4 -j $(($1 * RECORD_SIZE + $2)) -N 4 "$DIARY" | tr -d ' '
}

record_key() { record_int "$1" 526; }
record_score() { record_int "$1" 530; }

# Prints `text` padded with NULs to `size` bytes.
padded() {
    local file
    file=$(mktemp -p "$WORK")
    printf '%s' "$1" >"$file"
    truncate -s "$2" "$file"
    cat "$file"
    rm -f "$file"
}

# Fails unless record n's field at offset/size holds exactly `text` and
# then NULs only.
expect_field() {
    local n=$1 offset=$2 size=$3 text=$4 what=$5
    cmp -s <(padded "$text" "$size") \
        <(tail -c +$((n * RECORD_SIZE + offset + 1)) "$DIARY" | head -c "$size") ||
        fail "record $n: $what is not '$text'"
}

expect_text() { expect_field "$1" 0 501 "$2" Text; }
expect_stamp() { expect_field "$1" 501 25 "$2" Stamp; }

# Prints the four bytes of a 32-bit integer, lowest first.
le32() {
    local v=$(($1 & 0xFFFFFFFF))
    printf '%b' "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) \
        $((v >> 16 & 255)) $((v >> 24 & 255)))"
}

# Appends one record made from the given fields to the diary.
append_record() {
    local text=$1 stamp=$2 key=$3 score=$4
    { padded "$text" 501; padded "$stamp" 25; le32 "$key"; le32 "$score"; } >>"$DIARY"
}

# Writes the settings file with the given lines under [Jotwel].
write_settings() {
    { printf '[Jotwel]\r\n'; printf '%s\r\n' "$@"; } >"$XDG_CONFIG_HOME/ZORVANT.INI"
}

# Prints the value of a key in the settings file.
setting() {
    sed -n "s/^$1=//p" "$XDG_CONFIG_HOME/ZORVANT.INI" | tr -d '\r'
}

# UTC stamp texts of an instant, as the diary writes them.
stamp_of() { date -u -d "@$1" '+%d/%m/%y @ %H:%M:%S'; }
short_date_of() { date -u -d "@$1" '+%d/%m/%y'; }
compact_date_of() { date -u -d "@$1" '+%d%m%y'; }

# Fails unless `low <= value <= high`.
expect_between() {
    local value=$1 low=$2 high=$3 what=$4
    ((low <= value && value <= high)) || fail "$what $value is not within [$low, $high]"
}
