#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every media and data file of data/ from its sources, deterministically: a rerun
# changes no byte. Usage: tools/media/generate.sh [pictures|sounds|texts]...
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(pictures sounds texts)
for step in "${steps[@]}"; do
    echo "== $step"
    bash "$here/$step.sh"
done
