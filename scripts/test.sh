#!/bin/sh
# Sets up, builds and runs every test: unit, windows under Xvfb, end to end;
# then the same logic and the Win32 backend cross-built for Windows, under wine.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 600
./scripts/windows/test.sh
