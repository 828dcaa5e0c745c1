// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

namespace nibsy {

namespace {
struct State {
    QString dir;
    bool scanned = false;
    QHash<QString, QString> byFoldedName; // folded name -> real name
};
State& state() {
    static State s;
    return s;
}

void scan() {
    State& s = state();
    if (s.scanned) {
        return;
    }
    s.byFoldedName.clear();
    QStringList names = QDir(AppFiles::appDir()).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    names.sort(Qt::CaseSensitive);
    for (const QString& n : names) {
        // Of two names that differ only by case, the first in code-point order wins ("APPLE.wmf" before
        // "apple.wmf"), on every run alike.
        const QString folded = n.toCaseFolded();
        if (!s.byFoldedName.contains(folded)) {
            s.byFoldedName.insert(folded, n);
        }
    }
    s.scanned = true;
}
} // namespace

QString AppFiles::appDir() {
    State& s = state();
    if (s.dir.isEmpty()) {
        s.dir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    }
    return s.dir;
}

void AppFiles::setAppDir(const QString& dir) {
    State& s = state();
    s.dir = QDir(dir).absolutePath() + QLatin1Char('/');
    s.scanned = false;
}

QString AppFiles::resolve(const QString& name) {
    const QString folded = name.toCaseFolded();
    for (int attempt = 0; attempt < 2; ++attempt) {
        scan();
        auto it = state().byFoldedName.constFind(folded);
        if (it != state().byFoldedName.constEnd()) {
            return appDir() + it.value();
        }
        rescan(); // a file written since the last look (a recording) is found too
    }
    return appDir() + name;
}

QStringList AppFiles::list(const QString& suffix) {
    rescan();
    scan();
    QStringList out;
    const QString folded = suffix.toCaseFolded();
    for (auto it = state().byFoldedName.cbegin(); it != state().byFoldedName.cend(); ++it) {
        if (it.key().endsWith(folded)) {
            out << it.value();
        }
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

void AppFiles::rescan() {
    state().scanned = false;
}

} // namespace nibsy
