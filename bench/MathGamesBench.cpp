// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Snowman Math and Bug Builder take to open, with every player's picture showing.

#include "OpenWindowBench.h"
#include "math/frmBug.h"
#include "math/frmSnow.h"

namespace {

void OpenSnowmanMath(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmSnow>(state, [](nibsy::Settings& s) { s.SnowPlayers = 4; });
}
void OpenBugBuilder(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmBug>(state, [](nibsy::Settings& s) { s.BugPlayers = 4; });
}
BENCHMARK(OpenSnowmanMath)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBugBuilder)->Unit(benchmark::kMillisecond);

} // namespace
