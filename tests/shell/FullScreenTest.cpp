// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Full-screen mode: the windows as large as fit, on a backdrop of the menu's colour that F11 puts away.
#include "platform/Scaling.h"
#include "shell/Backdrop.h"
#include "shell/GrownUpGate.h"
#include "support/WindowFixture.h"

#include <QScreen>
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

TEST(FullScreen, TheLargestWindowFitsTheScreenInQuarterSteps) {
    const QSize largest(920, 640);
    EXPECT_EQ(fullScreenScale({3840, 2160}, largest), 3.25);
    EXPECT_EQ(fullScreenScale({1920, 1080}, largest), 1.5);
    EXPECT_EQ(fullScreenScale({1280, 1024}, largest), 1.25);
    EXPECT_EQ(fullScreenScale({2000, 4000}, largest), 2.0); // the width decides
    EXPECT_EQ(fullScreenScale({800, 600}, largest), 1.0);
    EXPECT_EQ(fullScreenScale({15360, 8640}, largest), 4.0);
    EXPECT_EQ(fullScreenScale({}, largest), 1.0);
    EXPECT_EQ(fullScreenScale({3840, 2160}, {0, 0}), 1.0);
}

TEST(FullScreen, TheBackdropCoversTheScreenInItsColourAndOnlyF11PutsItAwayOutsideKioskMode) {
    FakePlatform fake;
    const QColor yellow(255, 255, 128);
    Backdrop backdrop(yellow);
    QWidget menu;
    menu.resize(200, 100);
    backdrop.toggle();
    ASSERT_TRUE(backdrop.isVisible());
    EXPECT_TRUE(backdrop.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(backdrop.geometry(), backdrop.screen()->geometry());
    EXPECT_EQ(backdrop.grab().toImage().pixelColor(5, 5), yellow);

    menu.show();
    QApplication::setActiveWindow(&menu);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    // A click that reaches the backdrop (a window manager may hand it the focus) brings the menu back.
    QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(
        backdrop.windowHandle());
    ASSERT_EQ(QApplication::activeWindow(), &backdrop);
    QTest::mouseClick(backdrop.windowHandle(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &menu; }, 1000));

    // Alt+F4 from the window manager leaves it; F11 puts it away and brings it back, but not in kiosk mode.
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        backdrop.windowHandle());
    EXPECT_TRUE(backdrop.isVisible());
    QTest::keyClick(&menu, Qt::Key_F11);
    EXPECT_FALSE(backdrop.isVisible());
    QTest::keyClick(&menu, Qt::Key_F11);
    EXPECT_TRUE(backdrop.isVisible());
    setKioskMode(true);
    QTest::keyClick(&menu, Qt::Key_F11);
    EXPECT_TRUE(backdrop.isVisible());
    setKioskMode(false);
}

} // namespace
