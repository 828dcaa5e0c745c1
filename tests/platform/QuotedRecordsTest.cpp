// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuotedRecords.h"

#include <gtest/gtest.h>

using namespace nibsy;

TEST(QuotedRecords, CatalogueLinesGiveOneRecordEachUpToTheFirstIncompleteOne) {
    const QString text = QStringLiteral("\"A.wav\",\"Letter A\"\r\n"
                                        "\r\n"
                                        "  \"B.wav\", \"Bee, buzzing\"\n"
                                        "\"C.wav\",\"Letter C\"\r"
                                        "\"D.wav\",\"Letter D\"   \r\n"
                                        "\"E.wav\"\r\n");
    const QList<QStringList> records = readRecords(text, 2);
    EXPECT_EQ(
        records,
        (QList<QStringList>{
            {"A.wav", "Letter A"}, {"B.wav", "Bee, buzzing"}, {"C.wav", "Letter C"}, {"D.wav", "Letter D"}}));
    // A line end right after a comma ends an empty value; only a line end after a line end is blank.
    EXPECT_EQ(readRecords(QStringLiteral("\"a\",\n\"b\",\"c\"\n"), 2),
              (QList<QStringList>{{"a", ""}, {"b", "c"}}));
    // A quote never closed ends the reading.
    EXPECT_EQ(readRecords(QStringLiteral("\"A.wav\",\"Letter A\"\n\"B.wav\",\"Letter B\n"), 2).size(), 1);
    EXPECT_EQ(readRecords(QStringLiteral("1,2,3\n4,5\n6"), 3),
              (QList<QStringList>{{"1", "2", "3"}, {"4", "5", "6"}}));
}

TEST(QuotedRecords, TheReaderTellsQuotedValuesAndKeepsEmptyOnes) {
    QuotedReader reader(QStringLiteral(" 7 ,\"7\" dropped,x\"y\",,\"\""));
    bool quoted = true;
    EXPECT_EQ(reader.next(&quoted), QStringLiteral("7"));
    EXPECT_FALSE(quoted);
    EXPECT_EQ(reader.next(&quoted), QStringLiteral("7"));
    EXPECT_TRUE(quoted);
    EXPECT_EQ(reader.next(&quoted), QStringLiteral("x\"y\""));
    EXPECT_FALSE(quoted);
    EXPECT_EQ(reader.next(&quoted), QString());
    EXPECT_FALSE(quoted);
    EXPECT_EQ(reader.next(&quoted), QString());
    EXPECT_TRUE(quoted);
    EXPECT_EQ(reader.next(&quoted), std::nullopt);
}
