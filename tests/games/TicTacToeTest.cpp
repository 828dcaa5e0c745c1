// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tic Tac Toe played as children play it: the marks drawn, the win line, the messages and the sounds.

#include "games/frmTic.h"
#include "games/optTic.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

#include <QRadioButton>
#include <functional>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class TicTacToe : public WindowFixture<frmTic> {
protected:
    void open(int players, int first = 0, int level = 4) {
        settings().TicPlayers = qint16(players);
        settings().TicFirst = qint16(first);
        settings().TicLevel = qint16(level);
        WindowFixture::open();
    }
    void play(std::initializer_list<int> cells) {
        for (int i : cells) {
            click(w->imgTic[size_t(i)]);
        }
    }
    // The mark a box shows: X the red cross, O the blue ring.
    static QChar mark(PictureBox* box) {
        const QImage& image = box->image();
        const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
        const QColor ring = image.pixelColor(image.width() * (128 + 78) / 256, image.height() / 2);
        return middle == QBColor(12) ? 'X' : ring == QBColor(9) ? 'O' : '.';
    }
    // The board as drawn and as held (X side 1, O the other).
    QString drawn() {
        QString out;
        for (int i = 1; i <= 9; ++i) {
            out += mark(w->imgTic[size_t(i)]);
        }
        return out;
    }
    QString held() {
        QString out;
        for (int i = 1; i <= 9; ++i) {
            out += w->cell(i) == 0 ? '.' : w->cell(i) == 1 ? 'X' : 'O';
        }
        return out;
    }
    QString message() { return w->lblMessage->text(); }
    QString names() { return w->lblPlayer[1]->text() + "/" + w->lblPlayer[2]->text(); }
    QPoint centre(int i) {
        const QRect g = w->imgTic[size_t(i)]->geometry();
        return {(g.left() + g.right() + 1) / 2, (g.top() + g.bottom() + 1) / 2};
    }
    int gridTop() { return w->Line1[0]->geometry().top(); }
    int gridBottom() { return w->Line1[0]->geometry().bottom() + 1; }
    int gridLeft() { return w->Line2[0]->geometry().left(); }
    int gridRight() { return w->Line2[0]->geometry().right() + 1; }
};

} // namespace

TEST_F(TicTacToe, TheCornerOpeningThreeSevenNineSixBeatsTheDifficultRules) {
    open(1, 0, 4);
    EXPECT_EQ(names(), "You/Computer");
    const QRect grid(QPoint(gridLeft(), gridTop()), QPoint(gridRight(), gridBottom()));
    for (int i = 1; i <= 9; ++i) {
        EXPECT_TRUE(grid.contains(w->imgTic[size_t(i)]->geometry())) << i;
    }
    // The symbols beside the names.
    EXPECT_EQ(QString() + mark(w->imgDisplay[1]) + mark(w->imgDisplay[2]), "XO");
    play({5}); // no game yet
    EXPECT_EQ(held(), ".........");
    click(w->cmdNew);
    EXPECT_EQ(message(), "\nYour Turn\nClick Box");
    EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdOptions->isEnabled());
    heard();
    play({3});
    EXPECT_EQ(held(), "..X.O....");
    EXPECT_EQ(heard(), QStringList({"zipecho.wav", "zipecho.wav"}));
    play({7});
    EXPECT_EQ(held(), "O.X.O.X..");
    play({9});
    EXPECT_EQ(held(), "O.X.O.XOX");
    EXPECT_EQ(drawn(), held());
    play({6});
    EXPECT_EQ(heard(), QStringList(5, "zipecho.wav") << "tada.wav");
    EXPECT_EQ(message(), "\nGame Over\nYou Win!");
    EXPECT_TRUE(w->cmdNew->isEnabled());
    // The win line runs down the whole grid through column 3.
    ASSERT_TRUE(w->linWin->isVisible());
    EXPECT_EQ(w->linWin->from(), QPoint(centre(3).x(), gridTop()));
    EXPECT_EQ(w->linWin->to(), QPoint(centre(3).x(), gridBottom()));
    play({2}); // the game is over
    EXPECT_EQ(held(), "O.X.OXXOX");
}

