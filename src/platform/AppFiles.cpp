// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <utility>

namespace nibsy {

namespace {

// One folder's files by case-folded name, read when first needed.
struct Listing {
    explicit Listing(QString folder = {}) : dir(std::move(folder)) {}

    QString dir;
    bool scanned = false;
    QHash<QString, QString> byFoldedName; // folded name -> real name

    void scan() {
        if (scanned) {
            return;
        }
        byFoldedName.clear();
        QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
        names.sort(Qt::CaseSensitive);
        for (const QString& n : names) {
            // Of two names that differ only by case, the first in code-point order wins ("APPLE.wmf"
            // before "apple.wmf"), on every run alike.
            const QString folded = n.toCaseFolded();
            if (!byFoldedName.contains(folded)) {
                byFoldedName.insert(folded, n);
            }
        }
        scanned = true;
    }
    // The real name of that file here, or empty.
    QString find(const QString& name) {
        scan();
        return byFoldedName.value(name.toCaseFolded());
    }
};

struct State {
    bool chosen = false;
    bool installed = false;
    Listing user;
    Listing shipped;
};

QString asFolder(const QString& dir) {
    return QDir(dir).absolutePath() + QLatin1Char('/');
}

State& state() {
    static State s;
    if (!s.chosen) {
        s.chosen = true;
        s.user.dir = asFolder(QCoreApplication::applicationDirPath());
        s.shipped.dir = s.user.dir;
    }
    return s;
}

// Portable, the shipped listing is the user's own.
Listing& shippedListing() {
    State& s = state();
    return s.installed ? s.shipped : s.user;
}

} // namespace

bool AppFiles::locate(const QString& settingsFile, const QString& exeFolder) {
    const QString exeDir = exeFolder.isEmpty() ? QCoreApplication::applicationDirPath() : exeFolder;
    if (!findIn(exeDir, settingsFile).isEmpty()) {
        setAppDir(exeDir);
        return true;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    setFolders(data.isEmpty() ? QString() : data + QStringLiteral("/nibsy"),
               exeDir + QStringLiteral("/../share/nibsy"));
    if (data.isEmpty() || !QDir().mkpath(userDir())) {
        return false;
    }
    const QString shippedSettings = shippedListing().find(settingsFile);
    if (!shippedSettings.isEmpty() && userCopy(settingsFile).isEmpty()) {
        const QString copy = userDir() + shippedSettings;
        // The shipped file is read-only; the user's copy is theirs to change.
        if (!QFile::copy(shippedDir() + shippedSettings, copy) ||
            !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner)) {
            return false;
        }
        rescan();
    }
    return true;
}

void AppFiles::setAppDir(const QString& dir) {
    State& s = state();
    s.installed = false;
    s.user = Listing{asFolder(dir)};
    s.shipped = Listing{s.user.dir};
}

void AppFiles::setFolders(const QString& userDir, const QString& shippedDir) {
    State& s = state();
    s.installed = true;
    s.user = Listing{userDir.isEmpty() ? QString() : asFolder(userDir)};
    s.shipped = Listing{asFolder(shippedDir)};
}

bool AppFiles::installed() {
    return state().installed;
}

QString AppFiles::userDir() {
    return state().user.dir;
}

QString AppFiles::shippedDir() {
    return shippedListing().dir;
}

QString AppFiles::resolve(const QString& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString own = state().user.find(name);
        if (!own.isEmpty()) {
            return userDir() + own;
        }
        if (installed()) {
            const QString shipped = state().shipped.find(name);
            if (!shipped.isEmpty()) {
                return shippedDir() + shipped;
            }
        }
        rescan(); // a file written since the last look (a recording) is found too
    }
    return userDir() + name;
}

QString AppFiles::writable(const QString& name) {
    rescan();
    const QString own = state().user.find(name);
    rescan(); // the next look finds what is written there now
    return userDir() + (own.isEmpty() ? name : own);
}

QString AppFiles::userCopy(const QString& name) {
    if (!installed()) {
        return {};
    }
    rescan();
    const QString own = state().user.find(name);
    return own.isEmpty() ? QString() : userDir() + own;
}

QString AppFiles::findIn(const QString& folder, const QString& name) {
    Listing there(asFolder(folder));
    const QString found = there.find(name);
    return found.isEmpty() ? QString() : there.dir + found;
}

QStringList AppFiles::list(const QString& suffix) {
    rescan();
    State& s = state();
    s.user.scan();
    QHash<QString, QString> names;
    if (s.installed) {
        s.shipped.scan();
        names = s.shipped.byFoldedName;
    }
    names.insert(s.user.byFoldedName);
    QStringList out;
    const QString folded = suffix.toCaseFolded();
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        if (it.key().endsWith(folded)) {
            out << it.value();
        }
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

void AppFiles::rescan() {
    state().user.scanned = false;
}

} // namespace nibsy
