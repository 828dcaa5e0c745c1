// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Tic Tac Toe and Card Fun take to open; Card Fun's Match (0) lays out twenty backs, Compare (1)
// the empty table.

#include "OpenWindowBench.h"
#include "games/frmCards.h"
#include "games/frmTic.h"

namespace {

void OpenTicTacToe(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmTic>(state);
}
void OpenCardFun(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmCards>(
        state, [&](nibsy::Settings& s) { s.CardGame = qint16(state.range(0)); });
}
BENCHMARK(OpenTicTacToe)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenCardFun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
