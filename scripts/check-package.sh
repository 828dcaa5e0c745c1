#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package into a fresh Debian bookworm (a chroot made with debootstrap) as a family
# would, with apt-get, and starts the suite there by its desktop entry's command, as a user, under a private
# X server and a private sound server: the menu must show, Letter Fun must open and its ABC Song must play
# (through the media module), and the user's settings file must be made in ~/.local/share/nibsy.
# Needs root (chroot, mounts) and Debian's debootstrap.
# Usage: sudo scripts/check-package.sh [package] [chroot folder]
#   package        default dist/nibsy_<version>_amd64.deb, made by scripts/package.sh
#   chroot folder  default /var/tmp/nibsy-bookworm; made when it does not exist, else used again
set -euo pipefail
cd "$(dirname "$0")/.."
debs=(dist/nibsy_*_amd64.deb)
deb=${1:-${debs[0]}}
root=${2:-/var/tmp/nibsy-bookworm}
[ -f "$deb" ] || { echo "check-package.sh: no package $deb (scripts/package.sh makes it)" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh: run it as root" >&2; exit 1; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
    cat >"$root/etc/apt/sources.list" <<'SOURCES'
deb http://deb.debian.org/debian bookworm main
deb http://deb.debian.org/debian bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mounted=()
# Processes still running in the chroot (a sound server on its way out) hold its /dev.
in_use() {
    local p
    for p in /proc/[0-9]*; do [ "$(readlink "$p/root" 2>/dev/null)" = "$(readlink -f "$root")" ] && return 0; done
    return 1
}
unmount() {
    for _ in $(seq 50); do in_use || break; sleep 0.1; done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" || true; done
}
trap unmount EXIT
for fs in proc dev; do
    if ! mountpoint -q "$root/$fs"; then
        if [ "$fs" = proc ]; then mount -t proc proc "$root/proc"; else mount --bind /dev "$root/dev"; fi
        mounted+=("$root/$fs")
    fi
done
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$deb" "$root/root/"
name=$(basename "$deb")
in_root apt-get update -qq
in_root apt-get install -y --reinstall "/root/$name"
# What the check itself uses; the suite's own needs came with the package.
in_root apt-get install -y -qq --no-install-recommends xvfb xdotool pulseaudio-utils
in_root id child >/dev/null 2>&1 || in_root useradd -m child
in_root rm -rf /home/child/.local/share/nibsy /home/child/.config/nibsy

cat >"$root/root/start-check.sh" <<'CHECK'
#!/bin/bash
set -u
fail() { echo "FAIL: $*" >&2; status=1; }
status=0
Xvfb :5 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=:5
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
command=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=//p' /usr/share/applications/org.nibsy.Learning.desktop)
echo "the desktop entry's command: $command"
rt=/tmp/runtime-child
mkdir -p $rt && chown child $rt && chmod 700 $rt
as_child() { su - child -c "XDG_RUNTIME_DIR=$rt DISPLAY=:5 $1"; }
as_child "pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load=module-native-protocol-unix \
    --load='module-null-sink sink_name=nullsink'" >/dev/null 2>&1
as_child "$command >/tmp/nibsy.log 2>&1 & echo \$! >/tmp/nibsy.pid"
wait_for() {
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
if menu=$(wait_for "Nibsy Learning, Version 5.0"); then
    echo "the menu shows"
    xdotool mousemove --window "$menu" 260 36 click 1
    if win=$(wait_for "Letter Fun"); then
        echo "Letter Fun opens"
        xdotool windowfocus "$win" 2>/dev/null
        xdotool key Tab space
        played=""
        for _ in $(seq 50); do
            played=$(as_child "pactl list short sink-inputs" 2>/dev/null)
            [ -n "$played" ] && break
            sleep 0.2
        done
        [ -n "$played" ] && echo "the ABC Song plays" || fail "the ABC Song plays no sound"
    else
        fail "Letter Fun did not open"
    fi
else
    fail "the menu did not show; windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null)"
fi
[ -f /home/child/.local/share/nibsy/nibsy51.ini ] && echo "the user's settings are in ~/.local/share/nibsy" ||
    fail "no settings file in ~/.local/share/nibsy"
kill "$(cat /tmp/nibsy.pid)" 2>/dev/null
as_child "pulseaudio --kill" >/dev/null 2>&1
sleep 0.5
kill $xvfb
echo "--- the suite's output:"; cat /tmp/nibsy.log
exit $status
CHECK
chmod +x "$root/root/start-check.sh"
in_root /root/start-check.sh
echo "package check passed"
