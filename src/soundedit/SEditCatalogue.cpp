// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundedit/SEditCatalogue.h"

#include "platform/AppFiles.h"
#include "platform/QuotedRecords.h"

#include <QFile>

namespace nibsy {

bool SEditCatalogue::isRecordable(const QString& name) {
    static const QString Wave = QStringLiteral(".wav");
    if (name.size() <= Wave.size() || !name.endsWith(Wave, Qt::CaseInsensitive) || name.contains(u'/') ||
        name.contains(u'\\')) {
        return false;
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20) {
            return false;
        }
    }
    return name.compare(QStringLiteral("zzblank.wav"), Qt::CaseInsensitive) != 0 &&
           name.compare(QStringLiteral("xjunk.wav"), Qt::CaseInsensitive) != 0;
}

SEditCatalogue SEditCatalogue::parse(const QString& text) {
    SEditCatalogue catalogue;
    const QList<QStringList> records = readRecords(text, 2);
    for (qsizetype i = 0; i < records.size() && i < Records; ++i) {
        const QString& file = records[i][0];
        if (isRecordable(file)) {
            catalogue.files << file;
            catalogue.titles << (records[i][1].isEmpty() ? file : records[i][1]);
        }
    }
    catalogue.status = catalogue.files.isEmpty()          ? Status::Missing
                       : catalogue.files.size() < Records ? Status::Short
                                                          : Status::Complete;
    return catalogue;
}

SEditCatalogue SEditCatalogue::load() {
    QFile file(AppFiles::resolve(QString::fromLatin1(FileName)));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return read(file.readAll());
}

SEditCatalogue SEditCatalogue::read(const QByteArray& bytes) {
    // Written by hand, it may be in the old single-byte encoding.
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter)) {
        text = QString::fromLatin1(bytes);
    }
    return parse(text);
}

QString SEditCatalogue::message() const {
    switch (status) {
    case Status::Missing:
        return QStringLiteral("The list of sounds, %1, is missing from the program's folder or names no "
                              "sound that can be recorded, so the Sound Editor cannot open. Reinstall the "
                              "program to get the list back.")
            .arg(QString::fromLatin1(FileName));
    case Status::Short:
        return QStringLiteral("The list of sounds, %1, names only %2 of its %3 sounds in a way that can be "
                              "recorded. The Sound Editor shows those %2.")
            .arg(QString::fromLatin1(FileName))
            .arg(files.size())
            .arg(Records);
    case Status::Complete:
        break;
    }
    return {};
}

} // namespace nibsy
