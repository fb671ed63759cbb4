#!/usr/bin/env bash
# quindle-cli card, past and zenso on a small program folder: 中山1R of
# 2025-01-05 with three runners.
#   horse 1 ALPHA: ridden last time by today's jockey (連続騎乗), 2nd then;
#   horse 2 BRAVO: a new jockey (テン乗り) whose previous jockey rides horse 3
#                  today (Get on 2, Give on 3), won last time;
#   horse 3 CHARLIE: no history.
# ALPHA and BRAVO met in 中山2R of 2024-12-01, with DELTA, who won its next
# race (中山5R of 2024-12-15, "SPRINT").
set -euo pipefail
export LC_ALL=C
cli="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Data" "$home/SEI/2021"

# A record line: the fields as "position:text" pieces over blanks of `length`.
line() {
    local length="$1"
    shift
    local text
    text="$(printf "%-${length}s" "")"
    for piece in "$@"; do
        local pos="${piece%%:*}" value="${piece#*:}"
        text="${text:0:pos-1}${value}${text:pos-1+${#value}}"
    done
    printf '%s\r\n' "$text"
}

key() { printf '%s06%s%02d' "$1" "0101" "$2"; }
# An SE line: date, race, horse, pedigree, name, jockey code, finish.
se() { line 553 "1:SE" "12:$(key "$1" "$2")" "29:$(printf %02d "$3")" "31:$4" "41:$5" \
    "297:$6" "307:J$6" "335:$7"; }
# A venue day file of 216 slots with the given SE lines (race and horse from
# the lines' own fields).
se_day() {
    local file="$1"
    shift
    local slots=()
    for _ in $(seq 0 215); do slots+=("$(line 553)"); done
    for l in "$@"; do
        local race=$((10#${l:25:2})) horse=$((10#${l:28:2}))
        slots[$(((race - 1) * 18 + horse - 1))]="$l"
    done
    printf '%s\n' "${slots[@]}" >"$file"
}

today=20250105
line 1270 "1:RA" "12:$(key $today 1)" "874:1000" "882:03" "706:17" "698:1600" \
    "33:SHINSHUN TOKUBETSU" >"$home/Data/2025年01月05日.jvRA"
se_day "$home/Data/2025年01月05日中山.jvSEr" \
    "$(se $today 1 1 2021100001 ALPHA 01001 00)" \
    "$(se $today 1 2 2021100002 BRAVO 01002 00)" \
    "$(se $today 1 3 2021100003 CHARLIE 01003 00)"

line 1270 "1:RA" "12:$(key 20241201 2)" "882:03" "593:WINTER" >"$home/Data/2024年12月01日.jvRA"
se_day "$home/Data/2024年12月01日中山.jvSEr" \
    "$(se 20241201 2 1 2021100001 ALPHA 01001 02)" \
    "$(se 20241201 2 2 2021100002 BRAVO 01003 01)" \
    "$(se 20241201 2 3 2021100004 DELTA 01004 03)"
line 1270 "1:RA" "12:$(key 20241215 5)" "882:12" "593:SPRINT" >"$home/Data/2024年12月15日.jvRA"

se 20241201 2 1 2021100001 ALPHA 01001 02 >"$home/SEI/2021/2021100001.jvSEI"
se 20241201 2 2 2021100002 BRAVO 01003 01 >"$home/SEI/2021/2021100002.jvSEI"
{
    se 20241201 2 3 2021100004 DELTA 01004 03
    se 20241215 5 3 2021100004 DELTA 01004 01
} >"$home/SEI/2021/2021100004.jvSEI"

expect() {
    local what="$1" want="$2" got="$3"
    if [ "$got" != "$want" ]; then
        printf '%s:\n--- want\n%s\n--- got\n%s\n' "$what" "$want" "$got" >&2
        exit 1
    fi
}
day=(--home "$home" --day $today --race 中山1R)

# The card as tab-separated cells: horse number, pattern, Get, Give.
columns() { cut -f "$1"; }
tsv="$("$cli" card "${day[@]}" --format tsv)"
expect "card headings" "$(printf '馬\t騎乗\tGet\tGive')" "$(head -1 <<<"$tsv" | columns 2,8,9,10)"
expect "card rows" "$(printf ' 1\t連続騎乗\t\t\n 2\tテン乗り\t○\t\n 3\t\t\t×')" \
    "$(tail -n +2 <<<"$tsv" | columns 2,8,9,10)"
expect "run counts" "$(printf '  1\n  1\n  0')" "$(tail -n +2 <<<"$tsv" | columns 7)"

# Heading clicks: the pattern column ascending, the horse column twice.
sorted() { "$cli" card "${day[@]}" --format tsv "$@" | tail -n +2 | columns 2 | tr -d ' ' | paste -sd,; }
expect "sort by pattern" "3,2,1" "$(sorted --sort 7)"
expect "sort by horse twice" "3,2,1" "$(sorted --sort 1 --sort 1)"
expect "sort by Get twice" "2,1,3" "$(sorted --sort 8 --sort 8)"

text="$("$cli" card "${day[@]}")"
case "$(head -1 <<<"$text")" in
    "2025年01月05日("*"中山01回01日01R   10.00発走"*"SHINSHUN TOKUBETSU"*" 3頭[入線:  頭] 1600ﾒｰﾄﾙ 芝 右回り"*) ;;
    *) echo "card heading line: $(head -1 <<<"$text")" >&2; exit 1 ;;
