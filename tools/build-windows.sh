#!/bin/sh
# Builds the 64-bit Windows game from this tree on Debian 12 or 13 and proves it
# under Wine: the static libraries (tools/build-windows-deps.sh, cached), the
# program, its installer and its tests in build-windows/, the tests under Wine
# through ctest, then the ZIP. Made: build-windows/quorvel-<version>-win64.zip
# and build-windows/quorvel-<version>-win64-setup.exe.
# Usage, from anywhere: sh tools/build-windows.sh
# QUORVEL_WINDOWS_BUILD sets the build folder (default build-windows in the tree).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_WINDOWS_BUILD:-$root/build-windows}
jobs=$(nproc 2>/dev/null || echo 2)

# The program's icon (rsvg-convert, icotool and wrestool) and the installer
# (makensis); the libraries' script installs the compilers and Wine.
name="build-windows"
. "$root/tools/packages.sh"
install_missing --no-install-recommends librsvg2-bin icoutils nsis

# Its last line is the libraries' folder; a failure, said on stderr, ends this
# build here.
deps=$(sh "$root/tools/build-windows-deps.sh")
deps=$(printf '%s\n' "$deps" | tail -n 1)
echo "build-windows: libraries in $deps"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-w64-x86_64.cmake" \
    -DQUORVEL_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
cmake --build "$build" --target package
echo "build-windows: built $(ls "$build"/quorvel-*-win64.zip) and $(ls "$build"/quorvel-*-win64-setup.exe)"
