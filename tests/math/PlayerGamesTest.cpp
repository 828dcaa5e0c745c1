// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Snowman Math and Bug Builder. What they share is played in both: turns taken in player order, a part
// of the player's picture for each win, the game ending with the round in which a picture is complete,
// the results board naming everyone who finished, and the window ready for the next game. Then each
// game's own rules: Bug Builder's players, names and flashing target; Snowman Math's problems, answer
// box and options window.

#include "MathFixture.h"
#include "math/frmBug.h"
#include "math/frmResults.h"
#include "math/frmSnow.h"
#include "math/optSnow.h"
#include "platform/WindowTimer.h"
#include "shell/Palette.h"

#include <QTimer>
#include <set>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The results board is modal: a watch reads it as soon as it is up and closes it with its OK button,
// so the game that opened it goes on.
struct ResultsWatch {
    ResultsWatch() {
        timer.callOnTimeout([this] {
            auto* board = qobject_cast<frmResults*>(QApplication::activeModalWidget());
            if (!board) {
                return;
            }
            timer.stop();
            shown = true;
            lines = QStringList{board->windowTitle(), board->Label1[0]->text(), board->Label1[1]->text()};
            for (QLabel* label : board->lblWin) {
                lines << label->text();
            }
            click(board->cmdOK);
        });
        timer.start(0);
    }
    QTimer timer;
    bool shown = false;
    QStringList lines; // title, the two lines, then the four name labels, empty ones too
};

// Where a part of a picture shows first, in fractions of its width and height, and the palette colour
// there before (-1: the picture's ground) and after it is drawn.
struct Part {
    QPointF at;
    int before, after;
};

struct SnowmanGame {
    using Window = frmSnow;
    static constexpr const char* Prompt = "Type Answer\nPress Enter";
    // What shows while the game waits on player 1's first win (the sound, a pause), then on player 2's
    // first miss (the sound, heard before the answer shows).
    static inline const QStringList FirstRound{"\nGood!\nYou get a body", "\nGood!\nYou get a body",
                                               "Player 2:\nPlayer 2\nType Answer\nPress Enter"};
    // What the child sees while the game waits: the message.
    static QString shown(Window& w) { return w.lblMessage->text(); }
    static constexpr const char* Idle = "\nGame Over\nClick New Game";
    static constexpr const char* WinSound = "wow.wav";
    static constexpr const char* EndSound = "snowman.wav";
    static constexpr const char* Board = "Snowman Math Results";
    static constexpr const char* Finished = "These player(s) finished snowmen:";
    static constexpr Part Parts[] = {
        {{0.5, 0.9}, -1, 15},  {{0.5, 0.2}, -1, 15}, {{0.1, 0.4}, -1, 15}, // body, head, arms
        {{0.5, 0.31}, 15, 0},  {{0.5, 0.55}, 15, 9},                       // face, buttons
        {{0.5, 0.11}, -1, 14},                                             // the hat's band
    };
    static constexpr Part Finish[] = {{{0.35, 0.16}, -1, 12}, {{0.5, 0.07}, -1, 12}}; // brim, crown

    static qint16& players() { return settings().SnowPlayers; }
    static Settings::FourNames& names() { return settings().SnowPlayerName; }
    static PictureBox* picture(Window& w, int p) { return w.picSnow[size_t(p)]; }
    static int parts(Window& w, int p) { return w.partsEarned(p); }
    static int rightAnswer(Window& w) {
        const int top = number(w.lblNumber[0]), bottom = number(w.lblNumber[1]);
        return w.Label1[0]->text() == "+" ? top + bottom : top - bottom;
    }
    // A right answer, or a wrong one and Next Player.
    static void turn(Window& w, FakePlatform&, bool win) {
        answer(w.txtAnswer, QString::number(rightAnswer(w) + (win ? 0 : 1)));
        if (!win) {
            click(w.cmdOK);
        }
    }
    static void poke(Window& w) { type(w.txtAnswer, "1\r"); }
    // The controls a parent sets the next game with: none usable while a game runs.
    static QList<bool> setUp(Window& w) { return {w.cmdNew->isEnabled(), w.cmdOptions->isEnabled()}; }
};

