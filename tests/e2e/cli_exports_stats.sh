#!/usr/bin/env bash
# quindle-cli export, card --format clipboard and stats on a small generated
# league: the files of each export in the CSV folder and in --out are the
# same bytes, one CR LF line per entered runner; the clipboard text has the
# card's heading lines and rows; stats prints the summary of a statistics file
# and refuses a rank out of range.
set -euo pipefail
export LC_ALL=C.UTF-8
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
make_work

download_small_league "$work/home"
day="$("$cli" days --home "$work/home" | sed -n 2p)"
digits="$(echo "$day" | tr -cd '0-9')"

# Entered runners of the day: the sum of the RA records' 登録頭数 (bytes 882-883).
runners=0
for count in $(LC_ALL=C cut -b 882-883 "$work/home/Data/$day.jvRA"); do
    runners=$((runners + 10#$count))
done
[ "$runners" -gt 0 ]

mkdir "$work/out"
for kind in recommend getgive zenso; do
    printed="$("$cli" export --home "$work/home" --day "$day" "$kind")"
    "$cli" export --home "$work/home" --day "$day" "$kind" --out "$work/out" >/dev/null
    while IFS= read -r path; do
        name="$(basename "$path")"
        [ "$path" = "$work/home/CSV/$name" ] || { echo "printed $path"; exit 1; }
        [[ "$name" == *"$digits.csv" ]]
        cmp "$path" "$work/out/$name"
        [ "$(grep -c $'\r$' "$path")" -eq "$runners" ] || { echo "$name: lines"; exit 1; }
        # 16 digits of race key, 2 of horse number, a comma and the value.
        if grep -qvE $'^[0-9]{18},( ?[0-9]+)\r$' "$path"; then echo "$name: layout"; exit 1; fi
    done <<<"$printed"
done
ls "$work/home/CSV" | sort | tr '\n' ' ' | grep -qx \
    "FukuSuisho$digits.csv Get$digits.csv Give$digits.csv TanSuisho$digits.csv ZensoKachiAgari$digits.csv "
if "$cli" export --home "$work/home" --day "$day" recommend --out "$work/none" 2>/dev/null; then
    echo "export into a missing folder succeeded"; exit 1
fi

# The clipboard text: four heading lines, the heading row and one row per
# runner, each ending in CR LF; the same text in CP932.
race="$("$cli" races --home "$work/home" --day "$day" | sed -n 1p)"
"$cli" card --home "$work/home" --day "$day" --race "$race" --format clipboard >"$work/clip.txt"
rows=$("$cli" card --home "$work/home" --day "$day" --race "$race" --format tsv | wc -l)
[ "$(grep -c $'\r$' "$work/clip.txt")" -eq $((4 + rows)) ]
[ "$(wc -l <"$work/clip.txt")" -eq $((4 + rows)) ]
"$cli" card --home "$work/home" --day "$day" --race "$race" --format clipboard --encoding cp932 |
    iconv -f CP932 -t UTF-8 | cmp - "$work/clip.txt"

# stats: a header and two races, the second unranked in the second ranking.
printf '%s\r\n' '"h"' ',,,,,,,,,1,1,2,2,3,3,250,,,,,,,,,,900,,,,,,,,,,1500' \
    ',,,,,,,,,2,0,1,0,3,0,600' >"$work/stats.csv"
"$cli" stats "$work/stats.csv" >"$work/summary.txt"
grep -q '^出現数  *1  *1  *0' "$work/summary.txt"
grep -q '^単勝率  *50.00  *50.00  *0.00' "$work/summary.txt"
"$cli" stats "$work/stats.csv" --format json >"$work/summary.json"
grep -q '"countedRaces": 2' "$work/summary.json"
printf '%s\r\n' ',,,,,,,,,19,1,2,2,3,3,100' >>"$work/stats.csv"
if "$cli" stats "$work/stats.csv" 2>"$work/err.txt"; then echo "rank 19 accepted"; exit 1; fi
grep -q '4行目' "$work/err.txt"
echo ok
