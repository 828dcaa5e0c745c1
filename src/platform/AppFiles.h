// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the data files are, and their case-insensitive lookup.
//
// Portable, the executable's folder holds the settings file, and every file is read and written there.
// Installed, the shipped files lie in share/nibsy beside bin/ and are only read; each user's own files
// (settings, recordings) lie in $XDG_DATA_HOME/nibsy and are found before the shipped ones.

#include <QString>
#include <QStringList>

namespace nibsy {

class AppFiles {
public:
    // Chooses portable or installed by whether the executable's folder (exeDir, or else the running
    // program's) holds a file named settingsFile (any case). Installed, it makes the user's folder and copies
    // the shipped settings file there when the user has none yet. Returns false when that folder cannot be
    // made (files are then only read).
    static bool locate(const QString& settingsFile, const QString& exeDir = {});
    // Portable in that folder (tests).
    static void setAppDir(const QString& dir);
    // Installed, with the user's folder and the shipped one given (tests).
    static void setFolders(const QString& userDir, const QString& shippedDir);
    static bool installed();

    // The folder the user's files are written to, and the one the shipped files are read from; each with
    // a trailing separator. Portable, both are the executable's folder.
    static QString userDir();
    static QString shippedDir();

    // The path of the data file of that name, matched without regard to case: the user's own file, else
    // the shipped one; when neither exists, the path it would have in the user's folder.
    static QString resolve(const QString& name);
    // The path a file of that name is written to: in the user's folder, under the name it already has
    // there in any case, else under the name given. Never a shipped file of an installed suite.
    static QString writable(const QString& name);
    // The user's own file of that name that stands in for a shipped one; empty when there is none or
    // when portable (where the two are one file).
    static QString userCopy(const QString& name);
    // The file of that name in any folder, matched as above; empty when there is none.
    static QString findIn(const QString& folder, const QString& name);
    // The data files whose names end with the given suffix, any case, the user's hiding shipped ones of
    // the same name; the names as they are on disk, sorted without regard to case.
    static QStringList list(const QString& suffix);
    // Forgets the cached listing of the user's folder (after a file was added or removed).
    static void rescan();
};

} // namespace nibsy
