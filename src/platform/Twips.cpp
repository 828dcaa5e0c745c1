// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace nibsy {

double twipsPerPixel() {
    double dpi = 96.0;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = app->primaryScreen()) {
            dpi = screen->logicalDotsPerInchX();
        }
    }
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int twipsToPx(double twips) {
    return int(std::lround(twips / twipsPerPixel()));
}

double pxToTwips(double px) {
    return px * twipsPerPixel();
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}

QSize twipsSize(int width, int height) {
    return {twipsToPx(width), twipsToPx(height)};
}

} // namespace nibsy
