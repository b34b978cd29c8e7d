#!/bin/sh
# Builds the game for the browser from this tree with Debian's Emscripten: the
# static libraries (tools/build-web-deps.sh, cached), then the page in
# build-web/: index.html, quorvel.js, quorvel.wasm and quorvel.data, a static
# site that any server serves (python3 -m http.server -d build-web). CMake's
# own files stay in build-emscripten/, where ctest runs the page's tests
# (tools/run-tests.sh does).
# Usage, from anywhere: sh tools/build-web.sh
# QUORVEL_WEB_BUILD sets CMake's folder (default build-emscripten in the tree),
# QUORVEL_WEB_SITE the page's (default build-web in the tree).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_WEB_BUILD:-$root/build-emscripten}
site=${QUORVEL_WEB_SITE:-$root/build-web}
jobs=$(nproc 2>/dev/null || echo 2)

# The font the page ships; the libraries' script installs Emscripten.
name="build-web"
. "$root/tools/packages.sh"
install_missing --no-install-recommends fonts-dejavu-core

# Emscripten's optimiser (-O2 and up) loads Debian's acorn module, which a
# node found on the PATH before Debian's own does not look for.
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export NODE_PATH

deps=$(sh "$root/tools/build-web-deps.sh")
deps=$(printf '%s\n' "$deps" | tail -n 1)
echo "build-web: libraries in $deps"
emcmake cmake -S "$root" -B "$build" -DQUORVEL_WEB_DEPS="$deps" -DQUORVEL_WEB_SITE="$site" \
    -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCHMARKS=OFF
cmake --build "$build" -j "$jobs"
echo "build-web: built $site; serve it with: python3 -m http.server -d $site"
