// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The computer's fixed rules in Tic Tac Toe: a short list tried in order, the first that gives a cell
// wins. They are the difficulty of the game, not a perfect player: the person can beat them.

#include <QtGlobal>
#include <array>

namespace nibsy {

// Cells 1 to 9 in reading order (element 0 is not used): 0 empty, the person's mark 1, the computer's -1.
using TicBoard = std::array<qint16, 10>;

inline constexpr qint16 PersonMark = 1;
inline constexpr qint16 ComputerMark = -1;

struct TicChoice {
    int cell; // 1 to 9, or 0 when the board is full
    int rule; // the rule that gave it, 2 to 8
};

// The computer's move by rules 2 to 8 (the random move, rule 1, is the window's), given the cell the
// person clicked last (0 before the person has moved).
TicChoice ChooseTicCell(const TicBoard& Board, int LastCell);

// The empty cell of line p, q, s when the other two hold mark M, else 0.
int TwoAndEmpty(const TicBoard& Board, int p, int q, int s, int M);

} // namespace nibsy
