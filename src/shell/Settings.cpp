// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"

#include "platform/AppFiles.h"
#include "platform/QuotedRecords.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <vector>

namespace nibsy {

Settings& settings() {
    static Settings s;
    return s;
}

namespace {

// The file's fields in order, one entry per line, each value a reference into a Settings.
struct Value {
    qint16* number = nullptr;
    QString* text = nullptr;
};
using Line = std::vector<Value>;

std::vector<Line> layout(Settings& s) {
    std::vector<Line> lines = {
        {{&s.CountItems}, {&s.BiggestNumber}},
        {{&s.MatchItemType}, {&s.MatchItemCount}},
        {{&s.BarnPeek}, {&s.BarnFindBy}, {&s.BarnAnimalCount}},
        {{&s.MemPlayers}, {&s.MemItemType}},
        {{&s.MathProblemType}, {&s.MathNumberSize}, {&s.MathFactor}},
        {{&s.ScaleCount[1]}, {&s.ScaleCount[2]}, {&s.ScaleCount[3]}, {&s.ScaleCount[4]}},
        {{&s.SnowPlayers}},
    };
    for (int i = 1; i <= 4; ++i) {
        lines.push_back({{nullptr, &s.SnowPlayerName[i]}, {&s.SnowPlayerType[i]}, {&s.SnowPlayerSize[i]}});
    }
    lines.push_back({{&s.PuzzleSize}});
    lines.push_back({{&s.BugPlayers}});
    for (int i = 1; i <= 4; ++i) {
        lines.push_back({{nullptr, &s.BugPlayerName[i]}});
    }
    lines.push_back({{&s.TicPlayers}, {&s.TicFirst}, {&s.TicLevel}});
    lines.push_back({{&s.LetterCase}});
    lines.push_back({{&s.PattType}, {&s.PattLength}});
    lines.push_back({{&s.ShapeMode}});
    lines.push_back({{&s.CardGame}, {&s.CardDeck}});
    lines.push_back({{&s.TimeQuizInc}, {&s.TimeSpinInc}});
    return lines;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes); // a file written by an older program
    }
    return text;
}

// A player name as the file can hold it. The format has no escape for a double quote, so a quote
// becomes an apostrophe, and a name is one line. Names read are taken the same way, so what was read is
// what is written back.
QString storedName(QString name) {
    name.replace(u'"', u'\'');
    name.remove(u'\r');
    name.remove(u'\n');
    return name;
}

} // namespace

QByteArray formatSettings(const Settings& in) {
    Settings s = in;
    QByteArray out;
    for (const Line& line : layout(s)) {
        QStringList parts;
        for (const Value& v : line) {
            if (v.number) {
                parts << QString::number(*v.number);
            } else {
                parts << u'"' + storedName(*v.text) + u'"';
            }
        }
        out += parts.join(u',').toUtf8();
        out += "\r\n";
    }
    return out;
}

std::optional<Settings> parseSettings(const QByteArray& bytes) {
    Settings s;
    QuotedReader reader(decode(bytes));
    for (const Line& line : layout(s)) {
        for (const Value& v : line) {
            bool quoted = false;
            const std::optional<QString> value = reader.next(&quoted);
            if (!value) {
                return std::nullopt;
            }
            if (v.text) {
                *v.text = storedName(*value);
                continue;
            }
            bool ok = false;
            const int n = value->toInt(&ok);
            if (!ok || quoted || n < -32768 || n > 32767) {
                return std::nullopt;
            }
            *v.number = qint16(n);
        }
    }
    return s;
}

bool LoadSettings() {
    QFile file(AppFiles::resolve(QString::fromLatin1(kSettingsFile)));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // The file is read whole, blank lines and all, unless it is far bigger than a settings file can be.
    // One byte more than allowed is asked for, to tell a file at the limit from a longer one.
    const qint64 wanted =
        file.isSequential() ? kSettingsFileLimit : std::min(file.size(), kSettingsFileLimit);
    const QByteArray bytes = file.read(wanted + 1);
    if (bytes.size() > kSettingsFileLimit) {
        return false;
    }
    const std::optional<Settings> loaded = parseSettings(bytes);
    if (!loaded) {
        return false;
    }
    settings() = *loaded;
    normaliseSettings(settings());
    return true;
}

bool SaveSettings() {
    normaliseSettings(settings());
    // A settings file made read-only on purpose keeps its contents and its permissions.
    return SafeFile::write(AppFiles::writable(QString::fromLatin1(kSettingsFile)), formatSettings(settings()));
}

void normaliseSettings(Settings& s) {
    // Counts and sizes: to the nearest end of their range.
    auto count = [](qint16& v, int lo, int hi) { v = qint16(clampSetting(v, lo, hi)); };
    // Choices: a value that is none of them counts as the activity's fallback.
    auto choice = [](qint16& v, int lo, int hi, int fallback) { v = qint16(settingOr(v, lo, hi, fallback)); };
    count(s.CountItems, 0, 2);
    count(s.BiggestNumber, 1, 20);
    choice(s.MatchItemType, 0, 2, 2);
    count(s.MatchItemCount, 2, 9);
    choice(s.BarnPeek, 0, 1, 1);
    choice(s.BarnFindBy, 0, 1, 1);
    count(s.BarnAnimalCount, 2, 8);
    count(s.MemPlayers, 1, 2);
    choice(s.MemItemType, 0, 2, 0);
    choice(s.MathProblemType, 0, 1, 0);
    choice(s.MathNumberSize, 0, 1, 1);
    count(s.MathFactor, -1, 10);
    count(s.SnowPlayers, 1, 4);
    for (size_t i = 1; i <= 4; ++i) {
        count(s.ScaleCount[i], 0, 10);
        choice(s.SnowPlayerType[i], 1, 3, 3);
        count(s.SnowPlayerSize[i], 1, 5);
    }
    choice(s.PuzzleSize, 0, 2, 0);
    count(s.BugPlayers, 1, 4);
    choice(s.TicPlayers, 1, 2, 1);
    choice(s.TicFirst, 0, 1, 1);
    choice(s.TicLevel, 1, 4, 4);
    choice(s.LetterCase, 0, 1, 0);
    choice(s.PattType, 0, 1, 1);
    count(s.PattLength, 1, 6);
    choice(s.ShapeMode, 0, 1, 1);
    choice(s.CardGame, 0, 1, 1);
    choice(s.CardDeck, 0, 3, 0);
    count(s.TimeQuizInc, 0, 5);
    count(s.TimeSpinInc, 0, 5);
}

int clampSetting(int value, int lo, int hi) {
    return std::clamp(value, lo, hi);
}

int settingOr(int value, int lo, int hi, int fallback) {
    return value < lo || value > hi ? fallback : value;
}

} // namespace nibsy
