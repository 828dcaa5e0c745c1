// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long Puzzle Time takes to open: with the suite's own pictures, and with a folder of 1,000 metafiles
// (their names are listed; only the one chosen is read and drawn).

#include "OpenWindowBench.h"
#include "arcade/frmPuz.h"
#include "platform/AppFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QStringList Sounds{"space.wav", "wow.wav", "uhoh.wav"};

void OpenPuzzleTime(benchmark::State& state) {
    nibsy::bench::timeOpening<nibsy::frmPuz>(state, {}, Sounds);
}
BENCHMARK(OpenPuzzleTime)->Unit(benchmark::kMillisecond);

void OpenPuzzleTimeWith1000Pictures(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, Sounds);
    if (!platform.ready()) {
        return;
    }
    // The suite's metafiles copied over and over under new names.
    QTemporaryDir folder;
    const QStringList pictures = QDir(nibsy::AppFiles::userDir()).entryList({"*.wmf"}, QDir::Files);
    for (int i = 0; i < 1000 && !pictures.isEmpty(); ++i) {
        const QString& from = pictures[i % pictures.size()];
        QFile::copy(nibsy::AppFiles::userDir() + from, folder.filePath(QString("P%1%2").arg(i).arg(from)));
    }
    nibsy::AppFiles::setAppDir(folder.path());
    for (auto _ : state) {
        auto* window = nibsy::openWindow<nibsy::frmPuz>(nullptr);
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenPuzzleTimeWith1000Pictures)->Unit(benchmark::kMillisecond);

} // namespace
