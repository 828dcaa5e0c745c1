// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions of Patterns: a model row of items (each a value 0 to 6, a colour or a shape) and the
// rows it is compared with. In Same every row but the right one differs from the model in one position;
// in Different only the right row does. Rebuilding asks for the model row alone. Random numbers come
// from rnd().

#include <array>

namespace nibsy {

inline constexpr int PattRowCount = 5;  // row 0 is the model
inline constexpr int PattMaxLength = 6; // items in the longest row

struct PattQuestion {
    int length = 1;
    // The item values of the rows; positions from length on are not used.
    std::array<std::array<int, PattMaxLength>, PattRowCount> rows{};
    // Same and Different: the row to pick, 1 to 4. Rebuilding: 0.
    int answer = 0;
    // The colour every item takes in a shapes game, and the shape in a colours game.
    int colorIndex = 0;
    int shapeIndex = 0;
    // Hidden: the palette colour (9 to 14) of the cover over the model.
    int coverColor = 0;
};

// Rows 1 to 4 equal the model but three, which differ from it in one position each.
PattQuestion AskSame(int length);
// Rows 1 to 4 equal the model but one, which differs from it in one position.
PattQuestion AskDifferent(int length);
// The model row alone, with the cover's colour when the model is hidden.
PattQuestion AskRebuild(int length, bool hidden);

} // namespace nibsy
