// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Numbers.h"

#include <cfenv>
#include <cmath>

namespace nibsy {

int near(double v) {
    // nearbyint rounds in the current mode, which is to nearest with ties to even by default.
    return int(std::nearbyint(v));
}

QString formatNumber(int value, const QString& format) {
    if (value == 0 && !format.contains(QLatin1Char('0'))) {
        return {};
    }
    return QString::number(value);
}

QString plainNumber(int value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

} // namespace nibsy
