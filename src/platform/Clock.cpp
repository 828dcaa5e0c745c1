// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include "platform/Waits.h"
#include "platform/WindowTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <cmath>

namespace nibsy {

QString Clock::timeText() const {
    const int s = int(std::floor(secondsSinceMidnight())) % 86400;
    return QTime(s / 3600, s / 60 % 60, s % 60).toString(QStringLiteral("hh:mm:ss"));
}

namespace {
QElapsedTimer& monotonic() {
    static QElapsedTimer timer;
    if (!timer.isValid()) {
        timer.start();
    }
    return timer;
}
} // namespace

SystemClock::SystemClock() {
    monotonic();
}

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

qint64 SystemClock::monotonicMs() const {
    return monotonic().elapsed();
}

void SystemClock::wait(qint64 ms) {
    if (ms <= 0) {
        return;
    }
    WaitScope scope;
    const qint64 end = monotonicMs() + ms;
    // Paint and timer events go on; user input stays queued until the wait is over.
    for (qint64 left = ms; left > 0; left = end - monotonicMs()) {
        if (!QCoreApplication::instance() || QCoreApplication::closingDown()) {
            return;
        }
        QEventLoop loop;
        QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace nibsy
