// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every activity on the menu, as the activity list has it: opened from its button, every button of it
// pressed as a child would, with settings files holding the most unlikely numbers.
#include "ActivityList.h"
#include "platform/AppFiles.h"
#include "platform/HelpWindow.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/Activities.h"
#include "shell/ModeWindow.h"
#include "shell/Settings.h"
#include "shell/frmMenu.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The heading of the help file's page for that context, as the help window shows it.
QString helpTitle(int context) {
    QFile file(AppFiles::resolve(HelpFile::fileName()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const auto page = HelpFile::section(QString::fromUtf8(file.readAll()), HelpFile::topicId(context));
    const auto heading = QRegularExpression(QStringLiteral("<h1[^>]*>(.*?)</h1>")).match(page.value_or(""));
    return QTextDocumentFragment::fromHtml(heading.captured(1)).toPlainText();
}

bool isExit(const QAbstractButton* b) {
    return b->text() == QStringLiteral("E&xit") || b->text() == QStringLiteral("&Stop");
}

class EveryActivity : public ::testing::Test {
protected:
    void SetUp() override {
        // The suite's own pictures and sounds, in a folder of the test's own.
        for (const QFileInfo& file : QDir(builtAppDir()).entryInfoList(QDir::Files)) {
            QFile::copy(file.filePath(), fake.appDir() + file.fileName());
        }
        AppFiles::setAppDir(fake.appDir()); // lists the folder afresh
        registerActivities();
        // Options windows, boards and the number scale are closed as soon as they have shown.
        QObject::connect(&m_closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        m_closer.start(0);
    }
    void TearDown() override {
        for (int i = 0; i < MenuButtons; ++i) {
            Activities::remove(i);
        }
        settings() = Settings{};
    }

    // Presses every button the window shows, and what each brings up; whatever it starts is stopped.
    void pressEverything(ActivityWindow* w, int depth) {
        QList<QPointer<QAbstractButton>> buttons;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            buttons << b;
        }
        for (const QPointer<QAbstractButton>& b : buttons) {
            if (!b || !b->isVisible() || !b->isEnabled() || isExit(b)) {
                continue;
            }
            SCOPED_TRACE(b->text().toStdString());
            click(b);
            settle();
            auto* m = qobject_cast<ModeWindow*>(w);
            if (m && m->running()) { // a game that asks for a typed answer starts with the focus there
                for (const QLineEdit* box : w->findChildren<QLineEdit*>()) {
                    if (box->isVisible() && box->isEnabled() && !box->isReadOnly()) {
                        EXPECT_TRUE(qobject_cast<QLineEdit*>(w->focusWidget()));
                    }
                }
            }
            if (depth == 0) {
                playAlong(w);
            }
            if (ActivityWindow* other = shownWindow(); other && other != w && depth < 2) {
                pressEverything(other, depth + 1);
                other->close();
                settle();
            }
            if (m && !w->closeAsked() && m->running()) {
                expectFocusHarmless(w, true);
                m->cmdExit_Click();
                settle();
                expectFocusHarmless(w, false);
            }
        }
    }

    // Enter on the focused control does no harm: during a game it is not on Help nor on Exit or Stop;
    // after one, it is on New Game where the window has one.
    static void expectFocusHarmless(ActivityWindow* w, bool running) {
        if (w->closeAsked()) {
            return;
        }
        const auto* focus = qobject_cast<const QAbstractButton*>(w->focusWidget());
        const QString on = focus ? focus->text() : QString();
        if (running) {
            EXPECT_TRUE(on != QStringLiteral("&Help") && !(focus && isExit(focus))) << on.toStdString();
            // Only one button stops the game.
            int stops = 0;
            for (const QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                stops += b->isVisible() && b->text() == QStringLiteral("&Stop");
            }
            EXPECT_LE(stops, 1);
            return;
        }
        EXPECT_FALSE(focus && isExit(focus)) << on.toStdString();
        for (const QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            if (b->text() == QStringLiteral("&New Game") && b->isVisible() && b->isEnabled()) {
                EXPECT_EQ(focus, b) << on.toStdString();
            }
        }
    }

    // A few turns of whatever runs: keys, clicks on every picture and button that showed up, time.
    void playAlong(ActivityWindow* w) {
        for (int turn = 0; turn < 2 && !w->closeAsked(); ++turn) {
            type(QApplication::focusWidget() ? QApplication::focusWidget() : w, QStringLiteral("7a\r"));
            for (PictureBox* box : w->findChildren<PictureBox*>()) {
                if (box->isVisible() && !w->closeAsked()) {
                    click(box);
                }
            }
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (b->isVisible() && b->isEnabled() && !isExit(b) && !w->closeAsked() &&
                    b->text() != QStringLiteral("&Help")) {
                    click(b);
                    break;
                }
            }
            fake.clock.advance(3000);
            settle();
        }
    }

    FakePlatform fake;
    QTimer m_closer;
};

} // namespace

