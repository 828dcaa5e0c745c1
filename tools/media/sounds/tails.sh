#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# How sounds end: for every FILE, its envelope (the peak level in dBFS of each 10 ms window) over its
# last MS milliseconds of sound (up to its last window above -60 dBFS), and how it ends: in a decay
# when its last window is below -40 dBFS and the window 50 ms before it below -30 dBFS (it takes at
# least 50 ms to fall the last 30 dB, as a sound dying away with a decay time of 100 ms or more); a
# STOP otherwise, as a sound cut off or faded out within a few ms while it is still loud.
# Usage: tails.sh [-m MS] FILE...   (MS: 200 by default). Works on any file sox or ffmpeg reads.
# Needs: sox, ffmpeg.
set -euo pipefail
ms=200
if [ "${1:-}" = -m ]; then
    ms="$2"
    shift 2
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for f in "$@"; do
    ffmpeg -nostdin -v error -i "$f" -ac 1 -c:a pcm_f32le -f wav -y "$work/t.wav"
    sox -V1 "$work/t.wav" -t dat - | awk -v ms="$ms" -v name="$(basename "$f")" '
        /^; Sample Rate/ { rate = $4 }
        !/^;/ { v = $2 < 0 ? -$2 : $2; w = int(n * 100 / rate); n++; if (v > p[w]) p[w] = v; if (v > 0.001) last = w }
        END {
            k = int(ms / 10); from = last - k + 1; if (from < 0) from = 0
            line = ""
            for (i = from; i <= w; i++) {
                d[i] = p[i] > 0 ? 20 * log(p[i]) / log(10) : -120
                if (i <= last) line = line sprintf(" %d", d[i])
            }
            before = last - 5 >= 0 ? d[last - 5] : -120
            ok = d[last] < -40 && before < -30
            printf "%-13s %s %3d dBFS 50 ms before its end; last %d ms (dBFS per 10 ms):%s\n", name, ok ? "decay" : "STOP ", before,
                (last - from + 1) * 10, line
        }'
done
