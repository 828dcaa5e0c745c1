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
    // True for a clock whose time moves only when it is told to: window timers then take their ticks from
    // the clock's own time (WindowTimer::advanceAll) instead of the event loop.
    virtual bool drivesWindowTimers() const { return false; }
};

// The real clock: a nested event loop that excludes user input, timed on a monotonic clock.
class SystemClock : public Clock {
public:
    SystemClock();
    double secondsSinceMidnight() const override;
    qint64 monotonicMs() const override;
    void wait(qint64 ms) override;
};

} // namespace nibsy
