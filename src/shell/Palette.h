// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The suite's sixteen numbered colours and the nine item shapes drawn as counting and matching items.

#include <QColor>

namespace nibsy {

class PictureBox;

// Palette number 0 to 15; numbers outside give black.
QColor QBColor(int number);

// Draws item shape 1 to 9 into the box with its fill and foreground colours; other numbers draw nothing.
void DrawShape(PictureBox& target, int shape);

} // namespace nibsy
