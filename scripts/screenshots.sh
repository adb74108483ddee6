#!/bin/sh
# Renews the README's pictures in docs/images/ from the real program on a
# private X server with openbox (tools/screenshots.py).
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
. scripts/apt.sh
apt_install_missing openbox imagemagick xdotool x11-utils xvfb
VELMO_BINARY=$(pwd)/build/velmo VELMO_SCHEMA=$(pwd)/assets/data.sql \
VELMO_VERSION=$(sed -n 's/^project(velmo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt) \
  python3 tools/screenshots.py docs/images
