#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the suite's icon, packaging/nibsy.svg, at the hicolor theme's usual sizes into
# packaging/icons/<size>x<size>/nibsy.png. Run it again after changing the drawing and commit the PNGs.
# Needs Debian's librsvg2-bin (rsvg-convert).
set -euo pipefail
cd "$(dirname "$0")/../.."
svg=packaging/nibsy.svg
for size in 16 24 32 48 64 128 256 512; do
    mkdir -p "packaging/icons/${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --format png "$svg" \
        --output "packaging/icons/${size}x${size}/nibsy.png"
done
