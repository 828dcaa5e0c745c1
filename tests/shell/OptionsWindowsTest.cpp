// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The options windows as a parent meets them, all six alike: stored values they have no choice for
// are shown as the game takes them and are kept until a choice is clicked, and OK, the frame's close
// and Escape all put the window away. Then the controls they are made of, once.

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
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
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

const OptionsWindow Windows[] = {
    {"optCount",
     "Counting Fun Options",
     openOptions<optCount>,
     [](Settings& s) {
         s.CountItems = 7;
         s.BiggestNumber = 0;
     },
     {"Dinosaurs", "1"}},
    {"optMatch",
     "Matching Fun Options",
     openOptions<optMatch>,
     [](Settings& s) {
         s.MatchItemCount = 40;
         s.MatchItemType = -1;
     },
     {"9", "Pictures"}},
    {"optMem",
     "Memory Game Options",
     openOptions<optMem>,
     [](Settings& s) {
         s.MemPlayers = 9;
         s.MemItemType = 5;
     },
     {"Two Players", "Colors"}},
    {"optbarn",
     "Barnyard Fun Options",
     openOptions<optbarn>,
     [](Settings& s) {
         s.BarnPeek = -5;
         s.BarnAnimalCount = 1;
         s.BarnFindBy = -2;
     },
     {"Yes", "2", "Name"}},
    {"optTic",
     "Tic Tac Toe Options",
     openOptions<optTic>,
     [](Settings& s) {
         s.TicPlayers = 5;
         s.TicLevel = 9;
         s.TicFirst = 3;
     },
     {"One Player", "Difficult", "Computer"}},
    {"optTic",
     "Tic Tac Toe Options",
     openOptions<optTic>,
     [](Settings& s) { s.TicPlayers = 2; },
     {"Two Players", "(Difficult)", "(Computer)"}},
    {"optSnow",
     "Snowman Math Options",
     openOptions<optSnow>,
     [](Settings& s) {
         s.SnowPlayers = 9;
         s.SnowPlayerType = {0, 5, 1, 0, 2};
         s.SnowPlayerSize = {0, 0, 9, 3, 1};
     },
     {" 4 Players", "Both Types", "Smallest", "Addition", "Biggest", "Both Types", "Big", "Subtraction",
      "Smallest"}},
};

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

// Every choice and number lies inside what holds it, clear of the others there.
void expectControlsApart(QWidget* window) {
    const QList<QWidget*> holders = window->findChildren<QWidget*>() << window;
    for (QWidget* holder : holders) {
        QList<QRect> taken;
        for (QWidget* c : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!c->isVisibleTo(window) || !(qobject_cast<QAbstractButton*>(c) || qobject_cast<QLabel*>(c))) {
                continue;
            }
            EXPECT_TRUE(holder->rect().contains(c->geometry()))
                << c->property("text").toString().toStdString();
            const QRect at = c->geometry().adjusted(0, 0, -1, -1); // rounding may let them share an edge
            for (const QRect& other : taken) {
                EXPECT_FALSE(at.intersects(other)) << c->property("text").toString().toStdString();
            }
            taken << at;
        }
    }
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
                    expectControlsApart(options);
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

namespace {

// An options window made of the helpers alone, over settings of its own.
class Sample : public OptionsDialog {
public:
    qint16 kind = 0;
    qint16 side = 0;
    qint16 count = 0;
    int clicks = 0;

    explicit Sample(QWidget* owner) : OptionsDialog(owner, "Sample Options", 6000, 3000) {
        QGroupBox* kinds = addFrame("Kind", QRect(120, 120, 1800, 1695));
        kindButtons = addOptions(kinds, kind,
                                 {.captions = {"Red", "Green", "Blue"},
                                  .first = QRect(240, 360, 1500, 375),
                                  .step = {0, 420},
                                  .offset = 2,
                                  .fallback = 3,
                                  .onClick = [this] { ++clicks; }});
        sideButtons = addOptions(this, side,
                                 {.captions = {"Left", "Right"},
                                  .first = QRect(2040, 120, 900, 375),
                                  .step = {1000, 0},
                                  .values = {4, 0}});
        number = addNumber(addFrame("Count", QRect(4000, 120, 1920, 1695)), count, 3, 12);
        cmdOK = addOK(QRect(2400, 2200, 1215, 495));
    }
    OptionButtons* kindButtons;
    OptionButtons* sideButtons;
    NumberSpin* number;
    SSCommand* cmdOK;
};

} // namespace

TEST(OptionsWindows, HelpersBindButtonsAndNumbersToTheirSettings) {
    test::FakePlatform fake;
    QWidget owner;
    Sample w(&owner);
    w.count = 99;
    w.side = 2; // as near to both values: the first is taken
    w.kind = 7; // outside: the fallback
    w.Form_Load();
    w.show();
    EXPECT_EQ(shownIn(&w), QStringList({"Green", "Left", "12"}));
    EXPECT_EQ(QList<int>({w.kind, w.side, w.count}), QList<int>({7, 2, 99}));
    w.side = 1;
    w.Form_Load();
    EXPECT_TRUE(w.sideButtons->button(1)->isChecked());

    click(w.kindButtons->button(2));
    click(w.sideButtons->button(1));
    EXPECT_EQ(w.side, 0);
    click(w.sideButtons->button(0));
    EXPECT_EQ(QList<int>({w.kind, w.side, w.clicks}), QList<int>({4, 4, 1}));
    click(w.kindButtons->button(0));
    EXPECT_EQ(QList<int>({w.kind, w.clicks}), QList<int>({2, 2}));
    EXPECT_EQ(shownIn(&w), QStringList({"Red", "Left", "12"}));

    // The spin goes from the number shown and stops at the ends.
    QStringList cards;
    for (QAbstractButton* arrow : {w.number->spin->upButton(), w.number->spin->downButton()}) {
        for (int i = 0; i < 11; ++i) {
            click(arrow);
            cards << w.number->card->text();
        }
        cards << QString::number(w.count);
    }
    EXPECT_EQ(cards.join(' '), "12 12 12 12 12 12 12 12 12 12 12 12 11 10 9 8 7 6 5 4 3 3 3 3");

    w.kindButtons->button(1)->setChecked(true);
    w.Form_Load(); // shows what is stored again
    EXPECT_TRUE(w.kindButtons->button(0)->isChecked());
    click(w.cmdOK);
    EXPECT_FALSE(w.isVisible());
}
