// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a window takes from the menu's click until it is on the screen: it is opened as the menu opens
// it (made, loaded with its pictures and sounds from data/, shown, first paint done), then closed again.
// Sounds are silent; a missing or unreadable data file skips the benchmark with its name.

#include "shell/OpenWindow.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

namespace nibsy::bench {

// The services a window takes, with the suite's own data, for the lifetime of this object.
class BenchPlatform {
public:
    // needed: data files whose absence skips the benchmark.
    BenchPlatform(benchmark::State& state, const QStringList& needed);
    ~BenchPlatform();
    BenchPlatform(const BenchPlatform&) = delete;
    BenchPlatform& operator=(const BenchPlatform&) = delete;
    bool ready() const { return m_ready; }

private:
    benchmark::State& m_state;
    QString m_savedAppDir;
    bool m_ready = false;
};

template <class Window>
void timeOpening(benchmark::State& state, const std::function<void(Settings&)>& setUp = {},
                 const QStringList& needed = {}) {
    BenchPlatform platform(state, needed);
    if (!platform.ready()) {
        return;
    }
    settings() = Settings{};
    if (setUp) {
        setUp(settings());
    }
    for (auto _ : state) {
        Window* window = openWindow<Window>(nullptr);
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    settings() = Settings{};
}

} // namespace nibsy::bench
