// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowTimer.h"

#include "platform/Clock.h"
#include "platform/Services.h"
#include "platform/Waits.h"

#include <algorithm>
#include <vector>

namespace nibsy {

namespace {
std::vector<WindowTimer*>& all() {
    static std::vector<WindowTimer*> list;
    return list;
}
bool isLive(WindowTimer* t) {
    return std::find(all().begin(), all().end(), t) != all().end();
}
} // namespace

WindowTimer::WindowTimer(QObject* parent, int intervalMs) : QObject(parent), m_interval(intervalMs) {
    all().push_back(this);
    m_timer.setTimerType(Qt::PreciseTimer);
    // The tick is delivered from the event queue, not from inside the timer's own event: Qt silently
    // drops the ticks of a timer that fall due while its own event is being handled, and a handler that
    // waits would then lose the tick it should get at once afterwards.
    connect(&m_timer, &QTimer::timeout, this, &WindowTimer::fire, Qt::QueuedConnection);
}

WindowTimer::~WindowTimer() {
    all().erase(std::remove(all().begin(), all().end(), this), all().end());
}

bool WindowTimer::driven() const {
    return clock().drivesWindowTimers();
}

void WindowTimer::setInterval(int ms) {
    m_interval = ms;
    restart();
}

void WindowTimer::setEnabled(bool on) {
    m_enabled = on;
    restart();
}

void WindowTimer::restart() {
    m_timer.stop();
    if (!m_enabled || m_interval <= 0) {
        return;
    }
    if (driven()) {
        m_due = clock().monotonicMs() + m_interval;
    } else {
        m_timer.start(m_interval);
    }
}

void WindowTimer::fire() {
    if (m_held) {
        return; // one tick is already waiting for the wait to end: merge
    }
    m_held = true;
    Waits::runWhenIdle(this, [this] { deliver(); });
}

void WindowTimer::deliver() {
    m_held = false;
    if (m_enabled && m_interval > 0 && m_handler) {
        m_handler();
    }
}

void WindowTimer::advanceTo(qint64 nowMs) {
    // A bounded number of ticks per step: a test that jumps far ahead gets at most this many.
    for (int n = 0; n < 10000 && m_enabled && m_interval > 0 && m_due <= nowMs; ++n) {
        m_due += m_interval;
        fire();
    }
}

void WindowTimer::advanceAll(qint64 nowMs) {
    const std::vector<WindowTimer*> timers = all();
    for (WindowTimer* t : timers) {
        if (isLive(t)) {
            t->advanceTo(nowMs);
        }
    }
}

} // namespace nibsy
