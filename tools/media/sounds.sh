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
#   recordings.tsv  real animal recordings taken from Debian packages (see fetch_recordings)
# Needs the Debian packages flite, sox and ffmpeg (installed when missing).
# Usage: sounds.sh [OUTDIR [PART...]]   OUTDIR defaults to data/; PART is speech, songs, effects or
# editor (all four by default; editor copies A.wav, so it needs speech made first).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/sounds"
out="$(mkdir -p "${1:-$here/../../data}" && cd "${1:-$here/../../data}" && pwd)"

# The speaking voice of every prompt: of the voices Debian has (sounds/voices.sh tries them), the one
# the recogniser (sounds/intelligibility.sh) understands best, flite's awb, its mean pitch raised
# to a lighter, friendlier 170 Hz (90 of the 95 words; the female voices, flite's
# slt and Festival's HTS slt, at best 82; see the table in sounds/voices.sh), slowed a little for
# young listeners. NIBSY_SPEECH_VOICE picks another voice (see speak), for trials.
SPEECH_VOICE="${NIBSY_SPEECH_VOICE:-flite:awb:stretch=1.1:f0=170}"
# Songs and the voiced effects are sung by flite's slt voice, which holds a note at a given pitch.
VOICE_NAME=slt

# Debian packages the sound step needs; installed when missing (as root, or through sudo).
need=(flite sox ffmpeg)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "sounds.sh: installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
flite -lv | grep -qw "$VOICE_NAME" || { echo "sounds.sh: this flite has no $VOICE_NAME voice" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

RATE=22050
# Integrated loudness (EBU R128, LUFS) that every sound of a kind is brought to: the voice sits a
# little above the songs and effects, so prompts are never drowned by the games' noises.
TARGET_SPEECH=-20
TARGET_SONGS=-21
TARGET_EFFECTS=-21
# Edges: a sound starts where it first rises to ONSET_DB below its peak (the voice's noise floor, some
# 50 dB down, can lie for 200 ms before a word, and a word must start when it is played), and ends
# where it last falls to TRIM_DB below its peak; then fades in and out over a few ms so that no file
# starts or ends with a click.
ONSET_DB=-40
TRIM_DB=-50
FADE_IN=0.003
FADE_OUT=0.005
# Effects end in their own decay: their last FX_FADE seconds (more for sounds that stop abruptly) fall
# steadily in dB (sox's logarithmic fade, 100 dB over its length). Whatever the loudness step does to
# an effect, it then dies away instead of stopping at an audible level; a sound's last accent must
# ring for longer than this, or the fade takes it.
FX_FADE=0.06

calc() { awk "BEGIN { printf \"%.6f\n\", $* }"; }

# lufs FILE: the integrated loudness of FILE. Files shorter than one 400 ms measuring block are
# measured whole: the file looped, so that every block holds all of it.
lufs() {
    local loop=()
    awk -v d="$(soxi -D "$1")" 'BEGIN { exit !(d < 0.4) }' && loop=(-stream_loop 19)
    ffmpeg -nostdin -hide_banner -nostats "${loop[@]}" -i "$1" -af ebur128 -f null - 2>&1 |
        awk '$1 == "I:" { v = $2 } END { if (v == "" || v < -69) exit 1; print v }' ||
        { echo "sounds.sh: cannot measure the loudness of $1" >&2; exit 1; }
}

# level IN OUT TARGET: IN at TARGET LUFS, written as 22050 Hz 16-bit mono; fails if that would clip
# (but for a trial of voices, sounds/voices.sh, which lets the few peaks clip: sox's limiter, gain
# -l, takes 13 of the recogniser's 95 words away from the same voice).
level() {
    local gain peak
    gain=$(calc "$3 - ($(lufs "$1"))")
    sox -R "$1" -r $RATE -b 16 -c 1 -e signed-integer "$2" gain "$gain" 2>/dev/null
    [ -z "${NIBSY_SPEECH_TRIAL:-}" ] || return 0
    peak=$(sox "$2" -n stat 2>&1 | awk '/^Maximum amplitude/ { a = $3 } /^Minimum amplitude/ { b = -$3 }
        END { print (a > b ? a : b) }')
    awk -v p="$peak" 'BEGIN { exit !(p < 0.95) }' ||
        { echo "sounds.sh: $(basename "$2") would clip at $3 LUFS (peak $peak)" >&2; exit 1; }
}

# finish IN OUT TARGET [LEAD TAIL [DECAY [SHAPE]]]: peaks at -1 dBFS first, then cut to the sound
# itself (from ONSET_DB to TRIM_DB below the peak), faded in and out, LEAD and TAIL seconds of silence
# around it (0.03 and 0.05), and brought to TARGET LUFS. The fade-out lasts FADE_OUT; with DECAY
# (seconds), it is an effect's fade over that time instead (see FX_FADE), or a fade of sox's SHAPE
# (t: linear, which keeps most of the level until near its end).
finish() {
    sox -R "$1" -r $RATE -c 1 -e floating-point -b 32 "$work/fin1.wav" norm -1
    # The first sample above the onset and the last above the trim threshold (sox's silence effect
    # measures a running average, which cuts decays short).
    local first last fade=(q $FADE_OUT)
    read -r first last < <(sox "$work/fin1.wav" -t dat - | awk -v t="$(calc "10 ^ (($TRIM_DB - 1) / 20)")" \
        -v o="$(calc "10 ^ (($ONSET_DB - 1) / 20)")" '
        !/^;/ { i++; v = $2 < 0 ? -$2 : $2; if (v > o && !f) f = i; if (v > t) l = i }
        END { print f - 1, l }')
    [ -z "${6:-}" ] || fade=("${7:-l}" "$6")
    sox -R "$work/fin1.wav" "$work/fin2.wav" trim "${first}s" "=${last}s"
    sox -R "$work/fin2.wav" "$work/fin3.wav" fade q $FADE_IN fade "${fade[0]}" 0 -0 "${fade[1]}" \
        pad "${4:-0.03}" "${5:-0.05}"
    level "$work/fin3.wav" "$2" "$3"
}

# say TEXT OUT [flite options...]: the voice speaking TEXT into OUT (raw flite output, 16 kHz).
say() {
    local text="$1" dest="$2"
    shift 2
    flite -voice "$VOICE_NAME" "$@" -t "$text" -o "$dest"
}

# trimmed IN OUT: IN with its leading and trailing silence cut (no other change).
trimmed() {
    sox -R "$1" "$2" silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse
}

# speak TEXT OUT [FACTOR]: the speaking voice saying TEXT into OUT, at the voice's own sample rate;
# FACTOR times slower than the voice's own stretch.
# SPEECH_VOICE is ENGINE:VOICE[:SETTING=VALUE...]: ENGINE flite, festival or espeak (espeak-ng); the
# settings: stretch (slower by that factor; flite's duration_stretch, the HTS engine's speed, espeak's
# words per minute from 175), f0 (flite's mean pitch in Hz), pitch (raised by that many cents
# afterwards, formants kept: sox pitch), speed (sox speed: pitch and formants raised together, the
# tempo kept by the inverse stretch).
speak() {
    local engine voice settings kv stretch=1 f0="" pitch="" speed="" text="$1" dest="$2" raw="$work/speak.wav"
    IFS=: read -r engine voice settings <<<"$SPEECH_VOICE"
    IFS=: read -r -a settings <<<"${settings:-}"
    for kv in "${settings[@]}"; do
        case "$kv" in
            stretch=*) stretch="${kv#*=}" ;;
            f0=*) f0="${kv#*=}" ;;
            pitch=*) pitch="${kv#*=}" ;;
            speed=*) speed="${kv#*=}" ;;
            *) echo "sounds.sh: unknown voice setting $kv" >&2; exit 1 ;;
        esac
    done
    stretch=$(calc "$stretch * ${3:-1}")
    [ -z "$speed" ] || stretch=$(calc "$stretch * $speed")
    case "$engine" in
        flite)
            local f0opt=()
            [ -z "$f0" ] || f0opt=(--setf int_f0_target_mean="$f0")
            flite -voice "$voice" --setf duration_stretch="$stretch" "${f0opt[@]}" -t "$text" -o "$raw" ;;
        festival)
            printf '%s\n' "$text" >"$work/speak.txt"
            # An HTS voice takes its speed from the engine; a diphone voice from its duration factor.
            text2wave -eval "(voice_$voice)" \
                -eval "(if (boundp 'hts_engine_params) (set! hts_engine_params (append hts_engine_params '((\"-r\" $(calc "1 / $stretch"))))))" \
                -eval "(Parameter.set 'Duration_Stretch $stretch)" -o "$raw" "$work/speak.txt" >/dev/null ;;
        espeak) espeak-ng -v "$voice" -s "$(calc "175 / $stretch" | cut -d. -f1)" -w "$raw" "$text" ;;
        *) echo "sounds.sh: no speech engine $engine" >&2; exit 1 ;;
    esac
    local fx=()
    [ -z "$pitch" ] || fx+=(pitch "$pitch")
    [ -z "$speed" ] || fx+=(speed "$speed")
    sox -R "$raw" "$dest" "${fx[@]}"
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

