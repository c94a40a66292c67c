#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, but only the
# missing ones, so that a second run costs a single dpkg query.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev libqt6opengl6-dev libgl-dev
    libmpv-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    libosmium2-dev libprotozero-dev libboost-dev libexpat1-dev libbz2-dev
    libxrandr-dev libx11-dev
    dbus python3-dbusmock
    gpsd gpsd-clients
    fonts-liberation fonts-dejavu-core
    xvfb xauth
)

installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$2 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