struct BugGame {
    using Window = frmBug;
    static constexpr const char* Prompt = "Your Turn\nClick Circles";
    // What shows while the game waits on player 1's first win (the sound, the hit shown), then on player
    // 2's first miss (the sound, the miss shown, a pause).
    static inline const QString Hit = "Player 1:\nPlayer 1\nA Hit!\nYou get a body #ffffff #ffd700",
                                Miss = "Player 2:\nPlayer 2\nSorry ...\nA Miss #ffffff #c8d0e0";
    static inline const QStringList FirstRound{Hit, Hit, Miss, Miss, Miss};
    // The message, and the colours in a corner of the target and above its middle: a yellow star on a
    // hit, a grey cloud on a miss, each on white.
    static QString shown(Window& w) {
        const QImage& target = w.picFlash->image();
        const QPoint aboveMiddle(target.width() / 2, target.height() * 3 / 10);
        return w.lblMessage->text() + " " + target.pixelColor(2, 2).name() + " " +
               target.pixelColor(aboveMiddle).name();
    }
    static constexpr const char* Idle = "Choose Number of\nPlayers, Enter Names\nClick New Game";
    static constexpr const char* WinSound = "tada.wav";
    static constexpr const char* EndSound = "bug.wav";
    static constexpr const char* Board = "Bug Builder Results";
    static constexpr const char* Finished = "These player(s) finished their bugs:";
    static constexpr Part Parts[] = {
        {{0.5, 0.8}, -1, 12},   {{0.5, 0.15}, -1, 12},  // body, head
        {{0.45, 0.175}, 12, 0}, {{0.1, 0.125}, -1, 13}, // a pupil, a feeler's knob
        {{0.1, 0.36}, -1, 14},  {{0.4, 0.625}, 12, 10}, // the bend of a leg, a spot
    };
    // The white of an eye, and a toe of each leg on the left.
    static constexpr Part Finish[] = {
        {{0.45, 0.15}, -1, 15}, {{0.125, 0.3}, -1, 14}, {{0.075, 0.65}, -1, 14}, {{0.125, 0.95}, -1, 14}};

    static qint16& players() { return settings().BugPlayers; }
    static Settings::FourNames& names() { return settings().BugPlayerName; }
    static PictureBox* picture(Window& w, int p) { return w.picBug[size_t(p)]; }
    static int parts(Window& w, int p) { return w.partsBuilt(p); }
    // A hit is a draw below 0.65: the target stopped by a click for a hit, by Enter for a miss.
    static void turn(Window& w, FakePlatform& fake, bool win) {
        fake.random.script({win ? 0.64 : 0.65});
        if (win) {
            click(w.picFlash);
        } else {
            QTest::keyClick(w.picFlash, Qt::Key_Return);
        }
    }
    static void poke(Window& w) {
        click(w.picFlash);
        QTest::keyClick(w.picFlash, Qt::Key_Return);
    }
    static QList<bool> setUp(Window& w) {
        return {w.cmdNew->isEnabled(), w.Frame1->isEnabled(), !w.txtName[1]->isReadOnly()};
    }
};

template <class Game> class SnowmanMathAndBugBuilder : public WindowFixture<typename Game::Window> {
protected:
    using Window = typename Game::Window;
    Window* open(int players) {
        Game::players() = qint16(players);
        return WindowFixture<Window>::open();
    }
    void turn(bool win) { Game::turn(*this->w, this->fake, win); }
    QString message() { return this->w->lblMessage->text(); }
    // No game runs, the controls that set up the next one are free, and the window says what to do.
    void expectReadyForTheNextGame() {
        EXPECT_FALSE(this->w->running());
        const QList<bool> free = Game::setUp(*this->w);
        EXPECT_EQ(free, QList<bool>(free.size(), true));
        EXPECT_EQ(message(), Game::Idle);
    }
    QColor at(int p, QPointF where) {
        const QImage& image = Game::picture(*this->w, p)->image();
        return image.pixelColor(int(where.x() * image.width()), int(where.y() * image.height()));
    }
};

