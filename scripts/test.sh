#!/bin/sh
# Sets up, builds and runs every test: unit, windows under Xvfb, end to end;
# then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), then every fuzz target over its corpus and for a few seconds.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 600
./scripts/sanitize.sh
./fuzz/run.sh 5
