// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Colors & Shapes takes to open, in its colors mode and in its shapes mode (each loads its own
// pictures).

#include "OpenWindowBench.h"
#include "shapes/frmShape.h"

namespace {

void OpenColors(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmShape>(state, [](nibsy::Settings& s) { s.ShapeMode = 0; },
                                               {"apple.wmf", "bat.wmf", "blue.wav"});
}
void OpenShapes(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmShape>(state, [](nibsy::Settings& s) { s.ShapeMode = 1; },
                                               {"block.wmf", "starfish.wmf", "star.wav"});
}
BENCHMARK(OpenColors)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenShapes)->Unit(benchmark::kMillisecond);

} // namespace
