// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace nibsy;

namespace {

const QByteArray kDefaults =
    "2,20\r\n2,9\r\n1,1,8\r\n1,0\r\n0,1,0\r\n8,8,6,10\r\n1\r\n"
    "\"Player 1\",2,1\r\n\"Player 2\",3,1\r\n\"Player 3\",3,1\r\n\"Player 4\",3,1\r\n"
    "0\r\n1\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n\"Player 4\"\r\n"
    "1,1,4\r\n0\r\n1,6\r\n1\r\n1,0\r\n5,3\r\n";

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SettingsFile, DefaultsAreTheFreshFileAndTheReaderTakesValuesWhateverTheLines) {
    EXPECT_EQ(formatSettings(Settings{}), kDefaults);
    // Values spread over other lines, blanks before values, LF line ends and extra lines after the last.
    QByteArray text = kDefaults;
    text.replace("2,20\r\n2,9\r\n", "2\n 20, 2\n9\n");
    for (const QByteArray& t : {kDefaults, text + "99,99\r\ngarbage\r\n"}) {
        const auto parsed = parseSettings(t);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, Settings{});
    }
}

TEST(SettingsFile, ValuesRoundTripAndQuotesOrLineBreaksInNamesAreReplaced) {
    Settings s;
    s.SnowPlayerName[2] = "Anna, Ben";
    s.BugPlayerName[4] = "  spaced  ";
    s.ScaleCount[3] = -3;
    s.TimeSpinInc = 32767;
    s.LetterCase = -32768;
    const QByteArray text = formatSettings(s);
    EXPECT_TRUE(text.contains("\"Anna, Ben\",3,1\r\n"));
    const auto back = parseSettings(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, s);
    EXPECT_EQ(formatSettings(*back), text);

    s.SnowPlayerName[1] = "Big \"Bo\"";
    s.BugPlayerName[1] = "line\r\nbreak";
    const auto cleaned = parseSettings(formatSettings(s));
    ASSERT_TRUE(cleaned);
    EXPECT_EQ(cleaned->SnowPlayerName[1], "Big 'Bo'");
    EXPECT_EQ(cleaned->BugPlayerName[1], "linebreak");
    EXPECT_EQ(cleaned->SnowPlayerType[1], 2); // the values after the name are still in their places
}

TEST(SettingsFile, ShortOrCorruptFilesCountAsIncomplete) {
    EXPECT_FALSE(parseSettings(kDefaults.left(kDefaults.lastIndexOf("5,3"))));
    EXPECT_FALSE(parseSettings({}));
    // A value missing, an open quote, not whole numbers, too big for 16 bits.
    for (const auto& [from, bad] : {std::pair{"5,3\r\n", "5\r\n"},
                                    {"\"Player 4\",3,1", "\"Player 4,3,1"},
                                    {"2,20", "2.5,20"},
                                    {"2,20", "two,20"},
                                    {"2,20", "2,32768"},
                                    {"2,20", "2,-32769"},
                                    {"2,20", "2,"},
                                    {"2,20", ",20"},
                                    {"2,20", "2,\"20\""}}) {
        EXPECT_FALSE(parseSettings(QByteArray(kDefaults).replace(from, bad))) << bad;
    }
}

TEST(SettingsFile, SaveReplacesTheFileWholeUnderItsOwnNameAndLoadReadsItBack) {
    test::FakePlatform fake;
    const QString path = fake.appDir() + "NIBSY51.INI"; // the name matches without regard to case
    EXPECT_FALSE(LoadSettings());                       // no file yet

    writeFile(path, kDefaults + "extra line\r\n");
    settings().LetterCase = 1;
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(settings().LetterCase, 0);

    settings().BiggestNumber = 7;
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(readFile(path), QByteArray(kDefaults).replace("2,20", "2,7")); // exactly 23 lines
    // Nothing but the file itself is left in the folder (the temporary file was renamed over it).
    EXPECT_EQ(QDir(fake.appDir()).entryList(QDir::Files), QStringList{"NIBSY51.INI"});
}

TEST(SettingsFile, FullDiskDuringSaveKeepsTheOldFile) {
    test::FakePlatform fake;
    const QString path = fake.appDir() + "nibsy51.ini";
    writeFile(path, kDefaults);
    settings() = Settings{};
    settings().SnowPlayerName[1] = QString(300, QChar(u'x'));
    // A file size limit makes every write past 64 bytes fail, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveSettings();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), kDefaults);
    EXPECT_EQ(QDir(fake.appDir()).entryList(QDir::Files), QStringList{"nibsy51.ini"});
}