esac
json="$("$cli" card "${day[@]}" --format json --sort 1 --sort 1)"
if command -v python3 >/dev/null; then
    got="$(python3 -c 'import json,sys; d=json.load(sys.stdin); print(",".join("%d:%s" % (r["slot"], r["pattern"]) for r in d["runners"]))' <<<"$json")"
    expect "card json" "2:,1:テン乗り,0:連続騎乗" "$got"
    # The cells again, by the columns' names.
    got="$(python3 -c 'import json,sys; d=json.load(sys.stdin); print(",".join("%s:%s" % (r["card"]["horse"].strip(), r["card"]["pattern"]) for r in d["runners"]))' <<<"$json")"
    expect "card json cells" "3:,2:テン乗り,1:連続騎乗" "$got"
fi

# Past rides: today's jockey marked in the run he rode.
past="$("$cli" past "${day[@]}")"
expect "past runs" "$(printf '%s\n' "前走  241201中 |  3ﾄ       0人  2 | J01001*" \
    "前走  241201中 |  3ﾄ       0人  1 | J01003")" "$(grep '前走' <<<"$past" | sed 's/^ *//')"
grep -q "^  3 CHARLIE |  0 | J01003 *kg$" <<<"$past" || { echo "past runner: $past" >&2; exit 1; }

# The previous-race search: DELTA won its next race.
zenso="$("$cli" zenso "${day[@]}")"
grep -q "ALPHA  前走: 2024年12月01日中山 2R WINTER  勝ち上り馬頭数: 1" <<<"$zenso" ||
    { echo "zenso label: $zenso" >&2; exit 1; }
grep -q "DELTA *3 *2024/12/15中山 5R *SPRINT *1$" <<<"$zenso" ||
    { echo "zenso row: $zenso" >&2; exit 1; }
grep -q "CHARLIE  (no previous race)" <<<"$zenso" || { echo "zenso starter: $zenso" >&2; exit 1; }

# Failures: non-zero exit and a message naming the problem.
fails() {
    local what="$1" mention="$2"
    shift 2
    local err
    if err="$("$cli" "$@" 2>&1 >/dev/null)"; then
        echo "$what: expected a failure" >&2
        exit 1
    fi
    case "$err" in
        *"$mention"*) ;;
        *) printf '%s: message without "%s": %s\n' "$what" "$mention" "$err" >&2; exit 1 ;;
    esac
}
fails "column that does not sort" "--sort 2" card "${day[@]}" --sort 2
fails "bad format" "--format" card "${day[@]}" --format xml
fails "card without a race" "--race" card --home "$home" --day $today
fails "unknown option" "--bogus" past "${day[@]}" --bogus
echo "cli card, past and zenso: ok"