using Games = ::testing::Types<SnowmanGame, BugGame>;
TYPED_TEST_SUITE(SnowmanMathAndBugBuilder, Games);

// A name as the board or a message shows it: whole, or when too long its start and an ellipsis.
void expectShownAs(const QString& shown, const QString& name) {
    if (name.size() > 20) {
        EXPECT_TRUE(shown.endsWith(u'\u2026') && shown.size() > 4 && name.startsWith(shown.chopped(1)))
            << qPrintable(shown);
    } else {
        EXPECT_EQ(shown, name);
    }
}

const QString Long = "Bartholomew Fitzgerald Jones";

TYPED_TEST(SnowmanMathAndBugBuilder, TheRoundEndsTheGameTheBoardNamesEachFinisherAndTheNextGameStartsAfresh) {
    using Game = TypeParam;
    struct Case {
        int players;
        std::set<int> finishers;
        QStringList named; // on the board, in player order
    } const cases[] = {
        {1, {1}, {Long}},
        {2, {2}, {"Anna, Ben"}},
        {4, {1, 3, 4}, {Long, "Player 3", "Dan"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.players);
        Game::names() = {QString(), Long, "Anna, Ben", " ", "Dan"};
        auto& w = *this->open(c.players);
        const QImage blank = Game::picture(w, 1)->image().copy();
        EXPECT_EQ(w.txtName[3]->text(), "Player 3");
        click(w.cmdNew);
        EXPECT_EQ(Game::setUp(w), QList<bool>(Game::setUp(w).size(), false));
        // Six rounds in player order; the board stays down until the last turn of the sixth.
        ResultsWatch watch;
        for (int turn = 0; turn < 6 * c.players; ++turn) {
            const int p = turn % c.players + 1;
            ASSERT_FALSE(watch.shown) << turn;
            ASSERT_EQ(w.currentPlayer(), p) << turn;
            const QStringList shown = this->message().split(u'\n');
            EXPECT_EQ(shown.value(0), QString("Player %1:").arg(p));
            expectShownAs(shown.value(1), PlayerName(Game::names(), p));
            EXPECT_EQ(shown.mid(2).join(u'\n'), Game::Prompt);
            this->heard();
            this->turn(c.finishers.count(p) > 0);
        }
        ASSERT_TRUE(watch.shown);
        EXPECT_EQ(this->heard().last(), Game::EndSound);
        EXPECT_EQ(watch.lines.mid(0, 3), QStringList({Game::Board, "The game is over.", Game::Finished}));
        for (int i = 0; i < 4; ++i) {
            expectShownAs(watch.lines.value(3 + i), c.named.value(i));
        }
        this->expectReadyForTheNextGame();

        // The next game in the same window: every picture empty, player 1 first, a win counts once.
        click(w.cmdNew);
        EXPECT_EQ(Game::picture(w, 1)->image(), blank);
        EXPECT_EQ(Game::parts(w, c.players), 0);
        EXPECT_EQ(w.currentPlayer(), 1);
        this->turn(true);
        EXPECT_EQ(Game::parts(w, 1), 1);
        click(w.cmdExit); // Stop ends it for good
        this->expectReadyForTheNextGame();
        this->heard();
        Game::poke(w);
        EXPECT_EQ(this->heard(), QStringList());
        EXPECT_EQ(Game::parts(w, 1), 1);
    }
}

// Player 1 wins every turn and player 2 loses every turn; the child clicks and types during the first round's
// waits.
TYPED_TEST(SnowmanMathAndBugBuilder,
           EachWinIsCheeredAndAddsTheNextPartWhileWhatTheChildDoesMeanwhileCountsForNothing) {
    using Game = TypeParam;
    auto& w = *this->open(2);
    click(w.cmdNew);
    const QColor ground = this->at(1, {0.5, 0.5});
    ResultsWatch watch; // the round of the sixth win ends the game
    auto* clock = &PeekingClock::install();
    QStringList seen;
    clock->peek = [&](qint64) {
        seen << Game::shown(w);
        Game::poke(w);
    };
    for (int k = 1; k <= 6; ++k) {
        const Part& part = Game::Parts[k - 1];
        EXPECT_EQ(this->at(1, part.at), part.before < 0 ? ground : QBColor(part.before)) << k;
        this->heard();
        this->turn(true);
        EXPECT_EQ(this->at(1, part.at), QBColor(part.after)) << k;
        EXPECT_EQ(this->heard().value(0), Game::WinSound);
        EXPECT_EQ(std::tuple(w.currentPlayer(), Game::parts(w, 1), Game::parts(w, 2)), std::tuple(2, k, 0));
        this->turn(false);
        if (k == 1) {
            EXPECT_EQ(seen, Game::FirstRound);
            clock->peek = nullptr;
        }
        EXPECT_EQ(std::tuple(w.currentPlayer(), Game::parts(w, 2)), std::tuple(1, 0));
        EXPECT_EQ(watch.shown, k == 6);
    }
    EXPECT_EQ(this->at(1, {0.5, 0.98}), ground);
    for (const Part& part : Game::Finish) {
        EXPECT_EQ(this->at(1, part.at), QBColor(part.after));
    }
    // The pictures come back as they were when the window shows again.
    const QImage finished = Game::picture(w, 1)->image().copy();
    Game::picture(w, 1)->Cls();
    w.hide();
    w.show();
    EXPECT_EQ(Game::picture(w, 1)->image(), finished);
}

class BugBuilder : public WindowFixture<frmBug> {
protected:
    frmBug* open(int players = 1) {
        settings().BugPlayers = qint16(players);
        return WindowFixture::open();
    }
    // Who plays: the names and bugs shown.
    int playersShown() {
        int shown = 0;
        for (int p = 1; p <= 4; ++p) {
            shown += w->txtName[size_t(p)]->isVisible() + w->picBug[size_t(p)]->isVisible();
        }
        return shown / 2;
    }
};

TEST_F(BugBuilder, PlayersAndNamesAreSetOnTheWindowAndTheTargetFlashesRingsUntilStop) {
    open(9); // more players than the game has: all four play
    EXPECT_TRUE(w->optNum[3]->isChecked());
    EXPECT_EQ(playersShown(), 4);
    for (int n : {2, 4, 1}) {
        click(w->optNum[size_t(n - 1)]);
        EXPECT_EQ(settings().BugPlayers, n);
        EXPECT_EQ(playersShown(), n);
    }
    w->txtName[1]->clear();
    test::type(w->txtName[1], "Ada \"A\", 5"); // the settings file cannot hold a double quote
    EXPECT_EQ(settings().BugPlayerName[1], "Ada A, 5");

    click(w->cmdNew);
    EXPECT_TRUE(w->picFlash->hasFocus());
    fake.clock.advance(20);
    QCoreApplication::processEvents();
    // Rings of many colours from the edge of the target to its middle.
    const QImage& flash = w->picFlash->image();
    QSet<QRgb> colours;
    for (int x = 0; x < flash.width(); ++x) {
        colours << flash.pixel(x, flash.height() / 2);
    }
    EXPECT_GT(colours.size(), 4);
    click(w->cmdExit);
    const QImage stopped = flash.copy();
    fake.clock.advance(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->picFlash->image(), stopped);
}

class SnowmanMath : public WindowFixture<frmSnow> {
protected:
    frmSnow* open(int players = 1) {
        settings().SnowPlayers = qint16(players);
        return WindowFixture::open();
    }
    QString problem() { return w->lblNumber[0]->text() + w->Label1[0]->text() + w->lblNumber[1]->text(); }
    QString right() { return QString::number(SnowmanGame::rightAnswer(*w)); }
    void answerWrong() { answer(w->txtAnswer, QString::number(SnowmanGame::rightAnswer(*w) + 1)); }
    QString message() { return w->lblMessage->text(); }
};

TEST_F(SnowmanMath, ProblemsFollowTheTypeAndSizeWithTheBiggerNumberOnTopOfADifference) {
    struct Case {
        int type, size;
        QList<double> drawn; // the two numbers, then for both types whether to subtract
        const char* shown;
    } const cases[] = {
        {1, 1, {0.99, 0.0}, "5+0"},        {2, 2, {0.0, 0.99}, "9-0"},
        {3, 3, {0.99, 0.5, 0.5}, "15-8"},  {3, 4, {0.5, 0.99, 0.49}, "13+25"},
        {0, 5, {0.99, 0.2, 0.6}, "49-10"}, {1, 7, {0.99, 0.99}, "49+49"}, // 0 plays as both
        {5, 0, {0.99, 0.99, 0.7}, "5-5"},
    };
    for (const Case& c : cases) {
        settings().SnowPlayerType[2] = qint16(c.type);
        settings().SnowPlayerSize[2] = qint16(c.size);
        open(2);
        click(w->cmdNew);
        answerWrong();
        fake.random.script(c.drawn);
        click(w->cmdOK);
        EXPECT_EQ(problem(), c.shown) << c.type << " " << c.size;
    }
}

TEST_F(SnowmanMath, TheBoxJudgesOnEnterOrAFourthDigitAndAMissShowsTheAnswerUntilNextPlayerOrStop) {
    open(2);
    click(w->cmdNew);
    test::type(w->txtAnswer, "\rx"); // an empty box is not an answer, and a letter is a beep
    EXPECT_EQ(fake.sound.beeps, 1);
    test::type(w->txtAnswer, "123\b\b\b");
    // A full box is judged by the next digit, which goes nowhere.
    const QString shownAnswer = right();
    test::type(w->txtAnswer, "1009");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_EQ(message(), "Sorry ...\nHere's the answer ..");
    EXPECT_EQ(w->txtAnswer->text(), shownAnswer);
    EXPECT_TRUE(w->cmdOK->isVisible());
    // Enter, digits and Erase in the locked box change nothing: no free part, no skipped player.
    test::type(w->txtAnswer, "\r");
    answer(w->txtAnswer, shownAnswer);
    click(w->cmdErase);
    EXPECT_EQ(w->txtAnswer->text(), shownAnswer);
    EXPECT_EQ(w->partsEarned(1), 0);
    EXPECT_EQ(w->currentPlayer(), 1);
    click(w->cmdOK);
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->currentPlayer(), 2);
    EXPECT_EQ(w->txtAnswer->text(), "");
    // Stop while Next Player shows takes the answer away; the next game starts with an empty box.
    answerWrong();
    click(w->cmdExit);
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->txtAnswer->text(), "");
    click(w->cmdNew);
    answer(w->txtAnswer, right());
    EXPECT_EQ(w->partsEarned(1), 1);
}

