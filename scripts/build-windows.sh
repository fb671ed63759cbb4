#!/usr/bin/env bash
# Cross-compiles the core, the substitute, quindle-cli and the core tests as
# 32-bit Windows programs with Debian's mingw-w64 (cmake/mingw-w64-i686.cmake)
# into build-windows/ (or $QUINDLE_WINDOWS_BUILD_DIR); the GUI is not built
# (Debian has no Qt for mingw). GoogleTest has no mingw package: it is built
# once from Debian's sources in /usr/src/googletest with the same compiler.
#
# With --gui it also builds the window, quindle.exe, for 64-bit Windows into
# $build/quindle-x86_64 beside that folder's 64-bit quindle-cli.exe, against Qt
# and libcurl built once from Debian's sources (scripts/build-windows-qt.sh,
# an hour or more the first time; cached outside the build trees afterwards);
# the 32-bit quindle-cli.exe (the bridge to the 32-bit JV-Link) stays in
# $build/quindle. Without --gui the libcurl of that cache is used when it is
# there (the programs then send mail), and nothing is built for it.
#
# With --test it then runs, under 32-bit Wine with a Wine prefix of its own in
# the build folder and no display, the core tests and the end-to-end checks
# tests/e2e/windows_cli.sh and tests/e2e/windows_com.sh (the registered
# JV-Link double, a test tool built here and never shipped) against the Linux
# build in $QUINDLE_BUILD_DIR (default build-test/). Extra arguments go to the core tests. Where 32-bit
# Wine cannot run (a kernel without 32-bit support), only quindle-cli is built
# for 32-bit Windows, and the tests run on a 64-bit Windows build of the same
# code under 64-bit Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_WINDOWS_BUILD_DIR:-$root/build-windows}"
run_tests=0
gui=0
while [ $# -gt 0 ]; do
  case "$1" in
    --test) run_tests=1 ;;
    --gui) gui=1 ;;
    *) break ;;
  esac
  shift
done

"$root/scripts/install-windows-deps.sh"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
[ "$gui" = 0 ] || "$root/scripts/build-windows-qt.sh"
# The cached Qt and libcurl (folder names in `cached`), each when finished.
declare -A cached
while IFS='=' read -r name folder; do
  [ -f "$folder/.complete" ] && cached[$name]="$folder"
done < <("$root/scripts/build-windows-qt.sh" --print)

# Builds the targets given after `arch` (i686, x86_64) into $build/quindle
# (i686) or $build/quindle-ARCH; the core tests need GoogleTest first. The
# window is built when `quindle` is one of the targets.
build_for() {
  local arch="$1" out="$build/quindle" prefix="$build/prefix" with_gui=OFF
  shift
  [[ " $* " == *" quindle "* ]] && with_gui=ON
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
  local prefixes="$prefix" qt_host=()
  [ -z "${cached[curl-$arch]:-}" ] || prefixes+=";${cached[curl-$arch]}"
  if [ "$with_gui" = ON ]; then
    prefixes+=";${cached[qt]}"
    # The window's Qt tools (moc, uic, rcc) are the host's.
    qt_host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  fi
  cmake -S "$root" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQUINDLE_WINDOWS_PREFIX="$prefixes" -DCMAKE_PREFIX_PATH="$prefixes" "${qt_host[@]}" \
    -DCMAKE_BUILD_TYPE="${QUINDLE_BUILD_TYPE:-Release}" -DQUINDLE_BUILD_GUI="$with_gui" \
    -DQUINDLE_WERROR=ON >/dev/null
  cmake --build "$out" --parallel "$(nproc)" --target "$@"
  echo "Windows ($arch): $* built in $out" >&2
  built="$out"
}

if [ "$gui" = 1 ]; then
  build_for x86_64 quindle quindle-cli
fi
[ "$run_tests" -eq 1 ] || {
  build_for i686 quindle-cli core_tests jvlink_double
  exit 0
}

# Console programs need no display; the Wine prefix is made on first use.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Whether 32-bit Windows programs run here: a one-line program of the i686
# compiler under 32-bit Wine.
runs_win32() {
  local probe="$build/probe"
  mkdir -p "$probe" "$build/wine32"
  printf 'int main(void) { return 0; }\n' >"$probe/probe.c"
  i686-w64-mingw32-gcc-posix -o "$probe/probe.exe" "$probe/probe.c" &&
    WINEPREFIX="$build/wine32" WINEARCH=win32 wine "$probe/probe.exe" >/dev/null 2>&1
}

if runs_win32; then
  build_for i686 quindle-cli core_tests jvlink_double
  wine=(wine)
  export WINEPREFIX="$build/wine32" WINEARCH=win32
else
  echo "32-bit Wine does not run here: quindle-cli is built for 32-bit Windows, and the" \
    "tests run on a 64-bit Windows build of the same code under 64-bit Wine." >&2
  build_for i686 quindle-cli jvlink_double
  targets=(quindle-cli core_tests jvlink_double)
  [ "$gui" = 0 ] || targets+=(quindle)
  build_for x86_64 "${targets[@]}"
  wine=(/usr/lib/wine/wine64)
  export WINEPREFIX="$build/wine64" WINEARCH=win64
fi
mkdir -p "$WINEPREFIX"
"${wine[@]}" "$built/tests/core_tests.exe" --gtest_brief=1 "$@"
linux_cli="${QUINDLE_BUILD_DIR:-$root/build-test}/src/cli/quindle-cli"
export QUINDLE_WINDOWS_WINE="${wine[*]}" QUINDLE_WINDOWS_CLI="$built/src/cli/quindle-cli.exe"
bash "$root/tests/e2e/windows_cli.sh" "$linux_cli"
# The COM test makes a Wine prefix of its own, so that the double is
# registered in a fresh one.
QUINDLE_JVLINK_DOUBLE="$built/tests/jvlink_double/jvlink_double.dll" \
  bash "$root/tests/e2e/windows_com.sh" "$linux_cli"
