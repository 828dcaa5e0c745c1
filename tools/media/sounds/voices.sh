#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Trial of the speaking voices that sounds.sh knows: makes every spoken prompt of speech.tsv in each
# voice (as sounds.sh makes them, finished and levelled) and scores it with intelligibility.sh.
# Prints one line per voice: its name and the open and closed scores.
# Usage: voices.sh [VOICE...]   (all of them by default)
# Needs: what sounds.sh and intelligibility.sh need, and espeak-ng for the espeak voices,
# festvox-kallpc16k and festvox-kdlpc16k for Festival's diphone voices.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
voices=("$@")
[ ${#voices[@]} -gt 0 ] || voices=(
    flite:slt:stretch=1.1 flite:slt:stretch=1.1:f0=280 flite:slt:stretch=1.3 flite:awb:stretch=1.1
    flite:rms:stretch=1.1 flite:kal16:stretch=1.1
    festival:cmu_us_slt_arctic_hts:stretch=1.1 festival:cmu_us_slt_arctic_hts:stretch=1.3
    festival:cmu_us_slt_arctic_hts:stretch=1.1:pitch=200 festival:kal_diphone:stretch=1.1
    festival:ked_diphone:stretch=1.1 espeak:en-us+f3:stretch=1.1 espeak:en-us+f4:stretch=1.1)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for v in "${voices[@]}"; do
    d="$work/${v//[:=+]/_}"
    if ! NIBSY_SPEECH_VOICE="$v" NIBSY_SPEECH_TRIAL=1 bash "$here/../sounds.sh" "$d" speech >"$work/log" 2>&1; then
        printf '%-50s failed: %s\n' "$v" "$(tail -1 "$work/log")"
        continue
    fi
    bash "$here/intelligibility.sh" "$d" |
        awk -v v="$v" '{ s[$1] = $2 } END { printf "%-50s open %2d  closed %2d of 95\n", v, s["open"], s["closed"] }'
    rm -rf "$d"
done
