#!/bin/sh
# Builds the static mingw-w64 libraries Velmo's Windows build needs (SQLite,
# libjpeg-turbo, GoogleTest) from Debian's sources into $VELMO_WIN_PREFIX.
# A library already there is reused; delete the cache folder to rebuild.
set -eu
cd "$(dirname "$0")/../.."
. scripts/windows/common.sh
TOOLCHAIN="$(pwd)/cmake/mingw-w64.cmake"
JOBS=$(nproc)

win_install_packages g++-mingw-w64-x86-64-posix cmake ninja-build tcl make libgtest-dev

# SQLite: the amalgamation is made on this machine (it needs tclsh), then
# compiled as one file for Windows.
build_sqlite() {
  [ -f "$VELMO_WIN_PREFIX/lib/libsqlite3.a" ] && return 0
  src=$(win_fetch_source sqlite3)
  work="$VELMO_WIN_CACHE/build/sqlite3"
  mkdir -p "$work" "$VELMO_WIN_PREFIX/lib" "$VELMO_WIN_PREFIX/include"
  if [ ! -f "$work/sqlite3.c" ]; then
    (cd "$work" && "$src/configure" --disable-tcl >configure.log && make -j"$JOBS" sqlite3.c >make.log)
  fi
  $VELMO_WIN_HOST-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS5 \
    -c "$work/sqlite3.c" -o "$work/sqlite3.o"
  rm -f "$work/libsqlite3.a"
  $VELMO_WIN_HOST-gcc-ar-posix rcs "$work/libsqlite3.a" "$work/sqlite3.o"
  cp "$work/sqlite3.h" "$work/sqlite3ext.h" "$VELMO_WIN_PREFIX/include/"
  cp "$work/libsqlite3.a" "$VELMO_WIN_PREFIX/lib/"
}

# Configures, builds and installs a CMake project for Windows into the prefix.
cmake_install() {
  name="$1" src="$2"
  shift 2
  work="$VELMO_WIN_CACHE/build/$name"
  cmake -S "$src" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DVELMO_WIN_PREFIX="$VELMO_WIN_PREFIX" -DCMAKE_INSTALL_PREFIX="$VELMO_WIN_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release "$@" >"$VELMO_WIN_CACHE/build/$name.log"
  cmake --build "$work" -j "$JOBS" >>"$VELMO_WIN_CACHE/build/$name.log"
  cmake --install "$work" >>"$VELMO_WIN_CACHE/build/$name.log"
}

build_jpeg() {
  [ -f "$VELMO_WIN_PREFIX/lib/libjpeg.a" ] && return 0
  cmake_install libjpeg-turbo "$(win_fetch_source libjpeg-turbo)" -DWITH_SIMD=OFF \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_LIBDIR="$VELMO_WIN_PREFIX/lib"
}

build_gtest() {
  [ -f "$VELMO_WIN_PREFIX/lib/libgtest.a" ] && return 0
  cmake_install googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
    -DCMAKE_INSTALL_LIBDIR=lib
}

mkdir -p "$VELMO_WIN_CACHE/build"
build_sqlite
build_jpeg
build_gtest
echo "mingw-w64 dependencies in $VELMO_WIN_PREFIX"
