// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Memory Game, played by one child or two: pairs, misses, turns, the end of a game and the options.

#include "matching/MatchingFixture.h"
#include "matching/frmMem.h"
#include "matching/optMem.h"
#include "platform/SSCommand.h"
#include "shell/Palette.h"

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
    EXPECT_GT(navyInk(w->lblMessage), 20);
    EXPECT_EQ(w->lblP[2]->text(), "Guesses");

    pick(1);
    EXPECT_EQ(shown(1), pictureColour(w->itemInBox(1)));
    pick(1); // an open box cannot be the second pick
    EXPECT_EQ(message(), "\nPick Another Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "1");
    heard();
    qint64 waited = fake.clock.totalWaited();
    pick(partner(1));
    EXPECT_GE(fake.clock.totalWaited() - waited, 1000); // a moment to see the pair
    EXPECT_EQ(heard(), QStringList{"wow.wav"});
    EXPECT_TRUE(taken(1) && taken(partner(1)));
    EXPECT_EQ(message(), "\nPick A Box");
    pick(1); // taken boxes stay out of the game
    EXPECT_EQ(counts(), "1/2");

    waited = fake.clock.totalWaited();
    miss();
    EXPECT_GE(fake.clock.totalWaited() - waited, 1000);
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
}

TEST_F(MemoryGame, ADoubleClickPicksOneBoxAndShapesAreDrawnAlike) {
    fake.random.script(QList<double>(15, 0.0) << 0.0 << 0.5); // the shuffle, the square, light cyan
    open(1, 1);
    doubleClick(w->picHidden[1]);
    EXPECT_EQ(message(), "\nPick Another Box");
    // The second pick of a miss: the rest of the double-click does not open a covered box again.
    doubleClick(w->picHidden[size_t(other(1))]);
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "2");
    pick(1); // both boxes of a pair show the same shape in the game's one colour
    EXPECT_EQ(shown(1), QBColor(ColorTable[5]));
    pick(partner(1));
    EXPECT_TRUE(taken(1) && taken(partner(1)));
}

// Two players (a number out of range is taken as two): a pair keeps the turn and a miss passes it.
TEST_F(MemoryGame, TwoTakeTurnsAndTheSecondCounterAlwaysShowsWhatItsCaptionSays) {
    open(9, -1);
    EXPECT_EQ(w->lblP[2]->text(), "Player 2 Matches");
    // Player 2's caption and count stand under player 1's, inside the window.
    EXPECT_GT(w->lblP[2]->y(), w->lblMatch[1]->geometry().bottom());
    EXPECT_LT(w->lblMatch[2]->geometry().bottom(), w->height());
    EXPECT_EQ(message(), "Player 1\nPick a Box");
    const int b = firstLeft();
    const QColor cover = shown(other(b));
    pick(b);
    EXPECT_EQ(message(), "Player 1\nPick Another Box");
    pick(partner(b));
    EXPECT_EQ(message(), "Player 1\nPick Again");
    miss();
    EXPECT_EQ(message(), "Player 2\nPick a Box");
    EXPECT_EQ(shown(other(b)), cover); // covered again
    findPair();
    EXPECT_EQ(message(), "Player 2\nPick Again");
    EXPECT_EQ(counts(), "1/1");
    miss();
    EXPECT_EQ(message(), "Player 1\nPick a Box");
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
    EXPECT_EQ(players(0), "Guesses 8");
    EXPECT_EQ(QList<int>({settings().MemPlayers, settings().MemItemType}), QList<int>({1, 2}));
    EXPECT_EQ(players(1), "Player 2 Matches 1");
    click(w->cmdNew);
    EXPECT_EQ(w->items().type, ItemType::Pictures);
    EXPECT_EQ(counts(), "0/0");
    for (int i = 0; i < 8; ++i) {
        findPair();
    }
    EXPECT_EQ(players(0), "Guesses 16");
    EXPECT_EQ(players(1), "Player 2 Matches 0");
    // A window that has seen no game shows no number.
    WindowFixture::open();
    EXPECT_EQ(players(0), "Guesses ");
}
