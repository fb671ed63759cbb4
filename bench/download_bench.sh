#!/usr/bin/env bash
# The accumulated-download benchmark:
#   bench/download_bench.sh BUILD_DIR [SIZE [SLICE_RECORDS]]
# Generates a league (SIZE, default large) and downloads all of it (set-up
# from its first file, the JV-Link download stage skipped) into a fresh
# program folder, reporting records per second and the peak memory. Then:
# - the time to copy the folders the download made (cp -r, with and without
#   a sync at the end) against the download's time;
# - a slice of the league (the JV-Link files from the middle of the delivery
#   on that hold SLICE_RECORDS records, default 20000; cut by the from-time
#   and the substitute's simulated now) downloaded twice, storing in batches
#   and storing record by record (every file written after every record),
#   with the two results compared byte for byte.
# Every measurement starts after a sync, so no run pays for another's writes,
# and nothing is removed before the end: on ext4 without a journal, files
# created within half a minute of many deletions take several times longer
# (the allocator steps over recently freed inodes), which would charge one
# run for the clean-up of another.
set -euo pipefail
build="${1:?usage: download_bench.sh BUILD_DIR [SIZE [SLICE_RECORDS]]}"
size="${2:-large}"
slice_records="${3:-20000}"
cli="$build/src/cli/quindle-cli"
[ -x "$cli" ] || { echo "missing $cli" >&2; exit 2; }
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (GNU time)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
folders=(Data SEI SEIR UMA KSCH)

now_ms() { echo $(($(date +%s%N) / 1000000)); }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f", ms / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }'; }

# "yyyy/mm/dd hh:nn:ss" of a time stamp yyyymmddhhnnss.
display() { echo "${1:0:4}/${1:4:2}/${1:6:2} ${1:8:2}:${1:10:2}:${1:12:2}"; }

# download HOME LOG FROM EXTRA...: one download, timed by GNU time into LOG.
download() {
  local home="$1" log="$2" from="$3"
  shift 3
  mkdir -p "$home"
  sync
  /usr/bin/time -v -o "$log" "$cli" download --home "$home" --store "$work/league" --setup \
    --from "$from" --jvsim-predownloaded 1 "$@" >"$log.out" 2>"$log.err" || {
    echo "download failed:" >&2
    cat "$log.out" "$log.err" >&2
    exit 1
  }
}
wall_ms() { awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0;
  for (i = 1; i <= n; i++) s = s * 60 + t[i]; printf "%d", s * 1000 }' "$1"; }
peak_kb() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }
records() { sed -n 's/.* \([0-9]*\) records read.*/\1/p' "$1.out"; }

echo "generating the $size league ..." >&2
t0=$(now_ms)
"$cli" jvgen --size "$size" --out "$work/league" >/dev/null 2>&1
echo "league: $(wc -l <"$work/league/files.tsv") JV-Link files, generated in $(seconds $(($(now_ms) - t0))) s"
index="$work/league/files.tsv"
from="$(display "$(head -n 1 "$index" | cut -f 2)")"

# The whole league, stored in batches.
download "$work/full" "$work/full.time" "$from"
full_ms=$(wall_ms "$work/full.time")
full_records=$(records "$work/full.time")
echo "download: $(cat "$work/full.time.out")"
echo "download: $(seconds "$full_ms") s, $((full_records * 1000 / (full_ms + 1))) records/s," \
  "peak memory $(($(peak_kb "$work/full.time") / 1024)) MB"
echo "made: $(find "$work/full" -type f | wc -l) files, $(du -sh "$work/full" | cut -f 1)"

# Copying what it made.
sync
t0=$(now_ms)
mkdir -p "$work/copy"
for f in "${folders[@]}"; do [ -d "$work/full/$f" ] && cp -r "$work/full/$f" "$work/copy/"; done
copy_ms=$(($(now_ms) - t0))
sync
copy_sync_ms=$(($(now_ms) - t0))
echo "copy: cp -r $(seconds "$copy_ms") s, with sync $(seconds "$copy_sync_ms") s;" \
  "download / copy = $(ratio "$full_ms" "$copy_ms") (with sync $(ratio "$full_ms" "$copy_sync_ms"))"
echo "download/copy+sync $(ratio "$full_ms" "$copy_sync_ms")"

# A slice, in batches and record by record: from the middle of the delivery,
# as many files as hold SLICE_RECORDS records.
first_line=$(($(wc -l <"$index") / 2))
slice_lines=$(tail -n +"$first_line" "$index" | cut -f 3 | (cd "$work/league/files" && xargs wc -l) |
  awk -v want="$slice_records" '$2 != "total" && !done { n++; sum += $1; done = sum >= want }
    END { print n }')
slice_from="$(display "$(sed -n "${first_line}p" "$index" | cut -f 2)")"
slice_now="$(sed -n "$((first_line + slice_lines))p" "$index" | cut -f 2 | cut -c 1-12)"
[ -n "$slice_now" ] || slice_now="$(tail -n 1 "$index" | cut -f 2 | cut -c 1-12)"
download "$work/batched" "$work/batched.time" "$slice_from" --now "$slice_now"
download "$work/single" "$work/single.time" "$slice_from" --now "$slice_now" --flush-every-record
batched_ms=$(wall_ms "$work/batched.time")
single_ms=$(wall_ms "$work/single.time")
echo "slice from $slice_from to $slice_now: $(cat "$work/batched.time.out")"
echo "slice: batched $(seconds "$batched_ms") s, record by record $(seconds "$single_ms") s;" \
  "record by record / batched = $(ratio "$single_ms" "$batched_ms")"
if diff -r -x ErrorLog.txt "$work/batched" "$work/single" >/dev/null; then
  echo "slice: the two folders are identical"
else
  echo "slice: the folders DIFFER"
  exit 1
fi
