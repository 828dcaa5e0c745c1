// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzle Time's rules without the window: the scramble and where the pieces lie.

#include "arcade/PuzRules.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

// Numbers near 1 make the shuffle exchange nothing: the picture's own order, which is drawn again.
TEST(PuzzleRules, TheScrambleIsNeverThePicturesOwnOrder) {
    FakePlatform fake;
    fake.random.script({0.99, 0.99, 0.99, 0.0, 0.0, 0.0});
    PuzRules rules;
    rules.scramble(PuzRules::sideFor(-3));
    EXPECT_EQ(fake.random.drawn(), 6);
    for (const auto& [s, piece] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 1}}) { // 4 2 3 1, 3 2 4 1, 2 3 4 1
        EXPECT_EQ(rules.order(s), piece);
        EXPECT_EQ(rules.target(piece), s);
        EXPECT_EQ(rules.slotPiece(s) + rules.slotOf(s), 0);
    }
    EXPECT_EQ(PuzRules::sideFor(7), 4);
}

TEST(PuzzleRules, EachCellHoldsOnePieceAndARefusedPieceGoesBackWhereItCameFrom) {
    FakePlatform fake;
    PuzRules rules;
    rules.scramble(3);
    const auto piece = [&](int s) { return rules.order(s); };
    const auto move = [&](int p, int s) {
        rules.pickUp(p);
        return rules.dropInCell(s);
    };
    EXPECT_TRUE(move(piece(5), 5));
    EXPECT_TRUE(move(piece(1), 2)); // a wrong cell takes it as well
    EXPECT_EQ(rules.pieceIn(2), piece(1));
    EXPECT_FALSE(move(piece(1), 5)); // taken: back in cell 2
    EXPECT_EQ(rules.slotOf(piece(1)), 2);
    EXPECT_EQ(rules.pieceIn(5), piece(5));
    rules.pickUp(piece(1)); // refused elsewhere
    rules.putBack();
    EXPECT_EQ(rules.slotPiece(2), 1);
    rules.pickUp(piece(1));
    rules.sendHome();
    EXPECT_EQ(rules.slotOf(piece(1)) + rules.slotPiece(2), 0);
    EXPECT_FALSE(move(piece(7), 5)); // from home, refused: still home
    EXPECT_EQ(rules.slotOf(piece(7)) + rules.dragged(), 0);
    for (int s : {1, 2, 3, 4, 6, 7, 8, 9}) {
        EXPECT_FALSE(rules.solved());
        EXPECT_TRUE(move(piece(s), rules.cellAt((s - 1) % 3 * 10 + 9.9, (s - 1) / 3 * 10, 10)));
    }
    EXPECT_TRUE(rules.solved());
    rules.scramble(3); // the next game starts with every piece outside
    for (int p = 1; p <= 9; ++p)
        EXPECT_EQ(rules.slotOf(p) + rules.slotPiece(p), 0);
    EXPECT_EQ(rules.cellAt(30, -1, 10), 3); // beyond the edge: the nearest cell
}
