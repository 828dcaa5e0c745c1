// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings variables shared by all windows, and the settings file "nibsy51.ini" that holds them
// between runs: a fixed sequence of comma-separated values, one group per line, CR LF line ends.

#include <QString>
#include <array>
#include <optional>

namespace nibsy {

struct Settings {
    // Lists indexed 1 to 4 keep an unused element 0.
    using Four = std::array<qint16, 5>;
    using FourNames = std::array<QString, 5>;

    qint16 CountItems = 2, BiggestNumber = 20;
    qint16 MatchItemType = 2, MatchItemCount = 9;
    qint16 BarnPeek = 1, BarnFindBy = 1, BarnAnimalCount = 8;
    qint16 MemPlayers = 1, MemItemType = 0;
    qint16 MathProblemType = 0, MathNumberSize = 1, MathFactor = 0;
    Four ScaleCount{0, 8, 8, 6, 10};
    qint16 SnowPlayers = 1;
    FourNames SnowPlayerName{QString(), "Player 1", "Player 2", "Player 3", "Player 4"};
    Four SnowPlayerType{0, 2, 3, 3, 3};
    Four SnowPlayerSize{0, 1, 1, 1, 1};
    qint16 PuzzleSize = 0;
    qint16 BugPlayers = 1;
    FourNames BugPlayerName{QString(), "Player 1", "Player 2", "Player 3", "Player 4"};
    qint16 TicPlayers = 1, TicFirst = 1, TicLevel = 4;
    qint16 LetterCase = 0;
    qint16 PattType = 1, PattLength = 6;
    qint16 ShapeMode = 1;
    qint16 CardGame = 1, CardDeck = 0;
    qint16 TimeQuizInc = 5, TimeSpinInc = 3;

    bool operator==(const Settings&) const = default;
};

// The settings in use by the running suite.
Settings& settings();

// The file's text for these settings, exactly as written to disk.
QByteArray formatSettings(const Settings& s);
// Reads the values from the file's text; nothing when the text ends early or a number is not a whole
// number that fits in 16 bits (the file then counts as incomplete).
std::optional<Settings> parseSettings(const QByteArray& text);

// The name of the settings file in the application directory.
inline constexpr const char* kSettingsFile = "nibsy51.ini";
inline constexpr const char* kSettingsBroken = "File missing/incomplete - Reinstall program";

// A file bigger than this is not a settings file (the values may follow any number of blank lines).
inline constexpr qint64 kSettingsFileLimit = qint64(64) << 20;

// Reads the file into settings() (normalised); false when it is missing, unreadable, incomplete or too
// big.
bool LoadSettings();
// Writes settings() (normalised) to the file through a temporary file renamed over the old one, so a failure
// never leaves a truncated file; where the folder may not be written but the file may, the file is
// overwritten in place. False when it could not be written, and always for a file without write
// permission, which is left as it is.
bool SaveSettings();

// Brings every field into the range its activity uses: a count outside its range goes to the nearest
// end, a choice outside its choices to the one the activity takes instead (as clampSetting and
// settingOr do where the fields are used). The settings are read and saved this way, so a value the file
// should not hold is saved as the value that was used.
void normaliseSettings(Settings& s);

// A setting used where only lo..hi makes sense: values outside are brought to the nearest end.
int clampSetting(int value, int lo, int hi);
// A setting that picks one of a few choices: a value outside lo..hi is taken as fallback.
int settingOr(int value, int lo, int hi, int fallback);

} // namespace nibsy
