#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the time from launching the suite to its menu window being shown, under a private Xvfb, side by
# side with a bare Qt Widgets window of the menu's size (bench/BareWindow.cpp): runs of the two alternate,
# after one untimed run of each, and the medians and their ratio are printed.
# Usage: bench/startup.sh [runs]   (runs of each, 9 unless given; builds the release build first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
source scripts/deps.sh
nibsy_install_deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target nibsy nibsy_bare_window >/dev/null

# Xvfb picks a free display itself and names it on the descriptor given, so runs side by side do not clash;
# it must not reset when its last client goes, or the next program may find no server while it does.
displayfile=$(mktemp)
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$displayfile")
xdotool getdisplaygeometry >/dev/null

# Milliseconds from starting the program ($1) to a visible window titled $2.
launch_ms() {
    local start end app
    start=$(date +%s%N)
    "$1" &
    app=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        kill -0 $app 2>/dev/null || { echo "$1 ended before showing its window" >&2; exit 1; }
        sleep 0.002
    done
    end=$(date +%s%N)
    kill $app
    wait $app 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

suite=(build-release/app/nibsy "Nibsy Learning, Version 5.0")
bare=(build-release/bench/nibsy_bare_window "Nibsy bare window")
launch_ms "${suite[@]}" >/dev/null
launch_ms "${bare[@]}" >/dev/null
suite_ms=()
bare_ms=()
for i in $(seq "$runs"); do
    suite_ms+=("$(launch_ms "${suite[@]}")")
    bare_ms+=("$(launch_ms "${bare[@]}")")
    echo "run $i: suite ${suite_ms[-1]} ms, bare window ${bare_ms[-1]} ms"
done
suite_median=$(printf '%s\n' "${suite_ms[@]}" | median)
bare_median=$(printf '%s\n' "${bare_ms[@]}" | median)
echo "median launch to menu shown: ${suite_median} ms over $runs runs"
echo "median launch to bare window shown: ${bare_median} ms over $runs runs"
awk -v s="$suite_median" -v b="$bare_median" 'BEGIN { printf "ratio: %.2f\n", s / b }'