TEST_F(SnowmanMath, OptionsSetPlayersTypesSizesAndNamesForTheNextGame) {
    open(9); // more players than the game has: all four play
    EXPECT_TRUE(w->picSnow[4]->isVisible());
    const QString name = "Maximiliana Alexandra Rose";
    withModal<optSnow>(w->cmdOptions, [&](optSnow& o) {
        EXPECT_TRUE(o.fraPlayer[4]->isEnabled()); // all four play
        click(o.optType[4]);                      // player 2: subtraction
        click(o.optSize[13]);                     // player 3: bigger
        click(o.optSize[5]);                      // player 2: smallest
        click(o.optPlayers[1]);
        EXPECT_TRUE(o.fraPlayer[2]->isEnabled());
        EXPECT_FALSE(o.fraPlayer[3]->isEnabled() || o.fraPlayer[4]->isEnabled());
        o.txtName[1]->setText("Zoe");
        o.txtName[2]->setText(name);
        click(o.cmdOK);
    });
    EXPECT_EQ(settings().SnowPlayerType, (Settings::Four{0, 2, 2, 3, 3}));
    EXPECT_EQ(settings().SnowPlayerSize, (Settings::Four{0, 1, 1, 4, 1}));
    EXPECT_EQ(settings().SnowPlayerName[2], name); // kept whole, however short it is shown
    EXPECT_EQ(w->txtName[1]->text(), "Zoe");
    EXPECT_TRUE(w->txtName[2]->text().endsWith(u'\u2026'));
    EXPECT_TRUE(w->picSnow[2]->isVisible() && w->txtName[2]->isVisible());
    EXPECT_FALSE(w->picSnow[3]->isVisible() || w->txtName[3]->isVisible());
}

} // namespace
