# shellcheck shell=sh disable=SC2154
# Installing Debian packages, for the set-up scripts that source this file.
# They set `name`, which prefixes what these functions say.

# Runs a command as root: directly when root, else through sudo.
as_root()
{
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "$name: installing packages needs root or sudo" >&2
        exit 1
    fi
}

# install_missing "APT_OPTIONS" PACKAGE...: installs those of the packages that
# are not installed yet, and says which, or that none were missing.
install_missing()
{
    options=$1
    shift
    missing=""
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || missing="$missing $package"
    done
    if [ -z "$missing" ]; then
        echo "$name: all packages present" >&2
        return 0
    fi
    echo "$name: installing$missing" >&2
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # Options and names are lists of words: split on purpose.
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $options $missing
}
