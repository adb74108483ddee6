#!/bin/sh
# Sets up and builds, then makes the Debian package build/package/velmo_<version>_<arch>.deb.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cpack --config build/CPackConfig.cmake -B build/package
