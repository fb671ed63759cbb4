#!/usr/bin/env bash
# Installs what is missing, builds, and starts the product on demo data: a
# synthetic league downloaded into a demo program folder (scripts/demo-home.sh;
# made once, reused by later runs) with the league's recommendation table and
# the morning odds of its newest race day, then the main window on that day.
# Without a display it says so and prints the first race's card instead.
# Extra arguments go to the program (e.g. --race 中山11R --tab past).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QUINDLE_BUILD_DIR:-$root/build}"
cli="$build/src/cli/quindle-cli"
gui="$build/src/gui/quindle"
home="$("$root/scripts/demo-home.sh" "$build")"
store="$home/store"

newest="$("$cli" days --home "$home" | head -n 1)"
if [ -z "$newest" ]; then
  echo "The demo program folder $home holds no race day." >&2
  exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: here is the card of the first race of $newest instead of the window." >&2
  echo "(With a display: $gui --home $home --store $store --day newest)" >&2
  exec "$cli" card --home "$home" --day "$newest" --race 0
fi
echo "Opening the main window on $newest (demo folder $home)." >&2
exec "$gui" --home "$home" --store "$store" --day newest "$@"
