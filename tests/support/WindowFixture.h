// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window opened from a stand-in menu on the fake platform, as the menu opens it, and the ways a child
// reaches it: clicks where a child would click, keys typed, answers typed and entered.

#include "shell/OpenWindow.h"
#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace nibsy::test {

// A click where a child would click: an option button on its round mark, anything else in its middle.
void click(QWidget* control, Qt::MouseButton button = Qt::LeftButton);
// A double-click as a child makes it: the second click lands on second (by default the same control),
// within the double-click interval.
void doubleClick(QWidget* first, QWidget* second = nullptr);
// Keys typed to the control (or window) that has them.
inline void type(QWidget* target, const QString& keys) {
    QTest::keyClicks(target, keys);
}
// Types the text into the answer box and presses Enter.
inline void answer(QWidget* box, const QString& text) {
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}
// The number a label shows, or -1.
int number(const QLabel* label);

template <class Window> class WindowFixture : public ::testing::Test {
protected:
    void TearDown() override {
        close();
        settings() = Settings{};
    }
    // Opens the window (in place of one this test opened before) with the settings as they stand.
    Window* open() {
        close();
        w = openWindow<Window>(&menu);
        QApplication::setActiveWindow(w);
        return w;
    }
    void close() { delete w.data(); }
    void type(const QString& keys) { test::type(w, keys); }
    // The sounds asked for since the last look.
    QStringList heard() {
        const QStringList names = fake.sound.names();
        fake.sound.clear();
        return names;
    }
    // Exit on the choice screen closes the window and brings the menu back.
    void exitToMenu() {
        menu.hide();
        click(w->cmdExit);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
        EXPECT_TRUE(menu.isVisible());
    }
    // Nothing is left running: time passing and the keys typed make no sound and no beep.
    void expectSilence(const QString& keys) {
        heard();
        const int beeps = fake.sound.beeps;
        fake.clock.advance(5000);
        QCoreApplication::processEvents();
        type(keys);
        EXPECT_EQ(heard(), QStringList());
        EXPECT_EQ(fake.sound.beeps, beeps);
    }

    FakePlatform fake;
    QWidget menu;
    QPointer<Window> w;
};

} // namespace nibsy::test
