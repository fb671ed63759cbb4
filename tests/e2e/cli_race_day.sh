#!/usr/bin/env bash
# quindle-cli days, races and result on a small program folder: one day at
# 中山 with races 1 and 11 (three runners each) and the payouts of race 11,
# and 阪神 1R, whose venue has no runner file.
set -euo pipefail
cli="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Data"

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

key() { printf '20250105%s0101%02d' "${2:-06}" "$1"; }

{
    line 1270 "1:RA" "3:0" "12:$(key 1)" "874:1000" "882:03"
    line 1270 "1:RA" "3:0" "12:$(key 11)" "874:1540" "882:03"
    line 1270 "1:RA" "3:0" "12:$(key 1 09)" "874:1000" "882:03"
} >"$home/Data/2025年01月05日.jvRA"
: >"$home/Data/2024年12月28日.jvRA"

se="$home/Data/2025年01月05日中山.jvSEr"
: >"$se"
for slot in $(seq 0 215); do
    race=$((slot / 18 + 1)) horse=$((slot % 18 + 1))
    if { [ "$race" = 1 ] || [ "$race" = 11 ]; } && [ "$horse" -le 3 ]; then
        line 553 "1:SE" "12:$(key "$race")" "29:$(printf %02d "$horse")" >>"$se"
    else
        line 553 >>"$se"
    fi
done

line 717 "1:HR" "12:$(key 11)" "103:03000000410" "114:02" "142:03000000150" "153:02" \
    "246:0312000002340" "259:008" "604:120301000123450" "619:0456" \
    >"$home/Data/2025年01月05日.jvHR"

expect() {
    local what="$1" want="$2" got="$3"
    if [ "$got" != "$want" ]; then
        printf '%s:\n--- want\n%s\n--- got\n%s\n' "$what" "$want" "$got" >&2
        exit 1
    fi
}

expect days "$(printf '2025年01月05日\n2024年12月28日')" "$("$cli" days --home "$home")"
expect races "$(printf '中山 1R\n中山11R\n阪神 1R')" "$("$cli" races --home "$home" --day 20250105)"
want="$(printf '%s\n' "単勝  3  2      410" "複勝  3  2      150" "馬連  3-12  8     2340" \
    "３連単 12- 3- 1 456   123450")"
expect "result by text" "$want" "$("$cli" result --home "$home" --day 2025年01月05日 --race 中山11R)"
expect "result by index" "$want" "$("$cli" result --home "$home" --day 20250105 --race 1)"

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
fails "unknown day" "2025年01月06日" races --home "$home" --day 20250106
fails "bad race" "中山12R" result --home "$home" --day 20250105 --race 中山12R
fails "index past the day" "race index 3" result --home "$home" --day 20250105 --race 3
fails "race without runners" "1レースはデータが不十分です。" result --home "$home" --day 20250105 \
    --race 阪神1R
fails "bad date" "2025-01-05" races --home "$home" --day 2025-01-05
echo "cli race day: ok"
