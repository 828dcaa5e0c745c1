// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Treasure Maze: how long it takes to open, to make and draw a new maze (New Maze), and to draw the
// maze on the field again as it stands.

#include "OpenWindowBench.h"
#include "arcade/frmMaze.h"
#include "shell/OpenWindow.h"

namespace {

using nibsy::frmMaze;

void OpenTreasureMaze(benchmark::State& state) {
    nibsy::bench::timeOpening<frmMaze>(state);
}

void MazeNewMaze(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {});
    if (!platform.ready()) {
        return;
    }
    frmMaze* window = nibsy::openWindow<frmMaze>(nullptr);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->cmdNew_Click(); // a new maze, generated and drawn
        state.PauseTiming();
        window->cmdNew_Click();  // Solve Maze
        window->cmdExit_Click(); // Stop: the next click makes a new maze again
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    delete window;
}

void MazeRepaint(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {});
    if (!platform.ready()) {
        return;
    }
    frmMaze* window = nibsy::openWindow<frmMaze>(nullptr);
    window->cmdNew_Click();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->picField_Paint();
    }
    delete window;
}

BENCHMARK(OpenTreasureMaze)->Unit(benchmark::kMillisecond);
BENCHMARK(MazeNewMaze)->Unit(benchmark::kMillisecond);
BENCHMARK(MazeRepaint)->Unit(benchmark::kMillisecond);

} // namespace
