// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Numbers.h"
#include "platform/AppFiles.h"
#include "platform/Random.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace nibsy;

TEST(Numbers, RoundingFormatsPlainConversionAndDice) {
    // Halves round to even.
    for (const auto& [x, n] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.5000001, 3}, {7.49, 7}})
        EXPECT_EQ(near(x), n) << x;
    for (const auto& [n, format, text] :
         {std::tuple{0, "#0", "0"}, {0, "#", ""}, {7, "##", "7"}, {100, "##0", "100"}})
        EXPECT_EQ(formatNumber(n, format), text) << n << " " << format;
    EXPECT_EQ(plainNumber(7) + "|" + plainNumber(0) + "|" + plainNumber(-3), QStringLiteral(" 7| 0|-3"));
    test::FakePlatform fake;
    fake.random.script({0.0, 0.999999});
    EXPECT_EQ((std::pair{rnd().upTo(6), rnd().upTo(6)}), std::pair(1, 6));
}

TEST(AppFilesLookup, NamesMatchWithoutRegardToCaseAndNewFilesAreFound) {
    test::FakePlatform fake;
    for (const char* name : {"apple.wmf", "tada.wav", "Apple.WMF", "zebra.wmf", "Zebra.wmf"}) {
        QFile f(fake.appDir() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // Of names that differ only by case, the first in code-point order stands for them all.
    EXPECT_EQ(AppFiles::resolve("apple.wmf"), fake.appDir() + "Apple.WMF");
    EXPECT_EQ(AppFiles::resolve("zebra.WMF"), fake.appDir() + "Zebra.wmf");
    EXPECT_EQ(AppFiles::resolve("TADA.WAV"), fake.appDir() + "tada.wav");
    EXPECT_EQ(AppFiles::list(".wmf"), (QStringList{"Apple.WMF", "Zebra.wmf"}));
    // A file written after the first look (a new recording) is found as well.
    QFile later(fake.appDir() + "NEW.wav");
    ASSERT_TRUE(later.open(QIODevice::WriteOnly));
    later.close();
    EXPECT_EQ(AppFiles::resolve("new.wav"), fake.appDir() + "NEW.wav");
}
