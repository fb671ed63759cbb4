#!/usr/bin/env bash
# Screenshots of the main window on a demo race day under a virtual X server:
# the race card, the past-ride table and the previous-race tab after the
# previous-race search.
# Usage: tools/screenshots.sh [OUT_DIR]   (default: screenshots in the build folder)
# The day is the newest demo day with results unless QUINDLE_SHOT_DAY names
# one (2025年03月29日 or 20250329); the race is QUINDLE_SHOT_RACE (a race-list
# text such as 中山11R or a race index), else the day's race index 10; the
# previous-race tab shows runner row QUINDLE_SHOT_RUNNER, else row 2.
# Builds nothing: run scripts/build.sh first. The demo folder comes from
# scripts/demo-home.sh (made when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_BUILD_DIR:-$root/build}"
out="${1:-$build/screenshots}"
cli="$build/src/cli/quindle-cli"
gui="$build/src/gui/quindle"
home="$("$root/scripts/demo-home.sh" "$build")"
mkdir -p "$out"

day="$("$root/tools/shot_day.sh" "$cli" "$home")"
race="${QUINDLE_SHOT_RACE:-10}"
runner="${QUINDLE_SHOT_RUNNER:-2}"

shoot() {
  local name="$1"; shift
  "$root/tools/screenshot.sh" "$out/$name.png" 6 -- \
    "$gui" --home "$home" --store "$home/store" --messages stderr \
    --day "$day" --race "$race" "$@"
}
shoot race-card --tab card
shoot past-rides --tab past
shoot previous-race --search --runner "$runner" --tab zenso
echo "screenshots of $day race $race in $out" >&2
