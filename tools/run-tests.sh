#!/bin/sh
# Runs every test, on a virtual X display of its own (Xvfb with openbox, Mesa's
# software renderer):
#   1. the normal build in build/, all of ctest: unit, GL and whole-program;
#   2. a sanitizer build in build-asan/, the unit and GL tests under
#      AddressSanitizer and UndefinedBehaviorSanitizer.
#   3. the Windows build (tools/build-windows.sh) in build-windows/, its unit
#      tests under Wine, and its ZIP;
#   4. the browser build (tools/build-web.sh) in build-emscripten/, its page in
#      build-web/, played in headless Chromium;
#   5. the texture decoder's fuzz target, built with clang, run for a minute.
# Every stage runs even after a failure; the exit status is non-zero if any
# failed. Needs the packages that tools/setup.sh --tests installs.
# Usage, from anywhere: sh tools/run-tests.sh
# QUORVEL_TEST_DISPLAY sets the first X display number tried (default 90).
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

for tool in cmake ctest Xvfb openbox xdotool xwininfo xdpyinfo xprop import python3 \
    desktop-file-validate appstreamcli mandoc x86_64-w64-mingw32-g++-posix wine rsvg-convert \
    icotool wrestool makensis emcc chromium convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run-tests: $tool is missing; run: sh tools/setup.sh --tests" >&2
        exit 1
    fi
done

jobs=$(nproc 2>/dev/null || echo 2)
started=$(date +%s)
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-tests.XXXXXX")
xvfb_pid=""
wm_pid=""

cleanup()
{
    if [ -n "$wm_pid" ]; then
        kill "$wm_pid" 2>/dev/null
        wait "$wm_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

passed=0
failed=0
report=""

note()
{
    report="$report
  $1"
}

# step NAME COMMAND...: runs a build step; a failure counts once.
step()
{
    name=$1
    shift
    echo "run-tests: $name"
    since=$(date +%s)
    if "$@"; then
        note "ok: $name ($(($(date +%s) - since)) s)"
        return 0
    fi
    failed=$((failed + 1))
    note "FAILED: $name"
    return 1
}

# counted NAME COMMAND...: runs ctest, or a script that ends with it, and adds
# up its counts. Here every test has the display and tools it needs, so a test
# that skipped itself (ctest counts it as passed) counts as failed. A failure
# that no failed test accounts for (a build step) counts once.
counted()
{
    name=$1
    shift
    echo "run-tests: $name"
    since=$(date +%s)
    log="$work/ctest.log"
    {
        "$@"
        echo $? >"$work/ctest.rc"
    } 2>&1 | tee "$log"
    rc=$(cat "$work/ctest.rc")
    skipped=$(grep -c ' (Skipped)$' "$log")
    counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" |
        tail -n 1)
    if [ -n "$counts" ]; then
        # shellcheck disable=SC2086 # two numbers: failed, total
        set -- $counts
        passed=$((passed + $2 - $1 - skipped))
        failed=$((failed + $1 + skipped))
        note "$name: $(($2 - $1 - skipped)) of $2 passed, $1 failed, $skipped skipped ($(($(date +%s) - since)) s)"
    fi
    if [ "$rc" -ne 0 ] && { [ -z "$counts" ] || [ "$1" -eq 0 ]; }; then
        failed=$((failed + 1))
        note "FAILED: $name (exit status $rc)"
    fi
}

# tests NAME BUILD_DIR [CTEST_ARGS...]: runs ctest in BUILD_DIR.
tests()
{
    name=$1
    dir=$2
    shift 2
    counted "$name" ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" "$@"
}

# Starts Xvfb on the first free display from QUORVEL_TEST_DISPLAY on; the
# server itself says when it accepts clients, through -displayfd.
start_display()
{
    n=${QUORVEL_TEST_DISPLAY:-90}
    last=$((n + 40))
    while [ "$n" -le "$last" ]; do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            : >"$work/display"
            # Its display number goes to fd 3 once it accepts clients.
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 \
                3>"$work/display" >"$work/xvfb.log" 2>&1 &
            xvfb_pid=$!
            i=0
            while [ "$i" -lt 100 ] && kill -0 "$xvfb_pid" 2>/dev/null; do
                if [ -s "$work/display" ]; then
                    DISPLAY=":$n"
                    export DISPLAY
                    return 0
                fi
                sleep 0.1
                i=$((i + 1))
            done
            kill "$xvfb_pid" 2>/dev/null
            wait "$xvfb_pid" 2>/dev/null
            xvfb_pid=""
        fi
        n=$((n + 1))
    done
    cat "$work/xvfb.log" >&2 2>/dev/null
    return 1
}

# openbox honours full-screen requests, as the window manager of any desktop.
start_window_manager()
{
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    i=0
    while [ "$i" -lt 100 ] && kill -0 "$wm_pid" 2>/dev/null; do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.1
        i=$((i + 1))
    done
    cat "$work/openbox.log" >&2
    return 1
}

unset WAYLAND_DISPLAY
LIBGL_ALWAYS_SOFTWARE=1
GALLIUM_DRIVER=llvmpipe
export LIBGL_ALWAYS_SOFTWARE GALLIUM_DRIVER

step "start Xvfb" start_display && step "start openbox on $DISPLAY" start_window_manager

# 1. Normal build: everything ctest knows.
if step "configure build/" cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_TESTS=ON -DQUORVEL_BENCHMARKS=ON &&
    step "build build/" cmake --build build -j "$jobs"; then
    tests "tests in build/" build
fi

# 2. Sanitizer build: unit and GL tests under ASan and UBSan.
ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
LSAN_OPTIONS=print_suppressions=0
if [ -f tests/lsan.supp ]; then
    LSAN_OPTIONS="$LSAN_OPTIONS:suppressions=$root/tests/lsan.supp"
fi
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
if step "configure build-asan/" cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVEL_SANITIZE=ON -DQUORVEL_TESTS=ON -DQUORVEL_BENCHMARKS=OFF &&
    step "build build-asan/" cmake --build build-asan -j "$jobs"; then
    tests "unit and GL tests under ASan+UBSan in build-asan/" build-asan -L '^(unit|gl)$'
fi

# 3. Windows build: the libraries (built once, then cached), the program, its
#    tests under Wine and the ZIP; the tests' counts join the sum.
counted "Windows build, tests under Wine and ZIP in build-windows/" sh tools/build-windows.sh

# 4. Browser build: the libraries (built once, then cached), the page, and the
#    page played in headless Chromium.
web()
{
    sh tools/build-web.sh && ctest --test-dir build-emscripten --output-on-failure --no-tests=error
}
counted "browser build in build-emscripten/ and build-web/, played in Chromium" web

# 5. Fuzzing the texture loader: a bounded libFuzzer run (FUZZ_SECONDS, 60 by
#    default) with clang in build-fuzz/; a crash fails the stage.
step "fuzz the texture decoder for ${FUZZ_SECONDS:-60} s in build-fuzz/" sh tests/fuzz/run-fuzz.sh

echo
echo "run-tests: $(($(date +%s) - started)) s$report"
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
