// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeClock.h"

#include "platform/Waits.h"
#include "platform/WindowTimer.h"

#include <cmath>

namespace nibsy::test {

double FakeClock::secondsSinceMidnight() const {
    return std::fmod(m_dayStart + double(m_now), 86400000.0) / 1000.0;
}

void FakeClock::wait(qint64 ms) {
    if (ms <= 0)
        return;
    WaitScope scope;
    m_waited += ms;
    advance(ms);
}

void FakeClock::advance(qint64 ms) {
    m_now += ms;
    WindowTimer::advanceAll(m_now);
}

double FakeRandom::next() {
    ++m_drawn;
    return m_script.isEmpty() ? SystemRandom::next() : m_script.takeFirst();
}

} // namespace nibsy::test
