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
# set of inputs (source versions built, compiler, this script, the toolchain
# file), and reused while they stay the same. The last line printed is its path.
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

mkdir -p "$cache/downloads"
# One build at a time per cache; a second run waits and then finds it done.
exec 9>"$cache/lock"
flock 9

# Prints the versions of source package $1 that apt lists, newest first.
listed_versions()
{
    listed=$(apt-cache showsrc "$1" 2>/dev/null | awk -v source="$1" 'BEGIN { RS = "" }
        $0 ~ "(^|\n)Package: " source "(\n|$)" { if (match($0, /(^|\n)Version: [^\n]+/)) {
            v = substr($0, RSTART, RLENGTH); sub(/^\n?Version: /, "", v); print v } }' | sort -u)
    while [ -n "$listed" ]; do
        newest=""
        for version in $listed; do
            if [ -z "$newest" ] || dpkg --compare-versions "$version" gt "$newest"; then
                newest=$version
            fi
        done
        echo "$newest"
        listed=$(for version in $listed; do [ "$version" = "$newest" ] || echo "$version"; done)
    done
}

# fetch SOURCE VERSION: the source package's files in the downloads folder,
# whole or not at all (apt checks them against the archive's signed index).
fetch()
{
    [ -f "$cache/downloads/${1}_${2#*:}.dsc" ] && return 0
    partial=$cache/downloads/partial
    rm -rf "$partial"
    mkdir -p "$partial"
    if ! (cd "$partial" && apt-get source -q --download-only "$1=$2") >"$cache/fetch.log" 2>&1; then
        rm -rf "$partial"
        return 1
    fi
    mv "$partial"/* "$cache/downloads/"
    rmdir "$partial"
}

# choose SOURCE INSTALLED: prints the version to build. The one installed,
# which the Linux build links, when the archive serves it; else the newest
# version the archive lists and serves (an archive can list a version whose
# files its mirror does not have yet, or no longer has).
choose()
{
    source=$1
    installed=$2
    listed=$(listed_versions "$source")
    missed=""
    for version in "$installed" $(printf '%s\n' "$listed" | grep -v -x -F "$installed" || true); do
        if fetch "$source" "$version"; then
            if [ "$version" != "$installed" ]; then
                say "the archive does not serve $source at$missed (the first is the version" \
                    "installed; apt-get source: $(grep -m 1 -E '^(E|Err):' "$cache/fetch-installed.log" |
                        cut -c 1-160)); building $version, the newest version it lists and serves"
            fi
            echo "$version"
            return 0
        fi
        missed="$missed $version"
        # The reason the installed version failed, for the message above.
        [ "$version" != "$installed" ] || cp "$cache/fetch.log" "$cache/fetch-installed.log"
    done
    cat "$cache/fetch.log" >&2
    if [ -z "$listed" ]; then
        say "apt lists no source package $source: add a deb-src entry for the system's" \
            "Debian archive to apt's sources, run apt-get update and this again"
    else
        say "the archive serves $source at none of$missed (the first is the version" \
            "installed; apt-get source's last failure is above): its mirror may be part-way" \
            "through an update. Run apt-get update and this again later, or set apt's sources" \
            "to another Debian mirror"
    fi
    exit 1
}

# dev-package:source-package pairs; the version built is the installed one
# where the archive serves it (choose, above).
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
    version=$(choose "$source" "${found#* }")
    versions="$versions$source=$version
"
done

# The key names the versions built, not the ones installed.
compiler=$(x86_64-w64-mingw32-gcc-posix --version | head -n 1)
key=$( (printf '%s%s\n' "$versions" "$compiler" && cat "$script" "$toolchain") |
    sha256sum | cut -c 1-16)
prefix=$cache/$key
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
mkdir -p "$work/sources"

# unpack SOURCE LICENCE_FILE...: unpacks the source package at the version
# chosen and prints its folder. Its Debian copyright file and the upstream
# licence files named are kept in $prefix/notices/SOURCE, with its version
# and, once built, the list of files it installed: the Windows program's
# notices are made from them. A source without them stops the build.
unpack()
{
    source=$1
    shift
    version=$(printf '%s' "$versions" | sed -n "s/^$source=//p")
    dsc=$cache/downloads/${source}_${version#*:}.dsc
    if ! dpkg-source -x "$dsc" "$work/sources/$source" >"$work/unpack.log" 2>&1; then
        cat "$work/unpack.log" >&2
        say "unpacking $dsc failed"
        exit 1
    fi
    kept=$prefix/notices/$source
    mkdir -p "$kept"
    for file in debian/copyright "$@"; do
        if ! cp "$work/sources/$source/$file" "$kept/" 2>/dev/null; then
            say "$source $version has no readable $file; the program's notices need it"
            exit 1
        fi
    done
    echo "$version" >"$kept/version"
    echo "$work/sources/$source"
}

# build SOURCE FOLDER CMAKE_OPTIONS...: configures, builds and installs the
# source package unpacked in FOLDER, and lists the files it installed with its
# notices.
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
            cmake --install "$work/build-$name" &&
            cp "$work/build-$name/install_manifest.txt" "$prefix/notices/$name/installed"
    } >"$work/$name.log" 2>&1; then
        tail -n 30 "$work/$name.log" >&2
        say "building $name failed; the whole log is $work/$name.log"
        exit 1
    fi
}

src=$(unpack freetype LICENSE.TXT docs/FTL.TXT)
build freetype "$src" \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
src=$(unpack libsdl2 LICENSE.txt)
build libsdl2 "$src" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF
src=$(unpack libsdl2-image LICENSE.txt)
build libsdl2-image "$src" \
    -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF \
    -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_BACKEND_WIC=OFF \
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF \
    -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNG=OFF \
    -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TIF=OFF \
    -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF \
    -DSDL2IMAGE_TGA=ON
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

printf '%s' "$versions" >"$prefix/versions"
rm -rf "$work"
touch "$prefix/complete"
say "built in $(($(date +%s) - started)) s"
echo "$prefix"
