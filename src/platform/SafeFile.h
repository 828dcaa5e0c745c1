// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a file so that a failure never leaves it half written: the new contents go to a temporary file
// beside it, which is renamed over the old one once every byte is on disk.

#include <QByteArray>
#include <QString>

namespace nibsy {

class SafeFile {
public:
    // Makes the file at path (through any symbolic links) hold exactly bytes. An existing file keeps its
    // permission bits. A file without any write permission bit is left untouched and false returned,
    // even for the superuser. Where the folder takes no new files but the file may be written, it is
    // overwritten in place, and its old contents put back should that fail. False when the file could
    // not be written; it then holds what it held before.
    static bool write(const QString& path, const QByteArray& bytes);
    // Copies the file from over the file to, replacing it as write() does (a new file gets the
    // permissions of any newly made file, not those of from).
    static bool copy(const QString& from, const QString& to);
    // Removes from folder the temporaries that write() leaves behind when the program dies in the middle,
    // and no other file; those less than a minute old may belong to a write still going on and are kept.
    // Returns how many were removed.
    static int removeStaleTemporaries(const QString& folder);
};

} // namespace nibsy
