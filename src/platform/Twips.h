// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Twips (1440 to the inch) to screen pixels, in one place: 15 twips a pixel at 96 dpi, following the
// screen's logical dpi.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace nibsy {

double twipsPerPixel();
int twipsToPx(double twips);
double pxToTwips(double px);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);

} // namespace nibsy
