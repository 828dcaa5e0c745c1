// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window opened from a stand-in menu on the fake platform, as the menu opens it, and the ways a child
// reaches it: clicks where a child would click, keys typed, answers typed and entered.

#include "platform/PictureBox.h"
#include "shell/OpenWindow.h"
#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
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
// Whether the sound is one of the cheers that praise a right answer.
inline bool isPraise(const QString& sound) {
    return sound == "wow.wav" || sound == "tada.wav" || sound == "conwin.wav";
}
// The texts of the labels, in order, joined by "|".
template <class Labels> QString texts(const Labels& labels) {
    QStringList shown;
    for (const QLabel* label : labels)
        shown << label->text();
    return shown.join(u'|');
}
// Whether the arrow stands over the middle of the box.
bool pointsAt(const QWidget* arrow, const QWidget* box);
// The colour at a fraction of a picture box's width and height.
QColor colourAt(PictureBox* box, double fx = 0.5, double fy = 0.5);
// How many pixels of the image, of a picture box's drawing or of another control as shown have the
// colour: the ink of a name, a banner or a counter.
int pixelsOf(const QImage& image, const QColor& colour);
int pixelsOf(QWidget* control, const QColor& colour);
// A plain picture of the colour, saved under the name in the application directory.
void savePicture(const QString& name, const QColor& colour);

// A touch screen for QTest::touchEvent, one for the whole test program.
QPointingDevice* touchScreen();
// The buttons and number cards a window shows lie within what holds them and within the window, and
// none covers another.
void expectControlsApart(QWidget* window);
// The shown window of that class that is not on its way out.
template <class W = ActivityWindow> W* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<W*>(w); found && w->isVisible() && !found->closeAsked())
            return found;
    }
    return nullptr;
}
// The settings with every number of the file set to value.
Settings everyNumberAt(int value);
// Lets the event loop run and deletes the windows that were closed.
void settle();
// Works a modal window (clicking opener opens it) with the child's clicks.
template <class Dialog> void withModal(QWidget* opener, const std::function<void(Dialog&)>& work) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        work(*dialog);
    });
    click(opener);
}

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
