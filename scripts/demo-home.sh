#!/usr/bin/env bash
# Makes the demo program folder and prints its path: a synthetic JV-Data
# league (quindle-cli jvgen --size demo) as the store the JV-Link substitute
# serves, and the accumulated download of that store into the folder, as the
# "JVデータ取得" dialog does it (quindle-cli download --setup), final odds
# included so that the race cards show odds and popularity ranks. A jockey
# recommendation table learned from the league's first eight months
# (quindle-cli learn-table) goes into the folder as "jockdata.kcsv" (the
# league's own table when learning marks nothing), and the newest day, whose
# final odds are not out yet, gets its morning odds (a real-time retrieval at
# 09:40 of that day), so that its cards show odds and the ◎/☆ marks.
# Usage: scripts/demo-home.sh BUILD_DIR
#
# The folder is $QUINDLE_DEMO_HOME, else demo-home in the build folder; the
# league size is $QUINDLE_DEMO_SIZE (default demo). What
# is there is reused: the league is generated only when it is missing, the
# download and the morning odds run again only when they did not complete
# (a new league or a new download asks for the morning odds again), and a
# jockdata.kcsv already in the folder is kept.
set -euo pipefail
build="$1"
cli="$build/src/cli/quindle-cli"
home="${QUINDLE_DEMO_HOME:-$build/demo-home}"
store="$home/store"
downloaded="$home/.demo-downloaded"
morning="$home/.demo-morning-odds"
mkdir -p "$home"

if [ ! -f "$store/store.ini" ]; then
  echo "Generating the demo league into $store ..." >&2
  # Into a folder of its own first, so that an interrupted run leaves no
  # half-written store that a later run would take as complete.
  rm -rf "$store.partial"
  "$cli" jvgen --out "$store.partial" --size "${QUINDLE_DEMO_SIZE:-demo}" >&2
  rm -rf "$store"
  mv "$store.partial" "$store"
  rm -f "$downloaded" "$morning"
fi

if [ ! -f "$downloaded" ]; then
  # Everything from the league's first race day on.
  first="$(sed -n 's/^first_day=//p' "$store/store.ini")"
  from="${first:0:4}/${first:4:2}/${first:6:2} 00:00:00"
  echo "Downloading the accumulated data from $from into $home ..." >&2
  "$cli" download --home "$home" --store "$store" --setup --final-odds \
    --from "$from" >&2
  touch "$downloaded"
  rm -f "$morning"
fi
# The table is read at start-up; a user's own table is never replaced.
if [ ! -f "$home/jockdata.kcsv" ]; then
  first="$(sed -n 's/^first_day=//p' "$store/store.ini")"
  until="$(date -d "$first +8 months -1 day" +%Y%m%d)"
  # The strictest number of rides that marks anything: a small league has
  # few rides per jockey, popularity and pattern. The heading is the first
  # line; any further line is a marked row.
  learned=""
  for rides in 20 10 5; do
    "$cli" learn-table --home "$home" --from "$first" --to "$until" --min-rides "$rides" \
      --out "$home/jockdata.kcsv.partial" 2>/dev/null
    if [ "$(wc -l <"$home/jockdata.kcsv.partial")" -gt 1 ]; then
      learned="$rides"
      break
    fi
  done
  if [ -n "$learned" ]; then
    echo "jockdata.kcsv: learned from $first to $until (at least $learned rides)" >&2
  else
    echo "jockdata.kcsv: learning from $first to $until marked nothing; the league's table" >&2
    cp "$store/jockdata.kcsv" "$home/jockdata.kcsv.partial"
  fi
  mv "$home/jockdata.kcsv.partial" "$home/jockdata.kcsv"
fi

if [ ! -f "$morning" ]; then
  newest="$("$cli" days --home "$home" | head -n 1)"
  ymd="$(printf '%s' "$newest" | tr -cd '0-9')"
  # The league announces each race's first odds at 09:30-09:35 and starts
  # its first race at 09:45 at the earliest: at 09:40 every race has its
  # morning odds and none has run.
  echo "Retrieving the morning odds of $newest ..." >&2
  "$cli" rt odds --home "$home" --store "$store" --day "$ymd" --now "${ymd}0940" >/dev/null
  touch "$morning"
fi
echo "$home"
