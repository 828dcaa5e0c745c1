// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzle Time's rules without the window: the scramble, where the pieces lie, the solved test.

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
    rules.scramble(2);
    EXPECT_EQ(fake.random.drawn(), 6);
    // 1 2 3 4 -> 4 2 3 1 -> 3 2 4 1 -> 2 3 4 1
    const std::array<int, 4> order{2, 3, 4, 1};
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(rules.order(s), order[size_t(s - 1)]);
        EXPECT_EQ(rules.target(rules.order(s)), s);
        EXPECT_EQ(rules.slotPiece(s), 0);
        EXPECT_EQ(rules.slotOf(s), 0);
    }
    EXPECT_EQ(PuzRules::sideFor(-3), 2);
    EXPECT_EQ(PuzRules::sideFor(1), 3);
    EXPECT_EQ(PuzRules::sideFor(7), 4);
}

TEST(PuzzleRules, EachCellHoldsOnePieceAndARefusedPieceGoesBackWhereItCameFrom) {
    FakePlatform fake;
    PuzRules rules;
    rules.scramble(3);
    const auto pieceFor = [&](int s) { return rules.order(s); };
    rules.pickUp(pieceFor(5));
    EXPECT_TRUE(rules.dropInCell(5));
    rules.pickUp(pieceFor(1));
    EXPECT_TRUE(rules.dropInCell(2)); // a wrong cell is taken as well
    EXPECT_EQ(rules.pieceIn(2), pieceFor(1));
    EXPECT_EQ(rules.slotPiece(2), 1);

    rules.pickUp(pieceFor(1)); // from cell 2, refused by cell 5: back in cell 2
    EXPECT_EQ(rules.slotPiece(2), 0);
    EXPECT_FALSE(rules.dropInCell(5));
    EXPECT_EQ(rules.slotOf(pieceFor(1)), 2);
    EXPECT_EQ(rules.pieceIn(5), pieceFor(5));
    rules.pickUp(pieceFor(1)); // a drop elsewhere refused
    rules.putBack();
    EXPECT_EQ(rules.pieceIn(2), pieceFor(1));
    rules.pickUp(pieceFor(1)); // sent home
    rules.sendHome();
    EXPECT_EQ(rules.slotOf(pieceFor(1)), 0);
    EXPECT_EQ(rules.pieceIn(2), 0);
    rules.pickUp(pieceFor(7)); // from home, refused: still home
    EXPECT_FALSE(rules.dropInCell(5));
    EXPECT_EQ(rules.slotOf(pieceFor(7)), 0);
    EXPECT_EQ(rules.dragged(), 0);

    for (int s = 1; s <= 9; ++s) {
        if (s != 5) {
            EXPECT_FALSE(rules.solved());
            rules.pickUp(pieceFor(s));
            EXPECT_TRUE(rules.dropInCell(s));
        }
    }
    EXPECT_TRUE(rules.solved());
}

TEST(PuzzleRules, APointOnTheEdgeOrBeyondCountsAsTheNearestCell) {
    FakePlatform fake;
    PuzRules rules;
    rules.scramble(4);
    EXPECT_EQ(rules.cellAt(0, 0, 108), 1);
    EXPECT_EQ(rules.cellAt(107.9, 108, 108), 5);
    EXPECT_EQ(rules.cellAt(431, 431, 108), 16);
    EXPECT_EQ(rules.cellAt(432, 200, 108), 8);
    EXPECT_EQ(rules.cellAt(-2, 900, 108), 13);
}
