#!/bin/sh
# Builds the libraries the Windows build links, static for x86_64-w64-mingw32,
# from Debian's own source packages at the versions the Linux build links:
# SDL2, SDL2_image (TGA only, no image libraries), SDL2_ttf, FreeType,
# GoogleTest and Google Benchmark. Installs the tools it needs when missing and,
# where the system's Debian archive has no deb-src entry, adds one.
# The result is kept in a cache folder outside the work tree, one folder per
# set of inputs (source versions, compiler, this script, the toolchain file),
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

say()
{
    echo "build-windows-deps: $*" >&2
}

name=build-windows-deps
. "$root/tools/packages.sh"

# The -dev packages name the libraries the Linux build links; with them, the
# tools this build needs.
tools="mingw-w64 wine wine64 dpkg-dev cmake make xz-utils
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfreetype-dev libgtest-dev libbenchmark-dev"
# A list of package names: split on purpose.
# shellcheck disable=SC2086
install_missing --no-install-recommends $tools

# Source packages come from the archive the system installs from. A deb-src
# entry is added only when apt knows no source index at all, copied from the
# system's own Debian entries (deb822 or one-line).
if ! apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package:'; then
    if ! grep -rqs -E '^[[:space:]]*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d; then
        entries=$(mktemp)
        for list in /etc/apt/sources.list.d/*.sources; do
            [ -f "$list" ] || continue
            awk 'BEGIN { RS = ""; ORS = "\n\n" }
                 /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*\/debian(-security)?\/?(\n|$)/ &&
                 !/(^|\n)Enabled:[[:space:]]*no/ {
                     sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$list" >>"$entries"
        done
        if [ -s "$entries" ]; then
            added=/etc/apt/sources.list.d/quorvel-deb-src.sources
        else
            added=/etc/apt/sources.list.d/quorvel-deb-src.list
            cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
                sed -n -E 's,^[[:space:]]*deb[[:space:]]+(.*/debian(-security)?/?[[:space:]].*),deb-src \1,p' >"$entries"
        fi
        if [ ! -s "$entries" ]; then
            rm -f "$entries"
            say "no Debian archive among apt's sources; add a deb-src entry for it by hand"
            exit 1
        fi
        as_root cp "$entries" "$added"
        as_root chmod 644 "$added"
        rm -f "$entries"
        say "apt had no deb-src entry; added $added for the system's Debian archive"
    fi
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
fi

# dev-package:source-package pairs; the source's version is the one installed.
pairs="libsdl2-dev:libsdl2 libsdl2-image-dev:libsdl2-image libsdl2-ttf-dev:libsdl2-ttf
    libfreetype-dev:freetype libgtest-dev:googletest libbenchmark-dev:benchmark"
versions=""
for pair in $pairs; do
    dev=${pair%%:*}
    source=${pair#*:}
    found=$(dpkg-query -W -f='${source:Package} ${source:Version}' "$dev")
    if [ "${found%% *}" != "$source" ]; then
        say "$dev is built from ${found%% *}, not $source"
        exit 1
    fi
    versions="$versions$source=${found#* }
"
done

compiler=$(x86_64-w64-mingw32-gcc-posix --version | head -n 1)
key=$( (printf '%s%s\n' "$versions" "$compiler" && cat "$script" "$toolchain") |
    sha256sum | cut -c 1-16)
prefix=$cache/$key
mkdir -p "$cache"
# One build at a time per cache; a second run waits and then finds it done.
exec 9>"$cache/lock"
flock 9
if [ -f "$prefix/complete" ]; then
    say "up to date"
    echo "$prefix"
    exit 0
fi

# What a run cut short left: unfinished builds, of these inputs or others.
for left in "$cache"/*; do
    if [ -d "$left" ] && [ "${left##*/}" != downloads ] && [ ! -f "$left/complete" ]; then
        rm -rf "$left"
    fi
done
say "building into $prefix"
started=$(date +%s)
work=$cache/work-$key
mkdir -p "$work/sources" "$cache/downloads"

# Fetches and unpacks one source package at the installed version; prints its folder.
unpack()
{
    source=$1
    version=$(printf '%s' "$versions" | sed -n "s/^$source=//p")
    dsc=$cache/downloads/${source}_${version#*:}.dsc
    # apt has checked the files against the archive's signed index.
    if [ ! -f "$dsc" ] && ! (cd "$cache/downloads" &&
        apt-get source -q --download-only "$source=$version" >"$work/fetch.log" 2>&1); then
        cat "$work/fetch.log" >&2
        say "the archive no longer offers $source $version, the version installed;" \
            "upgrade the system's packages and run again"
        exit 1
    fi
    if ! dpkg-source -x "$dsc" "$work/sources/$source" >"$work/unpack.log" 2>&1; then
        cat "$work/unpack.log" >&2
        say "unpacking $dsc failed"
        exit 1
    fi
    echo "$work/sources/$source"
}

# build NAME SOURCE_FOLDER CMAKE_OPTIONS...: configures, builds and installs.
build()
{
    name=$1
    src=$2
    shift 2
    say "building $name"
    if ! {
        cmake -S "$src" -B "$work/build-$name" -G "Unix Makefiles" \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQUORVEL_WINDOWS_DEPS="$prefix" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DBUILD_SHARED_LIBS=OFF "$@" &&
            cmake --build "$work/build-$name" -j "$jobs" &&
            cmake --install "$work/build-$name"
    } >"$work/$name.log" 2>&1; then
        tail -n 30 "$work/$name.log" >&2
        say "building $name failed; the whole log is $work/$name.log"
        exit 1
    fi
}

src=$(unpack freetype)
build freetype "$src" \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
src=$(unpack libsdl2)
build sdl2 "$src" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
src=$(unpack libsdl2-image)
build sdl2-image "$src" \
    -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF \
    -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_BACKEND_WIC=OFF \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF \
    -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNG=OFF \
    -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TIF=OFF \
    -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
    -DSDL2IMAGE_TGA=ON
src=$(unpack libsdl2-ttf)
build sdl2-ttf "$src" \
    -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
src=$(unpack googletest)
build googletest "$src" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
src=$(unpack benchmark)
build benchmark "$src" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LTO=OFF -DBENCHMARK_ENABLE_INSTALL=ON \
    -DGIT_VERSION=0.0.0 # Debian's source asks git for none: 0.0.0 takes the project's own

printf '%s' "$versions" >"$prefix/versions"
rm -rf "$work"
touch "$prefix/complete"
say "built in $(($(date +%s) - started)) s"
echo "$prefix"
