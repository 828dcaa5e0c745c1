// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one factor the whole suite is drawn at. Qt's own high-DPI scaling does the work: windows keep
// their sizes in twips and logical pixels, and the screen shows every window, font and picture that
// many times larger, drawn at the screen's own resolution.

#include <QSize>
#include <QStringView>
#include <optional>

namespace nibsy {

constexpr double MinScale = 1.0;
constexpr double MaxScale = 4.0;

// The factor at which a window menuWidth pixels wide (at factor 1) takes about 60 % of a screen of the
// given size: in quarter steps, from 1 to 4, and no larger than lets a window tallest pixels high fit.
double fittingScale(QSize screen, int menuWidth, int tallest);

// The largest factor, in quarter steps from 1 to 4, at which a window of the largest size (at factor 1)
// fits the screen: for full-screen mode.
double fullScreenScale(QSize screen, QSize largest);

// A factor as typed ("2", "1.5"), or none when it is not a number from 1 to 4.
std::optional<double> parseScale(QStringView text);

// The factor asked for on an earlier start, kept in the user's configuration, or none.
std::optional<double> rememberedScale();
// Keeps the factor for later starts; none forgets it, and the factor is chosen from the screen again.
void rememberScale(std::optional<double> factor);

// Draws every window at the factor from now on. Call it before the first window is made.
void applyScale(double factor);

} // namespace nibsy
