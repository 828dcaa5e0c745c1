// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions of Colors & Shapes: three choices among the seven items (colours or shapes, numbered 0
// to 6), one of which is the answer.

#include <array>

namespace nibsy {

struct ShapeChoices {
    std::array<int, 3> items{}; // the item at each of the three positions
    int answer = -1;            // the position of the right one
};

// Three different items, one of them the target: the first three of a shuffle of the seven, and where
// the target is not among them it takes the place of one chosen at random.
ShapeChoices ThreeDifferent(int target);

// The odd one out: two positions hold one item other than the target, the third (chosen at random)
// holds the target.
ShapeChoices OddOneOut(int target);

} // namespace nibsy
