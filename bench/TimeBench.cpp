// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Telling Time takes to open, and one minute's step of both clocks as the lesson's animation
// and the spin button make it: both clocks moved and painted.

#include "OpenWindowBench.h"
#include "clock/frmTime.h"
#include "platform/PictureBox.h"

namespace {

void OpenTime(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmTime>(state, {}, {"tada.wav", "uhoh.wav"});
}
BENCHMARK(OpenTime)->Unit(benchmark::kMillisecond);

void ClockStep(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {});
    if (!platform.ready()) {
        return;
    }
    nibsy::settings() = nibsy::Settings{};
    nibsy::settings().TimeSpinInc = 0; // a minute a step
    auto* window = nibsy::openWindow<nibsy::frmTime>(nullptr);
    window->cmdChoice_Click(1);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->spnTime_SpinUp();
        for (int i = 1; i <= 4; ++i) {
            window->picDig[size_t(i)]->repaint();
        }
    }
    delete window;
    nibsy::settings() = nibsy::Settings{};
}
BENCHMARK(ClockStep)->Unit(benchmark::kMicrosecond);

} // namespace
