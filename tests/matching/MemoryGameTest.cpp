// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Memory Game, played by one child or two: pairs, misses, turns, the end of a game and the options.

#include "matching/MatchingFixture.h"
#include "matching/frmMem.h"
#include "matching/optMem.h"
#include "platform/Clock.h"
#include "platform/SSCommand.h"
#include "shell/Palette.h"

#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class MemoryGame : public WindowFixture<frmMem> {
protected:
    void open(int players = 1, int type = 2) {
        writePictures(fake.appDir(), ItemPictureFile, 8);
        settings().MemPlayers = qint16(players);
        settings().MemItemType = qint16(type);
        WindowFixture::open();
        click(w->cmdNew);
    }
    void pick(int b) { click(w->picHidden[size_t(b)]); }
    QColor shown(int b) { return colourAt(w->picHidden[size_t(b)]); }
    bool taken(int b) { return shown(b) == QColor(224, 224, 224); } // the window's grey
    // The box holding the same item as b, and the first box after b that does not.
    int partner(int b) {
        int o = 1;
        while (o == b || w->itemInBox(o) != w->itemInBox(b)) {
            ++o;
        }
        return o;
    }
    int other(int b) {
        int o = b + 1;
        while (o == partner(b) || taken(o)) {
            ++o;
        }
        return o;
    }
    int firstLeft() {
        int b = 1;
        while (taken(b)) {
            ++b;
        }
        return b;
    }
    void findPair() {
        const int b = firstLeft();
        pick(b);
        pick(partner(b));
    }
    void miss() {
        const int b = firstLeft();
        pick(b);
        pick(other(b));
    }
    QString message() { return w->lblMessage->text(); }
    QString counts() { return w->lblMatch[1]->text() + "/" + w->lblMatch[2]->text(); }
};

} // namespace

