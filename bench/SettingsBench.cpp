#include "platform/AppFiles.h"
#include "shell/Settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace nibsy;

// Reading and writing the settings file as start-up and Exit do, on a real file.
static void SettingsLoadSave(benchmark::State& state) {
    QTemporaryDir dir;
    AppFiles::setAppDir(dir.path());
    settings() = Settings{};
    SaveSettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSettings());
        benchmark::DoNotOptimize(SaveSettings());
    }
}
BENCHMARK(SettingsLoadSave)->Unit(benchmark::kMicrosecond);

static void SettingsLoad(benchmark::State& state) {
    QTemporaryDir dir;
    AppFiles::setAppDir(dir.path());
    settings() = Settings{};
    SaveSettings();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSettings());
    }
}
BENCHMARK(SettingsLoad)->Unit(benchmark::kMicrosecond);