// The easiest level moves at random until an empty cell is drawn.
TEST_F(TicTacToe, TheComputerGoesFirstInTheCentreAndWinsOnARowOrADiagonalAndTheEasiestMovesAtRandom) {
    open(1, 1, 4);
    click(w->cmdNew);
    EXPECT_EQ(held(), "....O....");
    EXPECT_EQ(message(), "\nYour Turn\nClick Box");
    EXPECT_EQ(fake.clock.totalWaited(), 1000 + 500); // a second's wait, then the mark's sound
    play({1});
    heard();
    play({2}); // taken: the turn stays
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_EQ(held(), "XO..O....");
    play({8, 3, 7});
    EXPECT_EQ(held(), "XOXOOOXXO");
    EXPECT_EQ(message(), "\nGame Over\nComputer Wins!");
    EXPECT_EQ(w->linWin->from(), QPoint(gridLeft(), centre(5).y()));
    EXPECT_EQ(w->linWin->to(), QPoint(gridRight(), centre(5).y()));

    settings().TicFirst = 0;
    click(w->cmdNew);
    play({1, 2, 4});
    EXPECT_EQ(held(), "XXOXO.O..");
    EXPECT_EQ(message(), "\nGame Over\nComputer Wins!");
    EXPECT_EQ(w->linWin->from(), QPoint(gridRight(), gridTop()));
    EXPECT_EQ(w->linWin->to(), QPoint(gridLeft(), gridBottom()));
    EXPECT_EQ(w->grab().toImage().pixelColor(centre(5)), QBColor(5));

    // The easiest level; a double-clicked New Game marks nothing.
    settings().TicLevel = 1;
    doubleClick(w->cmdNew, w->imgTic[1]);
    EXPECT_TRUE(w->running());
    EXPECT_EQ(held(), ".........");
    // A move is random when the first number is below 1; then cells are drawn until one is empty.
    fake.random.script({0.99, 0.0, 0.95});
    const int drawn = fake.random.drawn();
    play({1});
    EXPECT_EQ(held(), "X.......O");
    EXPECT_EQ(fake.random.drawn() - drawn, 3);
}

// The options choose two players (the level and who goes first are then greyed), who take turns.
TEST_F(TicTacToe, OptionsChooseTwoPlayersWhoTakeTurnsAndEachResultIsReported) {
    open(1, 1, 9);
    withModal<optTic>(w->cmdOptions, [](optTic& options) {
        click(options.optPlayer[1]);
        EXPECT_FALSE(options.fraDiff->isEnabled() || options.fraFirst->isEnabled());
        click(options.optPlayer[0]);
        EXPECT_TRUE(options.fraDiff->isEnabled());
        click(options.optDiff[1]);
        click(options.optFirst[0]);
        click(options.optPlayer[1]);
        click(options.cmdOK);
    });
    EXPECT_EQ(QList<int>({settings().TicPlayers, settings().TicLevel, settings().TicFirst}),
              QList<int>({2, 2, 0}));
    EXPECT_EQ(names(), "Player 1/Player 2");
    click(w->cmdNew);
    EXPECT_EQ(message(), "\nPlayer 1's Turn\nClick Box");
    play({2});
    EXPECT_EQ(message(), "\nPlayer 2's Turn\nClick Box");
    play({1, 4, 3, 7, 5, 8, 6});
    EXPECT_EQ(held(), "OXOXOOXX.");
    EXPECT_EQ(w->cell(1), 2); // the second player's own mark: no computer plays
    EXPECT_EQ(drawn(), held());
    play({9}); // the last cell completing a line is a win, not a draw
    EXPECT_EQ(message(), "\nGame Over\nPlayer 1 Wins!");
    EXPECT_EQ(w->linWin->from(), QPoint(gridLeft(), centre(8).y()));

    click(w->cmdNew);
    EXPECT_FALSE(w->linWin->isVisible());
    EXPECT_EQ(drawn(), ".........");
    play({1, 2, 3, 5, 4, 8});
    EXPECT_EQ(message(), "\nGame Over\nPlayer 2 Wins!");
    click(w->cmdNew);
    play({1, 2, 3, 5, 4, 6, 8, 7, 9});
    EXPECT_EQ(message(), "\nGame Over\nIt's A Draw!");
    // Stopped during a game, no result, not even the last game's.
    click(w->cmdNew);
    play({5, 1});
    click(w->cmdExit);
    EXPECT_EQ(message(), "\nGame Over\n");
    play({9});
    EXPECT_EQ(held(), "O...X....");
}
