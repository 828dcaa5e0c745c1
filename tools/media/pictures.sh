#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every picture of data/ from its vector source, deterministically (a rerun changes no byte):
#   1. cuts the SVGs named in pictures/sources.tsv out of the Iconify icon sets (npm) and copies our
#      own drawings from pictures/own/ into pictures/svg/;
#   2. builds the converter (tools/svg2wmf) in build-tools/ and draws every picture of
#      pictures/names.txt from pictures/svg/<name>.svg: metafiles as data/<name>, the one bitmap
#      (xylo.bmp) as a 32-bit BMP with transparency (BITMAPV5) of the size Letter Fun shows it;
#   3. draws them all with the suite's own renderer into tools/media/contact-sheet.png, each with its
#      word under it (the second column of names.txt, else the file name without its suffix).
# Needs (Debian): nodejs npm cmake g++ qt6-base-dev qt6-svg-dev qt6-multimedia-dev (the last only
# because the project configures as a whole). Installs no system package; the
# icon sets are fetched with npm into a scratch folder (NIBSY_ICONS, default /tmp/nibsy-icons).
# Without network the SVGs already in pictures/svg/ are used as they are.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
pics="$here/pictures"
icons="${NIBSY_ICONS:-/tmp/nibsy-icons}"
build="$root/build-tools"
# Letter Fun's picture places are 2655 x 2775 twips: 177 x 185 pixels.
bitmap_size=177x185
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

missing=()
for tool in node npm cmake c++ sha256sum; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "pictures: missing ${missing[*]}; install the Debian packages nodejs npm cmake g++ coreutils" >&2
    exit 1
fi

# 1. Sources.
mkdir -p "$icons"
if (cd "$icons" && npm install --no-save --no-audit --no-fund --loglevel=error \
        @iconify-json/fluent-emoji-flat@1.2.6 @iconify-json/twemoji@1.2.5 >/dev/null); then
    node "$pics/extract.mjs" "$icons"
else
    echo "pictures: npm could not fetch the icon sets; using the SVGs in $pics/svg as they are" >&2
fi

# 2. The converter, then every picture.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DNIBSY_SANITIZE=OFF >/dev/null ||
        { echo "pictures: cmake failed; needed: qt6-base-dev qt6-svg-dev qt6-multimedia-dev" >&2; exit 1; }
fi
cmake --build "$build" -j2 --target svg2wmf contactsheet >/dev/null
svg2wmf="$build/tools/svg2wmf/svg2wmf"
contactsheet="$build/tools/svg2wmf/contactsheet"

written=()
sheet=()
while IFS=$'\t' read -r name caption; do
    case "$name" in ''|'#'*) continue ;; esac
    svg="$pics/svg/${name%.*}.svg"
    [ -f "$svg" ] || { echo "pictures: no source $svg for $name" >&2; exit 1; }
    case "${name,,}" in
        *.bmp) "$svg2wmf" --bmp "$bitmap_size" "$svg" "$root/data/$name" ;;
        *.wmf) "$svg2wmf" "$svg" "$root/data/$name" ;;
        *) echo "pictures: unknown picture type $name" >&2; exit 1 ;;
    esac
    written+=("$root/data/$name")
    sheet+=("$root/data/$name=${caption:-${name%.*}}")
done < "$pics/names.txt"

# 3. The contact sheet, drawn by the suite's own renderer.
"$contactsheet" "$here/contact-sheet.png" "${sheet[@]}"
echo "pictures: ${#written[@]} pictures written to data/, contact sheet in tools/media/contact-sheet.png"
