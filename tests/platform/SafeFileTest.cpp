// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using nibsy::SafeFile;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct FileState {
    QByteArray bytes;
    ino_t inode = 0;
    mode_t mode = 0;
    bool operator==(const FileState&) const = default;
};
FileState state(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return {readFile(path), st.st_ino, mode_t(st.st_mode & 07777)};
}

void setMode(const QString& path, mode_t mode) {
    chmod(QFile::encodeName(path).constData(), mode);
}

// Every entry of the folder, hidden ones too.
QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

// Runs fn with every write past limit bytes failing, as on a full disk.
template <typename F> auto withFileSizeLimit(rlim_t limit, F fn) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = fn();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    return result;
}

} // namespace

TEST(SafeFile, ReplacingKeepsThePermissionsAndLeavesNothingElseBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sound.wav");
    writeFile(path, "old contents, longer than the new");
    setMode(path, 0604);
    const FileState before = state(path);
    ASSERT_TRUE(SafeFile::write(path, "new"));
    const FileState after = state(path);
    // A new file renamed over the old one.
    EXPECT_TRUE(after.bytes == "new" && after.mode == 0604u && after.inode != before.inode);
    EXPECT_EQ(entries(dir.path()), QStringList{"sound.wav"});

    // Through a link, the file linked to is replaced and the link stays.
    ASSERT_TRUE(QFile::link(path, dir.filePath("link.wav")));
    ASSERT_TRUE(SafeFile::write(dir.filePath("link.wav"), "via link"));
    EXPECT_EQ(readFile(path), "via link");
    EXPECT_TRUE(QFileInfo(dir.filePath("link.wav")).isSymLink());
    EXPECT_EQ(entries(dir.path()), (QStringList{"link.wav", "sound.wav"}));

    // A full disk leaves the old file as it was.
    EXPECT_FALSE(withFileSizeLimit(16, [&] { return SafeFile::write(path, QByteArray(100, 'x')); }));
    EXPECT_EQ(readFile(path), "via link");
    EXPECT_EQ(entries(dir.path()), (QStringList{"link.wav", "sound.wav"}));
}

// The suite may run as the superuser, so every case holds whoever runs it.
TEST(SafeFile, CopyReplacesTheDestinationInPlaceInAReadOnlyFolderButNeverAFileWithoutWriteBits) {
    QTemporaryDir dir;
    const QString from = dir.filePath("original.wav");
    const QString to = dir.filePath("xjunk.wav");
    writeFile(from, "the original sound");
    writeFile(to, "an old copy");

    ASSERT_TRUE(SafeFile::copy(from, to));
    EXPECT_EQ(readFile(to), "the original sound");

    writeFile(to, "an old copy");
    setMode(dir.path(), 0555);
    const FileState before = state(to);
    const bool copied = SafeFile::copy(from, to);
    const FileState inPlace = state(to);
    // Should the write fail half way, the old contents are put back.
    writeFile(from, QByteArray(100, 'x'));
    const bool cutShort = withFileSizeLimit(32, [&] { return SafeFile::copy(from, to); });
    const FileState afterCut = state(to);
    setMode(dir.path(), 0755);
    EXPECT_TRUE(copied && inPlace.bytes == "the original sound" && inPlace.inode == before.inode);
    EXPECT_TRUE(!cutShort && afterCut == inPlace);

    setMode(to, 0444);
    const FileState locked = state(to);
    EXPECT_FALSE(SafeFile::copy(from, to));
    EXPECT_EQ(state(to), locked);
    EXPECT_FALSE(SafeFile::copy(dir.filePath("missing.wav"), dir.filePath("new.wav")));
    EXPECT_EQ(entries(dir.path()), (QStringList{"original.wav", "xjunk.wav"}));
}

TEST(SafeFile, StaleTemporariesAreRemovedAndNothingElse) {
    QTemporaryDir dir;
    const QString stale = "nibsy51.ini.nibsy-tmp-k3x9q0za";
    const QStringList others = {"sound.wav", "sound.wav.nibsy-tmp-abc", "sound.wav.nibsy-tmp-ABCDEFGH",
                                "nibsy-tmp-k3x9q0za.wav", ".nibsy-tmp-k3x9q0za"};
    const QDateTime longAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString& name : others + QStringList{stale}) {
        writeFile(dir.filePath(name), "x");
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) &&
                    f.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    const QString fresh = "apple.wav.nibsy-tmp-0123456z"; // perhaps being written right now
    writeFile(dir.filePath(fresh), "x");

    EXPECT_EQ(SafeFile::removeStaleTemporaries(dir.path()), 1);
    QStringList left = others + QStringList{fresh};
    left.sort();
    EXPECT_EQ(entries(dir.path()), left);
}
