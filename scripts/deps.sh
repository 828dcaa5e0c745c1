#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing the suite need, when they are missing.
# Sourced by run.sh and test.sh.
set -euo pipefail

NIBSY_PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-base-private-dev qt6-multimedia-dev qt6-svg-dev libgl-dev libcups2-dev cups-daemon cups-client
    libgtest-dev libgmock-dev libbenchmark-dev libebur128-dev libsoxr-dev
    fonts-comic-neue fonts-liberation fonts-stix fonts-symbola fonts-urw-base35
    pulseaudio pulseaudio-utils xvfb xauth xdotool poppler-utils reuse
    desktop-file-utils appstream man-db dpkg-dev file
)

nibsy_install_deps() {
    local missing=()
    for p in "${NIBSY_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
