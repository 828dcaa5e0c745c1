// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Palette.h"
#include "platform/PictureBox.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace nibsy;

// Points just inside and just outside each shape, in a box wider than high, so that a fraction of the
// width taken for one of the height shows. The circle's radius follows the width alone; the ovals are
// half as high (5) or half as wide (6); 7 to 9 are the triangle, the hexagon and the octagon.
TEST(Palette, ItemShapesFillTheirFractionsOfTheBox) {
    const QColor R = Qt::red, W = Qt::white;
    const struct {
        int shape, x, y;
        QColor colour;
    } cases[] = {
        {0, 100, 60, W},  {10, 100, 60, W}, {1, 12, 8, R},    {1, 8, 60, W},    {1, 188, 60, R},
        {1, 100, 113, R}, {1, 100, 116, W}, {2, 62, 60, R},   {2, 58, 60, W},   {2, 141, 60, W},
        {2, 100, 8, R},   {3, 100, 38, R},  {3, 100, 34, W},  {3, 100, 85, W},  {3, 188, 60, R},
        {3, 195, 60, W},  {4, 100, 3, R},   {4, 14, 60, R},   {4, 8, 60, W},    {5, 100, 12, W},
        {5, 100, 19, R},  {5, 14, 60, R},   {6, 52, 60, W},   {6, 58, 60, R},   {7, 100, 20, R},
        {7, 20, 20, W},   {7, 180, 110, R}, {7, 195, 110, W}, {7, 100, 117, W}, {8, 100, 9, R},
        {8, 15, 15, W},   {8, 186, 60, R},  {8, 194, 60, W},  {8, 185, 105, W}, {9, 14, 14, W},
        {9, 186, 106, W}, {9, 13, 60, R},   {9, 187, 60, R},  {9, 100, 9, R},   {9, 100, 3, W},
        {9, 100, 117, W},
    };
    test::FakePlatform fake;
    for (const auto& c : cases) {
        PictureBox box;
        box.resize(200, 120);
        box.setBackColor(W);
        box.setFillColor(R);
        box.setForeColor(R);
        DrawShape(box, c.shape);
        EXPECT_EQ(box.image().pixelColor(c.x, c.y), c.colour) << c.shape << " at " << c.x << "," << c.y;
        EXPECT_EQ(box.scaleMode(), PictureBox::ScaleMode::Twips); // as it was
    }
    EXPECT_EQ(QBColor(-1), QColor(Qt::black)); // a colour number out of range is black
    EXPECT_EQ(QBColor(16), QColor(Qt::black));
}
