// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuotedRecords.h"

namespace nibsy {

namespace {
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
} // namespace

std::optional<QString> QuotedReader::next(bool* quoted) {
    // Skip the separator left by the previous value and any blank lines.
    while (m_pos < m_text.size() &&
           (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || (m_atLineStart && isLineEnd(m_text[m_pos])))) {
        ++m_pos;
    }
    if (m_pos >= m_text.size()) {
        return std::nullopt;
    }
    QString value;
    const bool inQuotes = m_text[m_pos] == u'"';
    if (quoted) {
        *quoted = inQuotes;
    }
    if (inQuotes) {
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        if (close < 0) {
            return std::nullopt;
        }
        value = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos])) {
            ++m_pos;
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

QList<QStringList> readRecords(const QString& text, int fields) {
    QList<QStringList> records;
    if (fields < 1) {
        return records;
    }
    QuotedReader reader(text);
    for (;;) {
        QStringList record;
        for (int i = 0; i < fields; ++i) {
            std::optional<QString> value = reader.next();
            if (!value) {
                return records;
            }
            record << *value;
        }
        records << record;
    }
}

} // namespace nibsy
