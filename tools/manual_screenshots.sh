#!/usr/bin/env bash
# Remakes the pictures of the user guide (doc/manual/images) from the demo
# folder: the main window at 1000x700 on the newest demo day with results
# (the race card, the past-ride table, the previous-race tab after the
# search, the results, the tab 分析) and the horse and jockey windows over it.
# The window runs in a copy of the demo folder whose settings put it in the
# screen's corner and whose marker file shows the tab 分析; the demo folder
# itself is left as it is. The pictures are reduced to 256 colours, which
# keeps them small without blurring the text.
# Usage: tools/manual_screenshots.sh [OUT_DIR]   (default: doc/manual/images)
# Builds nothing: run scripts/build.sh first. QUINDLE_SHOT_DAY and
# QUINDLE_SHOT_RACE choose another day or race, as for tools/screenshots.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_BUILD_DIR:-$root/build}"
out="${1:-$root/doc/manual/images}"
cli="$build/src/cli/quindle-cli"
gui="$build/src/gui/quindle"
demo="$("$root/scripts/demo-home.sh" "$build")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# The copy leaves out the league the substitute serves, which it only reads.
home="$work/home"
mkdir "$home"
for entry in "$demo"/*; do
  [ "$(basename "$entry")" = store ] || cp -a "$entry" "$home/"
done
printf '[locate]\r\ntop=0\r\nleft=0\r\nwidth=1000\r\nheight=676\r\n' > "$home/quindle.ini"
printf '[Umalocate]\r\ntop=150\r\nleft=220\r\nwidth=760\r\nheight=500\r\n' >> "$home/quindle.ini"
printf '[Kishulocate]\r\ntop=150\r\nleft=220\r\nwidth=760\r\nheight=500\r\n' >> "$home/quindle.ini"
: > "$home/MasterControlOrin.key"

day="$("$root/tools/shot_day.sh" "$cli" "$home")"
race="${QUINDLE_SHOT_RACE:-10}"

shoot() {
  local name="$1"; shift
  QUINDLE_SHOT_SCREEN=1000x700 "$root/tools/screenshot.sh" "$work/$name.png" 8 -- \
    "$gui" --home "$home" --store "$demo/store" --messages stderr \
    --day "$day" --race "$race" "$@" >/dev/null
  convert "$work/$name.png" -strip -colors 256 "PNG8:$out/$name.png"
}
shoot race-card --tab card
shoot past-rides --tab past
shoot previous-race --search --runner 2 --tab zenso
shoot results --tab result
shoot horse-window --tab past --runner 2 --open horse
shoot jockey-window --tab past --runner 2 --open jockey
shoot analysis --analysis
echo "pictures of $day race $race in $out" >&2
