#!/bin/sh
# Sets up, builds and runs every test: unit, windows under Xvfb, end to end.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 600
