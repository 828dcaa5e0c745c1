#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The monkey's walk over the suite's windows with the real services, for as long as asked: real clock and
# waits, sound through a private PulseAudio server with a null sink and source (so recording runs too),
# printing to a PDF file in a scratch folder, under a private Xvfb with openbox where it is installed.
# Every minute it prints the events sent, the windows reached, the crashes, hangs (no event handled for
# 10 s) and breaches of the suite's rules seen so far, and the memory of the walk: its RSS, and the heap
# it holds (without what the allocator keeps for later). A walk that ends
# early is reported with its seed and started again with the next seed.
# Usage: scripts/monkey.sh [--plain] MINUTES [SEED]
# The walk is built in build-test/ with the sanitizers, as scripts/test.sh does; with --plain it is built in
# build-plain/ without them, so that the memory printed is the suite's own and not the sanitizers' (whose
# records of every allocation grow for as long as the walk runs).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-test sanitize=ON
if [ "${1:-}" = --plain ]; then
    build=build-plain sanitize=OFF
    shift
fi
minutes=${1:?usage: monkey.sh [--plain] MINUTES [SEED]}
seed=${2:-$RANDOM$RANDOM}
source scripts/deps.sh
nibsy_install_deps

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DNIBSY_SANITIZE="$sanitize" -DNIBSY_FUZZ="$sanitize" >/dev/null
cmake --build "$build" -j "$(nproc)" --target nibsy_monkey >/dev/null
monkey=$PWD/$build/tests/nibsy_monkey

work=$(mktemp -d)
chmod 700 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    pulseaudio --kill >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work" PULSE_RUNTIME_PATH="$work/pulse"
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --disallow-exit \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=nullsink" \
    --load="module-null-source source_name=nullsrc" >/dev/null 2>&1 ||
    echo "warning: no sound server could be started"

exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

export QT_QPA_PLATFORM=xcb
# The sanitizers watch the walk; leaks are left to the unit tests.
# A small quarantine keeps the sanitizer's own hold on freed memory from hiding the walk's.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:strict_string_checks=1:quarantine_size_mb=16:suppressions=$PWD/tests/asan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

end=$(($(date +%s) + minutes * 60))
done_events=0 crashes=0 hangs=0 breaches=0 minute=0
rss5=- rss_last=- heap5=- heap_last=- minute_last=0 all_at='' rss_all=-
touch "$work/windows"
next_report=$(($(date +%s) + 60))
echo "monkey: $minutes minutes from seed $seed"
# The last status line of the walk that runs: events so far and the windows reached.
status() { grep '^status ' "$work/run.log" 2>/dev/null | tail -n1 || true; }
while [ "$(date +%s)" -lt "$end" ]; do
    left=$(((end - $(date +%s) + 59) / 60))
    "$monkey" --real --report --seed "$seed" --minutes "$left" >"$work/run.log" 2>"$work/run.err" &
    pid=$!
    pids+=("$pid")
    while kill -0 "$pid" 2>/dev/null; do
        sleep 1
        if [ "$(date +%s)" -ge "$end" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
        fi
        if [ "$(date +%s)" -ge "$next_report" ]; then
            next_report=$((next_report + 60))
            minute=$((minute + 1))
            line=$(status)
            events=$(sed -n 's/.*events=\([0-9]*\).*/\1/p' <<<"$line")
            tr ',' '\n' <<<"$(sed -n 's/.*windows=\([^ ]*\).*/\1/p' <<<"$line")" >>"$work/windows"
            reached=$(sort -u "$work/windows" | grep -c . || true)
            rss=$(awk '/VmRSS/ {print int($2 / 1024)}' "/proc/$pid/status" 2>/dev/null || echo "-")
            heap=$(sed -n 's/.* heap=\([0-9]*\).*/\1/p' <<<"$line")
            heap=${heap:--}
            echo "minute $minute: events $((done_events + ${events:-0})), windows reached $reached," \
                "crashes $crashes, hangs $hangs, breaches $breaches, rss ${rss} MB, heap ${heap} MB"
            [ "$minute" -eq 5 ] && rss5=$rss heap5=$heap
            rss_last=$rss heap_last=$heap minute_last=$minute
            if [ -z "$all_at" ] && [ -n "$line" ] && [ -z "$(sed -n 's/.*missing=\([^ ]*\).*/\1/p' <<<"$line")" ]; then
                all_at=$minute rss_all=$rss
                echo "minute $minute: every window reached, rss ${rss} MB"
            fi
        fi
    done
    rc=0
    wait "$pid" || rc=$?
    line=$(status)
    events=$(sed -n 's/.*events=\([0-9]*\).*/\1/p' <<<"$line")
    tr ',' '\n' <<<"$(sed -n 's/.*windows=\([^ ]*\).*/\1/p' <<<"$line")" >>"$work/windows"
    done_events=$((done_events + ${events:-0}))
    if [ "$(date +%s)" -ge "$end" ]; then
        break
    fi
    case $rc in
    0) ;;
    2) breaches=$((breaches + 1)) ;;
    3) hangs=$((hangs + 1)) ;;
    *) crashes=$((crashes + 1)) ;;
    esac
    if [ "$rc" -ne 0 ]; then
        echo "seed $seed ended with status $rc:"
        grep -E 'BREACH|HANG|ERROR|runtime error|SUMMARY' "$work/run.err" | head -n 5 || true
    fi
    seed=$((seed + 1))
done
sort -u "$work/windows" | grep . | tr '\n' ' ' | sed 's/^/windows reached: /;s/ $/\n/'
echo "monkey: $done_events events, crashes $crashes, hangs $hangs, breaches $breaches"
# The memory at the end against minute 5, and against the minute every window had first been opened
# (the caches of pictures and glyphs fill as new windows are drawn, and stop growing once all have been).
growth() { awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b ~ /^[0-9]+$/) printf "%+.0f %%", (b - a) * 100 / a; else print "-" }'; }
echo "memory: rss at minute 5 ${rss5} MB, at minute $minute_last ${rss_last} MB ($(growth "$rss5" "$rss_last"));" \
    "heap ${heap5} MB and ${heap_last} MB ($(growth "$heap5" "$heap_last"))"
if [ -n "$all_at" ]; then
    echo "memory: every window reached at minute $all_at with ${rss_all} MB; since then $(growth "$rss_all" "$rss_last")"
fi
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ] && [ "$breaches" -eq 0 ]
