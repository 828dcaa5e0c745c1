#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Trial of the speaking voices that sounds.sh knows: makes every spoken prompt of speech.tsv in each
# voice (as sounds.sh makes them, finished and levelled) and scores it with intelligibility.sh.
# Prints one line per voice: its name and the open and closed scores.
# The trial as it came out (closed grammar, of 95 words; open language model in brackets):
#   flite:awb:stretch=1.1:f0=170                          90 (62)   the suite's voice
#   flite:awb:stretch=1.1                                  89 (59)
#   flite:rms:stretch=1.1                                  87 (58)
#   flite:slt:stretch=1.1:f0=280                           82 (36)   the best female voice
#   flite:slt:stretch=1.1                                  81 (39)
#   flite:slt:stretch=1.3:f0=280                           78 (38)
#   festival:cmu_us_slt_arctic_hts:stretch=1.1             76 (42)
#   espeak:en-us+f4:stretch=1.1                            39 (4)
#   festival:cmu_us_slt_arctic_hts:stretch=1.11:pitch=300  27 (2)    pitch raised by sox, formants kept
#   festival:cmu_us_slt_arctic_hts:stretch=0.885:speed=1.19 26 (3)   pitch and formants raised
# The recogniser's models are of adult speech: raising the formants, or shifting the pitch after the
# voice has spoken, costs most of the words, while a voice's own pitch target (flite's f0) costs none.
# Usage: voices.sh [VOICE...]   (all of them by default)
# Needs: what sounds.sh and intelligibility.sh need, festival and festvox-us-slt-hts for Festival's
# voices (festvox-kallpc16k, festvox-kdlpc16k for its diphone voices kal_diphone, ked_diphone), and
# espeak-ng for the espeak voices.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
voices=("$@")
[ ${#voices[@]} -gt 0 ] || voices=(
    flite:awb:stretch=1.1:f0=170 flite:awb:stretch=1.1 flite:rms:stretch=1.1 flite:slt:stretch=1.1:f0=280
    flite:slt:stretch=1.1 flite:slt:stretch=1.3:f0=280 festival:cmu_us_slt_arctic_hts:stretch=1.1
    espeak:en-us+f4:stretch=1.1 festival:cmu_us_slt_arctic_hts:stretch=1.11:pitch=300
    festival:cmu_us_slt_arctic_hts:stretch=0.885:speed=1.19)
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
