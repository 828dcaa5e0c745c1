// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound editor's catalogue "sedit5.ini": 121 records of two quoted fields, a sound's file name and
// the title the list shows. Only entries that name a sound of the application folder can be recorded
// over; any other entry is left out, so that no recording can replace the settings file, a file in
// another folder, or the editor's own working files.

#include <QString>
#include <QStringList>

namespace nibsy {

struct SEditCatalogue {
    static constexpr int Records = 121;
    static constexpr const char* FileName = "sedit5.ini";

    enum class Status {
        Missing,  // no catalogue could be read, or it names no recordable sound
        Short,    // fewer than Records recordable entries
        Complete, // Records recordable entries
    };

    Status status = Status::Missing;
    QStringList files;  // the recordable entries' file names, in order
    QStringList titles; // their titles (the file name where the title is empty)

    // Reads the catalogue text: the first Records records, the recordable ones kept.
    static SEditCatalogue parse(const QString& text);
    // Reads the catalogue file's bytes: UTF-8, or the old single-byte encoding where they are not.
    static SEditCatalogue read(const QByteArray& bytes);
    // Reads the catalogue of the application folder.
    static SEditCatalogue load();
    // A plain file name in the folder, ending in ".wav" (any case), that is none of the editor's own
    // files "zzblank.wav" and "xjunk.wav".
    static bool isRecordable(const QString& name);

    // What the parent is told when the catalogue is not complete; empty when it is.
    QString message() const;
};

} // namespace nibsy
