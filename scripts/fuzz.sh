#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz configuration (or reuses build-test) and runs each named fuzzer for SECONDS, one after
# the other, over a scratch copy of its seeds; prints the executions and coverage each reached.
#   scripts/fuzz.sh SECONDS [wmf|wave|settings|help|sedit ...]   (all of them by default)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [NAME...]" >&2
    exit 2
fi
seconds=$1
shift
names=("$@")
[[ ${#names[@]} -gt 0 ]] || names=(wmf wave settings help sedit)

export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
if [[ ! -f build-test/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=ON -DNIBSY_SANITIZE=ON -DNIBSY_FUZZ=ON >/dev/null
fi
targets=()
for name in "${names[@]}"; do
    targets+=("nibsy_${name}_fuzz")
done
cmake --build build-test -j 2 --target "${targets[@]}"

declare -A max_len=([wmf]=65536 [wave]=65536 [settings]=4096 [help]=32768 [sedit]=16384)
declare -A seeds=([wmf]="tests/platform/wmf-samples/*.wmf tests/fuzz/wmf-seeds/*.wmf"
    [wave]="tests/fuzz/wave-seeds/*.wav" [settings]="tests/fuzz/settings-seeds/*.ini"
    [help]="tests/fuzz/help-seeds/*.hlp" [sedit]="tests/fuzz/sedit-seeds/*.ini")
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp"
status=0
for name in "${names[@]}"; do
    work=build-test/fuzz-runs/$name
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    # shellcheck disable=SC2086 # the seed patterns are globs
    cp ${seeds[$name]} "$work/corpus"
    log=$work/log.txt
    rc=0
    "build-test/tests/fuzz/nibsy_${name}_fuzz" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -max_len="${max_len[$name]}" -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
        "$work/corpus" >"$log" 2>&1 || rc=$?
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
    last_line=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    echo "== $name: $([[ $rc -eq 0 ]] && echo clean || echo "FAILED (exit $rc, see $log)")"
    echo "   ${done_line:-$last_line}"
    grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec' "$log" | sed 's/^/   /' || true
    echo "   corpus files: $(find "$work/corpus" -type f | wc -l)"
    [[ $rc -eq 0 ]] || status=1
done
exit $status
