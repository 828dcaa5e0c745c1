// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Palette.h"

#include "platform/Numbers.h"
#include "platform/PictureBox.h"

#include <array>

namespace nibsy {

QColor QBColor(int number) {
    static constexpr std::array<std::array<int, 3>, 16> rgb{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    if (number < 0 || number > 15) {
        return {0, 0, 0};
    }
    const auto& c = rgb[size_t(number)];
    return {c[0], c[1], c[2]};
}

namespace {

// Shapes 7 to 9 are polygons whose corners are given as fractions of the box in pixels.
QPolygon polygonShape(int shape, int W, int H) {
    const int x = near(0.05 * W);
    const int y = near(0.05 * H);
    switch (shape) {
    case 7:
        return QPolygon({QPoint(x, H - y), QPoint(near(0.5 * W), y), QPoint(W - x, H - y)});
    case 8:
        return QPolygon({QPoint(x, near(0.5 * H)), QPoint(near(0.25 * W), y), QPoint(near(0.75 * W), y),
                         QPoint(W - x, near(0.5 * H)), QPoint(near(0.75 * W), H - y),
                         QPoint(near(0.25 * W), H - y)});
    case 9:
        return QPolygon({QPoint(x, near(0.3 * H)), QPoint(near(0.3 * W), y), QPoint(near(0.7 * W), y),
                         QPoint(W - x, near(0.3 * H)), QPoint(W - x, near(0.7 * H)),
                         QPoint(near(0.7 * W), H - y), QPoint(near(0.3 * W), H - y),
                         QPoint(x, near(0.7 * H))});
    default:
        return {};
    }
}

} // namespace

void DrawShape(PictureBox& target, int shape) {
    if (shape < 1 || shape > 9) {
        return;
    }
    const auto oldStyle = target.fillStyle();
    target.setFillStyle(PictureBox::FillStyle::Solid);
    if (shape >= 7) {
        const auto oldMode = target.scaleMode();
        target.setScaleMode(PictureBox::ScaleMode::Pixels);
        target.Polygon(polygonShape(shape, int(target.scaleWidth()), int(target.scaleHeight())));
        target.setScaleMode(oldMode);
    } else {
        const double W = target.scaleWidth();
        const double H = target.scaleHeight();
        switch (shape) {
        case 1:
            target.Box(near(0.05 * W), near(0.05 * H), W - near(0.05 * W), H - near(0.05 * H));
            break;
        case 2:
            target.Box(near(0.3 * W), near(0.05 * H), W - near(0.3 * W), H - near(0.05 * H));
            break;
        case 3:
            target.Box(near(0.05 * W), near(0.3 * H), W - near(0.05 * W), H - near(0.3 * H));
            break;
        case 4:
            target.Circle(0.5 * W, 0.5 * H, 0.45 * W);
            break;
        case 5:
            target.Circle(0.5 * W, 0.5 * H, 0.45 * W, {}, 0.5);
            break;
        case 6:
            target.Circle(0.5 * W, 0.5 * H, 0.45 * W, {}, 2.0);
            break;
        default:
            break;
        }
    }
    target.setFillStyle(oldStyle);
}

} // namespace nibsy
