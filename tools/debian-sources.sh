# shellcheck shell=sh disable=SC2154,SC2034
# Building libraries from Debian's own source packages into a cache, for the
# scripts that cross-build them (build-windows-deps.sh, build-web-deps.sh),
# which source this file after tools/packages.sh and set `name` and `cache`.
# Each set of inputs (source versions, compiler, the scripts) gets a folder of
# its own in the cache, kept and reused while they stay the same.

say()
{
    echo "$name: $*" >&2
}

# Source packages come from the archive the system installs from. A deb-src
# entry is added only when apt knows no source index at all, copied from the
# system's own Debian entries (deb822 or one-line).
ensure_source_index()
{
    if apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package:'; then
        return 0
    fi
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
}

# source_versions "DEV:SOURCE...": sets `versions` to SOURCE=VERSION lines, the
# version of each source being the one its -dev package is installed at.
source_versions()
{
    versions=""
    for pair in $1; do
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
}

# open_cache KEY: sets `prefix` and `work` for that key and holds the cache's
# lock until the script ends, so that a second run waits and then finds the
# build done. Prints the prefix and exits when it is complete already;
# otherwise clears what runs cut short left behind.
open_cache()
{
    prefix=$cache/$1
    work=$cache/work-$1
    mkdir -p "$cache"
    exec 9>"$cache/lock"
    flock 9
    if [ -f "$prefix/complete" ]; then
        say "up to date"
        echo "$prefix"
        exit 0
    fi
    for left in "$cache"/*; do
        if [ -d "$left" ] && [ "${left##*/}" != downloads ] && [ ! -f "$left/complete" ]; then
            rm -rf "$left"
        fi
    done
    say "building into $prefix"
    started=$(date +%s)
    mkdir -p "$work/sources" "$cache/downloads"
}

# unpack SOURCE: fetches and unpacks one source package at the installed
# version; prints its folder.
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

# build NAME SOURCE_FOLDER CMAKE_OPTIONS...: configures, builds and installs
# into the prefix, static, with the caller's `configure` command (cmake, or
# cmake behind a wrapper) and `toolchain_options`.
build()
{
    name_built=$1
    src=$2
    shift 2
    say "building $name_built"
    # The configure command and the toolchain's options are lists of words.
    # shellcheck disable=SC2086
    if ! {
        $configure -S "$src" -B "$work/build-$name_built" -G "Unix Makefiles" \
            $toolchain_options -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DBUILD_SHARED_LIBS=OFF "$@" &&
            cmake --build "$work/build-$name_built" -j "$jobs" &&
            cmake --install "$work/build-$name_built"
    } >"$work/$name_built.log" 2>&1; then
        tail -n 30 "$work/$name_built.log" >&2
        say "building $name_built failed; the whole log is $work/$name_built.log"
        exit 1
    fi
}

# close_cache: marks the prefix complete and prints it.
close_cache()
{
    printf '%s' "$versions" >"$prefix/versions"
    rm -rf "$work"
    touch "$prefix/complete"
    say "built in $(($(date +%s) - started)) s"
    echo "$prefix"
}

# The SDL2_image options for its TGA decoder alone, with no image libraries.
SDL2_IMAGE_TGA_ONLY="-DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_SAMPLES=OFF
    -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_BACKEND_WIC=OFF
    -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF
    -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNG=OFF
    -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TIF=OFF
    -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF
    -DSDL2IMAGE_TGA=ON"
# FreeType with none of the libraries it can use: the fonts here are plain TTF.
FREETYPE_ALONE="-DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON"
