#!/bin/sh
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the tests there. Every report a sanitizer writes, from
# any of our processes, goes to build-asan/reports/; one report fails the run,
# whatever the tests said.
#
# The test command runs the display-free tests this way (TESTS below); the
# window and end-to-end tests build and run here too with
#   ./scripts/sanitize.sh all
# but are not yet part of the test command: see README, Checks.
set -eu
cd "$(dirname "$0")/.."

LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
  LAUNCHER="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMO_SANITIZE=ON $LAUNCHER
TESTS='^(unit|unit_as_user|scripts_unit|web_unit)$'
if [ "${1:-}" = all ]; then
  TESTS='.'
  cmake --build build-asan
else
  cmake --build build-asan --target unit_tests scripts_unit_tests web_unit_tests
fi

reports="$(pwd)/build-asan/reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
status=0
ctest --test-dir build-asan -R "$TESTS" --output-on-failure --timeout 900 || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  echo "Sanitizer reports:"
  for report in "$reports"/*; do
    echo "== $report"
    head -60 "$report"
  done
  exit 1
fi
exit $status
