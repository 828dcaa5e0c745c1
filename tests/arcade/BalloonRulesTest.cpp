// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Balloon Popper's rules without the window: the lanes, the fall and the strict pop test.

#include "arcade/BalloonRules.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The window's sizes: a field of 560 x 552 pixels, balloons of 80 x 100, an arrow of 40 x 60.
constexpr BalloonRules::Sizes Window{560, 552, 80, 100, 40, 60};

} // namespace

TEST(BalloonRules, FiveLanesWithSixEqualGapsAndTheArrowInTheMiddleRoundHalfToEven) {
    using Lanes = std::array<int, 5>;
    EXPECT_EQ(BalloonRules::lanes(560, 80), (Lanes{27, 134, 241, 348, 455}));
    EXPECT_EQ(BalloonRules::lanes(65, 10), (Lanes{2, 14, 26, 38, 50})); // gap 2.5 -> 2
    EXPECT_EQ(BalloonRules::lanes(77, 10), (Lanes{4, 18, 32, 46, 60})); // gap 4.5 -> 4
    EXPECT_EQ(BalloonRules({561, 552, 80, 100, 40, 60}).ArrowX, 260);   // 260.5 -> 260
}

// Balloon 2 falls from the top at each speed, once with the arrow under it and once beside it.
TEST(BalloonRules, ABalloonOverTheArrowPopsAtEverySpeedAndOneBesideItFallsThrough) {
    FakePlatform fake;
    for (int speed = BalloonRules::MinSpeed; speed <= BalloonRules::MaxSpeed; ++speed) {
        for (const bool over : {true, false}) {
            BalloonRules rules(Window); // the arrow at 260, inside lane 2 (241 to 321)
            if (!over)
                rules.ArrowX = 290; // its right edge beyond the balloon's
            rules.BalloonSpeed[2] = speed;
            for (const size_t other : {0, 1, 3, 4})
                rules.BalloonY[other] = -100000;    // far above, out of the way
            fake.random.script({2.5 / 9, 2.5 / 5}); // the next balloon: speed 5, colour 2
            int ticks = 0;
            BalloonRules::Fate fate = BalloonRules::Fate::Falling;
            while (fate == BalloonRules::Fate::Falling && ticks < 1000) {
                fate = rules.step()[2];
                ++ticks;
            }
            const int bottom = speed * ticks; // from -100 + 100
            EXPECT_EQ(fate, over ? BalloonRules::Fate::Popped : BalloonRules::Fate::Left) << speed;
            EXPECT_TRUE(over ? bottom > 492 && bottom <= 552 : bottom > 552) << speed << " " << bottom;
            EXPECT_EQ(rules.BalloonY[2], -100);
            EXPECT_EQ(rules.BalloonSpeed[2], 5);
            EXPECT_EQ(rules.BalloonColor[2], 2);
        }
    }
}

TEST(BalloonRules, BothSideTestsAreStrict) {
    BalloonRules rules(Window);
    rules.BalloonY[2] = 552 - 100; // its bottom on the field's bottom edge
    const int x = rules.BalloonX[2];
    for (const auto& [arrowX, pops] : {std::pair{x, false}, {x + 1, true}, {x + 39, true}, {x + 40, false}}) {
        rules.ArrowX = arrowX;
        EXPECT_EQ(rules.pops(2), pops) << arrowX - x;
    }
    rules.ArrowX = x + 20;
    rules.BalloonY[2] = 552 - 60 - 100; // its bottom just on the arrow's tip
    EXPECT_FALSE(rules.pops(2));
    rules.BalloonY[2] += 1;
    EXPECT_TRUE(rules.pops(2));

    // A balloon exactly as wide as the arrow never pops, wherever the arrow is.
    BalloonRules narrow({560, 552, 40, 100, 40, 60});
    narrow.BalloonY[1] = 552 - 100;
    for (narrow.ArrowX = 0; narrow.ArrowX <= 520; ++narrow.ArrowX)
        EXPECT_FALSE(narrow.pops(1)) << narrow.ArrowX;
}
