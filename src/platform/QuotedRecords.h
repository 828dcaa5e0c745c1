// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text of comma-separated values, some in double quotes: the settings file and the sound editor's
// catalogue.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace nibsy {

// Takes values one after another, whatever line they stand on: a value ends at a comma or a line end
// (CR LF, LF or CR); leading blanks are skipped, and so are blank lines; a value that starts with a
// double quote runs to the closing quote, and anything between that quote and the separator is dropped.
// An unquoted value loses its surrounding blanks. There is no escape for a quote inside a quoted value.
class QuotedReader {
public:
    explicit QuotedReader(QString text) : m_text(std::move(text)) {}
    // The next value, or nullopt at the end of the text or at a quote that is never closed. quoted, when
    // given, tells whether the value stood in quotes.
    std::optional<QString> next(bool* quoted = nullptr);

private:
    QString m_text;
    qsizetype m_pos = 0;
    bool m_atLineStart = true;
};

// The text's values taken fields at a time, as records in order. Reading ends at the end of the text or
// at the first record that cannot be completed; that record is left out.
QList<QStringList> readRecords(const QString& text, int fields);

} // namespace nibsy
