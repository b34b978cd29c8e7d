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

# lock_cache: holds the cache's lock until the script ends, so that a second
# run waits, then finds the build done.
lock_cache()
{
    mkdir -p "$cache/downloads"
    exec 9>"$cache/lock"
    flock 9
}

# listed_versions SOURCE: the versions of the source package that apt lists,
# newest first.
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

# source_versions "DEV:SOURCE...": takes the cache's lock, fetches each source
# package at the version chosen (above) and sets `versions` to SOURCE=VERSION
# lines.
source_versions()
{
    lock_cache
    versions=""
    for pair in $1; do
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
}

# open_cache KEY: sets `prefix` and `work` for that key. Prints the prefix and
# exits when it is complete already; otherwise clears what runs cut short left
# behind.
open_cache()
{
    prefix=$cache/$1
    work=$cache/work-$1
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

# unpack SOURCE LICENCE_FILE...: unpacks the source package at the version
# chosen and prints its folder. Its Debian copyright file and the upstream
# licence files named are kept in $prefix/notices/SOURCE, with its version
# and, once built, the list of files it installed: the notices that ship with
# the program are made from them. A source without them stops the build.
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
# source package unpacked in FOLDER into the prefix, static, with the caller's
# `configure` command (cmake, or cmake behind a wrapper) and
# `toolchain_options`, and lists the files it installed with its notices.
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
            cmake --install "$work/build-$name_built" &&
            cp "$work/build-$name_built/install_manifest.txt" "$prefix/notices/$name_built/installed"
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
