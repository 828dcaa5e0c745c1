// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"
#include "support/KillRepeatedly.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

const QByteArray kDefaults =
    "2,20\r\n2,9\r\n1,1,8\r\n1,0\r\n0,1,0\r\n8,8,6,10\r\n1\r\n"
    "\"Player 1\",2,1\r\n\"Player 2\",3,1\r\n\"Player 3\",3,1\r\n\"Player 4\",3,1\r\n"
    "0\r\n1\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n\"Player 4\"\r\n"
    "1,1,4\r\n0\r\n1,6\r\n1\r\n1,0\r\n5,3\r\n";

QByteArray with(const char* from, const char* to) {
    return QByteArray(kDefaults).replace(from, to);
}

} // namespace

TEST(SettingsFile, TheReaderTakesValuesWhateverTheLinesAndNamesComeBackCleaned) {
    EXPECT_EQ(formatSettings(Settings{}), kDefaults);
    // Values spread over other lines, blanks before values, LF line ends and extra lines after the last.
    EXPECT_EQ(parseSettings(with("2,20\r\n2,9\r\n", "2\n 20, 2\n9\n") + "99,99\r\ngarbage\r\n"), Settings{});

    Settings s;
    s.SnowPlayerName[2] = "Anna, Ben";
    s.BugPlayerName[4] = "  spaced  ";
    s.ScaleCount[3] = -3;
    s.TimeSpinInc = 32767;
    s.LetterCase = -32768;
    EXPECT_EQ(parseSettings(formatSettings(s)), s);
    // The format has no escape for a quote nor room for a line break in a name.
    s.SnowPlayerName[1] = "Big \"Bo\"";
    s.BugPlayerName[1] = "line\r\nbreak";
    const auto cleaned = parseSettings(formatSettings(s));
    ASSERT_TRUE(cleaned);
    EXPECT_EQ(cleaned->SnowPlayerName[1] + "|" + cleaned->BugPlayerName[1], "Big 'Bo'|linebreak");
    EXPECT_EQ(cleaned->SnowPlayerType[1], 2); // the values after the name are still in their places

    // A hand-edited file's names are read as they will be saved: a quoted name running over a line end,
    // an unquoted one holding a quote. Saving them again changes nothing.
    const auto edited = parseSettings(
        with("\"Player 1\",2", "\"Pla\r\nyer\",2").replace("\"Player 4\"\r\n1,1", "Bo\"b\r\n1,1"));
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->SnowPlayerName[1] + "|" + edited->BugPlayerName[4], "Player|Bo'b");
    EXPECT_EQ(parseSettings(formatSettings(*edited)), edited);
}

// A hand-edited file with every number far too small or far too large, or just outside its range, is
// used (and saved back) as the activities use it: each count at the nearest end of its range, each
// choice at its fallback.
TEST(SettingsFile, NumbersOutOfRangeAreTakenAsTheActivitiesUseThem) {
    const char* const low = "0,1|2,2|1,1,2|1,0|0,1,-1|0,0,0,0|1|\"Player 1\",3,1|\"Player 2\",3,1|"
                            "\"Player 3\",3,1|\"Player 4\",3,1|0|1|\"Player 1\"|\"Player 2\"|\"Player 3\"|"
                            "\"Player 4\"|1,1,4|0|1,1|1|1,0|0,0|";
    const char* const high = "2,20|2,9|1,1,8|2,0|0,1,10|10,10,10,10|4|\"Player 1\",3,5|\"Player 2\",3,5|"
                             "\"Player 3\",3,5|\"Player 4\",3,5|0|4|\"Player 1\"|\"Player 2\"|\"Player 3\"|"
                             "\"Player 4\"|1,1,4|0|1,6|1|1,0|5,5|";
    for (const auto& [value, expected] : {std::pair{-32768, low}, {-1, low}, {32767, high}}) {
        Settings s = test::everyNumberAt(value);
        normaliseSettings(s);
        EXPECT_EQ(formatSettings(s).replace("\r\n", "|"), QByteArray(expected)) << value;
    }
    // One past each end of a range.
    Settings s;
    s.MatchItemType = 3;
    s.TicLevel = 5;
    s.CardDeck = 4;
    s.PattType = -1;
    s.SnowPlayerType[2] = 0;
    s.MathFactor = -2;
    s.BugPlayers = 5;
    s.MemItemType = 3;
    Settings atTheEnds = s; // and each end itself is kept
    atTheEnds.PattType = 0;
    atTheEnds.TicLevel = 1;
    atTheEnds.MatchItemType = 0;
    atTheEnds.SnowPlayerType[2] = 3;
    atTheEnds.BugPlayers = 4;
    atTheEnds.MathFactor = 10;
    atTheEnds.CardDeck = 3;
    atTheEnds.MemItemType = 2;
    const Settings kept = atTheEnds;
    normaliseSettings(atTheEnds);
    EXPECT_EQ(atTheEnds, kept);
    normaliseSettings(s);
    EXPECT_EQ(QList<int>({s.MatchItemType, s.TicLevel, s.CardDeck, s.PattType, s.SnowPlayerType[2],
                          s.MathFactor, s.BugPlayers, s.MemItemType}),
              QList<int>({2, 4, 0, 1, 3, -1, 4, 0}));
}

// A suite killed at any moment while it saves leaves the whole old file or the whole new one, and starts
// again with it.
TEST(SettingsFile, AKillWhileSavingLeavesTheOldFileOrTheNewOneWhole) {
    test::FakePlatform fake;
    const QString file = fake.appDir() + "nibsy51.ini";
    Settings changed;
    changed.SnowPlayerName[1] = "Anna";
    changed.CountItems = 1;
    if (const QString folder = test::folderToSaveInto(); !folder.isEmpty()) {
        AppFiles::setAppDir(folder);
        settings() = changed;
        for (int round = 0;; ++round) {
            SaveSettings();
            if (round == 0) {
                test::firstSaveDone();
            }
        }
    }
    const auto writeDefaults = [&] {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kDefaults);
    };
    writeDefaults();
    test::killRepeatedly(fake.appDir(), 200, [&](int kill) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << kill;
        const QByteArray after = f.readAll();
        EXPECT_TRUE(after == kDefaults || after == formatSettings(changed)) << kill;
        EXPECT_TRUE(LoadSettings()) << kill;
        f.close();
        writeDefaults();
    });
    settings() = Settings{};
}
