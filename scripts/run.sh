#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a release build of Nibsy Learning and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
nibsy_install_deps

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target nibsy
exec build-release/app/nibsy "$@"
