#!/usr/bin/env bash
# Builds, once, the libraries the Windows programs need and Debian has no
# mingw package for, from Debian's own source packages:
#   Qt 6 (qt6-base) for 64-bit Windows: Core, Gui, Widgets, Test, the
#     `windows` platform plugin and the Windows (vista) style, with Qt's
#     bundled zlib, pcre2, harfbuzz, freetype, libpng and double-conversion;
#     the host tools (moc, uic, rcc) are Debian's Linux ones.
#   libcurl (curl) for 64-bit and 32-bit Windows, static, with Schannel (the
#     TLS of Windows itself) in place of OpenSSL, so that the programs send mail.
# Each goes into a folder of the cache ${QUINDLE_CACHE:-~/.cache/quindle} named
# after the version and the compiler; a folder holds a finished build only when
# its `.complete` file is there, so a broken or interrupted build is resumed
# (the build trees stay in the cache) and a finished one is never rebuilt.
#
#   build-windows-qt.sh           builds what is missing
#   build-windows-qt.sh --print   prints the folders (qt=, curl-x86_64=, curl-i686=)
#   build-windows-qt.sh --curl    builds only the two libcurl
#   build-windows-qt.sh --qt      builds only Qt
#
# The sources come through apt with a configuration of the script's own (a
# deb-src line in the cache), so the system's apt sources are never touched.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${QUINDLE_CACHE:-$HOME/.cache/quindle}"
qt_version=6.4.2
curl_version=7.88.1
gcc_major="$(x86_64-w64-mingw32-g++-posix -dumpversion 2>/dev/null | sed "s/[^0-9].*//" || echo unknown)"
qt_prefix="$cache/qt-$qt_version-mingw-x86_64-gcc$gcc_major-posix"
curl_prefix() { echo "$cache/curl-$curl_version-mingw-$1-gcc$gcc_major-posix"; }

if [ "${1:-}" = "--print" ]; then
  echo "qt=$qt_prefix"
  echo "curl-x86_64=$(curl_prefix x86_64)"
  echo "curl-i686=$(curl_prefix i686)"
  exit 0
fi
what="${1:-}"

"$root/scripts/install-windows-deps.sh"
jobs="${QUINDLE_QT_JOBS:-$(nproc)}"

# Holds the lock of the cache folder $1 for the rest of the calling build, so
# that two runs at once do not build into the same tree.
lock_build() {
  mkdir -p "$cache"
  exec {lock_fd}>"$1.lock"
  flock "$lock_fd"
}

# apt with the cache's own source list, lists and downloads.
apt_own() {
  local dir="$cache/apt"
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  echo "deb-src http://deb.debian.org/debian bookworm main" >"$dir/sources.list"
  apt-get -q -o Dir::Etc::sourcelist="$dir/sources.list" -o Dir::Etc::sourceparts=- \
    -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" \
    -o APT::Get::List-Cleanup=0 -o APT::Sandbox::User=root "$@"
}

# Unpacks Debian's source package $1 (upstream version $2) into
# $cache/src/$1-$2 (Debian's patches applied) and prints that folder.
debian_source() {
  local package="$1" version="$2" dir="$cache/src/$1-$2"
  if [ ! -f "$dir/.unpacked" ]; then
    mkdir -p "$cache/src"
    compgen -G "$cache/apt/lists/*Sources*" >/dev/null || apt_own update >&2
    (cd "$cache/src" && apt_own source --download-only "$package" >&2)
    local dsc
    dsc="$(ls "$cache/src/${package}_${version}"*.dsc 2>/dev/null | tail -1)"
    [ -n "$dsc" ] || { echo "Debian has no $package $version source here" >&2; exit 1; }
    rm -rf "$dir"
    dpkg-source --no-check -x "$dsc" "$dir" >&2
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}

build_qt() {
  lock_build "$qt_prefix"
  [ -f "$qt_prefix/.complete" ] && return 0
  local started=$SECONDS src build="$cache/build/qt-$qt_version-mingw-x86_64"
  src="$(debian_source qt6-base "$qt_version")"
  echo "Building Qt $qt_version for 64-bit Windows into $qt_prefix (long: an hour or more) ..." >&2
  # Debian's source leaves out the Wacom tablet header (wintab) the tablet
  # support needs: the window has no use for tablets. No pkg-config: it would
  # find the Linux libraries. No OpenGL at all (INPUT_opengl; Windows would
  # otherwise get OpenGL loaded at run time).
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no \
    -DFEATURE_network=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_glib=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_style_windowsvista=ON
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build" >/dev/null
  touch "$qt_prefix/.complete"
  echo "Qt $qt_version for Windows built in $((SECONDS - started)) s" >&2
}

# libcurl for the processor $1 (x86_64, i686): static, Schannel, no LDAP, no
# compression or IDN libraries (none of them is there for mingw). No CA bundle:
# curl's configure would take this Linux machine's, and Schannel would then
# trust that file in place of the Windows certificate store.
build_curl() {
  local arch="$1" prefix src started=$SECONDS
  prefix="$(curl_prefix "$arch")"
  lock_build "$prefix"
  [ -f "$prefix/.complete" ] && return 0
  src="$(debian_source curl "$curl_version")"
  local build="$cache/build/curl-$curl_version-mingw-$arch"
  echo "Building libcurl $curl_version for $arch Windows into $prefix ..." >&2
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF \
    -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_LIBSSH2=OFF \
    -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_LIBIDN2=OFF -DUSE_NGHTTP2=OFF \
    -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DENABLE_MANUAL=OFF \
    -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none >/dev/null
  cmake --build "$build" --parallel "$jobs" >/dev/null
  cmake --install "$build" >/dev/null
  touch "$prefix/.complete"
  echo "libcurl $curl_version for $arch Windows built in $((SECONDS - started)) s" >&2
}

if [ "$what" != --qt ]; then
  build_curl x86_64
  build_curl i686
fi
[ "$what" = --curl ] || build_qt
