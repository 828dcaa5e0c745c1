// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Counting Fun takes to open with the suite's own pictures: the window is made, loads its
// pictures and sounds, shows, paints, and goes again.

#include "letters/frmCount.h"
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

// Opening the window plays nothing; a missing picture is remembered instead of ending the program.
class Silent : public nibsy::SoundPlayer {
public:
    void play(const QString&, int) override {}
    void stop() override {}
    void beep() override {}
};

class Missing : public nibsy::Fatal {
public:
    void fail(const QString& message) override { messages << message; }
    QStringList messages;
};

void OpenCountingFun(benchmark::State& state) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("Counting Fun is a widget window: the benchmark program needs a QApplication");
        return;
    }
    const QString dataDir = QStringLiteral(NIBSY_SOURCE_DIR "/data/");
    const QString savedDir = nibsy::AppFiles::appDir();
    nibsy::AppFiles::setAppDir(dataDir);
    const QStringList needed{"apple.wmf", "ball.wmf",  "house.wmf", "igloo.wmf", "jet.wmf",
                             "sun.wmf",   "tree.wmf",  "wagon.wmf", "xylo.bmp",  "dino1.wmf",
                             "dino5.wmf", "dino9.wmf", "N20.wav",   "tada.wav"};
    for (const QString& name : needed) {
        if (!QFileInfo::exists(nibsy::AppFiles::resolve(name))) {
            nibsy::AppFiles::setAppDir(savedDir);
            state.SkipWithError(qPrintable(QStringLiteral("data/ lacks %1").arg(name)));
            return;
        }
    }

    nibsy::Services& s = nibsy::services();
    s.sound = std::make_unique<Silent>();
    s.clock = std::make_unique<nibsy::SystemClock>();
    s.random = std::make_unique<nibsy::SystemRandom>();
    s.pictures = std::make_unique<nibsy::Pictures>();
    auto missing = std::make_unique<Missing>();
    Missing& failures = *missing;
    s.fatal = std::move(missing);
    // Shapes (0) load no pictures; pictures (1) and dinosaurs (2, as the suite is installed) do.
    nibsy::settings().CountItems = qint16(state.range(0));
    nibsy::settings().BiggestNumber = 20;

    for (auto _ : state) {
        auto* window = new nibsy::frmCount(nullptr);
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
BENCHMARK(OpenCountingFun)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
