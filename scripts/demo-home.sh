#!/usr/bin/env bash
# Makes the demo program folder and prints its path: a synthetic JV-Data
# league (quindle-cli jvgen --size demo) as the store the JV-Link substitute
# serves, and the accumulated download of that store into the folder, as the
# "JVデータ取得" dialog does it (quindle-cli download --setup), final odds
# included so that the race cards show odds and popularity ranks. The league's
# jockey recommendation table goes beside it as the program's jockdata.kcsv,
# and the newest race day, whose final odds are not out yet at the league's
# "now", gets its morning odds by a real-time retrieval, so that its cards
# show odds, popularity ranks and recommendation marks.
# Usage: scripts/demo-home.sh BUILD_DIR
#
# The folder is $QUINDLE_DEMO_HOME, else demo-home in the build folder. What
# is there is reused: the league is generated only when it is missing, and
# the download and the morning odds run again only when they did not
# complete. $QUINDLE_DEMO_SIZE picks the league size (default demo).
set -euo pipefail
build="$1"
cli="$build/src/cli/quindle-cli"
home="${QUINDLE_DEMO_HOME:-$build/demo-home}"
store="$home/store"
downloaded="$home/.demo-downloaded"
morning_odds="$home/.demo-morning-odds"
mkdir -p "$home"

if [ ! -f "$store/store.ini" ]; then
  echo "Generating the demo league into $store ..." >&2
  # Into a folder of its own first, so that an interrupted run leaves no
  # half-written store that a later run would take as complete.
  rm -rf "$store.partial"
  "$cli" jvgen --out "$store.partial" --size "${QUINDLE_DEMO_SIZE:-demo}" >&2
  rm -rf "$store"
  mv "$store.partial" "$store"
  rm -f "$downloaded" "$morning_odds"
fi

if [ ! -f "$downloaded" ]; then
  # Everything from the league's first race day on.
  first="$(sed -n 's/^first_day=//p' "$store/store.ini")"
  from="${first:0:4}/${first:4:2}/${first:6:2} 00:00:00"
  echo "Downloading the accumulated data from $from into $home ..." >&2
  "$cli" download --home "$home" --store "$store" --setup --final-odds \
    --from "$from" >&2
  touch "$downloaded"
  rm -f "$morning_odds"
fi

# The program reads its recommendation table from the program folder at
# start-up; the league writes it (CP932) at the top of the store. Copied on
# every run, so that folders made before the table was copied get it too.
cp "$store/jockdata.kcsv" "$home/jockdata.kcsv.partial"
mv "$home/jockdata.kcsv.partial" "$home/jockdata.kcsv"

if [ ! -f "$morning_odds" ]; then
  # The newest downloaded day, as yyyymmdd.
  newest="$("$cli" days --home "$home" | head -n 1 | tr -cd 0-9)"
  # The league announces the first odds of every race between 09:30 and
  # 09:35 of the race day, and its earliest first race starts at 09:45: at
  # 09:40 the substitute serves morning odds for every race of the day.
  echo "Retrieving the morning odds of $newest (as at 09:40 of that day) ..." >&2
  "$cli" rt odds --home "$home" --store "$store" --day "$newest" \
    --now "${newest}0940" >&2
  touch "$morning_odds"
fi
echo "$home"
