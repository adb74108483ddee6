#!/bin/sh
# Builds the fuzz targets with clang's libFuzzer and runs each over its
# checked-in corpus (fuzz/corpus/<target>), then fuzzes it for SECONDS
# seconds (default 5). Any failed property or sanitizer report fails the run;
# the input that caused it is kept in build-fuzz/artifacts/.
#   ./fuzz/run.sh          the short run of ./scripts/test.sh
#   ./fuzz/run.sh 600      ten minutes per target
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-5}"

. scripts/compile-cache.sh
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ $LAUNCHER >/dev/null
cmake --build build-fuzz

mkdir -p build-fuzz/artifacts
# The test command's short run takes a fixed seed, so what it finds can be
# reproduced from its log; longer runs draw a new seed each time.
SEED=""
[ "$SECONDS_EACH" -gt 10 ] || SEED="-seed=1"
export UBSAN_OPTIONS=print_stacktrace=1
for target in text_codec ini_text point_list script_file hotkey_text interval descramble jpeg; do
  # New inputs go to a scratch folder, so the checked-in corpus stays as it is.
  scratch="build-fuzz/found/$target"
  mkdir -p "$scratch"
  printf '%-12s ' "$target"
  if ! build-fuzz/fuzz_$target "$scratch" "fuzz/corpus/$target" -max_total_time="$SECONDS_EACH" $SEED \
      -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
      >"build-fuzz/$target.log" 2>&1; then
    echo "FAILED"
    tail -40 "build-fuzz/$target.log"
    exit 1
  fi
  grep -E "^Done|stat::number_of_executed_units" "build-fuzz/$target.log" | tail -1
done
