// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seven colours and the seven shapes that Colors & Shapes teaches and Patterns lines up, and the one
// way every one of them is drawn.

#include <QColor>
#include <QString>

namespace nibsy {

class PictureBox;

inline constexpr int ItemCount = 7;

enum ItemShape { Square, Rectangle, Circle, Oval, Triangle, Diamond, Star };

// Item colour 0 to 6: blue, red, yellow, green, purple, white, black.
QColor ItemColor(int index);
QString ColorName(int index);
QString ShapeName(int index);

// Draws the shape (0 to 6), filled and outlined in the colour, into the cell of the box that starts left
// pixels from its left edge and is width pixels wide and as high as the box: 5 % margins, the rectangle
// and the oval taller than wide, the star's ten points in the cell's top square.
void DrawItemIn(PictureBox& box, int left, int width, int shape, const QColor& colour);

} // namespace nibsy
