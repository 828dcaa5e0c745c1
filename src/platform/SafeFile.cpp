// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace nibsy {

namespace {

// A temporary is named after its file: "nibsy51.ini" is written as "nibsy51.ini.nibsy-tmp-k3x9q0za".
constexpr auto TempMarker = ".nibsy-tmp-";
constexpr int TempSuffixLength = 8;
constexpr qint64 StaleAfterSecs = 60;

// The file a path names, symbolic links followed, even when it does not exist yet.
QString resolveLinks(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.isSymLink() ? path : info.filePath();
}

// Whether we may not write there. The permission bits are looked at on their own as well, since the
// superuser may write whatever they say: a file or folder without any write bit stays untouched.
bool mayNotWrite(const QFileInfo& info) {
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & anyWrite) || !info.isWritable();
}

QString temporaryFor(const QFileInfo& target) {
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QString suffix;
    for (int i = 0; i < TempSuffixLength; ++i) {
        suffix += QChar::fromLatin1(digits[QRandomGenerator::global()->bounded(36)]);
    }
    return target.absolutePath() + u'/' + target.fileName() + QLatin1String(TempMarker) + suffix;
}

// Overwrites the file where it stands (its folder takes no new files). Should the write fail, the old
// contents are put back as far as possible.
bool writeInPlace(const QString& path, const QByteArray& bytes) {
    // Unbuffered: a write that fails leaves nothing queued that could spoil putting the old bytes back.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray old = file.readAll();
    auto put = [&file](const QByteArray& b) {
        return file.seek(0) && file.write(b) == b.size() && file.resize(b.size()) && file.flush();
    };
    if (put(bytes)) {
        return true;
    }
    put(old);
    return false;
}

// Writes a temporary file beside the target and renames it over the target.
bool replace(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    QFile temp;
    for (int attempt = 0; attempt < 16 && !temp.isOpen(); ++attempt) {
        temp.setFileName(temporaryFor(target));
        // A new file gets the usual permissions (0666 less the umask).
        if (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !temp.exists()) {
            return false; // not a clash of names: the folder takes no new file
        }
    }
    if (!temp.isOpen()) {
        return false;
    }
    const QByteArray name = QFile::encodeName(temp.fileName());
    struct stat old {};
    bool ok = true;
    if (::stat(QFile::encodeName(path).constData(), &old) == 0) {
        ok = ::fchmod(temp.handle(), old.st_mode & 07777) == 0;
    }
    // A write cut short by a full disk shows only when the buffer is flushed.
    ok = ok && temp.write(bytes) == bytes.size() && temp.flush() && ::fsync(temp.handle()) == 0;
    temp.close();
    ok = ok && temp.error() == QFileDevice::NoError &&
         std::rename(name.constData(), QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        temp.remove();
    }
    return ok;
}

} // namespace

bool SafeFile::write(const QString& path, const QByteArray& bytes) {
    const QString target = resolveLinks(path);
    const QFileInfo file(target);
    if (file.exists()) {
        if (mayNotWrite(file)) {
            return false; // made read-only on purpose: it keeps its contents and its permissions
        }
        if (mayNotWrite(QFileInfo(file.absolutePath()))) {
            return writeInPlace(target, bytes);
        }
    }
    return replace(target, bytes);
}

bool SafeFile::copy(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return false;
    }
    return write(to, bytes);
}

namespace {
// Whether a file name is one replace() gives its temporaries.
bool isTemporaryName(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^.+%1[0-9a-z]{%2}$")
                                                .arg(QRegularExpression::escape(QLatin1String(TempMarker)))
                                                .arg(TempSuffixLength));
    return pattern.match(fileName).hasMatch();
}
} // namespace

int SafeFile::removeStaleTemporaries(const QString& folder) {
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSecs);
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (isTemporaryName(entry.fileName()) && entry.lastModified().toUTC() < staleBefore &&
            QFile::remove(entry.filePath())) {
            ++removed;
        }
    }
    return removed;
}

} // namespace nibsy
