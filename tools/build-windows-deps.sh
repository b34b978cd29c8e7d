#!/bin/sh
# Builds the libraries the Windows build links, static for x86_64-w64-mingw32,
# from Debian's own source packages at the versions the Linux build links:
# SDL2, SDL2_image (TGA only, no image libraries), SDL2_ttf, FreeType,
# GoogleTest and Google Benchmark. Where the archive no longer (or not yet)
# serves the installed version's files, it builds the newest version the
# archive lists and serves, and says so. Installs the tools it needs when
# missing and, where the system's Debian archive has no deb-src entry, adds one.
# Each source's Debian copyright file and upstream licence files are kept in
# notices/<source package>/, with its version and the files it installed: the
# program's third-party notices are made from them.
# The result is kept in a cache folder outside the work tree, one folder per
# set of inputs (source versions built, compiler, this script and the one it shares
# with the web's, tools/debian-sources.sh, the toolchain file),
# and reused while they stay the same. The last line printed is its path.
# Usage, from anywhere: sh tools/build-windows-deps.sh
# QUORVEL_WINDOWS_DEPS_CACHE sets the cache folder
# (default ${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/windows-deps).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
script=$root/tools/build-windows-deps.sh
toolchain=$root/tools/mingw-w64-x86_64.cmake
cache=${QUORVEL_WINDOWS_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/windows-deps}
jobs=2

name=build-windows-deps
. "$root/tools/packages.sh"
. "$root/tools/debian-sources.sh"

# The -dev packages name the libraries the Linux build links; with them, the
# tools this build needs.
tools="mingw-w64 wine wine64 dpkg-dev cmake make xz-utils
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfreetype-dev libgtest-dev libbenchmark-dev"
# A list of package names: split on purpose.
# shellcheck disable=SC2086
install_missing --no-install-recommends $tools
ensure_source_index

# dev-package:source-package pairs; the source's version is the one installed.
source_versions "libsdl2-dev:libsdl2 libsdl2-image-dev:libsdl2-image libsdl2-ttf-dev:libsdl2-ttf
    libfreetype-dev:freetype libgtest-dev:googletest libbenchmark-dev:benchmark"

compiler=$(x86_64-w64-mingw32-gcc-posix --version | head -n 1)
key=$( (printf '%s%s\n' "$versions" "$compiler" &&
    cat "$script" "$root/tools/debian-sources.sh" "$toolchain") | sha256sum | cut -c 1-16)
open_cache "$key"
configure=cmake
toolchain_options="-DCMAKE_TOOLCHAIN_FILE=$toolchain -DQUORVEL_WINDOWS_DEPS=$prefix"

src=$(unpack freetype LICENSE.TXT docs/FTL.TXT)
# Lists of options: split on purpose.
# shellcheck disable=SC2086
build freetype "$src" $FREETYPE_ALONE
src=$(unpack libsdl2 LICENSE.txt)
build libsdl2 "$src" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
src=$(unpack libsdl2-image LICENSE.txt)
# shellcheck disable=SC2086
build libsdl2-image "$src" $SDL2_IMAGE_TGA_ONLY
src=$(unpack libsdl2-ttf LICENSE.txt)
build libsdl2-ttf "$src" \
    -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
src=$(unpack googletest LICENSE)
build googletest "$src" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
src=$(unpack benchmark LICENSE)
build benchmark "$src" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LTO=OFF -DBENCHMARK_ENABLE_INSTALL=ON \
    -DGIT_VERSION=0.0.0 # Debian's source asks git for none: 0.0.0 takes the project's own

close_cache
