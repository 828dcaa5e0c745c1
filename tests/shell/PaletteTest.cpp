// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Palette.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

// A white box of w x h pixels with the fill and outline colours set as the activities set them.
std::unique_ptr<PictureBox> box(int w, int h, QColor fill = Qt::red, QColor fore = Qt::black) {
    auto b = std::make_unique<PictureBox>();
    b->resize(w, h);
    b->setBackColor(Qt::white);
    b->setFillColor(fill);
    b->setForeColor(fore);
    return b;
}

QColor at(PictureBox& b, int x, int y) {
    return b.image().pixelColor(x, y);
}

} // namespace

TEST(Palette, SixteenColours) {
    const QRgb rgb[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                          0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(QBColor(n), QColor(rgb[n])) << n;
    }
    EXPECT_EQ(QBColor(-1), QColor(0, 0, 0));
    EXPECT_EQ(QBColor(16), QColor(0, 0, 0));
}

TEST(Palette, RectanglesAndOvalsFollowTheirFractions) {
    // Shape 2 the tall rectangle (x at 30 % of the width, y at 5 % of the height), 3 the wide one; the
    // circle's radius follows the width alone, so in a wide box it runs past the top and bottom; the ovals
    // are half as high (5) or half as wide (6).
    const QColor R = Qt::red, W = Qt::white;
    const struct {
        int shape, w, x, y;
        QColor colour;
    } cases[] = {{2, 100, 50, 50, R}, {2, 100, 25, 50, W}, {2, 100, 75, 50, W}, {2, 100, 50, 2, W},
                 {2, 100, 50, 97, W}, {2, 100, 50, 7, R},  {3, 100, 50, 25, W}, {3, 100, 7, 50, R},
                 {3, 100, 93, 50, R}, {3, 100, 97, 50, W}, {4, 200, 100, 1, R}, {4, 200, 100, 98, R},
                 {4, 200, 5, 50, W},  {4, 200, 15, 50, R}, {5, 100, 50, 25, W}, {5, 100, 50, 40, R},
                 {5, 100, 10, 50, R}, {6, 100, 25, 50, W}, {6, 100, 50, 10, R}};
    for (const auto& c : cases) {
        auto b = box(c.w, 100);
        DrawShape(*b, c.shape);
        EXPECT_EQ(at(*b, c.x, c.y), c.colour) << c.shape << " at " << c.x << "," << c.y;
    }
}

namespace {

// The corners of shapes 7 to 9 in a box of W x H pixels, as fractions of the box.
QList<QPointF> corners(int shape, double W, double H) {
    auto r = [](double v) { return double(near(v)); };
    const double x = r(0.05 * W), y = r(0.05 * H);
    auto at = [&](double fx, double fy) { return QPointF(r(fx * W), r(fy * H)); };
    switch (shape) {
    case 7:
        return {{x, H - y}, at(0.5, 0.05), {W - x, H - y}};
    case 8:
        return {{x, r(0.5 * H)},     at(0.25, 0.05),       at(0.75, 0.05),
                {W - x, r(0.5 * H)}, {r(0.75 * W), H - y}, {r(0.25 * W), H - y}};
    default:
        return {{x, r(0.3 * H)},     at(0.3, 0.05),       at(0.7, 0.05),       {W - x, r(0.3 * H)},
                {W - x, r(0.7 * H)}, {r(0.7 * W), H - y}, {r(0.3 * W), H - y}, {x, r(0.7 * H)}};
    }
}

} // namespace

TEST(Palette, PolygonsInPixelsOnEveryEdgeAndCorner) {
    // A box wider than high, so that a fraction of the width taken for one of the height shows.
    const int W = 200, H = 120;
    for (int shape : {7, 8, 9}) {
        SCOPED_TRACE(shape);
        auto b = box(W, H);
        DrawShape(*b, shape);
        const QList<QPointF> c = corners(shape, W, H);
        QPointF centre;
        for (const QPointF& p : c) {
            centre += p / c.size();
        }
        auto colour = [&](QPointF p) { return at(*b, int(std::floor(p.x())), int(std::floor(p.y()))); };
        for (int i = 0; i < c.size(); ++i) {
            // Beside the middle of each edge: filled within, white without.
            const QPointF a = c[i], z = c[(i + 1) % c.size()];
            const QPointF mid = (a + z) / 2;
            QPointF normal(z.y() - a.y(), a.x() - z.x());
            normal /= std::hypot(normal.x(), normal.y());
            if (QPointF::dotProduct(normal, mid - centre) < 0) {
                normal = -normal;
            }
            EXPECT_EQ(colour(mid - 3 * normal), QColor(Qt::red)) << "edge " << i;
            EXPECT_EQ(colour(mid + 3 * normal), QColor(Qt::white)) << "edge " << i;
            // Just inside each corner.
            const QPointF inward = (centre - a) / std::hypot(centre.x() - a.x(), centre.y() - a.y());
            EXPECT_EQ(colour(a + 6 * inward), QColor(Qt::red)) << "corner " << i;
        }
        // The corners of the box around the shape are cut off (the triangle keeps its base corners).
        const double x = near(0.05 * W), y = near(0.05 * H);
        for (const QPointF& boxCorner : {QPointF(x + 3, y + 3), QPointF(W - x - 4, y + 3),
                                         QPointF(W - x - 4, H - y - 4), QPointF(x + 3, H - y - 4)}) {
            if (shape != 7 || boxCorner.y() < H / 2) {
                EXPECT_EQ(colour(boxCorner), QColor(Qt::white)) << boxCorner.x() << "," << boxCorner.y();
            }
        }
        // The box's scale is back to twips afterwards.
        EXPECT_EQ(b->scaleMode(), PictureBox::ScaleMode::Twips);
    }
}

TEST(Palette, ShapesOutsideTheRangeDrawNothingAndWhiteShowsByItsOutline) {
    auto b = box(60, 60);
    const QImage before = b->image();
    DrawShape(*b, 0);
    DrawShape(*b, 10);
    EXPECT_EQ(b->image(), before);

    auto w = box(100, 100, QBColor(15), Qt::black);
    DrawShape(*w, 1);
    EXPECT_EQ(at(*w, 50, 50), QColor(Qt::white));
    EXPECT_EQ(at(*w, 5, 50), QColor(Qt::black)); // the outline at x = 5
}