# ---- spoken prompts ------------------------------------------------------------------------------
# word_line TABLE: "MS VOICED FILE..." of TABLE's "word" line (empty when it has none).
word_line() { awk '$1 == "word" { $1 = ""; print substr($0, 2) }' "$1"; }

# spoken TEXT [FACTOR]: TEXT spoken (see speak) into $work/raw.wav, 32-bit float.
spoken() {
    speak "$1" "$work/spoken.wav" "${2:-1}"
    # A gentle limiter (2:1 over the top 14 dB, looking ahead 3 ms) holds the voice's sharpest
    # peaks (plosives, a bright vowel) nearer its body, so that levelling it never clips.
    sox -R "$work/spoken.wav" -e floating-point -b 32 "$work/raw.wav" norm -1 \
        compand 0.003,0.08 6:-80,-80,-15,-15,0,-7.5 0 -90 0.003
}

speak_all() {
    local file text _heard n=0 word_ms=0 voiced_ms=0 padded=" " have factor
    read -r word_ms voiced_ms rest <<<"$(word_line "$src/counting.txt")"
    padded=" ${rest:-} "
    while IFS=$'\t' read -r file text _heard; do
        [[ -z "$file" || "$file" == \#* ]] && continue
        spoken "$text"
        # (A trial of voices, sounds/voices.sh, scores the words as spoken.)
        if [[ "$padded" == *" $file "* && -z "${NIBSY_SPEECH_TRIAL:-}" ]]; then
            # A number word of the counting song: spoken at the pace that makes it last voiced_ms
            # (the pace found from how long it lasts at the voice's own, within 0.6 to 1.6 times
            # it, then the rest of the way by a pitch-keeping tempo change), so that every number
            # of the song is held for as long; then exactly word_ms long, so that the line played
            # after it starts on the song's next beat and ends at the same place on the activity's
            # timer grid. A short lead-in and no tail of its own: the padding to word_ms is its tail.
            finish "$work/raw.wav" "$work/word.wav" $TARGET_SPEECH 0.01 0
            factor=$(awk -v v="$voiced_ms" -v h="$(soxi -s "$work/word.wav")" -v r=$RATE 'BEGIN {
                x = v / (1000 * h / r - 10); if (x < 0.6) x = 0.6; if (x > 1.6) x = 1.6; printf "%.3f", x }')
            spoken "$text" "$factor"
            finish "$work/raw.wav" "$work/word.wav" $TARGET_SPEECH 0.01 0
            factor=$(awk -v v="$voiced_ms" -v h="$(soxi -s "$work/word.wav")" -v r=$RATE 'BEGIN {
                printf "%.4f", (1000 * h / r - 10) / v }')
            sox -R "$work/raw.wav" "$work/rawfit.wav" tempo -s "$factor"
            finish "$work/rawfit.wav" "$work/word.wav" $TARGET_SPEECH 0.01 0
            have=$(soxi -s "$work/word.wav")
            [ "$have" -le $((word_ms * RATE / 1000)) ] ||
                { echo "sounds.sh: $file lasts $have samples, more than the song's $word_ms ms" >&2; exit 1; }
            sox -R "$work/word.wav" -e floating-point -b 32 "$work/wordpad.wav" pad 0 "$((word_ms * RATE / 1000 - have))s"
            level "$work/wordpad.wav" "$out/$file" $TARGET_SPEECH
        else
            finish "$work/raw.wav" "$out/$file" $TARGET_SPEECH
        fi
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
    local table="$1" beat="" gap=0 word=0 line file rest n=0
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
        if [[ "$line" =~ ^word[[:space:]]+([0-9]+)[[:space:]] ]]; then
            word="${BASH_REMATCH[1]}"
            continue
        fi
        [ -n "$beat" ] || { echo "sounds.sh: $table: no beat line before the songs" >&2; exit 1; }
        file="${line%%$'\t'*}"
        rest="${line#*$'\t'}"
        local parts=() k=0 seg notes beats words cut
        IFS=';' read -r -a segs <<<"$rest"
        for seg in "${segs[@]}"; do
            read -r notes beats words <<<"$seg"
            # The word played before the line comes off its first note, the rest that the activity
            # adds after the file off its last one.
            cut=0
            [ $k -gt 0 ] || cut=$word
            [ $((k + 1)) -lt ${#segs[@]} ] || cut=$((cut + gap))
            sing_segment "$notes" "$beats" "$beat" "$cut" "$words" "$work/part$k.wav"
            parts+=("$work/part$k.wav")
            k=$((k + 1))
        done
        # Faded in over a few ms and out over 25 ms, so that the line's end, cut to its beat, does not
        # click; brought to the songs' loudness.
        sox -R "${parts[@]}" -e floating-point -b 32 "$work/line.wav" norm -1 fade q $FADE_IN -0 0.025
        level "$work/line.wav" "$out/$file" $TARGET_SONGS
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
