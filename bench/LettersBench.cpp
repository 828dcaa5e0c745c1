// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Letter Fun takes to open from the menu's click until the window is on the screen: the window
// is made, loads its 26 pictures from data/ and is shown, its first paint done. Sounds are silenced.

#include "letters/frmLet.h"
#include "platform/AppFiles.h"
#include "platform/Fonts.h"
#include "platform/Services.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <benchmark/benchmark.h>

using namespace nibsy;

namespace {

class Silence : public SoundPlayer {
public:
    void play(const QString&, int) override {}
    void stop() override {}
    void beep() override {}
};

class CountFailures : public Fatal {
public:
    void fail(const QString&) override { ++failures; }
    int failures = 0;
};

const char* const PictureFiles[] = {
    "APPLE.wmf",  "BALL.wmf",  "CAT.wmf",     "DOG.wmf",     "ELEPHANT.wmf", "FISH.wmf",   "GRAPES.wmf",
    "HOUSE.wmf",  "IGLOO.wmf", "JET.wmf",     "KITE.wmf",    "LEMON.wmf",    "MONKEY.wmf", "NEST.wmf",
    "ORANGE.wmf", "PIANO.wmf", "QUARTER.wmf", "RACCOON.wmf", "SUN.wmf",      "TREE.wmf",   "UMBRELLA.wmf",
    "VIOLIN.wmf", "WAGON.wmf", "xylo.bmp",    "YOYO.wmf",    "ZEBRA.wmf"};

} // namespace

static void LetterFunOpen(benchmark::State& state) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("windows need a QApplication; the benchmark program made a QGuiApplication");
        return;
    }
    const QString dataDir = QStringLiteral(NIBSY_SOURCE_DIR "/data/");
    QStringList missing;
    for (const char* name : PictureFiles) {
        if (!QFileInfo::exists(dataDir + QString::fromLatin1(name))) {
            missing << QString::fromLatin1(name);
        }
    }
    if (!missing.isEmpty()) {
        const QString message = QStringLiteral("data/ lacks the Letter Fun pictures: ") + missing.join(' ');
        state.SkipWithError(message.toUtf8().constData());
        return;
    }

    installFontSubstitutions();
    installRealServices();
    services().sound = std::make_unique<Silence>();
    auto fatalCounter = std::make_unique<CountFailures>();
    CountFailures& fatal = *fatalCounter;
    services().fatal = std::move(fatalCounter);
    const QString savedAppDir = AppFiles::appDir();
    AppFiles::setAppDir(dataDir);

    QWidget menu;
    for (auto _ : state) {
        auto* window = new frmLet(&menu);
        window->Form_Load();
        window->show();
        QCoreApplication::processEvents();

        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (fatal.failures > 0) {
        state.SkipWithError("a picture in data/ could not be read");
    }

    AppFiles::setAppDir(savedAppDir);
    clearServices();
}
BENCHMARK(LetterFunOpen)->Unit(benchmark::kMillisecond);
