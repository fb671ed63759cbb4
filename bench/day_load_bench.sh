#!/usr/bin/env bash
# The day-load benchmark on the demo league:
#   bench/day_load_bench.sh BUILD_DIR [PROGRAM_FOLDER [DAY [RUNS]]]
# BUILD_DIR is a build made with -DQUINDLE_BUILD_BENCH=ON. Without a
# PROGRAM_FOLDER holding downloaded days, the demo league is generated and
# downloaded (set-up from its first file, with the final odds) into a
# temporary folder, removed at the end; give a folder to keep the download
# for later runs (it is filled when it has no race days yet).
# Then day_load_bench measures the load of the largest day (or DAY), the
# floor of its files and the previous-race search. When strace is at hand,
# the files the load really opens are checked against the files the floor
# reads.
set -euo pipefail
build="${1:?usage: day_load_bench.sh BUILD_DIR [PROGRAM_FOLDER [DAY [RUNS]]]}"
cli="$build/src/cli/quindle-cli"
bench="$build/bench/day_load_bench"
for program in "$cli" "$bench"; do
  [ -x "$program" ] || { echo "missing $program (build with -DQUINDLE_BUILD_BENCH=ON)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
home="${2:-$work/home}"
day="${3:-}"
runs="${4:-10}"

if ! ls "$home"/Data/*.jvRA >/dev/null 2>&1; then
  echo "generating the demo league ..." >&2
  start=$(date +%s)
  "$cli" jvgen --size demo --out "$work/league" >/dev/null
  # Set-up from the league's first file: every run history is complete.
  first="$(head -n 1 "$work/league/files.tsv" | cut -f 2)"
  from="${first:0:4}/${first:4:2}/${first:6:2} ${first:8:2}:${first:10:2}:${first:12:2}"
  echo "downloading from $from into $home ..." >&2
  mkdir -p "$home"
  "$cli" download --home "$home" --store "$work/league" --setup --from "$from" --final-odds \
    --jvsim-predownloaded 1 2>/dev/null
  echo "prepared in $(($(date +%s) - start)) s" >&2
fi

"$bench" "$home" "${day:--}" "$runs" | tee "$work/figures.txt"

if command -v strace >/dev/null; then
  picked="$(head -n 1 "$work/figures.txt" | sed -n 's/^day \([^:]*\):.*/\1/p')"
  "$bench" "$home" "$picked" 1 --list-files | sort >"$work/listed.txt"
  strace -f -e trace=openat -o "$work/strace.txt" "$bench" "$home" "$picked" 1 --list-files \
    >/dev/null
  # Files opened for reading under Data, SEI and SEIR (not folders), once each.
  grep -v -e ENOENT -e O_DIRECTORY "$work/strace.txt" |
    sed -n 's/.*openat([^"]*"\([^"]*\)".*/\1/p' |
    grep -e '/Data/' -e '/SEI/' -e '/SEIR/' |
    while IFS= read -r p; do printf '%b\n' "$p"; done | sort -u >"$work/opened.txt"
  if diff -q "$work/listed.txt" "$work/opened.txt" >/dev/null; then
    echo "files opened by the load: $(wc -l <"$work/opened.txt"), the same as the floor reads"
  else
    echo "files opened by the load differ from the floor's list:"
    diff "$work/listed.txt" "$work/opened.txt" | head -20
  fi
fi
