#!/bin/sh
# Installs every Debian package the project needs (run as root on Debian 12). Does
# nothing when they are all there already.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
packages=$(grep -v '^#' "$here/packages.txt" | tr '\n' ' ')
wanted=$(echo $packages | wc -w)
# shellcheck disable=SC2086
installed=$(dpkg-query -W -f='${db:Status-Status}\n' $packages 2>/dev/null | grep -c '^installed$' || true)
if [ "$installed" -ne "$wanted" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $packages
fi
