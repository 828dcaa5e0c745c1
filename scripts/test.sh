#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the test configuration (clang, AddressSanitizer and UBSan, the metafile fuzzer) and runs every
# test on Qt's offscreen platform, with a private sound server so that playback runs for real.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
nibsy_install_deps

jobs=$(nproc)
CC=clang CXX=clang++ cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DNIBSY_SANITIZE=ON -DNIBSY_FUZZ=ON >/dev/null
cmake --build build-test -j "$jobs"

# A private PulseAudio with a null sink and a null source, stopped again however the tests end.
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export PULSE_RUNTIME_PATH="$runtime/pulse"
stop_sound_server() {
    pulseaudio --kill >/dev/null 2>&1 || true
    rm -rf "$runtime"
}
trap stop_sound_server EXIT
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --disallow-exit \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=nullsink" \
    --load="module-null-source source_name=nullsrc" >/dev/null 2>&1 ||
    echo "warning: no sound server could be started; sound tests that need one are skipped"

export QT_QPA_PLATFORM=offscreen
# The strict string checks stay on for the suite's code; tests/asan.supp lists the system libraries they
# misjudge (found under a real X server, where the end-to-end tests run).
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:suppressions=$PWD/tests/asan.supp"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-test
ctest --output-on-failure -j "$jobs" --timeout 600
