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

const QColor WindowGrey(224, 224, 224);

class MemoryGame : public WindowFixture<frmMem> {
protected:
    void open(int players = 1, int type = 2) {
        writePictures(fake.appDir(), ItemPictureFile, 8);
        settings().MemPlayers = qint16(players);
        settings().MemItemType = qint16(type);
        WindowFixture::open();
        click(w->cmdNew);
    }
    bool taken(int b) { return colourAt(w->picHidden[size_t(b)]) == WindowGrey; }
    // The box holding the same item as b.
    int partner(int b) {
        for (int o = 1; o <= 16; ++o) {
            if (o != b && w->itemInBox(o) == w->itemInBox(b)) {
                return o;
            }
        }
        return 0;
    }
    int firstLeft() {
        for (int b = 1; b <= 16; ++b) {
            if (!taken(b)) {
                return b;
            }
        }
        return 0;
    }
    void findPair() {
        const int b = firstLeft();
        click(w->picHidden[size_t(b)]);
        click(w->picHidden[size_t(partner(b))]);
    }
    void miss() {
        const int b = firstLeft();
        int other = b + 1;
        while (other == partner(b) || taken(other)) {
            ++other;
        }
        click(w->picHidden[size_t(b)]);
        click(w->picHidden[size_t(other)]);
    }
    QString message() { return w->lblMessage->text(); }
};

} // namespace

TEST_F(MemoryGame, EightPairsAreHiddenUnderACheckerboardAndTakenOffWhenFound) {
    // The shuffle (15 numbers), the shape and the colour; then yellow, and yellow again (drawn anew) and
    // light magenta for the checkerboard.
    QList<double> script(17, 0.0);
    fake.random.script(script << 0.15 << 0.15 << 0.25);
    open(1);
    EXPECT_EQ(w->coverColor(1), 14);
    EXPECT_EQ(w->coverColor(2), 13);
    std::array<int, 9> seen{};
    for (int b = 1; b <= 16; ++b) {
        ++seen[size_t(w->itemInBox(b))];
    }
    EXPECT_EQ(seen, (std::array<int, 9>{0, 2, 2, 2, 2, 2, 2, 2, 2}));
    const QColor first = QBColor(w->coverColor(1));
    const QColor second = QBColor(w->coverColor(2));
    for (int b = 1; b <= 16; ++b) {
        const bool odd = ((b - 1) / 4 + (b - 1) % 4) % 2 == 0;
        EXPECT_EQ(colourAt(w->picHidden[size_t(b)]), odd ? first : second) << b;
    }
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblP[2]->text(), "Guesses");

    click(w->picHidden[1]);
    EXPECT_EQ(colourAt(w->picHidden[1]), pictureColour(w->itemInBox(1)));
    EXPECT_EQ(message(), "\nPick Another Box");
    click(w->picHidden[1]); // an open box cannot be the second pick
    EXPECT_EQ(message(), "\nPick Another Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "1");
    heard();
    click(w->picHidden[size_t(partner(1))]);
    EXPECT_EQ(heard(), QStringList{"wow.wav"});
    EXPECT_TRUE(taken(1) && taken(partner(1)));
    EXPECT_EQ(message(), "\nPick A Box");
    EXPECT_EQ(w->lblMatch[1]->text(), "1");
    click(w->picHidden[1]); // taken boxes stay out of the game
    EXPECT_EQ(w->lblMatch[2]->text(), "2");

    miss();
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "4");
    for (int i = 0; i < 7; ++i) {
        findPair();
    }
    EXPECT_EQ(w->lblMatch[1]->text(), "8");
    EXPECT_EQ(w->lblMatch[2]->text(), "18");
    EXPECT_EQ(message(), "Game Over\n");
    EXPECT_EQ(heard().mid(7), QStringList{"tada.wav"});
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_TRUE(w->cmdNew->isEnabled());
}