TEST(SettingsFile, IsReadWholeHoweverManyBlankLinesUpToTheLimit) {
    test::FakePlatform fake;
    const QString path = fake.appDir() + "nibsy51.ini";
    const QByteArray custom = QByteArray(kDefaults).replace("2,20", "1,7");
    auto padded = [&](qint64 size) { return QByteArray(size - custom.size(), '\n') + custom; };
    for (const auto& [size, loads] :
         {std::pair{qint64(1200) << 10, true}, {kSettingsFileLimit, true}, {kSettingsFileLimit + 1, false}}) {
        writeFile(path, padded(size));
        settings() = Settings{};
        EXPECT_EQ(LoadSettings(), loads) << size;
        EXPECT_EQ(settings().BiggestNumber, loads ? 7 : 20) << size;
    }
}

namespace {
struct FileState {
    QByteArray bytes;
    ino_t inode = 0;
    mode_t mode = 0;
};
FileState fileState(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return {readFile(path), st.st_ino, mode_t(st.st_mode & 07777)};
}
} // namespace

// The suite runs as the superuser in CI too, so every case holds whoever runs it.
TEST(SettingsFile, ReadOnlyFolderIsWrittenInPlaceAndAReadOnlyFileIsLeftAlone) {
    test::FakePlatform fake;
    const QString path = fake.appDir() + "nibsy51.ini";
    const QByteArray folder = QFile::encodeName(fake.appDir());
    settings() = Settings{};
    settings().BiggestNumber = 7;
    const QByteArray saved = QByteArray(kDefaults).replace("2,20", "2,7");
    struct Case {
        mode_t folderMode, fileMode;
        bool ok;
        bool sameInode; // written in place rather than replaced
    };
    for (const Case& c : {Case{0755, 0644, true, false}, Case{0555, 0644, true, true},
                          Case{0755, 0444, false, true}, Case{0555, 0444, false, true}}) {
        SCOPED_TRACE(testing::Message() << std::oct << c.folderMode << " " << c.fileMode);
        writeFile(path, kDefaults + "extra\r\n");
        chmod(QFile::encodeName(path).constData(), c.fileMode);
        chmod(folder.constData(), c.folderMode);
        const FileState before = fileState(path);
        EXPECT_EQ(SaveSettings(), c.ok);
        const FileState after = fileState(path);
        chmod(folder.constData(), 0755);
        EXPECT_EQ(after.bytes, c.ok ? saved : before.bytes);
        EXPECT_EQ(after.inode == before.inode, c.sameInode);
        EXPECT_EQ(after.mode, c.fileMode);
        EXPECT_EQ(QDir(fake.appDir()).entryList(QDir::Files), QStringList{"nibsy51.ini"});
        chmod(QFile::encodeName(path).constData(), 0644);
    }
}

// A hand-edited file with every number far too small or far too large is saved back as what the
// activities made of it: each count at the nearest end of its range, each choice at its fallback.
TEST(SettingsFile, EveryNumberOutOfRangeIsSavedBackAsTheActivitiesUseIt) {
    for (const auto& [value, expected] :
         {std::pair{-32768, "0,1|2,2|1,1,2|1,0|0,1,-1|0,0,0,0|1|\"Player 1\",3,1|\"Player 2\",3,1|"
                            "\"Player 3\",3,1|\"Player 4\",3,1|0|1|\"Player 1\"|\"Player 2\"|\"Player 3\"|"
                            "\"Player 4\"|1,1,4|0|1,1|1|1,0|0,0|"},
          std::pair{32767, "2,20|2,9|1,1,8|2,0|0,1,10|10,10,10,10|4|\"Player 1\",3,5|\"Player 2\",3,5|"
                           "\"Player 3\",3,5|\"Player 4\",3,5|0|4|\"Player 1\"|\"Player 2\"|\"Player 3\"|"
                           "\"Player 4\"|1,1,4|0|1,6|1|1,0|5,5|"}}) {
        QString text = QString::fromUtf8(kDefaults);
        text.replace(QRegularExpression(QStringLiteral("(?<=^|,)-?\\d+(?=,|\\r)"),
                                        QRegularExpression::MultilineOption),
                     QString::number(value));
        auto parsed = parseSettings(text.toUtf8());
        ASSERT_TRUE(parsed);
        normaliseSettings(*parsed);
        EXPECT_EQ(formatSettings(*parsed).replace("\r\n", "|"), QByteArray(expected)) << value;
    }
}
