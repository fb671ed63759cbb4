#!/usr/bin/env bash
# The demo program folder (scripts/demo-home.sh) on a small league shows what
# the program is for: every race of the newest day has win odds with a
# favourite, and the day's cards carry "◎" and "☆" recommendation marks from
# a table learned from the league's first months. A
# folder made by an earlier run without the recommendation table and the
# morning odds gets both on the next run.
#
# Usage: demo_home.sh QUINDLE_CLI (in BUILD_DIR/src/cli, as demo-home.sh
# expects it)
set -euo pipefail

cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
build="$(cd "$(dirname "$cli")/../.." && pwd)"
root="$(cd "$(dirname "$0")/../.." && pwd)"

require_jvgen demo_home

make_work
home="$work/demo"

make_home() {
    QUINDLE_DEMO_HOME="$home" QUINDLE_DEMO_SIZE=small "$root/scripts/demo-home.sh" "$build" \
        >"$work/home.out" 2>"$work/home.err" || fail "demo-home.sh failed" "$work/home.err"
}

# Win odds, popularity and the two marks of every runner of every race of the
# newest day: "race<TAB>odds<TAB>popularity<TAB>win mark<TAB>place mark".
runner_lines() {
    local races
    races="$("$cli" races --home "$home" --day newest | wc -l)"
    [ "$races" -gt 0 ] || fail "the newest day has no races"
    for ((r = 0; r < races; r++)); do
        "$cli" card --home "$home" --day newest --race "$r" --format tsv | tail -n +2 |
            awk -F '\t' -v race="$r" '{ print race "\t" $14 "\t" $15 "\t" $11 "\t" $12 }'
    done
}

make_home
lines="$(runner_lines)"
without_favourite="$(awk -F '\t' '$2 ~ /[0-9]\.[0-9]/ && $3 + 0 == 1 { fav[$1] = 1 }
    { all[$1] = 1 } END { for (r in all) if (!(r in fav)) print r }' <<<"$lines" | sort -n | paste -sd " ")"
[ -z "$without_favourite" ] || fail "races of the newest day without odds and a favourite: $without_favourite"
grep -q '◎' <<<"$lines" || fail "no ◎ mark on the newest day"
grep -q '☆' <<<"$lines" || fail "no ☆ mark on the newest day"

# A folder of an earlier run: league and download there, no table, no odds.
rm -f "$home/jockdata.kcsv" "$home/.demo-morning-odds"
make_home
[ -f "$home/jockdata.kcsv" ] || fail "a rerun left the folder without jockdata.kcsv"
grep -q '^jockdata.kcsv: learned from' "$work/home.err" ||
    fail "the folder's jockdata.kcsv is not a learned table" "$work/home.err"
head -n 1 "$home/jockdata.kcsv" | iconv -f CP932 -t UTF-8 | grep -q '^#騎手名,人気,騎乗パターン' ||
    fail "the learned jockdata.kcsv has no heading"
[ -f "$home/.demo-morning-odds" ] || fail "a rerun did not retrieve the morning odds"
echo "demo_home: $(wc -l <<<"$lines") runners on the newest day, $(grep -c '◎\|☆' <<<"$lines") marked"
