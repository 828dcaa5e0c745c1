// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hidden items of Matching Fun and the Memory Game: a colour (one shape in nine colours), a shape
// (nine shapes in one colour) or one of the toy pictures, drawn into a box on white.

#include "platform/Picture.h"

#include <QSize>
#include <array>

namespace nibsy {

class PictureBox;

// The ItemType settings of both games.
enum class ItemType { Colors, Shapes, Pictures };

// Item colours 1 to 9 as palette numbers: entry k is 16 - k, bright white down to light grey.
inline constexpr std::array<int, 10> ColorTable{0, 15, 14, 13, 12, 11, 10, 9, 8, 7};
inline constexpr int White = 15;

// The toy pictures of items 1 to 9.
inline constexpr std::array<const char*, 10> ItemPictureFile{
    "",          "ball.wmf",   "gift.wmf",   "bear.wmf", "block.wmf",
    "ducky.wmf", "burger.wmf", "hotdog.wmf", "cake.wmf", "clown.wmf"};

// How the items of one game look.
struct ItemSet {
    ItemType type = ItemType::Colors;
    // The one shape of a colours game and the one colour (an index into ColorTable) of a shapes game.
    int FixedShape = 1;
    int FixedColor = 1;
    // The pictures 1 to count, fitted to the boxes they are shown in (element 0 is not used).
    std::array<Picture, 10> picChoice{};

    // Loads pictures 1 to count, fitted to boxes of that size.
    void loadPictures(int count, QSize box);
    // A new shape and colour for the next game.
    void chooseFixed();
};

// Draws item 1 to 9 into the box on white and shows it at once; other numbers leave the box white.
void ShowItem(PictureBox& target, int item, const ItemSet& items);

// A colour from the table for closed boxes: never white, and never the colour given.
int RandomCoverColor(int besides = White);

} // namespace nibsy
