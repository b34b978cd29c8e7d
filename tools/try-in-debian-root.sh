#!/bin/sh
# Tries a command as a new user of a Debian release would: in a fresh clone of
# this tree's last commit, inside a minimal root of that release (debootstrap).
# The root is made once, under QUORVEL_ROOTS (default /var/tmp/quorvel-roots,
# outside every repository), and kept with what the tries installed in it; the
# clone, in its /root/quorvel, is made anew each time. Uncommitted changes are
# not in it. QUORVEL_MIRROR is the Debian mirror (default deb.debian.org).
# Usage, as root: sh tools/try-in-debian-root.sh RELEASE [COMMAND]
#   RELEASE: bookworm (Debian 12) or trixie (Debian 13)
#   COMMAND: run by sh in the clone; by default both set-up commands and the
#            tests: sh tools/setup.sh --tests && sh tools/run-tests.sh
# The command gets a clean environment: name a display in it to play, e.g.
#   sh tools/try-in-debian-root.sh trixie 'sh tools/setup.sh && DISPLAY=:0 ./build/quorvel'
# (an X server of the machine's is reached through its abstract socket).
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: sh tools/try-in-debian-root.sh RELEASE [COMMAND]" >&2
    exit 2
fi
release=$1
command=${2:-"sh tools/setup.sh --tests && sh tools/run-tests.sh"}
here=$(cd "$(dirname "$0")/.." && pwd)
mirror=${QUORVEL_MIRROR:-http://deb.debian.org/debian}
target=${QUORVEL_ROOTS:-/var/tmp/quorvel-roots}/$release

if [ "$(id -u)" -ne 0 ]; then
    echo "try-in-debian-root: making and entering a root needs root" >&2
    exit 1
fi
commit=$(git -C "$here" rev-parse HEAD)
if [ -n "$(git -C "$here" status --porcelain --untracked-files=no)" ]; then
    echo "try-in-debian-root: trying $commit; uncommitted changes are left out" >&2
fi

if [ ! -x "$target/usr/bin/apt-get" ]; then
    # shellcheck disable=SC2034 # used by packages.sh
    name=try-in-debian-root
    . "$here/tools/packages.sh"
    install_missing "" debootstrap
    debootstrap --variant=minbase "$release" "$target" "$mirror"
    # A fresh installation's updates; the security archive sits beside the main
    # one on Debian's mirrors.
    security=$(dirname "$mirror")/debian-security
    printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s %s-security main\n' \
        "$mirror" "$release" "$mirror" "$release" "$security" "$release" \
        >"$target/etc/apt/sources.list"
    # Packages installed here start no services.
    printf '#!/bin/sh\nexit 101\n' >"$target/usr/sbin/policy-rc.d"
    chmod +x "$target/usr/sbin/policy-rc.d"
fi

rm -rf "$target/root/quorvel"
git clone --quiet --no-checkout "$here" "$target/root/quorvel"
git -C "$target/root/quorvel" checkout --quiet "$commit"

# The kernel's file systems, mounted for this try and unmounted after it.
mounted=""
cleanup()
{
    for point in $mounted; do
        umount -R -l "$point" 2>/dev/null || true
    done
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
for point in proc sys dev; do
    if ! mountpoint -q "$target/$point"; then
        case $point in
        proc) mount -t proc proc "$target/proc" ;;
        *) mount --rbind "/$point" "$target/$point" && mount --make-rslave "$target/$point" ;;
        esac
        mounted="$target/$point $mounted"
    fi
done

echo "try-in-debian-root: $release, commit $commit: $command" >&2
# A clean environment, as a new user's login would give; the inner shell runs
# the command, its $1. The root shares the machine's abstract X sockets, which
# its /tmp does not show: its test displays start at 300, away from the
# machine's own.
# shellcheck disable=SC2016
chroot "$target" env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    QUORVEL_TEST_DISPLAY="${QUORVEL_TEST_DISPLAY:-300}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    sh -c 'cd /root/quorvel && eval "$1"' try "$command"
