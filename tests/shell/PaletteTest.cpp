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
    const int rgb[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                            {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                            {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                            {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    for (int n = 0; n < 16; ++n) {
        EXPECT_EQ(QBColor(n), QColor(rgb[n][0], rgb[n][1], rgb[n][2])) << n;
    }
    EXPECT_EQ(QBColor(-1), QColor(0, 0, 0));
    EXPECT_EQ(QBColor(16), QColor(0, 0, 0));
}

TEST(Palette, BoxesFollowTheirFractions) {
    // Shape 2, the tall rectangle: x = 30 % of the width, y = 5 % of the height.
    auto b = box(100, 100);
    DrawShape(*b, 2);
    EXPECT_EQ(at(*b, 50, 50), QColor(Qt::red));
    EXPECT_EQ(at(*b, 25, 50), QColor(Qt::white));
    EXPECT_EQ(at(*b, 75, 50), QColor(Qt::white));
    EXPECT_EQ(at(*b, 50, 2), QColor(Qt::white));
    EXPECT_EQ(at(*b, 50, 7), QColor(Qt::red));
    // Shape 3 the other way round.
    auto c = box(100, 100);
    DrawShape(*c, 3);
    EXPECT_EQ(at(*c, 50, 25), QColor(Qt::white));
    EXPECT_EQ(at(*c, 7, 50), QColor(Qt::red));
}

TEST(Palette, CircleRadiusFollowsTheWidthAlone) {
    // In a box twice as wide as high the circle runs past the top and bottom edges.
    auto b = box(200, 100);
    DrawShape(*b, 4);
    EXPECT_EQ(at(*b, 100, 1), QColor(Qt::red));
    EXPECT_EQ(at(*b, 100, 98), QColor(Qt::red));
    EXPECT_EQ(at(*b, 5, 50), QColor(Qt::white)); // radius 90 leaves 10 pixels each side
    EXPECT_EQ(at(*b, 15, 50), QColor(Qt::red));
    // The wide oval is half as high: radius 45 across, 22.5 down.
    auto o = box(100, 100);
    DrawShape(*o, 5);
    EXPECT_EQ(at(*o, 50, 25), QColor(Qt::white));
    EXPECT_EQ(at(*o, 50, 40), QColor(Qt::red));
    EXPECT_EQ(at(*o, 10, 50), QColor(Qt::red));
    // The tall oval: 45 down, 22.5 across.
    auto t = box(100, 100);
    DrawShape(*t, 6);
    EXPECT_EQ(at(*t, 25, 50), QColor(Qt::white));
    EXPECT_EQ(at(*t, 50, 10), QColor(Qt::red));
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
