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
                // The format has no escape for a double quote: a quote in a name becomes an apostrophe.
                QString t = *v.text;
                t.replace(u'"', u'\'');
                t.remove(u'\r');
                t.remove(u'\n');
                parts << u'"' + t + u'"';
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
                *v.text = *value;
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
    return true;
}

bool SaveSettings() {
    // A settings file made read-only on purpose keeps its contents and its permissions.
    return SafeFile::write(AppFiles::resolve(QString::fromLatin1(kSettingsFile)), formatSettings(settings()));
}

int clampSetting(int value, int lo, int hi) {
    return std::clamp(value, lo, hi);
}

int settingOr(int value, int lo, int hi, int fallback) {
    return value < lo || value > hi ? fallback : value;
}

} // namespace nibsy
