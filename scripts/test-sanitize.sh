#!/usr/bin/env bash
# The core, session and substitute tests built with the address and
# undefined-behaviour sanitizers, in a build without the GUI (so that the
# core, the CLI, the tests and the benchmarks are shown to need no Qt).
# Optimised lightly (-O1, line tables only) to keep the build short.
# Extra arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export QUINDLE_BUILD_DIR="${QUINDLE_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
QUINDLE_BUILD_TYPE=Sanitize "$root/scripts/build.sh" -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -g1" \
    -DQUINDLE_BUILD_GUI=OFF -DQUINDLE_BUILD_BENCH=ON -DQUINDLE_SANITIZE=ON -DQUINDLE_WERROR=ON \
    -DQUINDLE_ASSERTIONS=ON
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
# The end-to-end scripts drive large leagues; they run in the main test build.
ctest --test-dir "$QUINDLE_BUILD_DIR" --output-on-failure --parallel "$(nproc)" -E '^e2e\.' "$@"
