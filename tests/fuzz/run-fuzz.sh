#!/bin/sh
# Fuzzes the texture decoder: builds tests/fuzz with clang (libFuzzer, ASan,
# UBSan) into build-fuzz/ and runs it for FUZZ_SECONDS (default 60) over a
# scratch copy of the seed corpus, so tests/fuzz/corpus/ stays as committed.
# Exits non-zero when the build fails or the fuzzer finds a crash, a leak,
# undefined behaviour or an input slower than 10 s; the input is then kept in
# build-fuzz/artifacts/.
# Usage, from anywhere: sh tests/fuzz/run-fuzz.sh   (FUZZ_SECONDS=3600 for an hour)
set -u

root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root" || exit 1
seconds=${FUZZ_SECONDS:-60}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "run-fuzz: clang++ is missing; run: sh tools/setup.sh --tests" >&2
    exit 1
fi
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
    cmake --build build-fuzz || exit 1

corpus=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-fuzz.XXXXXX") || exit 1
trap 'rm -rf "$corpus"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
cp tests/fuzz/corpus/* "$corpus"/
mkdir -p build-fuzz/artifacts

ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build-fuzz/texture_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$root/build-fuzz/artifacts/" "$corpus"
status=$?
if [ "$status" -ne 0 ]; then
    echo "run-fuzz: the fuzzer failed (status $status); inputs in build-fuzz/artifacts/" >&2
fi
exit "$status"
