#!/usr/bin/env bash
# Installs the Debian packages that the build needs, only those that are missing. Safe to
# run any number of times.
#   install-deps.sh programs   what building the programs needs (make demo)
#   install-deps.sh            that and what the tests, benchmarks, fuzzing and CI need
set -euo pipefail

packages=(
    cmake
    ninja-build
    g++
    make
    pkg-config
    qt6-base-dev
    libgl-dev
    nlohmann-json3-dev
)
if [ "${1:-all}" != "programs" ]; then
    packages+=(
        libgtest-dev
        libgmock-dev
        clang
        clang-format
        nodejs
        xvfb
        xauth
        xdotool
        libx11-dev
        chromium
        chromium-driver
        parallel
        zip
        unzip
        bc
        time
        # Windows books: the cross compiler for the Windows stubs, Wine to test them
        g++-mingw-w64-x86-64-posix
        binutils-mingw-w64-x86-64
        wine
        wine64
    )
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
