// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application directory and case-insensitive lookup of the data files in it.

#include <QString>

namespace nibsy {

class AppFiles {
public:
    // The application directory with a trailing separator.
    static QString appDir();
    // Points the application directory elsewhere (tests); forgets the cached listing.
    static void setAppDir(const QString& dir);
    // The path of the data file of that name in the application directory, matched without regard to
    // case; when no file matches, the path as written (which does not exist).
    static QString resolve(const QString& name);
    // Lists the files of the application directory whose names end with the given suffix, any case.
    static QStringList list(const QString& suffix);
    // Forgets the cached listing (after a file was added).
    static void rescan();
};

} // namespace nibsy
