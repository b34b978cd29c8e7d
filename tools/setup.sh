#!/bin/sh
# Installs the Debian packages that are missing (through sudo when not root) and
# builds the game into build/: those that building and running the game need
# (tools/debian-packages.txt), and with --tests those that the tests need as
# well (tools/debian-test-packages.txt). The lists hold no name that only one
# of Debian 12 and 13 has.
# Usage, from anywhere: sh tools/setup.sh [--tests]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

lists=tools/debian-packages.txt
case "${1:-}" in
'') ;;
--tests) lists="$lists tools/debian-test-packages.txt" ;;
*)
    echo "usage: sh tools/setup.sh [--tests]" >&2
    exit 2
    ;;
esac

name=setup
. "$root/tools/packages.sh"
# One package name a line: words are names. $lists is split on purpose.
# shellcheck disable=SC2086,SC2046
install_missing "" $(sed 's/#.*//' $lists)

# Started through sudo by a user who owns the tree: build as that user, so that
# build/ does not end up owned by root.
as_owner()
{
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ] &&
        [ "$(stat -c %U "$root")" = "$SUDO_USER" ]; then
        sudo -u "$SUDO_USER" -- "$@"
    else
        "$@"
    fi
}

jobs=$(nproc 2>/dev/null || echo 2)
as_owner cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
as_owner cmake --build "$root/build" --target quorvel -j "$jobs"
echo "setup: built $root/build/quorvel"
