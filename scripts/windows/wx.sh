#!/bin/sh
# Builds libpng and wxWidgets (wxMSW, static, with the IE web view) for mingw-w64 from Debian's
# source packages into the shared dependency prefix. Each library is built once: a stamp file in
# the prefix marks it done, and a later run reuses it. The first wxMSW build takes about 12
# minutes on two idle cores (23 minutes of processor time). zlib comes from Debian's mingw-w64
# package; JPEG pictures are decoded by the program's own libjpeg, so wx is built without a JPEG
# handler.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

jobs="${VELMO_WIN_JOBS:-$(nproc)}"
export CC=$VELMO_WIN_HOST-gcc-posix CXX=$VELMO_WIN_HOST-g++-posix
export AR=$VELMO_WIN_HOST-ar RANLIB=$VELMO_WIN_HOST-ranlib
export CPPFLAGS="-I$VELMO_WIN_PREFIX/include" LDFLAGS="-L$VELMO_WIN_PREFIX/lib"

win_install_packages g++-mingw-w64-x86-64-posix libz-mingw-w64-dev make dpkg-dev

build_libpng() {
  [ -f "$VELMO_WIN_PREFIX/.libpng-done" ] && return 0
  src=$(win_fetch_source libpng1.6)
  rm -rf "$src/build-mingw" && mkdir "$src/build-mingw"
  (cd "$src/build-mingw" &&
    ../configure --host=$VELMO_WIN_HOST --prefix="$VELMO_WIN_PREFIX" \
      --disable-shared --enable-static >/dev/null &&
    make -j"$jobs" >/dev/null && make install >/dev/null)
  touch "$VELMO_WIN_PREFIX/.libpng-done"
}

build_wx() {
  [ -f "$VELMO_WIN_PREFIX/.wxmsw-done" ] && return 0
  src=$(win_fetch_source wxwidgets3.2)
  # A build that was cut short goes on where it stopped, once configured.
  if [ ! -f "$src/build-msw/.configured" ]; then
    rm -rf "$src/build-msw" && mkdir "$src/build-msw"
    configure_wx "$src/build-msw"
  fi
  (cd "$src/build-msw" &&
    make -j"$jobs" >>"$VELMO_WIN_CACHE/wx-build.log" 2>&1 &&
    make install >/dev/null)
  touch "$VELMO_WIN_PREFIX/.wxmsw-done"
}

# Only core, base and webview are linked; everything else is left out to shorten the build.
configure_wx() {
  (cd "$1" &&
    ../configure --host=$VELMO_WIN_HOST --build="$(../config.guess)" --prefix="$VELMO_WIN_PREFIX" \
      --with-msw --disable-shared --disable-tests --disable-debug_info \
      --with-libpng=sys --with-zlib=sys --without-libjpeg --without-libtiff --without-expat \
      --without-liblzma --without-regex --without-opengl --without-libcurl \
      --enable-webview --enable-webviewie --disable-webviewedge \
      --disable-mediactrl --disable-xrc --disable-aui --disable-propgrid --disable-ribbon \
      --disable-stc --disable-richtext --disable-html --disable-htmlhelp --disable-mshtmlhelp \
      --disable-help --disable-debugreport --disable-sound --disable-joystick \
      --disable-svg --disable-postscript --disable-docview --disable-mdi --disable-mdidoc \
      --disable-grid --disable-dataviewctrl --disable-treelist --disable-calendar --disable-datepick \
      --disable-timepick --disable-webrequest --disable-sockets --disable-ipc --disable-fs_inet \
      --disable-protocols --disable-url --disable-ftp --disable-http --disable-dialupman \
      --disable-fswatcher --disable-spellcheck --disable-secretstore --disable-richtooltip \
      --disable-wizarddlg --disable-splash --disable-tipdlg --disable-graphics-d2d \
      >"$VELMO_WIN_CACHE/wx-configure.log" 2>&1)
  touch "$1/.configured"
}

build_libpng
build_wx
