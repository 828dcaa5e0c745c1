// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Letter Fun takes to open: it loads its 26 pictures.

#include "OpenWindowBench.h"
#include "letters/frmLet.h"

namespace {

void LetterFunOpen(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmLet>(
        state, {}, {"APPLE.wmf",  "BALL.wmf",  "CAT.wmf",      "DOG.wmf",    "ELEPHANT.wmf", "FISH.wmf",
                    "GRAPES.wmf", "HOUSE.wmf", "IGLOO.wmf",    "JET.wmf",    "KITE.wmf",     "LEMON.wmf",
                    "MONKEY.wmf", "NEST.wmf",  "ORANGE.wmf",   "PIANO.wmf",  "QUARTER.wmf",  "RACCOON.wmf",
                    "SUN.wmf",    "TREE.wmf",  "UMBRELLA.wmf", "VIOLIN.wmf", "WAGON.wmf",    "xylo.bmp",
                    "YOYO.wmf",   "ZEBRA.wmf"});
}
BENCHMARK(LetterFunOpen)->Unit(benchmark::kMillisecond);

} // namespace
