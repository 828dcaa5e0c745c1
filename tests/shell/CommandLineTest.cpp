// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the options listed, the version, the scale, and a clear word on a wrong one; and
// the menu drawn at a factor of 2.
#include "shell/CommandLine.h"
#include "platform/Scaling.h"
#include "shell/frmMenu.h"
#include "support/FakePlatform.h"
#include "support/Pixels.h"

#include <QCoreApplication>
#include <QWindow>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

CommandLine read(QStringList options) {
    options.prepend(QStringLiteral("nibsy"));
    return readCommandLine(options);
}

TEST(CommandLine, WithoutOptionsTheSuiteStartsAsBefore) {
    const CommandLine line = read({});
    EXPECT_FALSE(line.ends);
    EXPECT_EQ(line.scale, std::nullopt);
    EXPECT_FALSE(line.automaticScale);
}

TEST(CommandLine, HelpListsTheOptionsAndVersionSaysWhichSuiteThisIs) {
    QCoreApplication::setApplicationVersion(QStringLiteral("5.0"));
    const CommandLine help = read({"--help"});
    EXPECT_TRUE(help.ends);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.text.startsWith(QStringLiteral("Usage: "))) << qPrintable(help.text);
    for (const char* option : {"--scale <F>", "--help", "--version"}) {
        EXPECT_TRUE(help.text.contains(QLatin1String(option))) << option;
    }
    const CommandLine version = read({"--version"});
    EXPECT_TRUE(version.ends);
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.text.endsWith(QStringLiteral(" 5.0\n"))) << qPrintable(version.text);
}

TEST(CommandLine, KioskModeIsFullScreenToo) {
    const CommandLine kiosk = read({"--kiosk"});
    EXPECT_TRUE(kiosk.kiosk && kiosk.fullScreen && !kiosk.ends);
    const CommandLine full = read({"--fullscreen"});
    EXPECT_TRUE(full.fullScreen && !full.kiosk && !full.ends);
    EXPECT_FALSE(read({}).fullScreen);
}

TEST(CommandLine, TheScaleIsANumberFromOneToFourOrAuto) {
    EXPECT_EQ(read({"--scale=2.5"}).scale, 2.5);
    EXPECT_EQ(read({"--scale", "1"}).scale, 1.0);
    EXPECT_EQ(read({"--scale=4"}).scale, 4.0);
    const CommandLine automatic = read({"--scale=auto"});
    EXPECT_TRUE(automatic.automaticScale);
    EXPECT_EQ(automatic.scale, std::nullopt);
    EXPECT_FALSE(automatic.ends);

    for (const QStringList& wrong : {QStringList{"--scale=0.9"},
                                     {"--scale=4.5"},
                                     {"--scale=big"},
                                     {"--scale"},
                                     {"--kiosk-please"},
                                     {"letters"}}) {
        const CommandLine line = read(wrong);
        EXPECT_TRUE(line.ends) << qPrintable(wrong.join(' '));
        EXPECT_EQ(line.status, 2) << qPrintable(wrong.join(' '));
        EXPECT_FALSE(line.text.isEmpty());
    }
    EXPECT_TRUE(read({"--scale=big"}).text.contains(QStringLiteral("from 1 to 4")));
}

TEST(CommandLine, AtAFactorOfTwoTheMenuIsTwiceAsLargeOnTheScreenAndDrawnAtThatResolution) {
    test::FakePlatform fake;
    QSize plain;
    {
        frmMenu menu;
        plain = menu.size();
    }
    applyScale(2);
    {
        frmMenu menu;
        menu.show();
        EXPECT_EQ(menu.size(), plain); // the layout is the same
        ASSERT_TRUE(menu.windowHandle());
        EXPECT_EQ(menu.windowHandle()->devicePixelRatio(), 2.0);
        const QImage two = menu.grab().toImage();
        EXPECT_EQ(two.size(), plain * 2);
        EXPECT_GT(test::finerThanTwoPixels(two), 200); // the captions' letters, drawn finely
    }
    applyScale(1);
}

} // namespace
