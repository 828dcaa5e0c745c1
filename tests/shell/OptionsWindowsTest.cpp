// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The options windows as a parent meets them, all six alike: stored values they have no choice for
// are shown as the game takes them and are kept until a choice is clicked, and OK, the frame's close
// and Escape all put the window away.

#include "games/optTic.h"
#include "letters/optCount.h"
#include "matching/optMatch.h"
#include "matching/optMem.h"
#include "matching/optbarn.h"
#include "math/optSnow.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/OpenWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/Settings.h"
#include "support/FakePlatform.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;
using nibsy::test::click;

namespace {

struct OptionsWindow {
    const char* name;
    const char* title;
    void (*open)(QWidget* owner);
    // Values the settings file should not hold.
    void (*unusual)(Settings& s);
    // What the window shows for them: the choices checked and the numbers on cards, in window order,
    // the choices of a frame that cannot be used in brackets.
    QStringList shown;
};

template <class W> void openOptions(QWidget* owner) {
    openModal<W>(owner);
}

// clang-format off
const OptionsWindow Windows[] = {
    {"optCount", "Counting Fun Options", openOptions<optCount>,
     [](Settings& s) { s.CountItems = 7, s.BiggestNumber = 0; }, {"Dinosaurs", "1"}},
    {"optMatch", "Matching Fun Options", openOptions<optMatch>,
     [](Settings& s) { s.MatchItemCount = 40, s.MatchItemType = -1; }, {"9", "Pictures"}},
    {"optMem", "Memory Game Options", openOptions<optMem>,
     [](Settings& s) { s.MemPlayers = 9, s.MemItemType = 5; }, {"Two Players", "Colors"}},
    {"optbarn", "Barnyard Fun Options", openOptions<optbarn>,
     [](Settings& s) { s.BarnPeek = -5, s.BarnAnimalCount = 1, s.BarnFindBy = -2; }, {"Yes", "2", "Name"}},
    {"optTic", "Tic Tac Toe Options", openOptions<optTic>,
     [](Settings& s) { s.TicPlayers = 5, s.TicLevel = 9, s.TicFirst = 3; },
     {"One Player", "Difficult", "Computer"}},
    {"optTic", "Tic Tac Toe Options", openOptions<optTic>,
     [](Settings& s) { s.TicPlayers = 2; }, {"Two Players", "(Difficult)", "(Computer)"}},
    {"optSnow", "Snowman Math Options", openOptions<optSnow>,
     [](Settings& s) {
         s.SnowPlayers = 9, s.SnowPlayerType = {0, 5, 1, 0, 2}, s.SnowPlayerSize = {0, 0, 9, 3, 1};
     },
     {" 4 Players", "Both Types", "Smallest", "Addition", "Biggest", "Both Types", "Big", "Subtraction",
      "Smallest"}},
};
// clang-format on

// The checked choices and the numbers on cards, as findChildren meets them (the order they were made).
QStringList shownIn(QWidget* window) {
    QStringList shown;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const auto* option = qobject_cast<QRadioButton*>(control);
        const auto* card = qobject_cast<QLabel*>(control);
        if (option && option->isChecked()) {
            shown << (option->isEnabled() ? option->text() : "(" + option->text() + ")");
        } else if (card && card->frameShape() == QFrame::Box && !card->text().isEmpty()) {
            shown << card->text();
        }
    }
    return shown;
}

enum class Leave { Ok, Close, Escape };

} // namespace

TEST(OptionsWindows, ShowUnusualValuesAsTheGameTakesThemAndKeepThemUntilAChoiceIsClicked) {
    for (const OptionsWindow& row : Windows) {
        for (const Leave leave : {Leave::Ok, Leave::Close, Leave::Escape}) {
            SCOPED_TRACE(QStringLiteral("%1, way out %2").arg(row.name).arg(int(leave)).toStdString());
            test::FakePlatform fake;
            settings() = Settings{};
            row.unusual(settings());
            const Settings stored = settings();
            QWidget owner;
            owner.show();
            bool seen = false;
            QTimer::singleShot(0, &owner, [&] {
                auto* options = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
                ASSERT_TRUE(options);
                seen = true;
                EXPECT_EQ(options->objectName(), row.name);
                EXPECT_EQ(options->windowTitle(), row.title);
                EXPECT_EQ(options->parentWidget(), &owner);
                const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
                EXPECT_LE((options->frameGeometry().center() - centre).manhattanLength(), 2);
                EXPECT_EQ(shownIn(options).join(" | ").toStdString(), row.shown.join(" | ").toStdString());
                if (leave == Leave::Ok) {
                    test::expectControlsApart(options);
                }
                switch (leave) {
                case Leave::Ok:
                    click(options->findChild<SSCommand*>());
                    break;
                case Leave::Close:
                    options->close();
                    break;
                case Leave::Escape:
                    QTest::keyClick(options, Qt::Key_Escape);
                    break;
                }
                EXPECT_FALSE(options->isVisible());
            });
            row.open(&owner);
            EXPECT_TRUE(seen);
            EXPECT_EQ(formatSettings(settings()), formatSettings(stored));
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
    }
}
