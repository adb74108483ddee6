#!/bin/sh
# Installs what building and testing Velmo needs on Debian 12 (only what is
# missing; waiting while another process holds the package manager, see
# scripts/apt.sh), then configures and builds into build/.
set -eu
cd "$(dirname "$0")/.."

# The third line: WebKit's sandbox for the pages. The fifth line: the Wayland
# backend's protocols and its tests' headless sway; the portal frontend, a
# session bus and GIO for python, which the portal tests' fake backend is
# written with; GNOME's and KDE's compositors, which the program is started
# on headless. The sixth line: what CPack
# needs to compute the package's dependencies (dpkg-shlibdeps, file) and the
# validators of its menu entry and metainfo.
PACKAGES="g++ cmake ninja-build pkg-config libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev
libwebkit2gtk-4.0-dev libxtst-dev libxi-dev libsqlite3-dev libjpeg-dev libgtest-dev xvfb xauth xdotool x11-utils x11-xserver-utils
bubblewrap xdg-dbus-proxy
imagemagick fonts-wqy-microhei trayer openbox python3
libwayland-dev wayland-protocols sway wtype xwayland xdg-desktop-portal dbus python3-gi mutter kwin-wayland
dpkg-dev file desktop-file-utils appstream
clang libclang-rt-14-dev"

. scripts/apt.sh
apt_install_missing $PACKAGES

. scripts/compile-cache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER
cmake --build build
