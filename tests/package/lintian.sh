#!/bin/sh
# Builds the .deb (the package target) and has lintian check it as Debian's
# archive would: an error or a warning fails; pedantic and informational tags
# are shown and pass. Skipped (status 77) where lintian is not installed.
# Usage: sh lintian.sh BUILD_DIR VERSION
set -u

if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian is not installed; sh tools/setup.sh --tests installs it" >&2
    exit 77
fi
if ! built=$(cmake --build "$1" --target package 2>&1); then
    echo "$built"
    exit 1
fi
lintian --fail-on error,warning --pedantic --display-info \
    "$1/quorvel_$2_$(dpkg --print-architecture).deb"
