// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"

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
    EXPECT_EQ(QBColor(0), QColor(0, 0, 0));
    EXPECT_EQ(QBColor(6), QColor(128, 128, 0));
    EXPECT_EQ(QBColor(7), QColor(192, 192, 192));
    EXPECT_EQ(QBColor(11), QColor(0, 255, 255));
    EXPECT_EQ(QBColor(15), QColor(255, 255, 255));
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

TEST(Palette, PolygonsInPixels) {
    auto tri = box(100, 100);
    DrawShape(*tri, 7);
    EXPECT_EQ(at(*tri, 50, 80), QColor(Qt::red));
    EXPECT_EQ(at(*tri, 10, 20), QColor(Qt::white)); // outside the sloping sides
    EXPECT_EQ(at(*tri, 90, 20), QColor(Qt::white));
    // The octagon cuts the corners at 30 %.
    auto oct = box(100, 100);
    DrawShape(*oct, 9);
    EXPECT_EQ(at(*oct, 10, 10), QColor(Qt::white));
    EXPECT_EQ(at(*oct, 50, 50), QColor(Qt::red));
    EXPECT_EQ(at(*oct, 8, 50), QColor(Qt::red));
    // The hexagon's points stand at the middle of the left and right sides.
    auto hex = box(100, 100);
    DrawShape(*hex, 8);
    EXPECT_EQ(at(*hex, 8, 50), QColor(Qt::red));
    EXPECT_EQ(at(*hex, 8, 20), QColor(Qt::white));
    // The box's scale is back to twips afterwards.
    EXPECT_EQ(hex->scaleMode(), PictureBox::ScaleMode::Twips);
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
