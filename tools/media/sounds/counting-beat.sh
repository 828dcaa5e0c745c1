#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Listen-check of the counting song as Counting Fun plays it: starts the suite under a private X
# server and a private PulseAudio whose only sink is a null sink, opens Counting Fun, starts the
# Counting Song and records the sink's monitor. Then finds every sound in the recording (a number
# word, then its song line) and prints when each starts and ends, the rest after it and the time
# from its start to the next one's (the beat the song keeps).
# Usage: bash counting-beat.sh APPDIR [OUT.wav]   APPDIR holds a built nibsy and its data (e.g.
# build-test/app); OUT keeps the recording.
# Needs: xvfb, xdotool, pulseaudio, pulseaudio-utils, sox.
set -euo pipefail
app="$(cd "$1" && pwd)"
keep="${2:-}"
work="$(mktemp -d)"
chmod 700 "$work"
xvfb_pid="" app_pid="" rec_pid=""
cleanup() {
    [ -z "$rec_pid" ] || kill "$rec_pid" 2>/dev/null || true
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    pulseaudio --kill >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work" PULSE_RUNTIME_PATH="$work/pulse"
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --disallow-exit --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=nullsink" >/dev/null 2>&1
unset QT_QPA_PLATFORM
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

window() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "counting-beat.sh: no window \"$1\"" >&2
    exit 1
}

# The recorder starts first, and the suite only once it is writing: a recorder started just before
# the song misses the song's first second while it connects.
parec --device=nullsink.monitor --format=s16le --rate=22050 --channels=1 --latency-msec=10 "$work/rec.raw" &
rec_pid=$!
for _ in $(seq 100); do
    [ "$(stat -c %s "$work/rec.raw" 2>/dev/null || echo 0)" -ge 22050 ] && break
    sleep 0.1
done
[ "$(stat -c %s "$work/rec.raw" 2>/dev/null || echo 0)" -ge 22050 ] ||
    { echo "counting-beat.sh: the recorder does not record" >&2; exit 1; }
cp -r "$app/." "$work/app"
"$work/app/nibsy" &
app_pid=$!
menu=$(window "Nibsy Learning, Version 5.0")
xdotool mousemove --window "$menu" 260 84 click 1
count=$(window "Counting Fun")
sleep 2
# The "Counting Song" button: the first of the choices, 408 x 64 pixels into the window.
xdotool mousemove --window "$count" 408 64 click 1
sleep "${NIBSY_RECORD_SECONDS:-22}"
kill "$rec_pid"
wait "$rec_pid" 2>/dev/null || true
rec_pid=""
sox -t raw -r 22050 -e signed-integer -b 16 -c 1 "$work/rec.raw" "$work/rec.wav"
[ -z "$keep" ] || cp "$work/rec.wav" "$keep"

# Sounds: runs of 1 ms windows above -50 dBFS, apart by at least 8 ms of quiet; a run shorter than
# 60 ms (a breath, the burst of a "t" or "x" after its closure) belongs to the sound before it. For
# each: its start and end (from the start of the first), its length, the quiet after it and the time
# from its start to the next one's.
sox "$work/rec.wav" -t dat - | awk '
    !/^;/ { v = $2 < 0 ? -$2 : $2; w = int(n / 22.05); n++; if (v > peak[w]) peak[w] = v }
    function found(a, b) { if (k > 0 && b - a < 60) e[k] = b; else { s[++k] = a; e[k] = b } }
    END {
        on = -1
        for (i = 0; i <= w; i++) {
            if (peak[i] > 0.00316) { if (on < 0) on = i; last = i }
            else if (on >= 0 && i - last >= 8) { found(on, last + 1); on = -1 }
        }
        if (on >= 0) found(on, last + 1)
        for (j = 1; j <= k; j++) {
            printf "sound %2d  %6d .. %6d ms (%4d ms)", j, s[j] - s[1], e[j] - s[1], e[j] - s[j]
            if (j < k) printf "  then %4d ms quiet, next starts %4d ms after it", s[j + 1] - e[j], s[j + 1] - s[j]
            printf "\n"
        }
    }'
