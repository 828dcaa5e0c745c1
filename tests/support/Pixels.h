// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace nibsy::test {

// The aligned 2 x 2 blocks of pixels that are not all alike: none in a drawing stretched to twice its
// size, many along the edges of one drawn at twice the resolution.
inline long finerThanTwoPixels(const QImage& image) {
    long n = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            n += image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p;
        }
    }
    return n;
}

} // namespace nibsy::test
