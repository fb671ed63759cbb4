#!/usr/bin/env bash
# A race day replayed without a window: the small league's first real-time
# day is downloaded as it stood at 08:00 that morning, then `quindle-cli live`
# runs its schedule on a simulated clock at full speed from 08:50 to the end.
# Every race's odds must be fetched in the minute of its OddsTime (post time
# less "AutoOzGet", 10 minutes) or the next and never outside them, and the
# results of every race must come in: the day's RA file then equals, byte for
# byte, that of an accumulated download of the same day made afterwards, and
# so do its SE and HR files from position 12 on (positions 3-11, the data
# kind and creation date, are kept as the real-time results announced them).
# Options that cannot work are refused with a message. A second argument
# names another league size (demo, by hand).
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
size="${2:-small}"

require_jvgen cli_live_day

make_work
export LC_ALL=C
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI QUINDLE_HOME

"$cli" jvgen --out "$work/league" --size "$size" >/dev/null 2>&1
day="$(sed -n 's/^realtime_from=//p' "$work/league/store.ini")"
[ -n "$day" ] || fail "the league has no real-time day" "$work/league/store.ini"
clock="${day:0:4}/${day:4:2}/${day:6:2}"

"$cli" download --home "$work/live" --store "$work/league" --setup \
    --from "2000/01/01 00:00:00" --now "${day}0800" >/dev/null 2>"$work/dl1.err" ||
    fail "the morning download failed" "$work/dl1.err"

# Bad options: refused before anything runs.
for bad in "--clock-speed fast --clock|$clock 08:50:00" "--clock|$clock 8:50" \
    "--until 25:00 --clock|$clock 08:50:00" "--clock-speed 60" "--race 1 --clock|$clock 08:50:00"; do
    IFS='|' read -r opts value <<<"$bad"
    # shellcheck disable=SC2086
    if "$cli" live --home "$work/live" --store "$work/league" --day "$day" $opts ${value:+"$value"} \
        >"$work/bad.out" 2>"$work/bad.err"; then
        fail "live accepted: $bad" "$work/bad.out"
    fi
    grep -q "^quindle-cli: " "$work/bad.err" || fail "no message for: $bad" "$work/bad.err"
done
if "$cli" live --home "$work/live" --store "$work/league" --day "$day" \
    --clock "$clock 18:30:00" >"$work/late.out" 2>"$work/late.err"; then
    fail "live ran with the clock past --until" "$work/late.out"
fi
grep -q "not before --until" "$work/late.err" || fail "late start: unexpected message" "$work/late.err"

"$cli" live --home "$work/live" --store "$work/league" --day "$day" \
    --clock "$clock 08:50:00" --clock-speed max >"$work/live.out" 2>"$work/live.err" ||
    fail "the live day failed" "$work/live.out" "$work/live.err"
grep -q "^live .* 0 failed" "$work/live.out" || fail "no clean summary" "$work/live.out"

ra_file="$work/live/Data/${day:0:4}年${day:4:2}月${day:6:2}日.jvRA"
[ -s "$ra_file" ] || fail "no RA file for $day"
races=0
while IFS= read -r line; do
    key="$(printf '%s' "$line" | cut -b 12-27)"
    post="$(printf '%s' "$line" | cut -b 874-877)"
    odds_time="$(awk -v p="$post" 'BEGIN { t = substr(p, 1, 2) * 60 + substr(p, 3, 2) - 10;
        printf "%02d:%02d %02d:%02d", t / 60, t % 60, (t + 1) / 60, (t + 1) % 60 }')"
    fetched="$(awk -v k="$key" '$2 == "odds" && $3 == k { print substr($1, 1, 5) }' \
        "$work/live.out" | sort -u | tr '\n' ' ')"
    [ -n "$fetched" ] || fail "race $key (post $post) had no odds fetched" "$work/live.out"
    for minute in $fetched; do
        case " $odds_time " in
        *" $minute "*) ;;
        *) fail "race $key (post $post) fetched at $minute, not in $odds_time" "$work/live.out" ;;
        esac
    done
    first="$(echo "$fetched" | cut -d' ' -f1)"
    [ "$first" = "${odds_time%% *}" ] || fail "race $key first fetched at $first, not ${odds_time%% *}"
    races=$((races + 1))
done < <(tr -d '\r' <"$ra_file")
[ "$races" -gt 0 ] || fail "the RA file lists no race"

o1_file="${ra_file%.jvRA}.jvO1"
[ "$(grep -c . "$o1_file")" -eq "$races" ] || fail "the O1 file does not hold every race" "$o1_file"

# The accumulated download of the same day, made after it.
"$cli" download --home "$work/after" --store "$work/league" --setup \
    --from "2000/01/01 00:00:00" >/dev/null 2>"$work/dl2.err" ||
    fail "the later download failed" "$work/dl2.err"
for live_file in "$work/live/Data/${day:0:4}年${day:4:2}月${day:6:2}日"*; do
    name="$(basename "$live_file")"
    after_file="$work/after/Data/$name"
    case "$name" in
    *.jvRA)
        cmp -s "$live_file" "$after_file" || fail "$name differs from the later download"
        ;;
    *.jvSEr | *.jvHR)
        cmp -s <(cut -b 12- "$live_file") <(cut -b 12- "$after_file") ||
            fail "$name differs from the later download past the data kind and date"
        ;;
    esac
done
hr_file="${ra_file%.jvRA}.jvHR"
[ "$(grep -c . "$hr_file")" -eq "$races" ] || fail "the HR file does not hold every race" "$hr_file"
echo "cli_live_day: $races races of $day replayed, odds on time, results equal to the later download"
