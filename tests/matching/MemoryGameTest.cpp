// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Memory Game, played by one child or two: pairs, misses, turns, the end of a game and the options.

#include "matching/MatchingFixture.h"
#include "matching/frmMem.h"
#include "matching/optMem.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

class MemoryGame : public WindowFixture<frmMem> {
protected:
    void open(int players = 1, int type = 2) {
        writePictures(ItemPictureFile, 8);
        settings().MemPlayers = qint16(players);
        settings().MemItemType = qint16(type);
        WindowFixture::open();
        click(w->cmdNew);
    }
    void pick(int b) { click(w->picHidden[size_t(b)]); }
    QColor shown(int b) { return colourAt(w->picHidden[size_t(b)]); }
    bool taken(int b) { return shown(b) == QColor(224, 224, 224); } // the window's grey
    // Closed in the first cover colour or the second, as on a checkerboard.
    bool covered(int b) {
        return shown(b) == QBColor(w->coverColor((b - 1) / 4 % 2 == (b - 1) % 4 % 2 ? 1 : 2));
    }
    // The first box after the one given that passes the test.
    int boxWhere(const std::function<bool(int)>& test, int after = 0) {
        int o = after + 1;
        while (!test(o)) {
            ++o;
        }
        return o;
    }
    int firstLeft() {
        return boxWhere([&](int o) { return !taken(o); });
    }
    int partner(int b) {
        return boxWhere([&](int o) { return o != b && w->itemInBox(o) == w->itemInBox(b); });
    }
    // A box left that does not hold b's item.
    int other(int b) {
        return boxWhere([&](int o) { return !taken(o) && o != partner(b); }, b);
    }
    // A turn from the first box left: its pair found, or missed.
    void findPair(bool found = true) {
        const int b = firstLeft();
        pick(b);
        pick(found ? partner(b) : other(b));
    }
    void miss() { findPair(false); }
    QString message() { return w->lblMessage->text(); }
    QString counts() { return w->lblMatch[1]->text() + "/" + w->lblMatch[2]->text(); }
};

} // namespace

// A shapes game: every shape in the game's one colour.
TEST_F(MemoryGame, EightPairsAreHiddenUnderACheckerboardAndTakenOffWhenFound) {
    // The shuffle (15 numbers), the square and light cyan; then yellow, and yellow again (drawn anew) and
    // light magenta for the checkerboard.
    fake.random.script(QList<double>(16, 0.0) << 0.5 << 0.15 << 0.15 << 0.25);
    open(1, 1);
    EXPECT_EQ(QList<int>({w->coverColor(1), w->coverColor(2)}), QList<int>({14, 13}));
    for (int b = 1; b <= 16; ++b) {
        EXPECT_TRUE(covered(b)) << b;
    }
    EXPECT_EQ(message(), "\nPick a Box");
    EXPECT_GT(pixelsOf(w->lblMessage, Navy), 20);
    // Player 2's caption stands under player 1's count, and its count above the buttons.
    EXPECT_GT(w->lblP[2]->y(), w->lblMatch[1]->geometry().bottom());
    EXPECT_LT(w->lblMatch[2]->geometry().bottom(), w->fraChoice->y());

    doubleClick(w->picHidden[1]); // an open box cannot be the second pick
    EXPECT_EQ(shown(1), QBColor(ColorTable[5]));
    EXPECT_EQ(message(), "\nPick Another Box");
    heard();
    qint64 waited = fake.clock.totalWaited();
    pick(partner(1));
    EXPECT_GE(fake.clock.totalWaited() - waited, 1000); // a moment to see the pair
    EXPECT_EQ(heard(), QStringList{"wow.wav"});
    EXPECT_TRUE(taken(1) && taken(partner(1)));
    EXPECT_EQ(message(), "\nPick A Box");
    pick(1); // taken boxes stay out of the game
    EXPECT_EQ(counts(), "1/2");

    // A miss made with a double-click: its rest does not open the box again once it is covered.
    const int b = firstLeft();
    pick(b);
    waited = fake.clock.totalWaited();
    doubleClick(w->picHidden[size_t(other(b))]);
    EXPECT_GE(fake.clock.totalWaited() - waited, 1000);
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
    EXPECT_TRUE(covered(b));
    EXPECT_EQ(counts(), "1/4");
    for (int i = 0; i < 7; ++i) {
        findPair();
    }
    EXPECT_EQ(counts(), "8/18");
    EXPECT_EQ(message(), "Game Over\n");
    EXPECT_EQ(heard().mid(7), QStringList{"tada.wav"});
    EXPECT_TRUE(w->cmdNew->isEnabled());
}

// Two players (a number out of range is taken as two), with colours (an unknown kind): a pair keeps the
// turn, a miss passes it, and the end of the game names the winner.
TEST_F(MemoryGame, TwoTakeTurnsTheEndNamesTheWinnerAndTheOptionsChangeTheSecondCounter) {
    for (const auto& [first, result] :
         {std::pair{4, "It's a Tie!"}, {5, "Player 1 Wins!"}, {3, "Player 2 Wins!"}, {7, ""}}) {
        SCOPED_TRACE(first);
        open(9, 5);
        EXPECT_EQ(message(), "Player 1\nPick a Box");
        const int b = firstLeft();
        pick(b);
        EXPECT_EQ(shown(b), QBColor(ColorTable[size_t(w->itemInBox(b))]));
        EXPECT_EQ(message(), "Player 1\nPick Another Box");
        pick(partner(b));
        for (int i = 1; i < first; ++i) {
            findPair();
        }
        EXPECT_EQ(message(), "Player 1\nPick Again");
        if (first == 7) { // stopped with a pair left
            click(w->cmdExit);
        } else {
            for (const char* next :
                 {"Player 2\nPick a Box", "Player 1\nPick a Box", "Player 2\nPick a Box"}) {
                miss();
                EXPECT_EQ(message(), next);
            }
            findPair();
            EXPECT_EQ(message(), "Player 2\nPick Again");
            for (int i = first + 1; i < 8; ++i) {
                findPair();
            }
            EXPECT_EQ(counts(), QString("%1/%2").arg(first).arg(8 - first));
        }
        EXPECT_EQ(message(), QString("Game Over\n") + result);
    }
    pick(firstLeft()); // the game is over

    // Stopped after 14 guesses; the second counter shows them for one player, player 2's pairs for two.
    QStringList seen;
    for (const int option : {0, 1}) {
        withModal<optMem>(w->cmdOptions, [&](optMem& o) {
            EXPECT_TRUE(o.optPlayer[size_t(1 - option)]->isChecked());
            click(o.optPlayer[size_t(option)]);
            click(o.optType[2]);
            click(o.cmdOK);
        });
        seen << w->lblP[2]->text() + " " + w->lblMatch[2]->text();
    }
    EXPECT_EQ(seen, QStringList({"Guesses 14", "Player 2 Matches 0"}));
    click(w->cmdNew);
    EXPECT_EQ(counts(), "0/0");
    pick(1);
    EXPECT_EQ(shown(1), pictureColour(w->itemInBox(1)));
}
