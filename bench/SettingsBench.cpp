// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppFiles.h"
#include "shell/Settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace nibsy;

// Reading and writing the settings file as start-up and Exit do, on a real file. Saving includes the
// flush to disk that makes the replacement safe, so its wall time is mostly the disk's.
template <bool Save> static void SettingsFile(benchmark::State& state) {
    QTemporaryDir dir;
    AppFiles::setAppDir(dir.path());
    settings() = Settings{};
    SaveSettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Save ? SaveSettings() : LoadSettings());
    }
}
BENCHMARK(SettingsFile<false>)->Name("SettingsLoad")->Unit(benchmark::kMicrosecond);
BENCHMARK(SettingsFile<true>)->Name("SettingsSave")->Unit(benchmark::kMicrosecond);

// The file's text from the settings and back, without the disk.
static void SettingsFormatAndParse(benchmark::State& state) {
    const Settings s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseSettings(formatSettings(s)));
    }
}
BENCHMARK(SettingsFormatAndParse)->Unit(benchmark::kMicrosecond);
