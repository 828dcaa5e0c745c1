// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's rules in Tic Tac Toe, one board at a time: the cell chosen and the rule that chose it.

#include "games/TicRules.h"

#include <gtest/gtest.h>

using namespace nibsy;

namespace {

// A board written in reading order: X the person, O the computer, . empty.
TicBoard board(const char* cells) {
    TicBoard b{};
    for (int i = 1; i <= 9; ++i) {
        const char c = cells[i - 1];
        b[size_t(i)] = c == 'X' ? PersonMark : c == 'O' ? ComputerMark : 0;
    }
    return b;
}

struct RuleCase {
    const char* what;
    const char* cells;
    int last;
    int cell;
    int rule;
};

const RuleCase Cases[] = {
    {"a corner opening is answered in the centre", "X........", 1, 5, 2},
    {"an empty centre comes before a win", "OO.X.X...", 6, 5, 2},
    {"centre taken by the person: cell 1", "....X....", 5, 1, 3},
    {"rule 3 comes before the computer's own win", "..X.X.OO.", 3, 1, 3},
    {"rule 3 with cell 1 taken goes on to the win", "OX..X.O..", 5, 4, 5},
    {"centre held: 1 against the person's 2", ".X..O....", 2, 1, 4},
    {"centre held: 1 against the person's 4", "...XO....", 4, 1, 4},
    {"centre held: 9 against the person's 6", "....OX...", 6, 9, 4},
    {"centre held: 9 against the person's 8", "....O..X.", 8, 9, 4},
    {"row 1 is tried before column 1", "O.OOX....", 5, 2, 5},
    {"column 1 is tried before row 2", "O.XOO...X", 9, 7, 5},
    {"a row is won in its first cell", ".OO.O.X.X", 9, 1, 5},
    {"the computer's diagonal through the centre", "X.O.O...X", 9, 7, 5},
    {"the computer completes its line before blocking", "OX..X.O.X", 9, 4, 5},
    {"block on the row of the last click", "XX..O...X", 2, 3, 6},
    {"block on the column of the last click", "X..XO...X", 4, 7, 6},
    {"the row is blocked before the column", "O.X.O.X.X", 9, 8, 6},
    {"block the person's diagonal through the centre", "O.X.X....", 3, 7, 6},
    {"a threat off the last click's row and column is not seen", "X..XO...X", 9, 2, 8},
    {"rule 7: the person holds 9 but not 1", "....O...X", 9, 3, 7},
    {"no rule 7 when the person holds 1 as well", "X...O...X", 9, 2, 8},
    {"otherwise the first empty cell", "O...X....", 5, 2, 8},
    {"a full board gives no cell", "XOXXOOOXX", 9, 0, 8},
};

} // namespace

TEST(TicRules, EachRuleChoosesWhereItShouldAndOnlyWhereNoEarlierRuleApplies) {
    for (const RuleCase& c : Cases) {
        SCOPED_TRACE(c.what);
        const TicChoice choice = ChooseTicCell(board(c.cells), c.last);
        EXPECT_EQ(choice.cell, c.cell);
        EXPECT_EQ(choice.rule, c.rule);
    }
}
