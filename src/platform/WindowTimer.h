// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's timer, with an Enabled flag and an Interval in milliseconds. Its ticks never run inside a
// blocking wait: ticks that fall due during one are merged into a single tick after it. Under a clock that
// drives the window timers itself (Clock::drivesWindowTimers), that clock's time does instead of the event
// loop.

#include <QObject>
#include <QTimer>
#include <functional>

namespace nibsy {

class WindowTimer : public QObject {
    Q_OBJECT
public:
    explicit WindowTimer(QObject* parent, int intervalMs = 0);
    ~WindowTimer() override;

    void setInterval(int ms);
    int interval() const { return m_interval; }
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    // The handler that a tick runs.
    void onTick(std::function<void()> handler) { m_handler = std::move(handler); }

    // Delivers one tick now, as the timer would (held if a wait is in progress).
    void fire();
    // For a clock that drives the timers: time has moved on to nowMs; every enabled timer delivers the ticks
    // due by then.
    static void advanceAll(qint64 nowMs);

private:
    void advanceTo(qint64 nowMs);
    void restart();
    bool driven() const;
    void deliver();

    QTimer m_timer;
    std::function<void()> m_handler;
    int m_interval = 0;
    bool m_enabled = false;
    bool m_held = false;
    qint64 m_due = 0;
};

} // namespace nibsy
