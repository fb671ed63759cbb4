#!/usr/bin/env bash
# Configures and builds into build/ (or $QUINDLE_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_BUILD_DIR:-$root/build}"
# Paths inside the tree hash as relative ones, so another clone on this machine
# (CI runs in a fresh one) hits the same cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QUINDLE_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
