// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Random.h"

#include "platform/Clock.h"
#include "platform/Services.h"

#include <cmath>

namespace nibsy {

int RandomSource::upTo(int n) {
    return below(n) + 1;
}

int RandomSource::below(int n) {
    return int(std::floor(next() * double(n)));
}

void SystemRandom::seedFromTimer() {
    // The time of day in hundredths of a second, as the system timer gives it.
    seed(quint32(std::llround(clock().secondsSinceMidnight() * 100.0)));
}

double SystemRandom::next() {
    // 53 random bits: uniform in [0, 1), never 1.
    const quint64 hi = m_engine() >> 5;
    const quint64 lo = m_engine() >> 6;
    return double(hi * 67108864ULL + lo) / 9007199254740992.0;
}

} // namespace nibsy
