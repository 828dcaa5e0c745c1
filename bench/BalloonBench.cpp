// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Balloon Popper: how long the window takes to open, how long one balloon tick takes (move, pop test,
// drawing into the buffer, copy to the field), and a whole one-minute game on the real event loop, with
// the ticks that came late counted.

#include "OpenWindowBench.h"
#include "arcade/frmBalloons.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/WindowTimer.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {

using nibsy::frmBalloons;

void OpenBalloonPopper(benchmark::State& state) {
    nibsy::bench::timeOpening<frmBalloons>(state, {}, {"whizpop.wav", "tada.wav"});
}

void BalloonTick(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {"whizpop.wav", "tada.wav"});
    if (!platform.ready()) {
        return;
    }
    auto* w = nibsy::openWindow<frmBalloons>(nullptr);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (!w->running()) {
            state.PauseTiming();
            w->cmdNew_Click();
            state.ResumeTiming();
        }
        w->timBalloons_Timer();
    }
    delete w;
    QCoreApplication::processEvents();
}

// A game played to its end: every tick's lateness behind its due time (100 ms after the one before).
void BalloonMinute(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {"whizpop.wav", "tada.wav"});
    if (!platform.ready()) {
        return;
    }
    for (auto _ : state) {
        auto* w = nibsy::openWindow<frmBalloons>(nullptr);
        QCoreApplication::processEvents();
        qint64 last = 0, worst = 0;
        int ticks = 0, late = 0;
        w->timBalloons->onTick([&] {
            const qint64 now = nibsy::clock().monotonicMs();
            if (ticks > 0) {
                const qint64 behind = now - last - w->timBalloons->interval();
                worst = std::max(worst, behind);
                late += behind > w->timBalloons->interval() ? 1 : 0;
            }
            last = now;
            ++ticks;
            w->timBalloons_Timer();
        });
        w->cmdNew_Click();
        QEventLoop loop;
        QTimer poll;
        poll.callOnTimeout([&] {
            if (!w->running())
                loop.quit();
        });
        poll.start(50);
        loop.exec();
        state.counters["ticks"] = ticks;
        state.counters["late_ticks"] = late;
        state.counters["worst_ms_behind"] = double(worst);
        delete w;
        QCoreApplication::processEvents();
    }
}

BENCHMARK(OpenBalloonPopper)->Unit(benchmark::kMillisecond);
BENCHMARK(BalloonTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BalloonMinute)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
