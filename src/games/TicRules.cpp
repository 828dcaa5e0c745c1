// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/TicRules.h"

namespace nibsy {

namespace {

// With the centre holding M: a diagonal with M in one corner and the other corner empty.
int CentreDiagonal(const TicBoard& Board, int M) {
    if (Board[5] != M) {
        return 0;
    }
    if (Board[3] == M && Board[7] == 0) {
        return 7;
    }
    if (Board[9] == M && Board[1] == 0) {
        return 1;
    }
    if (Board[7] == M && Board[3] == 0) {
        return 3;
    }
    if (Board[1] == M && Board[9] == 0) {
        return 9;
    }
    return 0;
}

// Rule 5: a line of the computer's to complete. Each row start is tried with each column start, row
// first, so the lines come in the order row 1, column 1, column 2, column 3, row 2, row 3.
int Win(const TicBoard& Board) {
    for (int r = 1; r <= 7; r += 3) {
        for (int j = 1; j <= 3; ++j) {
            if (int k = TwoAndEmpty(Board, r, r + 1, r + 2, ComputerMark)) {
                return k;
            }
            if (int k = TwoAndEmpty(Board, j, j + 3, j + 6, ComputerMark)) {
                return k;
            }
        }
    }
    return CentreDiagonal(Board, ComputerMark);
}

// Rule 6: a line of the person's to block, looking only at the row and column of the last click.
int Block(const TicBoard& Board, int L) {
    if (L >= 1 && L <= 9) {
        const int row = (L - 1) / 3 * 3 + 1;
        if (int k = TwoAndEmpty(Board, row, row + 1, row + 2, PersonMark)) {
            return k;
        }
        const int column = (L - 1) % 3 + 1;
        if (int k = TwoAndEmpty(Board, column, column + 3, column + 6, PersonMark)) {
            return k;
        }
    }
    return CentreDiagonal(Board, PersonMark);
}

} // namespace

int TwoAndEmpty(const TicBoard& Board, int p, int q, int s, int M) {
    if (Board[size_t(p)] == M && Board[size_t(s)] == M && Board[size_t(q)] == 0) {
        return q;
    }
    if (Board[size_t(p)] == M && Board[size_t(s)] == 0 && Board[size_t(q)] == M) {
        return s;
    }
    if (Board[size_t(p)] == 0 && Board[size_t(q)] == M && Board[size_t(s)] == M) {
        return p;
    }
    return 0;
}

TicChoice ChooseTicCell(const TicBoard& Board, int LastCell) {
    if (Board[5] == 0) {
        return {5, 2};
    }
    if (Board[5] == PersonMark) {
        if (Board[1] == 0) {
            return {1, 3};
        }
    } else if (Board[5] == ComputerMark) {
        if (Board[1] == 0 && (Board[2] == PersonMark || Board[4] == PersonMark)) {
            return {1, 4};
        }
        if (Board[9] == 0 && (Board[6] == PersonMark || Board[8] == PersonMark)) {
            return {9, 4};
        }
    }
    if (int k = Win(Board)) {
        return {k, 5};
    }
    if (int k = Block(Board, LastCell)) {
        return {k, 6};
    }
    if (Board[9] == PersonMark && Board[3] == 0 && Board[1] != PersonMark) {
        return {3, 7};
    }
    for (int k = 1; k <= 9; ++k) {
        if (Board[size_t(k)] == 0) {
            return {k, 8};
        }
    }
    return {0, 8};
}

} // namespace nibsy
