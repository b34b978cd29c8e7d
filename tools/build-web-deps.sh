#!/bin/sh
# Builds the libraries the web build links, static for WebAssembly with
# Debian's Emscripten, from Debian's own source packages at the versions the
# Linux build links: SDL2, SDL2_image (its TGA decoder alone, which the
# texture's loader uses), SDL2_ttf and FreeType. Emscripten's own ports would
# download their sources; these come from the system's Debian archive, through
# apt, like the Windows build's (tools/debian-sources.sh), with their licence
# files kept in notices/<source package>/ for the page's notices.
# The result is kept in a cache folder outside the work tree, one folder per
# set of inputs (source versions, Emscripten's version, this script and
# tools/debian-sources.sh), and reused while they stay the same. The last line
# printed is its path.
# Usage, from anywhere: sh tools/build-web-deps.sh
# QUORVEL_WEB_DEPS_CACHE sets the cache folder
# (default ${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/web-deps).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
script=$root/tools/build-web-deps.sh
cache=${QUORVEL_WEB_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/web-deps}
jobs=2

name=build-web-deps
. "$root/tools/packages.sh"
. "$root/tools/debian-sources.sh"

# The -dev packages name the versions the Linux build links.
tools="emscripten dpkg-dev cmake make xz-utils
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfreetype-dev"
# A list of package names: split on purpose.
# shellcheck disable=SC2086
install_missing --no-install-recommends $tools
ensure_source_index

source_versions "libsdl2-dev:libsdl2 libsdl2-image-dev:libsdl2-image libsdl2-ttf-dev:libsdl2-ttf
    libfreetype-dev:freetype"

compiler=$(emcc --version | head -n 1)
key=$( (printf '%s%s\n' "$versions" "$compiler" &&
    cat "$script" "$root/tools/debian-sources.sh") | sha256sum | cut -c 1-16)
open_cache "$key"
# emcmake names Emscripten's toolchain file; the prefix is searched as the
# toolchain's own root, so that SDL2_ttf finds FreeType and SDL2 there.
configure="emcmake cmake"
toolchain_options="-DCMAKE_FIND_ROOT_PATH=$prefix -DCMAKE_PREFIX_PATH=$prefix"

src=$(unpack freetype LICENSE.TXT docs/FTL.TXT)
# Lists of options: split on purpose.
# shellcheck disable=SC2086
build freetype "$src" $FREETYPE_ALONE
src=$(unpack libsdl2 LICENSE.txt)
# No threads: a page gets them only with headers its server must send.
build libsdl2 "$src" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF -DSDL_PTHREADS=OFF
src=$(unpack libsdl2-image LICENSE.txt)
# shellcheck disable=SC2086
build libsdl2-image "$src" $SDL2_IMAGE_TGA_ONLY
src=$(unpack libsdl2-ttf LICENSE.txt)
build libsdl2-ttf "$src" \
    -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF

close_cache
