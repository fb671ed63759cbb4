#!/usr/bin/env bash
# The real-time benchmark on the demo league:
#   bench/live_bench.sh BUILD_DIR [SIZE [RUNS]]
# BUILD_DIR is a build made with -DQUINDLE_BUILD_BENCH=ON; SIZE the league
# (default demo, whose real-time days hold 36 races). The league's last
# real-time day is downloaded as it stood at 08:00 that morning, then
# live_bench measures, each on its own copy of that program folder:
# - the odds of the day's first race ("速報ｵｯｽﾞ"), its import and its card;
# - the whole day's odds of every race in one go (the menu's "1日分の全オッズ
#   を一括取得"), with the substitute serving the odds of 09:40;
# - the headless replay of the whole day (quindle-cli live) from 08:50 to
#   18:01 on a simulated clock at full speed.
# Each in wall time and as a ratio to the time spent inside JV-Link calls
# ("retrieval/jvlink"), RUNS times each (default 3), each run on a fresh
# copy of the morning's folder.
set -euo pipefail
build="${1:?usage: live_bench.sh BUILD_DIR [SIZE]}"
size="${2:-demo}"
runs="${3:-3}"
cli="$build/src/cli/quindle-cli"
bench="$build/bench/live_bench"
for program in "$cli" "$bench"; do
  [ -x "$program" ] || { echo "missing $program (build with -DQUINDLE_BUILD_BENCH=ON)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI QUINDLE_HOME

echo "generating the $size league ..." >&2
"$cli" jvgen --size "$size" --out "$work/league" >/dev/null 2>&1
day="$(sed -n 's/^last_day=//p' "$work/league/store.ini")"
date="${day:0:4}/${day:4:2}/${day:6:2}"
echo "downloading it as of $date 08:00 ..." >&2
"$cli" download --home "$work/morning" --store "$work/league" --setup \
  --from "2000/01/01 00:00:00" --now "${day}0800" >/dev/null 2>&1

echo "day $day of the $size league ($(nproc) cores, load $(cut -d ' ' -f 1-3 /proc/loadavg)):"
for run in $(seq "$runs"); do
  for mode in race odds replay; do
    # Nothing is removed before the end (see download_bench.sh).
    cp -r "$work/morning" "$work/$mode-$run"
    sync
    clock="$date 09:40:00"
    [ "$mode" = replay ] && clock="$date 08:50:00"
    "$bench" "$mode" --home "$work/$mode-$run" --store "$work/league" --day "$day" \
      --clock "$clock" --clock-speed max
  done
done
