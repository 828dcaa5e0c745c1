#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the AppStream description (packaging/screenshots/*.png): starts the suite under
# a private X server at twice the size, as a child sees it on a large screen, and photographs the menu and
# a few activities. Each window is taken by itself (xwd -id), without the desktop around it.
# Usage: scripts/screenshots.sh [build folder]
# The build folder must hold app/ and tests/nibsy_list_activities; without one, build-screenshots/ is
# configured with the tests and those two are built.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
nibsy_install_deps x11-apps imagemagick

build=${1:-}
if [ -z "$build" ]; then
    build="build-screenshots"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
    cmake --build "$build" --target nibsy nibsy_list_activities
fi
out=$PWD/packaging/screenshots
factor=2
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; exit 1; }

# A copy of the built suite with the shipped settings, and a home of its own, so that nothing the
# developer has changed or chosen shows.
cp -r "$build/app/." "$work/app"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
QT_QPA_PLATFORM=offscreen "$build/tests/nibsy_list_activities" >"$work/activities"

exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 2560x1600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# Waits until a visible window of that exact title exists; prints its id.
window() {
    for _ in $(seq 300); do
        kill -0 "$app_pid" 2>/dev/null || return 1
        if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# The centre of that menu button, in the suite's pixels.
button() { awk -v t="$1" '{ x = $1; y = $2; $1 = $2 = ""; sub(/^ +/, "") } $0 == t { print x, y }' "$work/activities"; }
# Clicks that menu button and waits for its window.
open() {
    local x y
    read -r x y < <(button "$1")
    [ -n "${y:-}" ] || fail "no menu button opens $1"
    xdotool mousemove --window "$menu" $((x * factor)) $((y * factor)) click 1
    win=$(window "$1") || fail "$1 did not open"
    xdotool windowfocus "$win" 2>/dev/null || true
}
# Photographs that window into packaging/screenshots/NAME.png once its drawing has settled.
shot() {
    sleep 1.5
    xwd -id "$1" -silent | convert xwd:- -strip "$out/$2.png"
    echo "$out/$2.png"
}
back() {
    xdotool key alt+x
    menu=$(window "Nibsy Learning, Version 5.0") || fail "the menu did not come back"
}

mkdir -p "$out"
"$work/app/nibsy" --scale=$factor &
app_pid=$!
menu=$(window "Nibsy Learning, Version 5.0") || fail "the menu did not show"
shot "$menu" menu

# Letter Fun's first choice, the ABC Song (Tab takes the focus to it, Space presses it), a letter and its
# picture at a time; Stop (Alt+S) ends it.
open "Letter Fun"
xdotool key Tab space
shot "$win" letter-fun
xdotool key alt+s
sleep 0.5
back

# Telling Time's first choice, Learn About Telling Time, shows the clock face.
open "Telling Time"
xdotool key space
shot "$win" telling-time
xdotool key alt+s
sleep 0.5
back

# A game of Matching Fun, just begun (New Game, Alt+N); Stop (Alt+S) ends it.
open "Matching Fun"
xdotool key alt+n
shot "$win" matching-fun
xdotool key alt+s
sleep 0.5
back
