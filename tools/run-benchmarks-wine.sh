#!/bin/sh
# Runs the frame benchmark natively and as the Windows build under Wine, in
# turn, QUORVEL_BENCH_PAIRS times (3 by default), on one virtual 1920 x 1080
# display (Xvfb with openbox, Mesa's software renderer for both), then prints
# the first pair's results and, over all pairs, the median times and the ratio
# Wine / native of each benchmark. Builds the Linux benchmark in build/ and the
# Windows one in build-windows/ (QUORVEL_WINDOWS_BUILD), with the libraries of
# tools/build-windows-deps.sh. Extra arguments go to every run, e.g.
# --benchmark_repetitions=3 (their medians are then taken).
# Usage, from anywhere: sh tools/run-benchmarks-wine.sh [benchmark flags]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
windows=${QUORVEL_WINDOWS_BUILD:-$root/build-windows}
jobs=$(nproc 2>/dev/null || echo 2)

for tool in wine wineserver Xvfb openbox xprop python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run-benchmarks-wine: $tool is missing" >&2
        exit 1
    fi
done

deps=$(sh tools/build-windows-deps.sh | tail -n 1)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BENCHMARKS=ON >/dev/null
cmake --build build -j "$jobs" --target quorvel_bench
cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" \
    -DQUORVEL_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_BENCHMARKS=ON >/dev/null
cmake --build "$windows" -j "$jobs" --target quorvel_bench quorvel_font

# The Windows benchmark looks for the font beside itself, as the game does.
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-bench-wine.XXXXXX")
mkdir "$work/windows" "$work/windows/data"
cp "$windows/bench/quorvel_bench.exe" "$work/windows/"
cp data/cube.tga "$windows/data/DejaVuSans.ttf" "$work/windows/data/"

WINEPREFIX=$windows/wine-bench-prefix
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml=" # no offer to install .NET or Gecko
LIBGL_ALWAYS_SOFTWARE=1
GALLIUM_DRIVER=llvmpipe
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES LIBGL_ALWAYS_SOFTWARE GALLIUM_DRIVER
unset WAYLAND_DISPLAY

xvfb_pid=""
wm_pid=""
cleanup()
{
    wineserver -k 2>/dev/null || true
    [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server writes its display number to fd 3 once it accepts clients.
Xvfb -screen 0 1920x1080x24 -nolisten tcp -displayfd 3 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
i=0
until [ -s "$work/display" ]; do
    i=$((i + 1))
    if [ "$i" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "run-benchmarks-wine: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    i=$((i + 1))
    [ "$i" -le 100 ] || { echo "run-benchmarks-wine: openbox did not start" >&2; exit 1; }
    sleep 0.1
done
[ -d "$WINEPREFIX" ] || wine wineboot --init >/dev/null 2>&1

# bench NAME COMMAND...: one run, its output kept in NAME.txt with Unix line
# ends (Wine's programs write CRLF), its results in NAME.json.
bench()
{
    name=$1
    shift
    if ! "$@" --benchmark_out="$work/$name.json" --benchmark_out_format=json \
        >"$work/$name.out" 2>&1; then
        tr -d '\r' <"$work/$name.out" >&2
        echo "run-benchmarks-wine: the $name run failed" >&2
        exit 1
    fi
    tr -d '\r' <"$work/$name.out" >"$work/$name.txt"
}

# Native and Wine runs alternate, so that a change in the machine's load
# falls on both; the first pair is shown whole. Each reads data/ from where it
# runs.
pairs=${QUORVEL_BENCH_PAIRS:-3}
i=1
while [ "$i" -le "$pairs" ]; do
    echo "== pair $i of $pairs =="
    bench "native-$i" build/bench/quorvel_bench "$@"
    bench "wine-$i" env -C "$work/windows" wine ./quorvel_bench.exe "$@"
    if [ "$i" -eq 1 ]; then
        echo "-- native (Linux) --"
        cat "$work/native-1.txt"
        echo "-- under Wine --"
        cat "$work/wine-1.txt"
    fi
    i=$((i + 1))
done

echo "== Wine / native over $pairs pairs, medians: wall-clock time, CPU time for the rules =="
python3 - "$work" "$pairs" <<'EOF'
import json
import re
import statistics
import sys

folder, pairs = sys.argv[1], int(sys.argv[2])


def times(name):
    """Each benchmark's time in one run (the median when repeated), and the
    time from start to the first frame."""
    found = {}
    said = open("%s/%s.txt" % (folder, name)).read()
    first = re.search(r"Start to first frame: ([\d.]+) ms", said)
    if first:
        found["start to first frame"] = (float(first.group(1)), "ms")
    for run in json.load(open("%s/%s.json" % (folder, name)))["benchmarks"]:
        if run.get("aggregate_name", "median") == "median":
            time = run["real_time"] if run["run_name"].endswith("/real_time") else run["cpu_time"]
            found[run["run_name"]] = (time, run["time_unit"])
    return found


runs = [(times("native-%d" % i), times("wine-%d" % i)) for i in range(1, pairs + 1)]
print("%-48s %14s %14s %7s %11s" % ("benchmark", "native", "Wine", "ratio", "range"))
for name, (_, unit) in runs[0][0].items():
    timed = [(native[name][0], wine[name][0]) for native, wine in runs if name in wine]
    if timed:
        ratios = [wine / native for native, wine in timed]
        print("%-48s %11.1f %s %11.1f %s %7.2f %5.2f-%.2f" % (
            name, statistics.median(n for n, _ in timed), unit,
            statistics.median(w for _, w in timed), unit, statistics.median(ratios),
            min(ratios), max(ratios)))
EOF
