// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuotedRecords.h"

#include <gtest/gtest.h>

using namespace nibsy;

TEST(QuotedRecords, LinesGiveOneRecordEachUpToTheFirstIncompleteOne) {
    using Records = QList<QStringList>;
    // Any line end, blank lines and spaces around values; a line end right after a comma ends an empty
    // value; the record left incomplete at the end, or a quote never closed, ends the reading.
    for (const auto& [text, records] :
         {std::pair{QStringLiteral("\"A.wav\",\"Letter A\"\r\n\r\n  \"B.wav\", \"Bee, buzzing\"\n"
                                   "\"C.wav\",\"Letter C\"\r\"D.wav\",\"Letter D\"   \r\n\"E.wav\"\r\n"),
                    Records{{"A.wav", "Letter A"},
                            {"B.wav", "Bee, buzzing"},
                            {"C.wav", "Letter C"},
                            {"D.wav", "Letter D"}}},
          {QStringLiteral("\"a\",\n\"b\",\"c\"\n"), Records{{"a", ""}, {"b", "c"}}},
          {QStringLiteral("\"A.wav\",\"Letter A\"\n\"B.wav\",\"Letter B\n"), Records{{"A.wav", "Letter A"}}}})
        EXPECT_EQ(readRecords(text, 2), records) << text.toStdString();
    EXPECT_EQ(readRecords(QStringLiteral("1,2,3\n4,5\n6"), 3), (Records{{"1", "2", "3"}, {"4", "5", "6"}}));

    // The reader tells quoted values from bare ones and keeps empty ones.
    QuotedReader reader(QStringLiteral(" 7 ,\"7\" dropped,x\"y\",,\"\""));
    QStringList values;
    bool quoted = false;
    while (const auto value = reader.next(&quoted))
        values << *value + (quoted ? "|q" : "");
    EXPECT_EQ(values, (QStringList{"7", "7|q", "x\"y\"", "", "|q"}));
}
