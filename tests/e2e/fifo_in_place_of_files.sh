#!/usr/bin/env bash
# A FIFO in place of any file a day load reads (the day's RA, SE, HR, O1, O5
# and popularity files, a runner's history, a past race's RA file, the jockey
# table, the settings file) never makes quindle-cli wait: the card ends within
# seconds, and the file is named on stderr or in the error log.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"

require_jvgen fifo_in_place_of_files

make_work
home="$work/home"
download_small_league "$home"

day=20250208
data="$home/Data"
# The first runner of 東京11R: its slot is line (11 - 1) * 18 + 1 of the SE day file.
pedigree="$(sed -n '181p' "$data/2025年02月08日東京.jvSEr" | cut -b31-40)"
history="$home/SEI/${pedigree:0:4}/$pedigree.jvSEI"
[ -f "$history" ] || { echo "fifo_in_place_of_files: no history file $history" >&2; exit 1; }
# Its previous race: the newest run before the day (dates at bytes 12-19).
previous="$(cut -b12-19 "$history" | awk -v day="$day" '$0 < day' | sort | tail -n 1)"
previous_ra="$data/${previous:0:4}年${previous:4:2}月${previous:6:2}日.jvRA"
[ -f "$previous_ra" ] || { echo "fifo_in_place_of_files: no RA file $previous_ra" >&2; exit 1; }

failures=0
for file in \
    "$data/2025年02月08日.jvRA" \
    "$data/2025年02月08日東京.jvSEr" \
    "$data/2025年02月08日.jvHR" \
    "$data/2025年02月08日.jvO1" \
    "$data/2025年02月08日.jvO5" \
    "$home/CSV/GYN$day.CSV" \
    "$history" \
    "$previous_ra" \
    "$home/jockdata.kcsv" \
    "$home/quindle.ini"; do
    had=0
    if [ -e "$file" ]; then mv "$file" "$work/aside"; had=1; fi
    mkfifo "$file"
    : >"$home/ErrorLog.txt"
    status=0
    timeout 5 "$cli" card --home "$home" --day "$day" --race 東京11R >"$work/out" 2>"$work/err" ||
        status=$?
    name="$(basename "$file")"
    # The error log is CP932.
    iconv -f CP932 -t UTF-8 "$home/ErrorLog.txt" >"$work/log" 2>/dev/null || : >"$work/log"
    if [ "$status" = 124 ]; then
        echo "fifo_in_place_of_files: $name: the card waited for the FIFO" >&2
        failures=$((failures + 1))
    elif ! grep -qF "$name" "$work/err" "$work/log"; then
        echo "fifo_in_place_of_files: $name: not named (exit $status)" >&2
        cat "$work/err" >&2
        failures=$((failures + 1))
    else
        echo "fifo_in_place_of_files: $name: exit $status, named"
    fi
    rm -f "$file"
    if [ "$had" = 1 ]; then mv "$work/aside" "$file"; fi
done
[ "$failures" = 0 ]
