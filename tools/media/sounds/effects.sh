# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sound effects and animal sounds, sourced by ../sounds.sh (which defines finish, say, trimmed, calc,
# $work, $out and $RATE). Every sound is made with sox -R (repeatable noise and dither) or the songs'
# voice, and finished at 22050 Hz 16-bit mono, cut to the sound's own decay and brought to the
# effects' loudness (finish).

# syn OUT DUR SOX-SYNTH-ARGS...: a mono synthesised sound.
syn() {
    local dest="$1" dur="$2"
    shift 2
    sox -R -n -r $RATE -b 16 -c 1 "$dest" synth "$dur" "$@"
}

# bell OUT FREQ DUR [VOL]: a struck bell or glockenspiel bar: a few inharmonic partials, decaying.
bell() {
    local dest="$1" f="$2" dur="$3" vol="${4:-1}"
    sox -R -n -r $RATE -b 16 -c 3 "$work/bell3.wav" synth "$dur" \
        sine "$f" sine "$(calc "$f * 2.756")" sine "$(calc "$f * 5.404")"
    sox -R "$work/bell3.wav" -c 1 "$dest" remix 1v0.62,2v0.22,3v0.08 \
        fade l 0.002 "$dur" "$(calc "$dur - 0.002")" vol "$vol"
}

# finish_effect IN OUT [FADE [SHAPE]]: IN finished as an effect (see finish), ending in a steady decay
# over FADE seconds (FX_FADE), or a fade of that SHAPE.
finish_effect() { finish "$1" "$2" $TARGET_EFFECTS 0.03 0.05 "${3:-$FX_FADE}" "${4:-l}"; }

# later OUT IN SECONDS: IN delayed by SECONDS of silence.
later() { sox -R "$2" "$1" pad "$3" 0; }