TEST_F(MemoryGame, APairKeepsTheTurnAndAMissPassesIt) {
    open(2);
    EXPECT_EQ(w->lblP[2]->text(), "Player 2 Matches");
    EXPECT_EQ(message(), "Player 1\nPick a Box");
    click(w->picHidden[size_t(firstLeft())]);
    EXPECT_EQ(message(), "Player 1\nPick Another Box");
    click(w->picHidden[size_t(partner(firstLeft()))]);
    EXPECT_EQ(message(), "Player 1\nPick Again");
    EXPECT_EQ(w->lblMatch[1]->text(), "1");
    miss();
    EXPECT_EQ(message(), "Player 2\nPick a Box");
    // A miss covers both boxes again.
    EXPECT_NE(colourAt(w->picHidden[size_t(firstLeft())]), pictureColour(w->itemInBox(firstLeft())));
    findPair();
    EXPECT_EQ(message(), "Player 2\nPick Again");
    EXPECT_EQ(w->lblMatch[2]->text(), "1");
    miss();
    EXPECT_EQ(message(), "Player 1\nPick a Box");
}

TEST_F(MemoryGame, TheEndNamesTheWinnerOrATie) {
    for (const auto& [first, result] :
         {std::pair{4, "It's a Tie!"}, {5, "Player 1 Wins!"}, {3, "Player 2 Wins!"}}) {
        SCOPED_TRACE(first);
        open(2);
        for (int i = 0; i < first; ++i) {
            findPair();
        }
        miss();
        for (int i = first; i < 8; ++i) {
            findPair();
        }
        EXPECT_EQ(message(), QString("Game Over\n") + result);
        EXPECT_EQ(w->lblMatch[1]->text(), QString::number(first));
        EXPECT_EQ(w->lblMatch[2]->text(), QString::number(8 - first));
    }
}

TEST_F(MemoryGame, StopBeforeTheEndNamesNoWinner) {
    open(2);
    for (int i = 0; i < 7; ++i) {
        findPair();
    }
    click(w->cmdExit);
    EXPECT_EQ(message(), "Game Over\n");
    heard();
    click(w->picHidden[size_t(firstLeft())]);
    EXPECT_TRUE(heard().isEmpty());
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{10});
    exitToMenu();
}

TEST_F(MemoryGame, ADoubleClickPicksOneBoxAndShapesAreDrawnAlike) {
    open(1, 1);
    doubleClick(w->picHidden[1]);
    EXPECT_EQ(message(), "\nPick Another Box");
    // A double-click as the second pick of a miss: the rest of it does not open a covered box again.
    int other = 2;
    while (other == partner(1)) {
        ++other;
    }
    doubleClick(w->picHidden[size_t(other)]);
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_EQ(w->lblMatch[2]->text(), "2");
    // Both boxes of a pair show the same shape in the game's one colour.
    const QColor colour = QBColor(ColorTable[size_t(w->items().FixedColor)]);
    click(w->picHidden[1]);
    EXPECT_EQ(colourAt(w->picHidden[1]), colour);
    click(w->picHidden[size_t(partner(1))]);
    EXPECT_TRUE(taken(1) && taken(partner(1)));
}

TEST_F(MemoryGame, OptionsChooseThePlayersAndItems) {
    open(9, -1); // out of range: two players, colours
    click(w->cmdExit);
    withOptions<optMem>(w->cmdOptions, [&](optMem& o) {
        EXPECT_EQ(o.windowTitle(), "Memory Game Options");
        EXPECT_TRUE(o.optPlayer[1]->isChecked());
        EXPECT_TRUE(o.optType[0]->isChecked());
        click(o.optPlayer[0]);
        click(o.optType[2]);
        click(o.cmdOK);
    });
    EXPECT_EQ(settings().MemPlayers, 1);
    EXPECT_EQ(settings().MemItemType, 2);
    EXPECT_EQ(w->lblP[2]->text(), "Guesses");
    click(w->cmdNew);
    EXPECT_EQ(w->items().type, ItemType::Pictures);
}
