// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpFile.h"

#include <QRegularExpression>
#include <QUrl>

namespace nibsy {

namespace {

struct SectionSpan {
    qsizetype start;      // the '<' of the opening tag
    qsizetype innerStart; // just after the opening tag
    qsizetype innerEnd;   // the '<' of the closing tag
    qsizetype end;        // just after the closing tag
    QString id;
};

QString attributeId(const QString& attributes) {
    static const QRegularExpression idAttr(
        QStringLiteral(R"re((?:^|\s)id\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = idAttr.match(attributes);
    if (!m.hasMatch()) {
        return {};
    }
    for (int i = 1; i <= 3; ++i) {
        if (m.capturedStart(i) >= 0) {
            return m.captured(i).trimmed();
        }
    }
    return {};
}

// The sections of the document in order. One left open runs to the next section or the end. A tag
// ends at its '>', and one broken off by another '<' is no tag, so it never swallows the tag after it.
QList<SectionSpan> sections(const QString& html) {
    static const QRegularExpression tag(QStringLiteral(R"(<(/?)section\b([^<>]*)>)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QList<SectionSpan> out;
    qsizetype from = 0;
    while (true) {
        const auto open = tag.match(html, from);
        if (!open.hasMatch()) {
            break;
        }
        if (!open.captured(1).isEmpty()) {
            from = open.capturedEnd(); // a stray closing tag
            continue;
        }
        SectionSpan s{open.capturedStart(), open.capturedEnd(), html.size(), html.size(),
                      attributeId(open.captured(2))};
        // A section left open ends where the next one begins.
        const auto next = tag.match(html, s.innerStart);
        if (next.hasMatch()) {
            s.innerEnd = next.capturedStart();
            s.end = next.captured(1).isEmpty() ? next.capturedStart() : next.capturedEnd();
        }
        out.append(s);
        from = s.end;
    }
    return out;
}

} // namespace

std::optional<QString> HelpFile::section(const QString& html, const QString& id) {
    for (const SectionSpan& s : sections(html)) {
        if (s.id.compare(id, Qt::CaseInsensitive) == 0) {
            return html.mid(s.innerStart, s.innerEnd - s.innerStart);
        }
    }
    return std::nullopt;
}

std::optional<QString> HelpFile::page(const QString& html, const QString& id) {
    QString out;
    out.reserve(html.size());
    bool found = false;
    qsizetype from = 0;
    for (const SectionSpan& s : sections(html)) {
        out += QStringView(html).mid(from, s.start - from);
        if (!found && s.id.compare(id, Qt::CaseInsensitive) == 0) {
            out += QStringView(html).mid(s.innerStart, s.innerEnd - s.innerStart);
            found = true;
        }
        from = s.end;
    }
    if (!found) {
        return std::nullopt;
    }
    out += QStringView(html).mid(from);
    return out;
}

std::optional<QString> HelpFile::linkTarget(const QUrl& url) {
    if (!url.scheme().isEmpty() || !url.hasFragment()) {
        return std::nullopt;
    }
    // "#topic-3", or the same written against the file itself: "nibsy.hlp#topic-3".
    const QString path = url.path();
    if (!path.isEmpty() && !path.endsWith(fileName(), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    static const QRegularExpression pageId(QStringLiteral(R"(^(contents|topic-\d{1,2})$)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString fragment = url.fragment();
    if (!pageId.match(fragment).hasMatch()) {
        return std::nullopt;
    }
    return fragment.toLower();
}

} // namespace nibsy
