#!/usr/bin/env bash
# How the accumulated download grows with the league:
#   bench/scale_bench.sh BUILD_DIR [SIZES...]
# For each size (default small demo large) a league is generated and all of
# it downloaded (set-up from its first file, the JV-Link download stage
# skipped) into a fresh program folder, after a sync; the table gives the
# records read, the wall time and the records per second, which stay about
# the same from size to size when the cost grows linearly.
set -euo pipefail
build="${1:?usage: scale_bench.sh BUILD_DIR [SIZES...]}"
shift
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small demo large)
cli="$build/src/cli/quindle-cli"
[ -x "$cli" ] || { echo "missing $cli" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI QUINDLE_HOME
now_ms() { echo $(($(date +%s%N) / 1000000)); }

echo "scale of the download ($(nproc) cores, load $(cut -d ' ' -f 1-3 /proc/loadavg)):"
printf '%-6s %10s %9s %12s\n' size records seconds records/s
for size in "${sizes[@]}"; do
  "$cli" jvgen --size "$size" --out "$work/$size-league" >/dev/null 2>&1
  first="$(head -n 1 "$work/$size-league/files.tsv" | cut -f 2)"
  from="${first:0:4}/${first:4:2}/${first:6:2} ${first:8:2}:${first:10:2}:${first:12:2}"
  mkdir -p "$work/$size-home"
  sync
  t0=$(now_ms)
  "$cli" download --home "$work/$size-home" --store "$work/$size-league" --setup \
    --from "$from" --jvsim-predownloaded 1 >"$work/$size.out" 2>"$work/$size.err" || {
    cat "$work/$size.out" "$work/$size.err" >&2
    exit 1
  }
  ms=$(($(now_ms) - t0))
  records="$(sed -n 's/.* \([0-9]*\) records read.*/\1/p' "$work/$size.out")"
  awk -v s="$size" -v r="$records" -v ms="$ms" \
    'BEGIN { printf "%-6s %10d %9.2f %12d\n", s, r, ms / 1000, (ms > 0 ? r * 1000 / ms : 0) }'
done
