// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing factor: chosen from the screen so that the menu fills about 60 % of its width and every
// window fits, and kept from one start to the next.
#include "platform/Scaling.h"
#include "platform/Picture.h"
#include "support/Pixels.h"

#include <QFile>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

constexpr int Menu = 623;    // the main menu's width at factor 1
constexpr int Tallest = 640; // the tallest activity window's height at factor 1

TEST(Scaling, TheMenuTakesAboutSixTenthsOfTheScreenInQuarterStepsAndTheTallestWindowFits) {
    EXPECT_EQ(fittingScale({1280, 1024}, Menu, Tallest), 1.0); // as the suite always was
    EXPECT_EQ(fittingScale({1920, 1200}, Menu, Tallest), 1.75);
    EXPECT_EQ(fittingScale({1920, 1080}, Menu, Tallest), 1.5);
    EXPECT_EQ(fittingScale({2560, 1440}, Menu, Tallest), 2.25);
    const double uhd = fittingScale({3840, 2160}, Menu, Tallest);
    EXPECT_EQ(uhd, 3.25);
    EXPECT_GE(Menu * uhd, 1900);
    EXPECT_LE(Tallest * uhd, 2160);
    // A wide, low screen: the height decides.
    EXPECT_EQ(fittingScale({3840, 1200}, Menu, Tallest), 1.75);
    // Never below 1 nor above 4, whatever the screen.
    EXPECT_EQ(fittingScale({800, 600}, Menu, Tallest), 1.0);
    EXPECT_EQ(fittingScale({15360, 8640}, Menu, Tallest), 4.0);
    EXPECT_EQ(fittingScale({}, Menu, Tallest), 1.0);
    EXPECT_EQ(fittingScale({3840, 2160}, 0, Tallest), 1.0);
    EXPECT_EQ(fittingScale({3840, 2160}, Menu, 0), 3.5);
}

TEST(Scaling, AFactorAskedForIsKeptForLaterStartsUntilForgotten) {
    QTemporaryDir home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    EXPECT_EQ(rememberedScale(), std::nullopt);
    rememberScale(2.5);
    EXPECT_EQ(rememberedScale(), 2.5);
    rememberScale(1);
    EXPECT_EQ(rememberedScale(), 1.0);
    rememberScale(std::nullopt);
    EXPECT_EQ(rememberedScale(), std::nullopt);

    // A file edited by hand to a factor out of range, or to no number, is no choice.
    for (const QByteArray value : {"9", "0.5", "large", "nan"}) {
        {
            QFile file(home.filePath("nibsy/display.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[General]\nscale=" + value + "\n");
        }
        EXPECT_EQ(rememberedScale(), std::nullopt) << value.constData();
    }
}

// Pictures made by code, metafiles and images made at a ratio all keep their logical size, and are
// drawn at the resolution asked for.
TEST(Scaling, PicturesAreDrawnAtTheResolutionAskedForAndKeepTheirLogicalSize) {
    QFile file(QStringLiteral(NIBSY_SOURCE_DIR "/tests/platform/wmf-samples/santa.wmf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const Picture metafile = Picture::fromData(file.readAll());
    const Picture drawing = Picture::fromDrawing({50, 40}, [](QPainter& p) {
        p.setBrush(Qt::red);
        p.drawEllipse(QRectF(5, 5, 40, 30));
    });
    EXPECT_EQ(drawing.size(), QSize(50, 40));
    EXPECT_TRUE(Picture::fromDrawing({}, [](QPainter&) {}).isNull());
    EXPECT_EQ(Picture::fromImage(deviceImage({50, 40}, 2)).size(), QSize(50, 40));

    for (const Picture& picture : {metafile, drawing}) {
        const QImage two = picture.toImage({100, 80}, 2);
        EXPECT_EQ(two.size(), QSize(200, 160));
        EXPECT_EQ(two.devicePixelRatio(), 2.0);
        EXPECT_GT(test::finerThanTwoPixels(two), 20);
        // Smooth edges: some pixels are part coloured.
        long partial = 0;
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                partial += qAlpha(two.pixel(x, y)) > 0 && qAlpha(two.pixel(x, y)) < 255;
        EXPECT_GT(partial, 20);
    }
}

} // namespace
