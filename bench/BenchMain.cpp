// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every benchmark of the program inside a GUI application, so fonts and images work as they do in
// the suite: on the offscreen platform unless QT_QPA_PLATFORM names another (xcb under Xvfb, say), and at
// the drawing factor NIBSY_BENCH_SCALE gives (1 unless given).

#include "platform/Scaling.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (const double factor = qEnvironmentVariableIsSet("NIBSY_BENCH_SCALE")
                                  ? qEnvironmentVariable("NIBSY_BENCH_SCALE").toDouble()
                                  : 1.0;
        factor > 1) {
        nibsy::applyScale(factor);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
