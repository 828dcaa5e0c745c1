// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppFiles.h"
#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

TEST(AppFilesInstalled, TheUsersOwnFileComesBeforeTheShippedOneInAnyCaseAndWritesGoToTheUsersFolder) {
    test::FakePlatform fake;
    QTemporaryDir root;
    const QString user = root.filePath("user/"), shipped = root.filePath("share/nibsy/");
    writeBytes(shipped + "APPLE.wmf", "shipped apple");
    writeBytes(shipped + "tada.wav", "shipped tada");
    writeBytes(user + "Apple.WMF", "my apple");
    AppFiles::setFolders(user, shipped);

    EXPECT_TRUE(AppFiles::installed());
    EXPECT_EQ(AppFiles::resolve("apple.wmf"), user + "Apple.WMF");
    EXPECT_EQ(AppFiles::resolve("TADA.WAV"), shipped + "tada.wav");
    EXPECT_EQ(AppFiles::resolve("new.wav"), user + "new.wav");
    EXPECT_EQ(AppFiles::list(".WMF"), QStringList{"Apple.WMF"});
    EXPECT_EQ(AppFiles::list(".wav"), QStringList{"tada.wav"});
    EXPECT_EQ(AppFiles::userCopy("apple.wmf"), user + "Apple.WMF");
    EXPECT_EQ(AppFiles::userCopy("tada.wav"), QString());

    // A sound recorded over a shipped one lands in the user's folder and is found from then on.
    EXPECT_EQ(AppFiles::writable("Tada.wav"), user + "Tada.wav");
    EXPECT_EQ(AppFiles::writable("apple.WMF"), user + "Apple.WMF");
    writeBytes(AppFiles::writable("Tada.wav"), "my tada");
    EXPECT_EQ(AppFiles::resolve("tada.wav"), user + "Tada.wav");
    EXPECT_EQ(AppFiles::list(".wav"), QStringList{"Tada.wav"});
    EXPECT_EQ(bytesOf(shipped + "tada.wav"), "shipped tada");
    EXPECT_EQ(bytesOf(shipped + "APPLE.wmf"), "shipped apple");

    // Portable, there is one folder and no copy stands in for another.
    AppFiles::setAppDir(shipped);
    EXPECT_FALSE(AppFiles::installed());
    EXPECT_EQ(AppFiles::userCopy("apple.wmf"), QString());
    EXPECT_EQ(AppFiles::writable("tada.wav"), shipped + "tada.wav");
}

TEST(AppFilesInstalled, EachUserOfOneInstallationStartsFromTheShippedSettingsAndKeepsTheirOwn) {
    test::FakePlatform fake;
    QTemporaryDir root;
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    const QString bin = root.filePath("usr/bin"), shipped = root.filePath("usr/share/nibsy/");
    QDir().mkpath(bin);
    const QByteArray shippedSettings = bytesOf(test::builtAppDir() + "/nibsy51.ini");
    ASSERT_TRUE(parseSettings(shippedSettings));
    writeBytes(shipped + "NIBSY51.INI", shippedSettings);
    const QString settingsOf[] = {root.filePath("anna/nibsy/NIBSY51.INI"),
                                  root.filePath("ben/nibsy/NIBSY51.INI")};

    const auto start = [&](const char* who) {
        qputenv("XDG_DATA_HOME", root.filePath(who).toLocal8Bit());
        EXPECT_TRUE(AppFiles::locate("nibsy51.ini", bin));
        EXPECT_TRUE(AppFiles::installed());
        EXPECT_TRUE(LoadSettings());
    };
    start("anna");
    EXPECT_EQ(AppFiles::shippedDir(), shipped);
    EXPECT_EQ(bytesOf(settingsOf[0]), shippedSettings);
    settings().SnowPlayerName[1] = QStringLiteral("Anna");
    ASSERT_TRUE(SaveSettings());

    start("ben");
    EXPECT_EQ(bytesOf(settingsOf[1]), shippedSettings);
    EXPECT_NE(settings().SnowPlayerName[1], QStringLiteral("Anna"));

    start("anna");
    EXPECT_EQ(settings().SnowPlayerName[1], QStringLiteral("Anna"));
    EXPECT_EQ(bytesOf(shipped + "NIBSY51.INI"), shippedSettings);
    EXPECT_EQ(QDir(shipped).entryList(QDir::Files), QStringList{"NIBSY51.INI"});

    // Beside a settings file the executable's folder is a portable suite, read and written in place.
    writeBytes(bin + "/Nibsy51.ini", shippedSettings);
    EXPECT_TRUE(AppFiles::locate("nibsy51.ini", bin));
    EXPECT_FALSE(AppFiles::installed());
    EXPECT_EQ(AppFiles::resolve("nibsy51.ini"), bin + "/Nibsy51.ini");
    if (savedHome.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", savedHome);
    }
}
