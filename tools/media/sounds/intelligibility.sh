#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Listen-check of the spoken prompts: pocketsphinx transcribes every file of speech.tsv and we count how
# often it hears what the file should say. Two scores:
#   open   - the recogniser's full English language model (any of ~130,000 words may come out);
#   closed - a grammar of just the suite's own words, as a child choosing among the words it knows.
# Usage: intelligibility.sh [DIR] [-v]   (DIR defaults to data/; -v lists every file with what was heard)
# Needs: pocketsphinx, pocketsphinx-en-us, sox.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
dir="${1:-$here/../../../data}"
verbose="${2:-}"
model=/usr/share/pocketsphinx/model/en-us
for tool in pocketsphinx_batch sox; do
    command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install pocketsphinx pocketsphinx-en-us sox" >&2; exit 1; }
done
[ -d "$model/en-us" ] || { echo "missing the US English model: apt-get install pocketsphinx-en-us" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"

# The recogniser wants 16 kHz mono; give it a short lead-in and tail of silence as a microphone would.
: >"$work/ctl"
: >"$work/expect"
while IFS=$'\t' read -r file _say heard; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    src="$(find "$dir" -maxdepth 1 -iname "$file" -print -quit)"
    [ -n "$src" ] || { echo "missing $file" >&2; continue; }
    base="${file%.*}"
    sox -R "$src" -r 16000 -b 16 -c 1 -t raw "$work/in/$base.raw" pad 0.3 0.3
    echo "$base" >>"$work/ctl"
    printf '%s\t%s\n' "$base" "$heard" >>"$work/expect"
done <"$here/speech.tsv"

# The closed grammar: every word a listener may report for any file.
{
    printf '#JSGF V1.0;\ngrammar suite;\npublic <word> = '
    cut -f2 "$work/expect" | tr '|' '\n' | sort -u | paste -sd'|' | sed 's/|/ | /g'
    printf ';\n'
} >"$work/suite.gram"

run() { # run NAME EXTRA-ARGS...: hypotheses into $work/NAME.hyp
    local name="$1"; shift
    pocketsphinx_batch -hmm "$model/en-us" -dict "$model/cmudict-en-us.dict" \
        -adcin yes -cepdir "$work/in" -cepext .raw -ctl "$work/ctl" -hyp "$work/$name.hyp" \
        -remove_noise no -logfn "$work/$name.log" "$@" >/dev/null 2>&1 || { tail -5 "$work/$name.log" >&2; exit 1; }
}
run open -lm "$model/en-us.lm.bin"
run closed -jsgf "$work/suite.gram"

# A hypothesis line is "words (name score)"; a file is a hit when one of its alternatives is heard
# as a whole word sequence within it.
score() {
    awk -F'\t' -v verbose="$verbose" -v label="$1" '
        FNR == NR { want[$1] = $2; order[++n] = $1; next }
        {
            id = $0; sub(/.*\(/, "", id); sub(/ .*/, "", id)
            h = $0; sub(/ *\([^()]*\)$/, "", h); heard[id] = tolower(h)
        }
        END {
            hits = 0
            for (i = 1; i <= n; i++) {
                id = order[i]; k = split(want[id], alt, "|"); ok = 0
                for (j = 1; j <= k; j++)
                    if ((" " heard[id] " ") ~ (" " alt[j] " ")) ok = 1
                hits += ok
                if (verbose == "-v") printf "  %-7s %-5s %-12s heard: %s\n", label, ok ? "ok" : "MISS", id, heard[id]
            }
            printf "%-7s %d of %d heard right (%.0f%%)\n", label, hits, n, 100 * hits / n
        }' "$work/expect" "$work/$1.hyp"
}
score open
score closed
