// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <QFont>
#include <QStringList>

namespace nibsy {

void installFontSubstitutions() {
    struct Pair {
        const char* asked;
        const char* installed;
    };
    static constexpr Pair pairs[] = {
        {"Comic Sans MS", "Comic Neue"},
        {"Arial", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
    };
    for (const Pair& p : pairs) {
        const QString asked = QString::fromLatin1(p.asked);
        const QString installed = QString::fromLatin1(p.installed);
        // Installing twice (tests, a restarted shell) must not grow the list; Qt keeps the names in
        // lower case.
        if (!QFont::substitutes(asked).contains(installed, Qt::CaseInsensitive)) {
            QFont::insertSubstitution(asked, installed);
        }
    }
}

QFont comicFont(int points, bool bold) {
    QFont font(QStringLiteral("Comic Sans MS"), points);
    font.setBold(bold);
    return font;
}

QFont arialFont(int points, bool bold) {
    QFont font(QStringLiteral("Arial"), points);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, color);
    widget->setPalette(pal);
}

} // namespace nibsy
