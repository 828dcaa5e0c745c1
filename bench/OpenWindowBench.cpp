// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenWindowBench.h"

#include "platform/AppFiles.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/Random.h"
#include "platform/Services.h"

#include <QApplication>
#include <QFileInfo>

namespace nibsy::bench {

namespace {
class Silent : public SoundPlayer {
public:
    void play(const QString&, int) override {}
    void stop() override {}
    void beep() override {}
};

// A missing picture is noted instead of ending the program.
class Noted : public Fatal {
public:
    void fail(const QString& message) override { messages << message; }
    QStringList messages;
};

Noted* noted() {
    return dynamic_cast<Noted*>(services().fatal.get());
}
} // namespace

BenchPlatform::BenchPlatform(benchmark::State& state, const QStringList& needed)
    : m_state(state), m_savedAppDir(AppFiles::userDir()) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        state.SkipWithError("a widget window: the benchmark program needs a QApplication");
        return;
    }
    AppFiles::setAppDir(QStringLiteral(NIBSY_SOURCE_DIR "/data/"));
    for (const QString& name : needed) {
        if (!QFileInfo::exists(AppFiles::resolve(name))) {
            state.SkipWithError(qPrintable(QStringLiteral("data/ lacks %1").arg(name)));
            return;
        }
    }
    installFontSubstitutions();
    Services& s = services();
    s.sound = std::make_unique<Silent>();
    s.clock = std::make_unique<SystemClock>();
    s.random = std::make_unique<SystemRandom>();
    s.pictures = std::make_unique<Pictures>();
    s.fatal = std::make_unique<Noted>();
    m_ready = true;
}

BenchPlatform::~BenchPlatform() {
    if (m_ready && noted() && !noted()->messages.isEmpty()) {
        m_state.SkipWithError(qPrintable(noted()->messages.first()));
    }
    clearServices();
    AppFiles::setAppDir(m_savedAppDir);
}

} // namespace nibsy::bench
