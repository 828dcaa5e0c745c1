// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Matching Fun, the Memory Game and Barnyard Fun take to open.

#include "OpenWindowBench.h"
#include "matching/frmBarn.h"
#include "matching/frmMatch.h"
#include "matching/frmMem.h"

namespace {

void OpenMatchingFun(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmMatch>(state, {}, {"ball.wmf", "clown.wmf", "space.wav"});
}
void OpenMemoryGame(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmMem>(state, {}, {"ball.wmf", "cake.wmf", "wow.wav"});
}
void OpenBarnyardFun(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmBarn>(state, {}, {"cat.wmf", "pig.wmf", "barnyard.wav"});
}
BENCHMARK(OpenMatchingFun)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMemoryGame)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBarnyardFun)->Unit(benchmark::kMillisecond);

} // namespace
