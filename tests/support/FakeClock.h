// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock and a random number generator for tests: time moves only when a test (or a wait) moves it,
// and random numbers can be fixed or scripted.

#include "platform/Clock.h"
#include "platform/Random.h"

#include <QList>

namespace nibsy::test {

// Time stands still until a test moves it on; wait() moves it on at once. Moving time on
// fires the window timers that fall due, as the real event loop would.
class FakeClock : public Clock {
public:
    double secondsSinceMidnight() const override;
    qint64 monotonicMs() const override { return m_now; }
    void wait(qint64 ms) override;
    void setTimeOfDay(double seconds) { m_dayStart = seconds * 1000.0 - double(m_now); }
    bool drivesWindowTimers() const override { return true; }
    void advance(qint64 ms);
    qint64 totalWaited() const { return m_waited; }

private:
    qint64 m_now = 0, m_waited = 0;
    double m_dayStart = 9 * 3600 * 1000.0;
};

// seedFromTimer() keeps the fixed seed, and scripted values come out first, in order.
class FakeRandom : public SystemRandom {
public:
    void seedFromTimer() override { seed(m_fixedSeed); }
    void setFixedSeed(quint32 s) {
        m_fixedSeed = s;
        seed(s);
    }
    void script(const QList<double>& values) { m_script.append(values); }
    double next() override;
    int drawn() const { return m_drawn; }

private:
    QList<double> m_script;
    quint32 m_fixedSeed = 1;
    int m_drawn = 0;
};

} // namespace nibsy::test
