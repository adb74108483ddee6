#!/bin/sh
# Cross-builds the logic, the Win32 backend and their tests for Windows into
# build-windows/ and runs them under wine on a private X display
# (`ctest -L windows`). Called by scripts/test.sh.
set -eu
cd "$(dirname "$0")/../.."
. scripts/windows/common.sh
win_install_packages g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth
./scripts/windows/deps.sh

# A wine prefix of this checkout's own, made once without any dialog: no
# Mono or Gecko installer, no debug chatter.
checkout=$(pwd | cksum | cut -d' ' -f1)
export WINEPREFIX="$VELMO_WIN_CACHE/wine/$checkout" WINEARCH=win64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  xvfb-run -a wineboot -i
  wineserver -w
fi

LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
  LAUNCHER="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER
cmake --build build-windows
status=0
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir build-windows -L windows --output-on-failure --timeout 600 || status=$?
# The prefix's wine server ends with the display; wait for it so the next run starts clean.
wineserver -w
exit $status
