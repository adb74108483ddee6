#!/bin/sh
# Builds Velmo and its benchmarks (the same set-up as scripts/test.sh), then
# runs every benchmark and prints its figures. Nothing here passes or fails
# on a figure.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh

echo "== machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== scripts_bench: point lists, runner, script table"
./build/bench/scripts_bench
echo "== list_bench: the script list window"
tests/with-xvfb.sh ./build/bench/list_bench
echo "== clickbench: the real program's clicks on a private Xvfb"
python3 bench/clickbench.py --build build
echo "== wayland_clickbench: the Wayland backend's clicks on a private headless sway"
python3 bench/wayland_clickbench.py --build build
echo "== footprint: memory of the program and its web processes, start-up time"
python3 bench/footprint.py --build build
