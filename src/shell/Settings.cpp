// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"

#include "platform/AppFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

// Takes values one after another, whatever line they stand on: a value ends at a comma or a line end;
// leading blanks are skipped; a value that starts with a double quote runs to the closing quote.
class Reader {
public:
    explicit Reader(QString text) : m_text(std::move(text)) {}

    std::optional<QString> next(bool* quoted) {
        // Skip the separator left by the previous value and any blank lines.
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' ||
                                         (m_atLineStart && isLineEnd(m_text[m_pos])))) {
            ++m_pos;
        }
        if (m_pos >= m_text.size()) {
            return std::nullopt;
        }
        QString value;
        *quoted = m_text[m_pos] == u'"';
        if (*quoted) {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0) {
                return std::nullopt;
            }
            value = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos])) {
                ++m_pos; // anything between the closing quote and the separator is dropped
            }
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos])) {
                ++m_pos;
            }
            value = m_text.mid(start, m_pos - start).trimmed();
        }
        // Consume one separator: a comma, or a line end (CR LF, LF or CR).
        m_atLineStart = false;
        if (m_pos < m_text.size()) {
            if (m_text[m_pos] == u',') {
                ++m_pos;
            } else {
                if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n') {
                    ++m_pos;
                }
                ++m_pos;
                m_atLineStart = true;
            }
        }
        return value;
    }

private:
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
    QString m_text;
    qsizetype m_pos = 0;
    bool m_atLineStart = true;
};

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
    Reader reader(decode(bytes));
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
    normaliseSettings(settings());
    return true;
}

namespace {

// Whether we may not write there. The permission bits are looked at on their own as well, since the
// superuser may write whatever they say: a file or folder without any write bit stays untouched.
bool mayNotWrite(const QFileInfo& info) {
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & anyWrite) || !info.isWritable();
}

// Overwrites the file where it stands (its folder takes no new files). Should the write fail, the old
// contents are put back as far as possible.
bool writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    const QByteArray old = file.readAll();
    auto put = [&file](const QByteArray& b) {
        return file.seek(0) && file.write(b) == b.size() && file.resize(b.size()) && file.flush();
    };
    if (put(bytes)) {
        return true;
    }
    put(old);
    return false;
}

// Writes a temporary file beside the old one and renames it over it.
bool replace(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // commit() alone does not notice a write cut short by a full disk; flush() does.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

bool SaveSettings() {
    const QString path = AppFiles::resolve(QString::fromLatin1(kSettingsFile));
    normaliseSettings(settings());
    const QByteArray bytes = formatSettings(settings());
    const QFileInfo file(path);
    if (file.exists()) {
        if (mayNotWrite(file)) {
            return false; // made read-only on purpose: it keeps its contents and its permissions
        }
        if (mayNotWrite(QFileInfo(file.absolutePath()))) {
            return writeInPlace(path, bytes);
        }
    }
    return replace(path, bytes);
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
