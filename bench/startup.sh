#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the time from launching the suite to its menu window being mapped, under a private Xvfb, side by
# side with a bare Qt Widgets window of the menu's size and the same window showing a line of text
# (bench/BareWindow.cpp): runs of the three alternate, after one untimed run of each, and the medians and
# the suite's ratios to both are printed. bench/LaunchTimer.cpp starts each program and waits for the map
# on the X connection, so nothing polls beside the program.
# Usage: bench/startup.sh [runs [suite options]]   (runs of each, 9 unless given; builds the release build
# first). The suite's options (such as --scale=3) are given to it alone; a factor it is given is kept in
# a home of the script's own. NIBSY_BENCH_SCREEN=WxH sets the screen (1280x1024 unless given).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
[ $# -gt 0 ] && shift
options=("$@")
source scripts/deps.sh
nibsy_install_deps libxcb1-dev
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target nibsy nibsy_bare_window nibsy_launch_timer >/dev/null

# Xvfb picks a free display itself and names it on the descriptor given, so runs side by side do not clash;
# it must not reset when its last client goes, or the next program may find no server while it does.
displayfile=$(mktemp)
Xvfb -displayfd 3 -noreset -screen 0 "${NIBSY_BENCH_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
HOME=$(mktemp -d)
XDG_CONFIG_HOME=$HOME/.config
export HOME XDG_CONFIG_HOME
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$displayfile" "$HOME"' EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$displayfile")
xdotool getdisplaygeometry >/dev/null

# Milliseconds from starting the program ($2 and on) to the server mapping its window titled $1.
launch_ms() {
    build-release/bench/nibsy_launch_timer "$@"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

suite=("Nibsy Learning, Version 5.0" build-release/app/nibsy "${options[@]}")
bare=("Nibsy bare window" build-release/bench/nibsy_bare_window)
text=("Nibsy bare window with text" build-release/bench/nibsy_bare_window --text)
launch_ms "${suite[@]}" >/dev/null
launch_ms "${bare[@]}" >/dev/null
launch_ms "${text[@]}" >/dev/null
suite_ms=()
bare_ms=()
text_ms=()
for i in $(seq "$runs"); do
    suite_ms+=("$(launch_ms "${suite[@]}")")
    bare_ms+=("$(launch_ms "${bare[@]}")")
    text_ms+=("$(launch_ms "${text[@]}")")
    echo "run $i: suite ${suite_ms[-1]} ms, bare window ${bare_ms[-1]} ms, with text ${text_ms[-1]} ms"
done
suite_median=$(printf '%s\n' "${suite_ms[@]}" | median)
bare_median=$(printf '%s\n' "${bare_ms[@]}" | median)
text_median=$(printf '%s\n' "${text_ms[@]}" | median)
echo "median launch to menu shown: ${suite_median} ms over $runs runs"
echo "median launch to bare window shown: ${bare_median} ms over $runs runs"
echo "median launch to bare window with one line of text shown: ${text_median} ms over $runs runs"
awk -v s="$suite_median" -v b="$bare_median" -v t="$text_median" \
    'BEGIN { printf "ratio: %.2f (against the window with text: %.2f)\n", s / b, s / t }'
