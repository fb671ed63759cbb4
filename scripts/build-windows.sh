#!/usr/bin/env bash
# Cross-compiles the core, the substitute, quindle-cli and the core tests as
# 32-bit Windows programs with Debian's mingw-w64 (cmake/mingw-w64-i686.cmake)
# into build-windows/ (or $QUINDLE_WINDOWS_BUILD_DIR); the GUI is not built
# (Debian has no Qt for mingw). GoogleTest has no mingw package: it is built
# once from Debian's sources in /usr/src/googletest with the same compiler.
#
# With --test it then runs, under 32-bit Wine with a Wine prefix of its own in
# the build folder and no display, the core tests and the end-to-end check
# tests/e2e/windows_cli.sh against the Linux build in $QUINDLE_BUILD_DIR
# (default build-test/). Extra arguments go to the core tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_WINDOWS_BUILD_DIR:-$root/build-windows}"
run_tests=0
if [ "${1:-}" = "--test" ]; then
  run_tests=1
  shift
fi

"$root/scripts/install-windows-deps.sh"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

# Builds quindle-cli and the core tests for `arch` (i686, x86_64) into
# $build/quindle (i686) or $build/quindle-ARCH.
build_for() {
  local arch="$1" out="$build/quindle" prefix="$build/prefix"
  if [ "$arch" != i686 ]; then
    out="$build/quindle-$arch"
    prefix="$build/prefix-$arch"
  fi
  local toolchain="$root/cmake/mingw-w64-$arch.cmake"
  if [ ! -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    echo "Building GoogleTest for $arch Windows from /usr/src/googletest ..." >&2
    cmake -S /usr/src/googletest -B "$out-googletest" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$out-googletest" --target install >/dev/null
  fi
  cmake -S "$root" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQUINDLE_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE="${QUINDLE_BUILD_TYPE:-Release}" -DQUINDLE_BUILD_GUI=OFF \
    -DQUINDLE_WERROR=ON >/dev/null
  cmake --build "$out" --parallel "$(nproc)" --target quindle-cli core_tests
  echo "Windows ($arch) programs: $out/src/cli/quindle-cli.exe, $out/tests/core_tests.exe" >&2
  built="$out"
}

build_for i686
[ "$run_tests" -eq 1 ] || exit 0

# Console programs need no display; the Wine prefix is made on first use.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wine=(wine)
export WINEPREFIX="$build/wine32" WINEARCH=win32
mkdir -p "$WINEPREFIX"
if ! wine "$built/src/cli/quindle-cli.exe" --version >/dev/null 2>&1; then
  # Some kernels run no 32-bit programs, and 32-bit Wine is one: the same
  # code is then built for 64-bit Windows and tested under 64-bit Wine.
  echo "32-bit Wine does not run here; testing a 64-bit Windows build under 64-bit Wine." >&2
  build_for x86_64
  wine=(/usr/lib/wine/wine64)
  export WINEPREFIX="$build/wine64" WINEARCH=win64
  mkdir -p "$WINEPREFIX"
fi
"${wine[@]}" "$built/tests/core_tests.exe" --gtest_brief=1 "$@"
QUINDLE_WINDOWS_WINE="${wine[*]}" QUINDLE_WINDOWS_CLI="$built/src/cli/quindle-cli.exe" \
  bash "$root/tests/e2e/windows_cli.sh" "${QUINDLE_BUILD_DIR:-$root/build-test}/src/cli/quindle-cli"
