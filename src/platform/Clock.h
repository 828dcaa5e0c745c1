// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time of day, monotonic time, and the blocking wait that synchronous sounds and Pause use.

#include <QString>
#include <QtGlobal>

namespace nibsy {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, local time.
    virtual double secondsSinceMidnight() const = 0;
    // The time of day as "hh:mm:ss".
    QString timeText() const;
    // Milliseconds from an arbitrary start; never goes back.
    virtual qint64 monotonicMs() const = 0;
    // Holds the calling handler for ms milliseconds. The window keeps repainting; user input and window
    // timer ticks that arrive meanwhile are held and delivered afterwards (see Waits).
    virtual void wait(qint64 ms) = 0;
};

// The real clock: a nested event loop that excludes user input, timed on a monotonic clock.
class SystemClock : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    qint64 monotonicMs() const override;
    void wait(qint64 ms) override;
};

// For tests: time stands still until a test moves it on; wait() moves it on at once. Moving time on
// fires the window timers that fall due, as the real event loop would.
class FakeClock : public Clock {
public:
    double secondsSinceMidnight() const override;
    qint64 monotonicMs() const override;
    void wait(qint64 ms) override;
    void setTimeOfDay(double seconds) { m_dayStart = seconds * 1000.0 - double(m_now); }
    void advance(qint64 ms);
    qint64 totalWaited() const { return m_waited; }

private:
    qint64 m_now = 0;
    double m_dayStart = 9 * 3600 * 1000.0;
    qint64 m_waited = 0;
};

} // namespace nibsy
