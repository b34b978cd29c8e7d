#!/bin/sh
# Builds and runs the benchmark program on a virtual 1920 x 1080 display of its
# own (Xvfb with openbox, Mesa's software renderer), then times the game's start
# to its first frame against a bare SDL window (tools/start_time.py; RUNS in
# the environment sets how many of each, 9 by default). Extra arguments go to
# Google Benchmark, e.g. --benchmark_repetitions=5.
# Usage, from anywhere: sh tools/run-benchmarks.sh [benchmark flags]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

n=${QUORVEL_BENCH_DISPLAY:-140}
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wm_pid=""
trap 'kill $wm_pid $xvfb_pid 2>/dev/null' EXIT
sleep 1
DISPLAY=":$n" openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
sleep 1

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quorvel_bench quorvel quorvel_bare_window
export DISPLAY=":$n" LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
build/bench/quorvel_bench "$@"
python3 tools/start_time.py build/quorvel build/framework/quorvel_bare_window "${RUNS:-9}"
