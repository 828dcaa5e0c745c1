#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real suite under a private X server and uses it as a person would: --help and --version
# print without a display; the menu shows, Exit
# writes the settings back byte for byte; F1 opens help; Return presses the focused button; a missing
# picture ends the suite with status 1 after its message; a short settings file shows the message and no
# menu, and the file is left as it was.
# On a 3840 x 2160 screen the menu takes about 60 % of the width by default, --scale=1 gives the menu of
# old and is kept for the next start, --scale=auto chooses from the screen again.
# Installed into a prefix that is then left read-only, the suite starts from it, an Exit writes the
# user's settings into their own data folder, and nothing in the prefix changes.
# Usage: menu_smoke.sh <folder with the built nibsy and its data> <the activity lister> <the build folder>
# NIBSY_SMOKE_SCALE=F runs the walk at --scale=F on a 3840 x 2160 screen; NIBSY_SCREENSHOTS=DIR keeps a
# screenshot of every window there.
set -euo pipefail
built=$1
lister=$2
build=$3
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cp -r "$built"/. "$work/app"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
# The drawing factor the suite keeps for later starts goes to a home of the test's own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
mkdir -p "$HOME"
factor=${NIBSY_SMOKE_SCALE:-1}
options=() screen=1280x1024
if [ "$factor" != 1 ]; then
    options=(--scale="$factor") screen=3840x2160
fi
# A length in the suite's pixels as the screen shows it at the factor.
px() { awk -v v="$1" -v f="$factor" 'BEGIN { printf "%d", v * f + 0.5 }'; }
click_at() { xdotool mousemove --window "$1" "$(px "$2")" "$(px "$3")" click 1; }
# The sanitizer options of the test run hold here too, but for the leak check, which is left to the
# unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
# The activities on the menu: their buttons' centres and their captions.
QT_QPA_PLATFORM=offscreen "$lister" >"$work/activities"
[ -s "$work/activities" ] || fail "no activity is on the menu"

# Xvfb picks a free display and names it on descriptor 3. Without -noreset it resets whenever its last
# client leaves, and a suite started just after the previous one ended can find no server to talk to.
# 0. The options and the version are printed without a display.
usage=$(env -u DISPLAY "$work/app/nibsy" --help | head -n1)
[ "$usage" = "Usage: nibsy [options]" ] || fail "nibsy --help began \"$usage\""
version=$(env -u DISPLAY "$work/app/nibsy" --version)
[ "$version" = "Nibsy Learning 5.0" ] || fail "nibsy --version said \"$version\""

# xserver WxH: a private X server of that size, in place of the one before.
xserver() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    exec 3>"$work/display"
    Xvfb -displayfd 3 -noreset -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    xdotool getdisplaygeometry >/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb does not answer"; }
}
xserver "$screen"

