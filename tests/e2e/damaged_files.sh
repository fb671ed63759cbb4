#!/usr/bin/env bash
# Damaged copies of a small league's program folder: every damage is named on
# stderr as a warning (file and line), --strict turns it into a failure, and a
# damaged record of the day's own files withholds its race (named), not the
# day. The sound folder loads every day without a single warning.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"

require_jvgen damaged_files

make_work
home="$work/home"
download_small_league "$home"

failures=0
fail() {
    echo "damaged_files: $*" >&2
    failures=$((failures + 1))
}

# The sound folder: no warning on any day, with --strict (the newest day
# with its previous-race search as well).
for day in $("$cli" days --home "$home"); do
    command=races
    [ "$day" = "$("$cli" days --home "$home" | head -n 1)" ] && command=zenso
    if ! "$cli" $command --home "$home" --day "$day" --strict >/dev/null 2>"$work/err"; then
        fail "$day: the sound day fails with --strict"
        cat "$work/err" >&2
    elif grep -q 'warning' "$work/err"; then
        fail "$day: the sound day has warnings"
        cat "$work/err" >&2
    fi
done

day=20250208
data="$home/Data"
se="$data/2025年02月08日東京.jvSEr"
# The first runner of 東京11R: its slot is line (11 - 1) * 18 + 1 of the SE day file.
pedigree="$(sed -n '181p' "$se" | cut -b31-40)"
history="$home/SEI/${pedigree:0:4}/$pedigree.jvSEI"
previous="$(cut -b12-19 "$history" | awk -v day="$day" '$0 < day' | sort | tail -n 1)"
previous_ra="$data/${previous:0:4}年${previous:4:2}月${previous:6:2}日.jvRA"
o1="$data/2025年02月08日.jvO1"
[ -f "$history" ] && [ -f "$previous_ra" ] && [ -f "$o1" ] || {
    echo "damaged_files: the league lacks a file this test damages" >&2
    exit 1
}

# Deletes byte $2 (1-based) of file $1.
delete_byte() { python3 -c 'import sys; p, n = sys.argv[1], int(sys.argv[2]); b = open(p, "rb").read(); open(p, "wb").write(b[:n - 1] + b[n:])' "$1" "$2"; }

# Each case: a name, the file to damage, how, what the warning names, the
# command that reads it.
check() {
    local name="$1" file="$2" damage="$3" mention="$4" command="$5"
    cp -p "$file" "$work/aside"
    eval "$damage"
    status=0
    "$cli" $command --home "$home" --day "$day" >"$work/out" 2>"$work/err" || status=$?
    strict=0
    "$cli" $command --home "$home" --day "$day" --strict >/dev/null 2>&1 || strict=$?
    if [ "$status" != 0 ]; then
        fail "$name: exit $status without --strict"
        cat "$work/err" >&2
    elif ! grep -q "warning: .*$mention.*行目" "$work/err"; then
        fail "$name: no warning naming $mention and its line"
        cat "$work/err" >&2
    elif [ "$strict" = 0 ]; then
        fail "$name: --strict exits 0"
    else
        echo "damaged_files: $name: $(grep -m1 warning "$work/err")"
    fi
    cp -p "$work/aside" "$file"
}

card="card --race 東京11R"
check "a byte gone from a history" "$history" "delete_byte '$history' 600" "$pedigree.jvSEI" "$card"
check "a byte gone from an O1 record" "$o1" "delete_byte '$o1' 300" "jvO1" "$card"
check "LF line ends in the O1 file" "$o1" "sed -i 's/\r$//' '$o1'" "jvO1" "$card"
check "a cut record in a past day's RA file" "$previous_ra" \
    "truncate -s -100 '$previous_ra'" "$(basename "$previous_ra")" "past --race 東京11R"
check "a short record in a past day's RA file, for the search" "$previous_ra" \
    "truncate -s -100 '$previous_ra'" "$(basename "$previous_ra")" "zenso"

# One damaged record of the day's own SE file costs its race, not the day:
# the jockey code of 東京5R's first runner (line (5 - 1) * 18 + 1) becomes
# "0103X". That race is withheld and named; 東京11R is shown as usual.
cp -p "$se" "$work/aside"
LC_ALL=C sed -i '73s/^\(.\{296\}\).\{5\}/\10103X/' "$se"
name="$(basename "$se")"
status=0
"$cli" card --home "$home" --day "$day" --race 東京11R >"$work/out" 2>"$work/err" || status=$?
if [ "$status" != 0 ] || ! grep -q "warning: .*$name: 73行目: 騎手コード (297 バイト目から 5 バイト) が \"0103X\"" "$work/err"; then
    fail "a damaged SE record: 東京11R exit $status"
    cat "$work/err" >&2
fi
status=0
"$cli" card --home "$home" --day "$day" --race 東京5R >/dev/null 2>"$work/err" || status=$?
if [ "$status" = 0 ] || ! grep -q "東京 5R.*$name: 73行目" "$work/err"; then
    fail "a damaged SE record: 東京5R exit $status"
    cat "$work/err" >&2
else
    echo "damaged_files: a damaged SE record: $(tail -n1 "$work/err")"
fi
if ! "$cli" races --home "$home" --day "$day" 2>/dev/null | grep -qx "東京 5R (破損)"; then
    fail "a damaged SE record: the race list does not show 東京 5R as withheld"
fi
cp -p "$work/aside" "$se"

[ "$failures" = 0 ]
