// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/ShapeItems.h"

#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "shell/Palette.h"

#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>

namespace nibsy {

QColor ItemColor(int index) {
    switch (index) {
    case 0:
        return QBColor(9);
    case 1:
        return QBColor(12);
    case 2:
        return QBColor(14);
    case 3:
        return QColor(0, 192, 0);
    case 4:
        return QColor(192, 0, 192);
    case 5:
        return QBColor(15);
    default:
        return QBColor(0);
    }
}

QString ColorName(int index) {
    static const std::array<const char*, ItemCount> names{"blue",   "red",   "yellow", "green",
                                                          "purple", "white", "black"};
    return QString::fromLatin1(names[size_t(std::clamp(index, 0, ItemCount - 1))]);
}

QString ShapeName(int index) {
    static const std::array<const char*, ItemCount> names{"square",   "rectangle", "circle", "oval",
                                                          "triangle", "diamond",   "star"};
    return QString::fromLatin1(names[size_t(std::clamp(index, 0, ItemCount - 1))]);
}

namespace {

// The star's corners in a square of side s, outer and inner points alternating.
QPolygon starPoints(int s, int left) {
    constexpr double Pi = 3.14159;
    const int R = near(0.475 * s);
    const int q = near(0.15 * s);
    QPolygon points;
    for (int i = 0; i < 5; ++i) {
        const double a = (72.0 * i - 180) * Pi / 180;
        const double b = (72.0 * i - 144) * Pi / 180;
        points << QPoint(left + near(0.5 * s - std::sin(a) * R), near(std::cos(a) * R + 0.5 * s));
        points << QPoint(left + near(0.5 * s - std::sin(b) * q), near(std::cos(b) * q + 0.5 * s));
    }
    return points;
}

} // namespace

void DrawItemIn(PictureBox& box, int left, int width, int shape, const QColor& colour) {
    const auto oldMode = box.scaleMode();
    const auto oldStyle = box.fillStyle();
    const QColor oldFill = box.fillColor(), oldFore = box.foreColor();
    box.setScaleMode(PictureBox::ScaleMode::Pixels);
    box.setFillStyle(PictureBox::FillStyle::Solid);
    box.setFillColor(colour);
    box.setForeColor(colour);
    const int W = width;
    const int H = int(box.scaleHeight());
    const int x = near(0.05 * W);
    const int y = near(0.05 * H);
    switch (shape) {
    case Square:
        box.Box(left + x, y, left + W - x, H - y);
        break;
    case Rectangle:
        box.Box(left + near(0.3 * W), y, left + W - near(0.3 * W), H - y);
        break;
    case Circle:
        box.Circle(left + 0.5 * W, 0.5 * H, 0.45 * W);
        break;
    case Oval:
        box.Circle(left + 0.5 * W, 0.5 * H, 0.45 * W, {}, 1.5);
        break;
    case Triangle:
        box.Polygon(QPolygon(
            {QPoint(left + x, H - y), QPoint(left + near(0.5 * W), y), QPoint(left + W - x, H - y)}));
        break;
    case Diamond:
        box.Polygon(QPolygon({QPoint(left + x, near(0.5 * H)), QPoint(left + near(0.5 * W), y),
                              QPoint(left + W - x, near(0.5 * H)), QPoint(left + near(0.5 * W), H - y)}));
        break;
    case Star:
        box.Polygon(starPoints(near(std::min(W, H)), left));
        break;
    default:
        break;
    }
    box.setForeColor(oldFore);
    box.setFillColor(oldFill);
    box.setFillStyle(oldStyle);
    box.setScaleMode(oldMode);
}

} // namespace nibsy
