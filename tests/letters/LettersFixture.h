// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Letter Fun and Counting Fun tests share: the fake platform, a stand-in menu, and a child's
// clicks and keys.

#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace nibsy::test {

template <class Window> class LettersFixture : public ::testing::Test {
protected:
    void TearDown() override {
        delete w.data();
        settings() = Settings{};
    }
    void open() {
        w = new Window(&menu);
        w->Form_Load();
        w->show();
        QApplication::setActiveWindow(w);
    }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void type(const QString& keys) { QTest::keyClicks(w, keys); }
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