TEST_F(MemoryGame, EightPairsAreHiddenUnderACheckerboardAndTakenOffWhenFound) {
    // The shuffle (15 numbers), the shape and the colour; then yellow, and yellow again (drawn anew) and
    // light magenta for the checkerboard.
    QList<double> script(17, 0.0);
    fake.random.script(script << 0.15 << 0.15 << 0.25);
    open(1);
    std::array<int, 9> seen{};
    for (int b = 1; b <= 16; ++b) {
        ++seen[size_t(w->itemInBox(b))];
        const bool odd = ((b - 1) / 4 + (b - 1) % 4) % 2 == 0;
        EXPECT_EQ(shown(b), QBColor(odd ? 14 : 13)) << b;
    }
    EXPECT_EQ(seen, (std::array<int, 9>{0, 2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblP[2]->text(), "Guesses");

    pick(1);
    EXPECT_EQ(shown(1), pictureColour(w->itemInBox(1)));
    pick(1); // an open box cannot be the second pick
    EXPECT_EQ(message(), "\nPick Another Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "1");
    heard();
    pick(partner(1));
    EXPECT_EQ(heard(), QStringList{"wow.wav"});
    EXPECT_TRUE(taken(1) && taken(partner(1)));
    EXPECT_EQ(message(), "\nPick A Box");
    pick(1); // taken boxes stay out of the game
    EXPECT_EQ(counts(), "1/2");

    miss();
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(counts(), "1/4");
    for (int i = 0; i < 7; ++i) {
        findPair();
    }
    EXPECT_EQ(counts(), "8/18");
    EXPECT_EQ(message(), "Game Over\n");
    EXPECT_EQ(heard().mid(7), QStringList{"tada.wav"});
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_TRUE(w->cmdNew->isEnabled());
}

TEST_F(MemoryGame, APairKeepsTheTurnAndAMissPassesIt) {
    open(2);
    EXPECT_EQ(w->lblP[2]->text(), "Player 2 Matches");
    // Player 2's caption and count stand under player 1's, inside the window.
    EXPECT_GT(w->lblP[2]->y(), w->lblMatch[1]->geometry().bottom());
    EXPECT_LT(w->lblMatch[2]->geometry().bottom(), w->height());
    EXPECT_EQ(message(), "Player 1\nPick a Box");
    pick(firstLeft());
    EXPECT_EQ(message(), "Player 1\nPick Another Box");
    pick(partner(firstLeft()));
    EXPECT_EQ(message(), "Player 1\nPick Again");
    miss();
    EXPECT_EQ(message(), "Player 2\nPick a Box");
    EXPECT_NE(shown(firstLeft()), pictureColour(w->itemInBox(firstLeft()))); // covered again
    findPair();
    EXPECT_EQ(message(), "Player 2\nPick Again");
    EXPECT_EQ(counts(), "1/1");
    miss();
    EXPECT_EQ(message(), "Player 1\nPick a Box");
}

// With the real wait and the window system's own delivery, a child clicks a third box while the missed
// pair still shows: that click belonged to the pause, not to the next player's turn.
TEST_F(MemoryGame, AClickDuringThePauseAfterAMissIsNotTheNextPlayersFirstPick) {
    services().clock = std::make_unique<SystemClock>();
    open(2);
    const int b = firstLeft();
    const int o = other(b);
    int c = 1;
    while (c == b || c == o || c == partner(b) || partner(c) == o) {
        ++c;
    }
    pick(b);
    QTimer::singleShot(200, w, [&] {
        const QPointF at = w->picHidden[size_t(c)]->mapTo(w, w->picHidden[size_t(c)]->rect().center());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                w->windowHandle(), at, w->mapToGlobal(at),
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
        }
    });
    pick(o);
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(message(), "Player 2\nPick a Box");
    pick(partner(c));
    EXPECT_EQ(message(), "Player 2\nPick Another Box"); // the turn's first pick, not a pair with c
}

TEST_F(MemoryGame, TheEndNamesTheWinnerOrATieAndStopNamesNoWinner) {
    for (const auto& [first, result] :
         {std::pair{4, "It's a Tie!"}, {5, "Player 1 Wins!"}, {3, "Player 2 Wins!"}, {7, ""}}) {
        SCOPED_TRACE(first);
        open(2);
        for (int i = 0; i < first; ++i) {
            findPair();
        }
        if (first == 7) { // stopped with a pair left
            click(w->cmdExit);
        } else {
            miss();
            for (int i = first; i < 8; ++i) {
                findPair();
            }
            EXPECT_EQ(counts(), QString("%1/%2").arg(first).arg(8 - first));
        }
        EXPECT_EQ(message(), QString("Game Over\n") + result);
    }
    heard();
    pick(firstLeft());
    EXPECT_TRUE(heard().isEmpty());
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{10});
    exitToMenu();
}

TEST_F(MemoryGame, ADoubleClickPicksOneBoxAndShapesAreDrawnAlike) {
    open(1, 1);
    doubleClick(w->picHidden[1]);
    EXPECT_EQ(message(), "\nPick Another Box");
    // The second pick of a miss: the rest of the double-click does not open a covered box again.
    doubleClick(w->picHidden[size_t(other(1))]);
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "2");
    pick(1); // both boxes of a pair show the same shape in the game's one colour
    EXPECT_EQ(shown(1), QBColor(ColorTable[size_t(w->items().FixedColor)]));
    pick(partner(1));
    EXPECT_TRUE(taken(1) && taken(partner(1)));
}

TEST_F(MemoryGame, OptionsChooseThePlayersAndItemsAndTheCounterAlwaysShowsWhatItsCaptionSays) {
    open(9, -1); // out of range: two players, colours
    findPair();
    miss(); // player 2's turn now
    findPair();
    click(w->cmdExit);
    const auto players = [&](int option) {
        withOptions<optMem>(w->cmdOptions, [&](optMem& o) {
            EXPECT_TRUE(o.optPlayer[size_t(1 - option)]->isChecked());
            click(o.optPlayer[size_t(option)]);
            click(o.optType[2]);
            click(o.cmdOK);
        });
        return (w->lblP[2]->text() + " " + w->lblMatch[2]->text()).toStdString();
    };
    EXPECT_TRUE(w->lblP[2]->text() == "Player 2 Matches" && counts() == "1/1");
    EXPECT_EQ(players(0), "Guesses 6");
    EXPECT_EQ(QList<int>({settings().MemPlayers, settings().MemItemType}), QList<int>({1, 2}));
    EXPECT_EQ(players(1), "Player 2 Matches 1");
    click(w->cmdNew);
    EXPECT_EQ(w->items().type, ItemType::Pictures);
    EXPECT_EQ(w->lblP[2]->text() + " " + w->lblMatch[2]->text(), QString("Player 2 Matches 0"));
    for (int i = 0; i < 8; ++i) {
        findPair();
    }
    EXPECT_EQ(players(0), "Guesses 16");
    EXPECT_EQ(players(1), "Player 2 Matches 0");
    // A window that has seen no game shows no number.
    WindowFixture::open();
    EXPECT_EQ(players(0), "Guesses ");
}
