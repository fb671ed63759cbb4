#!/usr/bin/env bash
# Installs what is missing, builds, and starts the product on its demo data.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${QUINDLE_BUILD_DIR:-$root/build}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
  echo "No display: showing the command-line tool instead of the window." >&2
  "$build/src/cli/quindle-cli" --version
  "$build/src/cli/quindle-cli" --help
  exit 0
fi
exec "$build/src/gui/quindle" "$@"
