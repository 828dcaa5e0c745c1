// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Patterns takes to open.

#include "OpenWindowBench.h"
#include "shapes/frmPatt.h"

namespace {

void OpenPatterns(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmPatt>(state, {}, {"wow.wav", "conwin.wav", "ding.wav"});
}
BENCHMARK(OpenPatterns)->Unit(benchmark::kMillisecond);

} // namespace
