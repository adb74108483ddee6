#!/bin/sh
# Cross-builds the whole program for Windows with mingw-w64:
# build-windows/velmo.exe (one static executable that needs only Windows' own
# DLLs), an empty data.db beside it, build-windows/velmo-windows.zip of
# the two (the portable copy) and the setup program build-windows/velmo-setup.exe
# (NSIS, installer/velmo-setup.nsi). The libraries it needs are built once into a cache folder outside
# the checkout (scripts/windows/); the first wxMSW build takes about 12 minutes
# on two idle cores, later runs reuse it.
set -eu
cd "$(dirname "$0")/.."
. scripts/windows/common.sh
win_install_packages cmake ninja-build imagemagick nsis wine wine64 fonts-wine fonts-wqy-microhei
./scripts/windows/deps.sh
./scripts/windows/wx.sh

. scripts/compile-cache.sh
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DVELMO_WIN_PREFIX="$VELMO_WIN_PREFIX" -DVELMO_WINDOWS_PROGRAM=ON -DCMAKE_BUILD_TYPE=Release \
  $LAUNCHER
cmake --build build-windows

# Only Windows' own DLLs may be imported: anything else would have to ship.
imports=$(x86_64-w64-mingw32-objdump -p build-windows/velmo.exe | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
  case "$(echo "$dll" | tr 'A-Z' 'a-z')" in
    kernel32.dll | user32.dll | gdi32.dll | comdlg32.dll | comctl32.dll | shell32.dll | \
      shlwapi.dll | ole32.dll | oleaut32.dll | uuid.dll | advapi32.dll | version.dll | \
      winspool.drv | winmm.dll | uxtheme.dll | oleacc.dll | rpcrt4.dll | ws2_32.dll | \
      msvcrt.dll | imm32.dll | msimg32.dll | api-ms-win-*) ;;
    *) echo "velmo.exe imports $dll, which Windows does not have" >&2; exit 1 ;;
  esac
done

rm -f build-windows/velmo-windows.zip
(cd build-windows && cmake -E tar cf velmo-windows.zip --format=zip velmo.exe data.db)
echo "build-windows/velmo-windows.zip: velmo.exe and data.db"
echo "build-windows/velmo-setup.exe: the setup program"