# Waits until a visible window of that exact title exists; prints its id.
window() {
    for _ in $(seq 300); do
        if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then
            echo "the suite ended while a window titled \"$1\" was awaited" >&2
            return 1
        fi
        if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# Waits for the suite to end and sets rc to its exit status. It runs in this shell, not in a subshell:
# only the shell that started the suite can collect its status.
ended() {
    for _ in $(seq 300); do
        if ! kill -0 "$app_pid" 2>/dev/null; then
            rc=0
            wait "$app_pid" || rc=$?
            app_pid=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# 1. A good settings file: the menu shows; clicking Exit saves and ends.
ini="$work/app/nibsy51.ini"
printf '2,7\r\n2,9\r\n1,1,8\r\n1,0\r\n0,1,0\r\n8,8,6,10\r\n1\r\n"Anna, Ben",2,1\r\n"Player 2",3,1\r\n"Player 3",3,1\r\n"Player 4",3,1\r\n0\r\n1\r\n"Player 1"\r\n"Player 2"\r\n"Player 3"\r\n"Player 4"\r\n1,1,4\r\n1\r\n1,6\r\n1\r\n1,0\r\n5,3\r\n' >"$ini"
cp "$ini" "$work/expected.ini"
"$work/app/nibsy" "${options[@]}" &
app_pid=$!
menu=$(window "Nibsy Learning, Version 5.0") || fail "the menu did not show"
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$WIDTH" -eq "$(px 623)" ] && [ "$HEIGHT" -eq "$(px 276)" ] ||
    fail "menu client area is ${WIDTH}x${HEIGHT}, not $(px 623)x$(px 276)"
# Each activity button opens its window, which hides the menu; its Exit (Alt+X) brings the menu back.
while read -r x y title <&4; do
    click_at "$menu" "$x" "$y"
    win=$(window "$title") || fail "$title did not open"
    if xdotool search --onlyvisible --name "^Nibsy Learning, Version 5.0\$" >/dev/null 2>&1; then
        fail "the menu stayed visible while $title was open"
    fi
    if [ -n "${NIBSY_SCREENSHOTS:-}" ]; then
        xwd -root -silent | convert xwd:- "$NIBSY_SCREENSHOTS/${title// /_}.png" || true
    fi
    xdotool windowfocus "$win" 2>/dev/null || true
    if [ "$title" = "Nibsy Math" ]; then
        # Its first choice, which has the focus, opens the number scale modally; Stop (Alt+S) closes it.
        xdotool key space
        scale=$(window "Number Scale") || fail "the number scale did not open"
        if [ -n "${NIBSY_SCREENSHOTS:-}" ]; then
            xwd -root -silent | convert xwd:- "$NIBSY_SCREENSHOTS/Number_Scale.png" || true
        fi
        xdotool windowfocus "$scale" 2>/dev/null || true
        xdotool key alt+s
        win=$(window "Nibsy Math") || fail "closing the number scale did not bring Nibsy Math back"
        xdotool windowfocus "$win" 2>/dev/null || true
    fi
    case "$title" in
    "Matching Fun" | "Barnyard Fun" | "Memory Game")
        # New Game (Alt+N) starts a game: the Exit button reads "&Stop", so Alt+X does nothing until
        # Stop (Alt+S) ends the game.
        xdotool key alt+n
        sleep 0.5
        xdotool key alt+x
        sleep 0.5
        if xdotool search --onlyvisible --name "^Nibsy Learning, Version 5.0\$" >/dev/null 2>&1; then
            fail "$title left at once: New Game did not start a game"
        fi
        if [ -n "${NIBSY_SCREENSHOTS:-}" ]; then
            xwd -root -silent | convert xwd:- "$NIBSY_SCREENSHOTS/${title// /_}_game.png" || true
        fi
        xdotool key alt+s
        sleep 0.5
        win=$(window "$title") || fail "$title went away when its game was stopped"
        xdotool windowfocus "$win" 2>/dev/null || true
        ;;
    esac
    if [ "$title" = "Snowman Math" ] || [ "$title" = "Bug Builder" ]; then
        # A game starts (Alt+N) and the first player takes a turn: an answer typed and entered, or Enter
        # on the flashing target. Once the turn's sounds and pauses are over, Stop (Alt+S) ends the game.
        xdotool key alt+n
        sleep 0.5
        if [ "$title" = "Snowman Math" ]; then
            xdotool type --delay 50 "7"
        fi
        xdotool key Return
        sleep 3
        if [ -n "${NIBSY_SCREENSHOTS:-}" ]; then
            xwd -root -silent | convert xwd:- "$NIBSY_SCREENSHOTS/${title// /_}_turn.png" || true
        fi
        win=$(window "$title") || fail "$title went away during a turn"
        xdotool windowfocus "$win" 2>/dev/null || true
        xdotool key alt+s
        sleep 0.5
    fi
    xdotool key alt+x
    menu=$(window "Nibsy Learning, Version 5.0") || fail "leaving $title did not bring the menu back"
done 4<"$work/activities"

rm "$ini"
# The Exit picture button: left 2040, top 3240 twips, 630 by 615.
click_at "$menu" 157 236
ended || fail "Exit did not end the suite"
[ "$rc" -eq 0 ] || fail "the suite ended with status $rc"
cmp -s "$ini" "$work/expected.ini" || fail "the settings file was not written back byte for byte"

# 2. F1 on the menu opens the help window, Escape closes it; Return on the focused "Letter Fun" button
# opens Letter Fun.
cp "$work/expected.ini" "$ini"
"$work/app/nibsy" "${options[@]}" &
app_pid=$!
menu=$(window "Nibsy Learning, Version 5.0") || fail "the menu did not show"
xdotool windowfocus "$menu" 2>/dev/null || true
xdotool key F1
helpwin=$(window "Nibsy Learning Help") || fail "F1 on the menu did not open the help window"
xdotool windowfocus "$helpwin" 2>/dev/null || true
xdotool key Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^Nibsy Learning Help\$" >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool windowfocus "$menu" 2>/dev/null || true
xdotool key Return
win=$(window "Letter Fun") || fail "Return on the focused Letter Fun button did not open Letter Fun"
xdotool windowfocus "$win" 2>/dev/null || true
xdotool key alt+x
menu=$(window "Nibsy Learning, Version 5.0") || fail "leaving Letter Fun did not bring the menu back"

# 3. A missing picture: opening Letter Fun tells which file is missing, and the suite ends with status 1.
rm -f "$work/app/APPLE.wmf"
click_at "$menu" 260 36
box=$(window "Nibsy Learning") || fail "no message for a missing picture"
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key Return
ended || fail "the suite did not end after the missing picture's message"
[ "$rc" -eq 1 ] || fail "the suite ended with status $rc after a missing picture"

# 4. A short settings file: the message, no menu, the file untouched.
head -c -5 "$work/expected.ini" >"$ini"
cp "$ini" "$work/short.ini"
"$work/app/nibsy" "${options[@]}" &
app_pid=$!
box=$(window "Nibsy Learning") || fail "no message box for a short settings file"
if xdotool search --onlyvisible --name "^Nibsy Learning, Version 5.0\$" >/dev/null 2>&1; then
    fail "the menu showed although the settings file is short"
fi
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key Return
ended || fail "the suite did not end after the message"
[ "$rc" -ne 0 ] || fail "the suite ended with status 0 after a failed start"
cmp -s "$ini" "$work/short.ini" || fail "the short settings file was changed"

# 5. A 3840 x 2160 screen. menu_width [OPTION]: starts the suite, prints the menu's width, and leaves by
# its Exit button.
xserver 3840x2160
cp "$work/expected.ini" "$ini"
rm -rf "$XDG_CONFIG_HOME" # no factor kept from the walk above
menu_width() {
    "$work/app/nibsy" "$@" &
    app_pid=$!
    menu=$(window "Nibsy Learning, Version 5.0") || fail "the menu did not show with ${*:-no options}"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove --window "$menu" $((157 * WIDTH / 623)) $((236 * WIDTH / 623)) click 1
    ended || fail "Exit did not end the suite on the big screen"
    echo "$WIDTH"
}
width=$(menu_width)
[ "$width" -ge 1900 ] || fail "on a 3840-pixel screen the menu is $width pixels wide, not 1900 or more"
[ "$(menu_width --scale=1)" -eq 623 ] || fail "--scale=1 did not give the 623-pixel menu"
[ "$(menu_width)" -eq 623 ] || fail "the factor 1 asked for was not kept for the next start"
[ "$(menu_width --scale=auto)" -eq "$width" ] || fail "--scale=auto did not choose from the screen again"
[ "$(menu_width)" -eq "$width" ] || fail "after --scale=auto the next start did not choose from the screen"

# 6. Installed. The first start makes the user's folder with the shipped settings; an Exit writes them
# there again; the prefix is never written.
xserver 1280x1024
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort && find . -type f -exec md5sum {} + | sort); }
listing >"$work/prefix.before"
export XDG_DATA_HOME="$work/data"
mine=$XDG_DATA_HOME/nibsy/nibsy51.ini
"$prefix/bin/nibsy" --scale=1 &
app_pid=$!
menu=$(window "Nibsy Learning, Version 5.0") || fail "the installed suite showed no menu"
cmp -s "$mine" "$prefix/share/nibsy/nibsy51.ini" || fail "the first start did not copy the shipped settings"
# What the suite read at the start is what its Exit writes, over whatever lies there meanwhile.
cp "$work/expected.ini" "$mine"
click_at "$menu" 157 236
ended || fail "Exit did not end the installed suite"
[ "$rc" -eq 0 ] || fail "the installed suite ended with status $rc"
cmp -s "$mine" "$prefix/share/nibsy/nibsy51.ini" || fail "Exit did not write the user's settings"
listing | cmp -s - "$work/prefix.before" || fail "the installed suite changed its prefix"
echo "menu smoke test passed"
