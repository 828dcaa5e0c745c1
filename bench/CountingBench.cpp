// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Counting Fun takes to open with the suite's own pictures: shapes (0) load no pictures,
// pictures (1) and dinosaurs (2) do.

#include "OpenWindowBench.h"
#include "letters/frmCount.h"

namespace {

void OpenCountingFun(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmCount>(state,
                                               [&](nibsy::Settings& s) {
                                                   s.CountItems = qint16(state.range(0));
                                                   s.BiggestNumber = 20;
                                               },
                                               {"apple.wmf", "ball.wmf", "house.wmf", "igloo.wmf", "jet.wmf",
                                                "sun.wmf", "tree.wmf", "wagon.wmf", "xylo.bmp", "dino1.wmf",
                                                "dino5.wmf", "dino9.wmf", "N20.wav", "tada.wav"});
}
BENCHMARK(OpenCountingFun)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
