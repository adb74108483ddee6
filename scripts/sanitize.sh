#!/bin/sh
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there: unit, windows under Xvfb, end to end
# (the program and our X helpers built with the sanitizers too). Every report
# a sanitizer writes, from any of our processes, goes to build-asan/reports/;
# one report fails the run, whatever the tests said.
#
#   ./scripts/sanitize.sh          everything (the test command runs this)
#   ./scripts/sanitize.sh quick    only the display-free suites
set -eu
cd "$(dirname "$0")/.."

case "${1:-all}" in
  all)
    TESTS='.'
    TARGETS='all' ;;
  quick)
    TESTS='^(unit|unit_as_user|scripts_unit|web_unit)$'
    TARGETS='sanitize_canary unit_tests scripts_unit_tests web_unit_tests' ;;
  *)
    echo "usage: $0 [all|quick]" >&2
    exit 2 ;;
esac

. scripts/compile-cache.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMO_SANITIZE=ON $LAUNCHER
cmake --build build-asan --target $TARGETS

# Sends the reports of every process started from here on to folder $1, made
# empty. Some tests run the program as nobody; its reports must land there too.
report_to() {
  rm -rf "$1"
  mkdir -p "$1"
  chmod 1777 "$1"
  export ASAN_OPTIONS="log_path=$1/asan:detect_leaks=1"
  export LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitize/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="log_path=$1/ubsan:print_stacktrace=1:halt_on_error=1"
}

# An empty folder means a clean run only if reports do reach it.
canary="$(pwd)/build-asan/canary"
report_to "$canary"
build-asan/tests/sanitize_canary leak >/dev/null 2>&1 || true
build-asan/tests/sanitize_canary shift >/dev/null 2>&1 || true
if ! grep -qs LeakSanitizer "$canary"/* || ! grep -qs "runtime error" "$canary"/*; then
  echo "The sanitizer reports do not reach their folder; the canary left:" >&2
  ls -l "$canary" >&2
  exit 1
fi

reports="$(pwd)/build-asan/reports"
report_to "$reports"
# GTK would load the accessibility bridge, which keeps its names and its bus
# connection for the life of the process. Its allocations sit beneath GLib and
# D-Bus frames that the fast unwinder cannot walk, so no suppression can name
# the bridge: it stays unloaded, as in the end-to-end tests.
export NO_AT_BRIDGE=1
status=0
ctest --test-dir build-asan -R "$TESTS" --output-on-failure --timeout 900 -j "$(nproc)" || status=$?
if [ -n "$(ls -A "$reports")" ]; then
  echo "Sanitizer reports:"
  for report in "$reports"/*; do
    echo "== $report"
    head -60 "$report"
  done
  exit 1
fi
exit $status