TEST_F(EveryActivity, OpensFromItsButtonAndGoesBackWithHelpAtItsContext) {
    frmMenu menu;
    menu.show();
    for (int i = 0; i < MenuButtons; ++i) {
        const ActivityDescriptor* activity = Activities::find(i);
        SCOPED_TRACE(i);
        ASSERT_EQ(menu.cmdChoice(i)->isEnabled(), activity != nullptr);
        if (!activity) {
            continue;
        }
        // The button that opens it says what it is, by its caption or, showing a picture, by its tip.
        QString name = menu.cmdChoice(i)->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
        name = name.isEmpty() ? menu.cmdChoice(i)->toolTip() : name;
        EXPECT_TRUE(!name.isEmpty() && QString::fromLatin1(activity->caption).endsWith(name));
        click(menu.cmdChoice(i));
        ActivityWindow* w = shownWindow();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(activity->caption));
        EXPECT_FALSE(menu.isVisible());
        expectControlsApart(w);
        EXPECT_TRUE(activity->background.isValid() &&
                    w->grab().toImage().pixelColor(1, 1) == activity->background);
        // In the middle of the screen, with its frame.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_NEAR(w->frameGeometry().center().x(), screen.center().x(), 2);
        EXPECT_NEAR(w->frameGeometry().center().y(), screen.center().y(), 2);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_F1);
        // F1 opens the help page written for this window.
        ASSERT_EQ(fake.help.asked.size(), 1);
        EXPECT_EQ(helpTitle(fake.help.asked[0]), name);
        fake.help.asked.clear();
        w->close();
        settle();
        EXPECT_TRUE(menu.isVisible());
        EXPECT_EQ(QApplication::activeWindow(), &menu);
    }
}

// Whatever numbers the settings file holds, every mode of every activity starts and stops without a
// fault, and the settings are saved back within the ranges the activities use.
TEST_F(EveryActivity, PlaysEveryModeWithTheMostUnlikelySettings) {
    frmMenu menu;
    for (const int value : {-32768, -1, 0, 32767}) {
        SCOPED_TRACE(value);
        for (int i = 0; i < MenuButtons; ++i) {
            if (!Activities::find(i)) {
                continue;
            }
            SCOPED_TRACE(Activities::find(i)->caption);
            settings() = everyNumberAt(value);
            menu.show();
            click(menu.cmdChoice(i));
            ActivityWindow* w = shownWindow();
            ASSERT_TRUE(w);
            pressEverything(w, 0);
            w->close();
            settle();
            ASSERT_TRUE(SaveSettings());
            QFile file(fake.appDir() + QStringLiteral("nibsy51.ini"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const auto saved = parseSettings(file.readAll());
            ASSERT_TRUE(saved);
            Settings inRange = *saved;
            normaliseSettings(inRange);
            EXPECT_EQ(inRange, *saved);
        }
    }
    EXPECT_TRUE(fake.fatal.messages.isEmpty()) << fake.fatal.messages.join(u'\n').toStdString();
}
