// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number rounding and the number formats of labels and messages.

#include <QString>

namespace nibsy {

// The nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
int near(double v);

// Formats a number like "#0" (at least one digit), "#" and "##" (0 shows as an empty text) or "##0".
QString formatNumber(int value, const QString& format);

// Plain conversion for message texts: a leading blank when the number is not negative (" 7", "-3").
QString plainNumber(int value);

} // namespace nibsy
