// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Waits.h"
#include "platform/WindowTimer.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

using namespace nibsy;

namespace {

// A window that counts what reaches it.
class Probe : public QWidget {
public:
    int paints = 0, clicks = 0;
    QString keys;
    bool keyDuringWait = false;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
    void mousePressEvent(QMouseEvent*) override { ++clicks; }
    void keyPressEvent(QKeyEvent* e) override {
        keys += e->text();
        keyDuringWait |= Waits::busy();
    }
};

} // namespace

TEST(Waits, RealWaitKeepsPaintingDropsItsInputAndMergesTicks) {
    test::FakePlatform fake;
    services().clock = std::make_unique<SystemClock>();
    Probe probe;
    probe.resize(100, 100);
    probe.setFocusPolicy(Qt::StrongFocus);
    probe.show();
    probe.activateWindow();
    probe.setFocus();
    QCoreApplication::processEvents();

    int ticks = 0;
    bool tickDuringWait = false;
    WindowTimer timer(&probe, 20);
    timer.onTick([&] {
        ++ticks;
        tickDuringWait |= Waits::busy();
    });
    timer.setEnabled(true);

    auto press = [&](Qt::Key key, const char* text) {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
            probe.windowHandle(), QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
    };
    const int paintsBefore = probe.paints;
    QTimer::singleShot(60, [&] {
        probe.update();
        press(Qt::Key_A, "a");
        press(Qt::Key_B, "b");
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            probe.windowHandle(), QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
            QEvent::MouseButtonPress);
    });
    nibsy::clock().wait(300);
    EXPECT_GT(probe.paints, paintsBefore);
    EXPECT_EQ(std::pair(probe.keys, ticks), std::pair(QString(), 0));

    timer.setInterval(100000); // no new ticks from here on
    timer.setEnabled(true);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    // The keys and the click made during the wait are gone; the ticks that fell due merged into one.
    EXPECT_EQ(std::tuple(probe.keys, probe.clicks, ticks), std::tuple(QString(), 0, 1));
    EXPECT_FALSE(probe.keyDuringWait || tickDuringWait);
    // Input made after the wait arrives as ever.
    press(Qt::Key_C, "c");
    QCoreApplication::processEvents();
    EXPECT_EQ(probe.keys, "c");
}

TEST(Waits, TicksNeverRunInsideAHandlerThatWaits) {
    test::FakePlatform fake;
    QObject owner;
    WindowTimer timer(&owner, 100);
    int depth = 0, maxDepth = 0, ticks = 0;
    timer.onTick([&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        if (ticks == 1) {
            nibsy::clock().wait(1000); // ten ticks fall due meanwhile
            nibsy::clock().wait(500);  // and more during a second wait of the same handler
        }
        --depth;
    });
    timer.setEnabled(true);
    fake.clock.advance(100);
    EXPECT_EQ(ticks, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(ticks, maxDepth), std::pair(2, 1));
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 2);

    // Time moving on by itself delivers one tick per interval; a disabled timer none.
    fake.clock.advance(300);
    EXPECT_EQ(ticks, 5);
    timer.setEnabled(false);
    fake.clock.advance(1000);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 5);
}
