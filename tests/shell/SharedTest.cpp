// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Shared.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace nibsy;

TEST(Shared, WavesPausesAndShufflesAsTheActivitiesUseThem) {
    test::FakePlatform fake;
    PlayWave("", 0); // no name: not even the sound that plays stops
    EXPECT_EQ(fake.sound.stops, 0);
    PlayWave(FullPath("TADA.wav"), 0);
    PlayWave(FullPath("uhoh.wav"), 1);
    EXPECT_EQ(fake.sound.names(), (QStringList{"TADA.wav", "uhoh.wav"}));
    EXPECT_EQ(fake.clock.totalWaited(), fake.sound.lengthMs); // only the first one holds
    Pause(0.5);
    Pause(0);
    Pause(0.0011); // whole milliseconds, rounded up
    EXPECT_EQ(fake.clock.totalWaited(), fake.sound.lengthMs + 502);

    // n = 4: for j = 4, 3, 2 a position k = Int(r * j) + 1 is drawn and exchanged with j.
    std::vector<qint16> list;
    fake.random.script({0.0, 0.99, 0.5});
    Shuffle(4, list);
    EXPECT_EQ(list, (std::vector<qint16>{0, 4, 2, 3, 1}));
    Shuffle(1, list);
    EXPECT_EQ(list, (std::vector<qint16>{0, 1, 2, 3, 1}));
    EXPECT_EQ(fake.random.drawn(), 3); // nothing drawn for one element
}
