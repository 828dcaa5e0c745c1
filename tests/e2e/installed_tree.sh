#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch folder and checks what a desktop makes of it: the AppStream description
# names a desktop entry that is installed and valid, the entry's icon is there at every size, each PNG as
# large as its folder says, and the manual page formats without a warning and describes every option
# "nibsy --help" lists.
# Usage: installed_tree.sh <build folder> <the built nibsy>
set -euo pipefail
build=$1
nibsy=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$root/usr" >/dev/null
share=$root/usr/share
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli does not accept the installed tree"
entry=$share/applications/org.nibsy.Learning.desktop
desktop-file-validate "$entry" || fail "the installed desktop entry is not valid"

icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
for size in 16 24 32 48 64 128 256 512; do
    png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}x${size} icon $icon.png"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "the ${size}x${size} icon is ${width}x${height}"
done

page=$share/man/man6/nibsy.6.gz
[ -f "$page" ] || fail "no manual page"
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page formats with warnings: $warnings"
text=$(MANWIDTH=200 man -l "$page" 2>/dev/null | sed -n '/^OPTIONS/,/^[A-Z]/p')
# Under the sanitizers of the test build the leak check is left to the unit tests, as in menu_smoke.sh.
options=$(env -u DISPLAY ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$nibsy" --help | grep -o -- '--[a-z-]*' | sort -u)
[ -n "$options" ] || fail "nibsy --help lists no options"
for option in $options; do
    grep -q -- "$option\b" <<<"$text" || fail "the manual page's OPTIONS leave out $option"
done
echo "installed tree passed"
