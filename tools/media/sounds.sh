#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every sound file (.wav) of data/: the spoken prompts, the alphabet and counting songs and
# the sound effects. Deterministic: a rerun writes the same bytes (sox always runs with -R).
# Sources, all in tools/media/sounds/:
#   names.txt     every .wav name the suite uses; the run checks that it made exactly these
#   speech.tsv    spoken prompts: file name and what the voice says
#   alphabet.txt  the alphabet song (Asing.wav .. Zsing.wav): notes, beats and words per letter
#   counting.txt  the counting song lines (cnt1.wav .. cnt5.wav)
#   effects.sh    the sound effects and animal sounds
# Needs the Debian packages flite and sox.
# Usage: sounds.sh [OUTDIR [PART...]]   OUTDIR defaults to data/; PART is speech, songs, effects or
# editor (all four by default; editor copies A.wav, so it needs speech made first).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/sounds"
out="$(mkdir -p "${1:-$here/../../data}" && cd "${1:-$here/../../data}" && pwd)"

missing=()
command -v flite >/dev/null || missing+=(flite)
command -v sox >/dev/null && command -v soxi >/dev/null || missing+=(sox)
if [ ${#missing[@]} -gt 0 ]; then
    echo "sounds.sh: missing tools; install the Debian packages: apt-get install ${missing[*]}" >&2
    exit 1
fi
flite -lv | grep -qw slt || { echo "sounds.sh: this flite has no slt voice (Debian package flite)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

RATE=22050
# The suite's one voice: flite's slt, raised to a bright, friendly pitch and slowed a little.
VOICE=(-voice slt --setf int_f0_target_mean=280 --setf duration_stretch=1.1)

# finish IN OUT [PEAK]: 22050 Hz, 16-bit mono, silence trimmed at both ends, peaks at PEAK dBFS (-1),
# a short lead-in and tail of silence.
finish() {
    sox -R "$1" -r $RATE -b 16 -c 1 "$2" silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse \
        norm "${3:--1}" pad 0.05 0.1
}

# say TEXT OUT [flite options...]: the voice speaking TEXT into OUT (raw flite output, 16 kHz).
say() {
    local text="$1" dest="$2"
    shift 2
    flite -voice slt "$@" -t "$text" -o "$dest"
}

# trimmed IN OUT: IN with its leading and trailing silence cut (no other change).
trimmed() {
    sox -R "$1" "$2" silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse
}

seconds() { soxi -D "$1"; }

# fit IN OUT SAMPLES: IN cut or padded with silence to exactly SAMPLES samples at 22050 Hz, mono.
fit() {
    local have
    have=$(soxi -s "$1")
    if [ "$(soxi -r "$1")" != $RATE ]; then
        echo "sounds.sh: fit: $1 is not at $RATE Hz" >&2
        exit 1
    fi
    if [ "$have" -ge "$3" ]; then
        sox -R "$1" -b 16 -c 1 "$2" trim 0 "${3}s"
    else
        sox -R "$1" -b 16 -c 1 "$2" pad 0 "$(($3 - have))s"
    fi
}

# hz NOTE: the frequency of a note name such as D4, F#4 or Bb3.
hz() {
    awk -v n="$1" 'BEGIN {
        split("C C# D D# E F F# G G# A A# B", names, " ")
        for (i = 1; i <= 12; i++) pc[names[i]] = i - 1
        pc["Db"] = 1; pc["Eb"] = 3; pc["Gb"] = 6; pc["Ab"] = 8; pc["Bb"] = 10
        match(n, /^[A-G][#b]?/); name = substr(n, 1, RLENGTH); oct = substr(n, RLENGTH + 1)
        if (!(name in pc) || oct !~ /^[0-9]$/) { print "bad note " n > "/dev/stderr"; exit 1 }
        printf "%.3f\n", 440 * 2 ^ ((pc[name] + 12 * (oct + 1) - 69) / 12)
    }'
}

calc() { awk "BEGIN { printf \"%.6f\n\", $* }"; }

# ---- spoken prompts ------------------------------------------------------------------------------
speak_all() {
    local file text _heard n=0
    while IFS=$'\t' read -r file text _heard; do
        [[ -z "$file" || "$file" == \#* ]] && continue
        flite "${VOICE[@]}" -t "$text" -o "$work/raw.wav"
        finish "$work/raw.wav" "$out/$file"
        n=$((n + 1))
    done <"$src/speech.tsv"
    echo "spoken prompts: $n"
}

# ---- songs ---------------------------------------------------------------------------------------
# sing_segment NOTES BEATS BEAT_MS CUT_MS WORDS OUT: one segment of a song line, exactly BEATS beats
# less CUT_MS long.
sing_segment() {
    local notes="$1" beats="$2" beat="$3" cut="$4" words="$5" dest="$6"
    local samples dur note f first="" plucks=() i=0
    samples=$(awk -v b="$beats" -v ms="$beat" -v c="$cut" -v r=$RATE 'BEGIN { printf "%d", (b * ms - c) * r / 1000 + 0.5 }')
    [ "$samples" -ge $((RATE / 5)) ] || { echo "sounds.sh: a sung note of $beats beats is too short" >&2; exit 1; }
    dur=$(calc "$samples / $RATE")

    # The melody: a soft plucked string on every note (and one an octave down, for warmth).
    IFS='+' read -r -a notelist <<<"$notes"
    for note in "${notelist[@]}"; do
        f=$(hz "$note")
        [ -n "$first" ] || first=$f
        sox -R -n -r $RATE -b 16 -c 1 "$work/pluck$i.wav" synth "$dur" pluck "$f" vol 0.22
        sox -R -n -r $RATE -b 16 -c 1 "$work/pluckb$i.wav" synth "$dur" pluck "$(calc "$f / 2")" vol 0.10
        plucks+=("$work/pluck$i.wav" "$work/pluckb$i.wav")
        i=$((i + 1))
    done
    if [ ${#plucks[@]} -gt 1 ]; then
        sox -R -m "${plucks[@]}" "$work/melody.wav"
    else
        cp "${plucks[0]}" "$work/melody.wav"
    fi

    if [ "$words" = "-" ]; then
        fit "$work/melody.wav" "$work/seg.wav" "$samples"
    else
        # The voice holds the note for most of the segment, then breathes: first find how long the
        # words take at normal speed, then sing them stretched to fit, and trim the last few percent
        # with a pitch-keeping tempo change.
        local sung v1 v2 stretch
        sung=$(calc "$dur * 0.86 - 0.03")
        say "$words" "$work/sing1.wav" --setf int_f0_target_mean="$first" --setf int_f0_target_stddev=0 \
            --setf duration_stretch=1
        trimmed "$work/sing1.wav" "$work/sing1t.wav"
        v1=$(seconds "$work/sing1t.wav")
        stretch=$(awk -v s="$sung" -v v="$v1" 'BEGIN { x = s / v; if (x < 0.6) x = 0.6; if (x > 5) x = 5; printf "%.3f", x }')
        say "$words" "$work/sing2.wav" --setf int_f0_target_mean="$first" --setf int_f0_target_stddev=0 \
            --setf duration_stretch="$stretch"
        trimmed "$work/sing2.wav" "$work/sing2t.wav"
        v2=$(seconds "$work/sing2t.wav")
        sox -R "$work/sing2t.wav" -r $RATE -b 16 -c 1 "$work/voice.wav" \
            tempo -s "$(calc "$v2 / $sung")" fade q 0.01 -0 0.06 norm -2
        sox -R -m -v 1 "$work/voice.wav" -v 1 "$work/melody.wav" "$work/mix.wav"
        fit "$work/mix.wav" "$work/seg.wav" "$samples"
    fi
    cp "$work/seg.wav" "$dest"
}

# sing_table TABLE: every song line of TABLE (see alphabet.txt for the format).
sing_table() {
    local table="$1" beat="" gap=0 line file rest n=0
    while IFS= read -r line; do
        [[ -z "$line" || "$line" == \#* ]] && continue
        if [[ "$line" =~ ^beat[[:space:]]+([0-9]+)$ ]]; then
            beat="${BASH_REMATCH[1]}"
            continue
        fi
        if [[ "$line" =~ ^gap[[:space:]]+([0-9]+)$ ]]; then
            gap="${BASH_REMATCH[1]}"
            continue
        fi
        [ -n "$beat" ] || { echo "sounds.sh: $table: no beat line before the songs" >&2; exit 1; }
        file="${line%%$'\t'*}"
        rest="${line#*$'\t'}"
        local parts=() k=0 seg notes beats words cut
        IFS=';' read -r -a segs <<<"$rest"
        for seg in "${segs[@]}"; do
            read -r notes beats words <<<"$seg"
            # The rest that the activity adds after the file comes off the file's last note.
            cut=0
            [ $((k + 1)) -lt ${#segs[@]} ] || cut=$gap
            sing_segment "$notes" "$beats" "$beat" "$cut" "$words" "$work/part$k.wav"
            parts+=("$work/part$k.wav")
            k=$((k + 1))
        done
        # Peaks at -1 dBFS; a short fade at the very end so the next line starts without a click.
        sox -R "${parts[@]}" -r $RATE -b 16 -c 1 "$work/line.wav" norm -1 fade q 0 -0 0.02
        cp "$work/line.wav" "$out/$file"
        n=$((n + 1))
    done <"$table"
    echo "song lines from $(basename "$table"): $n"
}

# ---- sound editor files -----------------------------------------------------------------------------
editor_files() {
    # zzblank.wav: a wave file with no samples (44-byte header, data size 0), 22050 Hz 16-bit mono.
    printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00\x44\xac\x00\x00\x02\x00\x10\x00data\x00\x00\x00\x00' \
        >"$out/zzblank.wav"
    # xjunk.wav: the editor's scratch copy of the first sound of its catalogue, A.wav.
    cp "$out/A.wav" "$out/xjunk.wav"
    echo "sound editor files: 2"
}

# ---- checks ------------------------------------------------------------------------------------------
check_all() {
    local name bad=0 made=0 kind
    while IFS= read -r name; do
        [[ -z "$name" || "$name" == \#* ]] && continue
        made=$((made + 1))
        if [ ! -f "$out/$name" ]; then
            echo "sounds.sh: $name was not made" >&2
            bad=1
            continue
        fi
        [ "$name" = zzblank.wav ] && continue
        kind=$(soxi -r "$out/$name")/$(soxi -b "$out/$name")/$(soxi -c "$out/$name")/$(soxi -e "$out/$name")
        if [ "$kind" != "$RATE/16/1/Signed Integer PCM" ]; then
            echo "sounds.sh: $name is $kind" >&2
            bad=1
        fi
        # Not silent, and never touching full scale.
        if ! sox "$out/$name" -n stat 2>&1 | awk '
                /^Maximum amplitude/ { peak = $3 } /^Minimum amplitude/ { low = -$3 }
                /^RMS +amplitude/ { rms = $3 }
                END { if (low > peak) peak = low; exit !(peak < 0.99 && rms > 0.01) }'; then
            echo "sounds.sh: $name is silent or clipped" >&2
            bad=1
        fi
    done <"$src/names.txt"
    [ "$bad" = 0 ] || exit 1
    echo "checked: $made files"
}

# shellcheck source=sounds/effects.sh
source "$src/effects.sh"
parts=("${@:2}")
[ ${#parts[@]} -gt 0 ] || parts=(speech songs effects editor)
for part in "${parts[@]}"; do
    case "$part" in
        speech) speak_all ;;
        songs) sing_table "$src/alphabet.txt"; sing_table "$src/counting.txt" ;;
        effects) make_effects ;;
        editor) editor_files ;;
        *) echo "sounds.sh: unknown part $part" >&2; exit 2 ;;
    esac
done
[ $# -gt 1 ] || check_all
