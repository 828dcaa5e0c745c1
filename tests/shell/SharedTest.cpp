// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Shared.h"
#include "platform/Clock.h"
#include "support/FakePlatform.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace nibsy;

TEST(Shared, FullPathFindsFilesWithoutRegardToCase) {
    test::FakePlatform fake;
    QFile f(fake.appDir() + "APPLE.wmf");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(FullPath("apple.WMF"), fake.appDir() + "APPLE.wmf");
    EXPECT_EQ(FullPath("pear.wmf"), fake.appDir() + "pear.wmf");
}

TEST(Shared, PlayWaveWithAnEmptyNameDoesNothing) {
    test::FakePlatform fake;
    PlayWave("", 0);
    EXPECT_EQ(fake.sound.stops, 0);
    PlayWave(FullPath("tada.wav"), 0);
    PlayWave(FullPath("uhoh.wav"), 1);
    EXPECT_EQ(fake.sound.names(), (QStringList{"tada.wav", "uhoh.wav"}));
    EXPECT_EQ(fake.sound.played[0].mode, 0);
    EXPECT_EQ(fake.sound.played[1].mode, 1);
    EXPECT_EQ(fake.clock.totalWaited(), fake.sound.lengthMs); // only the synchronous one holds
}

TEST(Shared, ShuffleDrawsOneNumberPerPositionFromTheTop) {
    test::FakePlatform fake;
    std::vector<qint16> list;
    // n = 4: j = 4, 3, 2 take k = Int(r * j) + 1.
    fake.random.script({0.0, 0.99, 0.5});
    Shuffle(4, list);
    // j=4,k=1: 4 2 3 1; j=3,k=3: unchanged; j=2,k=2: unchanged.
    EXPECT_EQ(std::vector<qint16>(list.begin() + 1, list.end()), (std::vector<qint16>{4, 2, 3, 1}));
    EXPECT_EQ(fake.random.drawn(), 3);

    Shuffle(1, list);
    EXPECT_EQ(list[1], 1);
    EXPECT_EQ(fake.random.drawn(), 3); // nothing drawn for one element
}

TEST(Shared, ShuffleIsAPermutationAndFairForTwo) {
    test::FakePlatform fake;
    fake.random.seed(7);
    std::vector<qint16> list;
    int firstIsTwo = 0;
    for (int run = 0; run < 4000; ++run) {
        Shuffle(2, list);
        firstIsTwo += list[1] == 2;
    }
    EXPECT_NEAR(firstIsTwo, 2000, 150);

    Shuffle(20, list);
    std::vector<qint16> sorted(list.begin() + 1, list.begin() + 21);
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(sorted[size_t(i)], i + 1);
    }
}

TEST(Shared, PauseWaitsOnTheMonotonicClock) {
    test::FakePlatform fake;
    Pause(0.5);
    EXPECT_EQ(fake.clock.totalWaited(), 500);
    Pause(0);
    EXPECT_EQ(fake.clock.totalWaited(), 500);

    // The real clock: no sooner than asked.
    services().clock = std::make_unique<SystemClock>();
    QElapsedTimer t;
    t.start();
    Pause(0.25);
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_LT(t.elapsed(), 1500);
}