# mix OUT IN...: the inputs played together.
mix() {
    local dest="$1"
    shift
    if [ $# -eq 1 ]; then cp "$1" "$dest"; else sox -R -m "$@" "$dest"; fi
}

# voice OUT TEXT F0 SPREAD STRETCH: the songs' voice (flite's slt) at a chosen pitch (Hz), pitch
# movement (Hz; 0 is a held note) and slowness.
voice() {
    say "$2" "$work/vraw.wav" --setf int_f0_target_mean="$3" --setf int_f0_target_stddev="$4" \
        --setf duration_stretch="$5"
    trimmed "$work/vraw.wav" "$work/vtrim.wav"
    sox -R "$work/vtrim.wav" -r $RATE -b 16 -c 1 "$1"
}

# ---- answers and praise ------------------------------------------------------------------------------
fx_tada() { # two bright brass chords: "ta-daa!"
    sox -R -n -r $RATE -b 16 -c 3 "$work/ta3.wav" synth 0.13 sawtooth 523.25 sawtooth 659.26 sawtooth 783.99
    sox -R "$work/ta3.wav" -c 1 "$work/ta.wav" remix 1v0.3,2v0.3,3v0.3 lowpass 2600 fade t 0.008 -0 0.04
    sox -R -n -r $RATE -b 16 -c 4 "$work/da4.wav" synth 0.85 sawtooth 523.25 sawtooth 659.26 sawtooth 783.99 \
        sawtooth 1046.50
    sox -R "$work/da4.wav" -c 1 "$work/da.wav" remix 1v0.26,2v0.26,3v0.26,4v0.18 lowpass 3200 tremolo 6 12 \
        fade t 0.01 -0 0.5
    bell "$work/shine.wav" 2093 0.7 0.35
    later "$work/shine2.wav" "$work/shine.wav" 0.19
    sox -R -n -r $RATE -b 16 -c 1 "$work/gap.wav" trim 0 0.06
    sox -R "$work/ta.wav" "$work/gap.wav" "$work/da.wav" "$work/tada0.wav"
    mix "$work/tada1.wav" "$work/tada0.wav" "$work/shine2.wav"
    finish_effect "$work/tada1.wav" "$out/tada.wav"
}

fx_uhoh() { # a gentle voiced "uh-oh", the second syllable lower
    voice "$work/uh.wav" "uh" 330 0 1.4
    voice "$work/oh.wav" "oh" 250 0 2.4
    sox -R "$work/oh.wav" "$work/oh2.wav" bend 0.05,-150,0.3
    sox -R -n -r $RATE -b 16 -c 1 "$work/uhgap.wav" trim 0 0.07
    sox -R "$work/uh.wav" "$work/uhgap.wav" "$work/oh2.wav" "$work/uhoh.wav"
    # The "oh" dies away over its last 0.3 s, as a sigh does.
    finish_effect "$work/uhoh.wav" "$out/uhoh.wav" 0.3
}

fx_wow() { # an amazed "wow!" rising and falling, over a sparkle of bells
    voice "$work/w.wav" "wow" 300 0 1.8
    sox -R "$work/w.wav" "$work/w2.wav" bend 0.02,350,0.2 0,-650,0.3
    bell "$work/s1.wav" 1568 0.5 0.22
    bell "$work/s2.wav" 2093 0.5 0.22
    bell "$work/s3.wav" 2637 0.5 0.22
    later "$work/s2d.wav" "$work/s2.wav" 0.08
    later "$work/s3d.wav" "$work/s3.wav" 0.16
    mix "$work/wow.wav" "$work/w2.wav" "$work/s1.wav" "$work/s2d.wav" "$work/s3d.wav"
    # The voice falls away with the bells over the last 0.3 s.
    finish_effect "$work/wow.wav" "$out/wow.wav" 0.3
}

fx_conwin() { # "Great job!" over a rising plucked arpeggio, the voice well on top of the chords
    local i=0 f parts=()
    for f in 523.25 659.26 783.99 1046.50; do
        syn "$work/arp.wav" 0.7 pluck "$f" vol 0.1
        later "$work/arp$i.wav" "$work/arp.wav" "$(calc "$i * 0.07")"
        parts+=("$work/arp$i.wav")
        i=$((i + 1))
    done
    say "Great job!" "$work/gj.wav" --setf int_f0_target_mean=300 --setf int_f0_target_stddev=45 \
        --setf duration_stretch=1.15
    trimmed "$work/gj.wav" "$work/gjt.wav"
    sox -R "$work/gjt.wav" -r $RATE -b 16 -c 1 "$work/gjr.wav" pad 0.12 0
    mix "$work/conwin.wav" "$work/gjr.wav" "${parts[@]}"
    finish_effect "$work/conwin.wav" "$out/conwin.wav"
}

# ---- game noises ---------------------------------------------------------------------------------------
fx_boing() { # a spring: a twangy tone that leaps up, wobbles and dies away
    syn "$work/b0.wav" 0.6 triangle 170:340
    sox -R "$work/b0.wav" "$work/b1.wav" vol 0.6 bend 0,400,0.05 0,-350,0.05 0,300,0.055 0,-260,0.06 \
        0,220,0.065 0,-180,0.07 0,140,0.075 0,-100,0.08 lowpass 2500 fade q 0.004 -0 0.4
    finish_effect "$work/b1.wav" "$out/boing.wav"
}

fx_zipecho() { # a quick zip upwards that echoes away
    syn "$work/z.wav" 0.13 sawtooth 260:2400
    sox -R "$work/z.wav" "$work/z1.wav" lowpass 3500 fade t 0.005 -0 0.03 pad 0 0.5 \
        echo 0.6 0.6 110 0.45 220 0.25 330 0.12
    finish_effect "$work/z1.wav" "$out/zipecho.wav"
}

fx_whizpop() { # a rising whistle, then a pop
    syn "$work/wh.wav" 0.22 sine 600:2600
    sox -R "$work/wh.wav" "$work/wh1.wav" fade t 0.02 -0 0.02 vol 0.5
    # The pop dies away over 0.2 s, so that the effects' fade-out takes only its quiet end.
    syn "$work/pn.wav" 0.2 pinknoise
    sox -R "$work/pn.wav" "$work/pn1.wav" lowpass 2200 fade l 0 -0 0.2
    syn "$work/th.wav" 0.2 sine 180:50
    sox -R "$work/th.wav" "$work/th1.wav" fade l 0 -0 0.2
    mix "$work/pop.wav" "$work/pn1.wav" "$work/th1.wav"
    sox -R "$work/wh1.wav" "$work/pop.wav" "$work/whizpop.wav"
    finish_effect "$work/whizpop.wav" "$out/whizpop.wav"
}

fx_ding() { # one clear bell
    bell "$work/d.wav" 1318.51 1.3
    finish_effect "$work/d.wav" "$out/ding.wav"
}

fx_chimes() { # wind chimes: five bells, falling
    local i=0 f parts=()
    for f in 2349.32 1975.53 1567.98 1318.51 1174.66; do
        bell "$work/c.wav" "$f" 1.3 0.5
        later "$work/c$i.wav" "$work/c.wav" "$(calc "$i * 0.09")"
        parts+=("$work/c$i.wav")
        i=$((i + 1))
    done
    mix "$work/chimes.wav" "${parts[@]}"
    finish_effect "$work/chimes.wav" "$out/chimes.wav"
}

fx_space() { # a spacey swoop: up and back down, through a phaser, with echoes
    syn "$work/sp1.wav" 0.45 sine 220:1400
    syn "$work/sp2.wav" 0.5 sine 1400:330
    sox -R "$work/sp1.wav" "$work/sp2.wav" "$work/sp.wav" tremolo 11 35 phaser 0.8 0.74 3 0.4 0.5 -t \
        fade q 0.05 0.95 0.3 pad 0 0.35 echo 0.8 0.7 160 0.35 320 0.15
    finish_effect "$work/sp.wav" "$out/space.wav"
}

fx_move() { # a short slide whistle
    syn "$work/m.wav" 0.45 sine 440:880
    sox -R "$work/m.wav" "$work/m1.wav" tremolo 14 25 fade q 0.03
    # Blown out: the whistle dies away over its last 0.25 s.
    finish_effect "$work/m1.wav" "$out/move.wav" 0.25
}

fx_snowman() { # sleigh bells and the start of Jingle Bells on a glockenspiel
    local t=0 i=0 step=0.16 note beats parts=()
    for note in 659.26:1 659.26:1 659.26:2 659.26:1 659.26:1 659.26:2 659.26:1 783.99:1 523.25:1.5 587.33:0.5 659.26:3; do
        beats="${note#*:}"
        # Every note rings 0.7 s; the last one rings out.
        bell "$work/g.wav" "${note%%:*}" "$([ $i -eq 10 ] && echo 1.6 || echo 0.7)" 0.55
        later "$work/g$i.wav" "$work/g.wav" "$t"
        parts+=("$work/g$i.wav")
        t=$(calc "$t + $beats * $step")
        i=$((i + 1))
    done
    syn "$work/sl.wav" "$(calc "$t + 0.3")" whitenoise
    sox -R "$work/sl.wav" "$work/sl1.wav" highpass 5500 tremolo 9 90 vol 0.12 fade q 0.05 -0 0.4
    mix "$work/snow.wav" "$work/sl1.wav" "${parts[@]}"
    finish_effect "$work/snow.wav" "$out/snowman.wav"
}

fx_bug() { # a little bug buzzing around, then two happy notes
    syn "$work/bz.wav" 1.0 sawtooth 200
    sox -R "$work/bz.wav" "$work/bz1.wav" vol 0.4 bend 0,300,0.19 0,-200,0.19 0,400,0.19 0,-300,0.19 0,500,0.19 \
        lowpass 1800 tremolo 28 40 fade q 0.08 -0 0.15
    syn "$work/n1.wav" 0.35 pluck 783.99
    syn "$work/n2.wav" 2 pluck 1046.5
    sox -R "$work/bz1.wav" "$work/n1.wav" "$work/n2.wav" "$work/bug.wav"
    # The last note rings out over 0.6 s.
    finish_effect "$work/bug.wav" "$out/bug.wav" 0.6
}

# ---- farm animals --------------------------------------------------------------------------------------
# Real recordings (sounds/recordings.tsv), fetched from their Debian package into $NIBSY_DEBS (default
# /tmp/nibsy-debs) and checked byte for byte, then decoded and finished like every other effect.
fx_animals() {
    local debs="${NIBSY_DEBS:-/tmp/nibsy-debs}" file pkg path sum end fade again deb n=0 cut=()
    mkdir -p "$debs"
    while IFS=$'\t' read -r file pkg path sum end fade again; do
        [[ -z "$file" || "$file" == \#* ]] && continue
        if [ ! -d "$debs/$pkg" ]; then
            deb=$(cd "$debs" && ls "${pkg}"_*.deb 2>/dev/null | head -1 || true)
            if [ -z "$deb" ]; then
                (cd "$debs" && apt-get download "$pkg" >/dev/null 2>&1) ||
                    { echo "sounds.sh: apt-get download $pkg failed" >&2; exit 1; }
                deb=$(cd "$debs" && ls "${pkg}"_*.deb | head -1)
            fi
            mkdir -p "$debs/$pkg.part"
            dpkg-deb -x "$debs/$deb" "$debs/$pkg.part"
            mv "$debs/$pkg.part" "$debs/$pkg"
        fi
        echo "$sum  $debs/$pkg/$path" | sha256sum --quiet -c - ||
            { echo "sounds.sh: $pkg's $path is not the recording we checked" >&2; exit 1; }
        # Decoded at half level: a few of the recordings reach full scale, and decoding overshoots it.
        ffmpeg -nostdin -v error -i "$debs/$pkg/$path" -ac 1 -af volume=0.5 -c:a pcm_f32le -f wav -y "$work/rec.wav"
        # Cut where the call has ended; a gentle high-pass takes out rumble.
        cut=()
        [ "$end" = - ] || cut=(trim 0 "$end")
        sox -R -V1 "$work/rec.wav" "$work/rec1.wav" "${cut[@]}" highpass 80
        if [ "$again" != - ]; then
            later "$work/rec2.wav" "$work/rec1.wav" "$again"
            mix "$work/rec3.wav" "$work/rec1.wav" "$work/rec2.wav"
            mv "$work/rec3.wav" "$work/rec1.wav"
        fi
        finish_effect "$work/rec1.wav" "$out/$file" "$fade" t
        n=$((n + 1))
    done <"$src/recordings.tsv"
    [ "$n" -gt 0 ] || { echo "sounds.sh: no recordings listed" >&2; exit 1; }
}

fx_barnyard() { # the whole farm joins in: moo, quack, oink and the rooster
    sox -R "$out/cow.wav" "$work/by1.wav" vol 0.7
    later "$work/by2.wav" "$out/duck.wav" 0.7
    later "$work/by3.wav" "$out/pig.wav" 1.35
    later "$work/by4.wav" "$out/rooster.wav" 1.9
    mix "$work/barn.wav" "$work/by1.wav" "$work/by2.wav" "$work/by3.wav" "$work/by4.wav"
    finish_effect "$work/barn.wav" "$out/barnyard.wav"
}

make_effects() {
    local fx
    for fx in tada uhoh wow conwin boing zipecho whizpop ding chimes space move snowman bug animals barnyard; do
        "fx_$fx"
    done
    echo "effects: 22"
}
