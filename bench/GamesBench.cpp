// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Tic Tac Toe and Card Fun take from the menu's click to shown: the window is made, loads its
// sounds and draws its pictures, shows, paints, and goes again.

#include "games/frmCards.h"
#include "games/frmTic.h"
#include "platform/AppFiles.h"
#include "platform/Clock.h"
#include "platform/Picture.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "shell/Settings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

class Silent : public nibsy::SoundPlayer {
public:
    void play(const QString&, int) override {}
    void stop() override {}
    void beep() override {}
};

template <class Window> void OpenWindow(benchmark::State& state) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("a widget window: the benchmark program needs a QApplication");
        return;
    }
    const QString savedDir = nibsy::AppFiles::appDir();
    nibsy::AppFiles::setAppDir(QStringLiteral(NIBSY_SOURCE_DIR "/data/"));
    nibsy::Services& s = nibsy::services();
    s.sound = std::make_unique<Silent>();
    s.clock = std::make_unique<nibsy::SystemClock>();
    s.random = std::make_unique<nibsy::SystemRandom>();
    s.pictures = std::make_unique<nibsy::Pictures>();
    // Card Fun: Match lays out twenty backs, Compare the empty table.
    nibsy::settings().CardGame = qint16(state.range(0));

    for (auto _ : state) {
        auto* window = new Window(nullptr);
        window->Form_Load();
        window->show();
        QCoreApplication::processEvents();
        delete window;
    }
    nibsy::clearServices();
    nibsy::AppFiles::setAppDir(savedDir);
}
BENCHMARK(OpenWindow<nibsy::frmTic>)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWindow<nibsy::frmCards>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
