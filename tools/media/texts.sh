#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Lays the suite's text files into data/: the help file, the sound editor's catalogue, the default
# settings file and the media credits. Byte for byte the same on every run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
data="$(cd "$here/../.." && pwd)/data"
mkdir -p "$data"

cat "$here/texts/nibsy.hlp.html" >"$data/nibsy.hlp"
cat "$here/texts/sedit5.ini" >"$data/sedit5.ini"
cat "$here/CREDITS" >"$data/CREDITS"

# The default settings, one line per group of values, CR LF line ends (see src/shell/Settings.h).
printf '%s\r\n' \
    '2,20' \
    '2,9' \
    '1,1,8' \
    '1,0' \
    '0,1,0' \
    '8,8,6,10' \
    '1' \
    '"Player 1",2,1' \
    '"Player 2",3,1' \
    '"Player 3",3,1' \
    '"Player 4",3,1' \
    '0' \
    '1' \
    '"Player 1"' \
    '"Player 2"' \
    '"Player 3"' \
    '"Player 4"' \
    '1,1,4' \
    '0' \
    '1,6' \
    '1' \
    '1,0' \
    '5,3' >"$data/nibsy51.ini"

chmod 644 "$data/nibsy.hlp" "$data/sedit5.ini" "$data/nibsy51.ini"
