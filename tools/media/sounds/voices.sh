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
[ ${#voices[@]} -gt 0 ] || voices=(festival-slt-hts festival-slt-hts-plain festival-slt-hts-pitch festival-kal
    festival-ked flite-slt flite-slt-high flite-awb flite-rms flite-kal16 espeak-en-us+f3 espeak-en-us+f4)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for v in "${voices[@]}"; do
    NIBSY_SPEECH_VOICE="$v" bash "$here/../sounds.sh" "$work/$v" speech >/dev/null
    bash "$here/intelligibility.sh" "$work/$v" |
        awk -v v="$v" '{ s[$1] = $2 } END { printf "%-26s open %2d  closed %2d of 95\n", v, s["open"], s["closed"] }'
    rm -rf "${work:?}/$v"
done
