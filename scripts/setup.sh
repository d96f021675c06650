#!/usr/bin/env bash
# Installs what the console needs on Debian 12 (as root, or through sudo) and
# builds it into build/. Sourced by run.sh and test.sh.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$TOP/build}

PACKAGES=(cmake g++ make qt6-base-dev qt6-qpa-plugins qt6-translations-l10n nlohmann-json3-dev libgl-dev
          xvfb xauth xdotool xclip twm x11-utils libxcb1-dev fonts-dejavu-core fonts-symbola libcups2-dev cups-daemon clang libclang-rt-14-dev
          dpkg-dev clang-format lintian perl python3-jsonschema)

install_missing() {
    local missing=()
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S "$TOP" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVEX_WERROR="${KAVEX_WERROR:-OFF}" \
        ${CMAKE_EXTRA_ARGS:-}
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}

install_missing
build
