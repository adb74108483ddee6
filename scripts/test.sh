#!/bin/sh
# Sets up, builds and runs every test: unit, windows under Xvfb, end to end;
# then the logic and the Win32 backend cross-built for Windows, under wine; then the
# whole suite again, windows and end to end included, under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/); then every fuzz target over its corpus and
# for a few seconds.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Tests run side by side, one per core; those that share something (a wine
# desktop) hold a CTest RESOURCE_LOCK of it.
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
./scripts/windows/test.sh
./scripts/sanitize.sh
./fuzz/run.sh 5
