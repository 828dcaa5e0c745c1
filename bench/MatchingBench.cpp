// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Matching Fun, Barnyard Fun and the Memory Game take to open with the suite's own pictures: the
// window is made, loads its pictures and sounds, shows, paints, and goes again.

#include "matching/frmBarn.h"
#include "matching/frmMatch.h"
#include "matching/frmMem.h"
#include "platform/AppFiles.h"
#include "platform/Clock.h"
#include "platform/Picture.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

// Opening a window plays nothing; a missing picture is remembered instead of ending the program.
class Quiet : public nibsy::SoundPlayer {
public:
    void play(const QString&, int) override {}
    void stop() override {}
    void beep() override {}
};

class Noted : public nibsy::Fatal {
public:
    void fail(const QString& message) override { messages << message; }
    QStringList messages;
};

template <class Window> void OpenWindow(benchmark::State& state, const QStringList& needed) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("a widget window: the benchmark program needs a QApplication");
        return;
    }
    const QString savedDir = nibsy::AppFiles::appDir();
    nibsy::AppFiles::setAppDir(QStringLiteral(NIBSY_SOURCE_DIR "/data/"));
    for (const QString& name : needed) {
        if (!QFileInfo::exists(nibsy::AppFiles::resolve(name))) {
            nibsy::AppFiles::setAppDir(savedDir);
            state.SkipWithError(qPrintable(QStringLiteral("data/ lacks %1").arg(name)));
            return;
        }
    }
    nibsy::Services& s = nibsy::services();
    s.sound = std::make_unique<Quiet>();
    s.clock = std::make_unique<nibsy::SystemClock>();
    s.random = std::make_unique<nibsy::SystemRandom>();
    s.pictures = std::make_unique<nibsy::Pictures>();
    auto noted = std::make_unique<Noted>();
    Noted& failures = *noted;
    s.fatal = std::move(noted);

    for (auto _ : state) {
        auto* window = new Window(nullptr);
        window->Form_Load();
        window->show();
        QCoreApplication::processEvents();
        delete window;
    }
    if (!failures.messages.isEmpty()) {
        state.SkipWithError(qPrintable(failures.messages.first()));
    }
    nibsy::clearServices();
    nibsy::AppFiles::setAppDir(savedDir);
}

void OpenMatchingFun(benchmark::State& state) {
    OpenWindow<nibsy::frmMatch>(state, {"ball.wmf", "clown.wmf", "space.wav"});
}
void OpenMemoryGame(benchmark::State& state) {
    OpenWindow<nibsy::frmMem>(state, {"ball.wmf", "cake.wmf", "wow.wav"});
}
void OpenBarnyardFun(benchmark::State& state) {
    OpenWindow<nibsy::frmBarn>(state, {"cat.wmf", "pig.wmf", "barnyard.wav"});
}
BENCHMARK(OpenMatchingFun)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenMemoryGame)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBarnyardFun)->Unit(benchmark::kMillisecond);

} // namespace
