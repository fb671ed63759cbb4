#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and checked
# containers, and runs every test (core, substitute, GUI offscreen, end-to-end);
# then makes the Debian package from that build and checks it; then builds
# without the GUI and with the address and undefined-behaviour sanitizers and
# runs the core, session and substitute tests again there;
# then the fuzz targets, a few seconds each; last, cross-builds the Windows
# programs and runs their core tests and the Windows end-to-end check under
# Wine (scripts/build-windows.sh --test), and where Qt for Windows is built,
# the window too and the Windows zip with its check under Wine. Each step's wall-clock and CPU
# seconds are printed as it ends and again in a table at the end, so that a
# slow CI run shows where its time went.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/lib/step_times.sh"

step "install" "$root/scripts/install-deps.sh"
# The core's folders only include folders below them.
step "layers" python3 "$root/tools/core_deps.py"
export QUINDLE_BUILD_DIR="${QUINDLE_BUILD_DIR:-$root/build-test}"
step "main build" "$root/scripts/build.sh" -DQUINDLE_WERROR=ON -DQUINDLE_ASSERTIONS=ON
export QT_QPA_PLATFORM=offscreen
step "main tests" ctest --test-dir "$QUINDLE_BUILD_DIR" --output-on-failure --parallel "$(nproc)" "$@"
# The Debian package from the same build, checked (installed and removed as root).
# (The Windows zip is checked after the Windows build, below.)
step "package" "$root/scripts/package.sh" --check --deb
step "sanitizers" "$root/scripts/test-sanitize.sh" "$@"
step "fuzz" "$root/scripts/fuzz.sh"
# QUINDLE_SKIP_WINDOWS=1 leaves the Windows step out (a machine without the
# cross compiler's packages at hand).
if [ "${QUINDLE_SKIP_WINDOWS:-0}" != 1 ]; then
  # The window for Windows and its zip only where Qt for Windows is built
  # already (scripts/build-windows-qt.sh, an hour or more once): CI does not
  # build it.
  qt_windows="$("$root/scripts/build-windows-qt.sh" --print | sed -n 's/^qt=//p')"
  if [ -f "$qt_windows/.complete" ]; then
    step "windows" "$root/scripts/build-windows.sh" --test --gui
    step "windows zip" "$root/scripts/package-windows.sh" --check
  else
    echo "Windows window and zip: skipped, no Qt for Windows in $qt_windows" \
      "(scripts/build-windows-qt.sh builds it once)" >&2
    step "windows" "$root/scripts/build-windows.sh" --test
  fi
fi
step_summary
