// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Snowman Math and Bug Builder take from the menu's click to shown: the window is made, loads
// its sounds and pictures, shows, paints, and goes again.

#include "math/frmBug.h"
#include "math/frmSnow.h"
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

template <class Window> void OpenGame(benchmark::State& state) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("the games are widget windows: the benchmark program needs a QApplication");
        return;
    }
    const QString savedDir = nibsy::AppFiles::appDir();
    nibsy::AppFiles::setAppDir(QStringLiteral(NIBSY_SOURCE_DIR "/data/"));
    nibsy::Services& s = nibsy::services();
    s.sound = std::make_unique<Silent>();
    s.clock = std::make_unique<nibsy::SystemClock>();
    s.random = std::make_unique<nibsy::SystemRandom>();
    s.pictures = std::make_unique<nibsy::Pictures>();
    // Every player's picture shows.
    nibsy::settings().SnowPlayers = 4;
    nibsy::settings().BugPlayers = 4;

    for (auto _ : state) {
        auto* window = new Window(nullptr);
        window->Form_Load();
        window->show();
        QCoreApplication::processEvents();
        delete window;
    }
    nibsy::clearServices();
    nibsy::settings() = nibsy::Settings{};
    nibsy::AppFiles::setAppDir(savedDir);
}

void OpenSnowmanMath(benchmark::State& state) {
    OpenGame<nibsy::frmSnow>(state);
}
void OpenBugBuilder(benchmark::State& state) {
    OpenGame<nibsy::frmBug>(state);
}
BENCHMARK(OpenSnowmanMath)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBugBuilder)->Unit(benchmark::kMillisecond);

} // namespace
