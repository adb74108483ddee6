#!/bin/sh
# Cross-builds the whole program, the logic, the Win32 backend and their tests
# for Windows into build-windows/ (scripts/build-windows.sh) and runs them
# under wine on a private X display (`ctest -L windows`), velmo.exe's smoke
# test included. Called by scripts/test.sh.
set -eu
cd "$(dirname "$0")/../.."
. scripts/windows/common.sh
# locales: the setup program's test makes a Chinese locale of its own.
win_install_packages xvfb xauth xdotool x11-utils imagemagick locales
./scripts/build-windows.sh

# A wine prefix of this checkout's own, made once without any dialog: no
# Mono or Gecko installer, no debug chatter.
checkout=$(pwd | cksum | cut -d' ' -f1)
export WINEPREFIX="$VELMO_WIN_CACHE/wine/$checkout" WINEARCH=win64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  tests/with-xvfb.sh wineboot -i
  wineserver -w
fi

status=0
tests/with-xvfb.sh \
  ctest --test-dir build-windows -L windows --output-on-failure --timeout 600 -j "$(nproc)" || status=$?
# The prefix's wine server ends with the display; wait for it so the next run starts clean.
wineserver -w
exit $status
