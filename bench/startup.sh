#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the time from launching the suite to its menu window being shown, under a private Xvfb.
# Usage: bench/startup.sh [runs]   (builds the release build first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
source scripts/deps.sh
nibsy_install_deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target nibsy >/dev/null

display=:97
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

title="Nibsy Learning, Version 5.0"
total=0
for i in $(seq "$runs"); do
    start=$(date +%s%N)
    build-release/app/nibsy &
    app=$!
    until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do sleep 0.002; done
    end=$(date +%s%N)
    kill $app; wait $app 2>/dev/null || true
    ms=$(( (end - start) / 1000000 ))
    total=$(( total + ms ))
    echo "run $i: ${ms} ms"
done
echo "mean launch to menu shown: $(( total / runs )) ms over $runs runs"
