#!/bin/sh
# Sets up, builds and starts Velmo.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
exec ./build/velmo
