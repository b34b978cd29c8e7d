#!/bin/sh
# Runs the frame benchmark twice in one run, natively and as the Windows build
# under Wine, on one virtual 1920 x 1080 display (Xvfb with openbox, Mesa's
# software renderer for both), then prints both and the ratio Wine / native of
# each benchmark's time. Builds the Linux benchmark in build/ and the Windows
# one in build-windows/ (QUORVEL_WINDOWS_BUILD), with the libraries of
# tools/build-windows-deps.sh. Extra arguments go to both runs, e.g.
# --benchmark_repetitions=3 (the medians are then compared).
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

echo "== native (Linux) =="
build/bench/quorvel_bench --benchmark_out="$work/native.json" --benchmark_out_format=json "$@" |
    tee "$work/native.txt"
echo "== under Wine =="
# Wine's programs write CRLF line ends.
(cd "$work/windows" && wine ./quorvel_bench.exe --benchmark_out=../wine.json \
    --benchmark_out_format=json "$@") | tr -d '\r' | tee "$work/wine.txt"

echo "== Wine / native, by wall-clock time (CPU time for the rules) =="
python3 - "$work/native" "$work/wine" <<'EOF'
import json
import re
import sys


def times(path):
    """Each benchmark's time, the median when repeated."""
    found = {}
    said = open(path + ".txt").read()
    first = re.search(r"Start to first frame: ([\d.]+) ms", said)
    if first:
        found["start to first frame"] = (float(first.group(1)), "ms")
    for run in json.load(open(path + ".json"))["benchmarks"]:
        if run.get("aggregate_name", "median") == "median":
            time = run["real_time"] if run["run_name"].endswith("/real_time") else run["cpu_time"]
            found[run["run_name"]] = (time, run["time_unit"])
    return found


native, wine = times(sys.argv[1]), times(sys.argv[2])
print("%-48s %14s %14s %7s" % ("benchmark", "native", "Wine", "ratio"))
for name, (time, unit) in native.items():
    if name in wine:
        other, _ = wine[name]
        print("%-48s %11.1f %s %11.1f %s %7.2f" % (name, time, unit, other, unit, other / time))
EOF
