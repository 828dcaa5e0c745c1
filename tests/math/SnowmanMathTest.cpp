// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Snowman Math's own rules: each player's problems, the answer box, and the options window worked by
// clicks. What it shares with Bug Builder is played in PlayerGamesTest.cpp.

#include "math/PlayerGames.h"
#include "math/optSnow.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

class SnowmanMath : public WindowFixture<frmSnow> {
protected:
    frmSnow* open(int players = 1) {
        settings().SnowPlayers = qint16(players);
        return WindowFixture::open();
    }
    struct Problem {
        int top, bottom;
        QString sign;
    };
    Problem shown() { return {number(w->lblNumber[0]), number(w->lblNumber[1]), w->Label1[0]->text()}; }
    QString right() { return QString::number(SnowmanGame::rightAnswer(*w)); }
    void answerWrong() { answer(w->txtAnswer, QString::number(SnowmanGame::rightAnswer(*w) + 1)); }
    QString message() { return w->lblMessage->text(); }
    void withOptions(const std::function<void(optSnow&)>& work) {
        QTimer::singleShot(0, [&] {
            auto* options = qobject_cast<optSnow*>(QApplication::activeModalWidget());
            ASSERT_TRUE(options);
            work(*options);
            if (options->isVisible()) {
                click(options->cmdOK);
            }
        });
        click(w->cmdOptions);
    }
};

TEST_F(SnowmanMath, ProblemsFollowTheTypeAndSizeWithTheBiggerNumberOnTopOfADifference) {
    struct Case {
        int type, size;
        QList<double> drawn; // the two numbers, then for both types whether to subtract
        int top, bottom;
        const char* sign;
    } const cases[] = {
        {1, 1, {0.99, 0.0}, 5, 0, "+"},        {2, 2, {0.0, 0.99}, 9, 0, "-"},
        {3, 3, {0.99, 0.5, 0.5}, 15, 8, "-"},  {3, 4, {0.5, 0.99, 0.49}, 13, 25, "+"},
        {0, 5, {0.99, 0.2, 0.6}, 49, 10, "-"}, {1, 7, {0.99, 0.99}, 49, 49, "+"}, // 0 plays as both
        {5, 0, {0.99, 0.99, 0.7}, 5, 5, "-"},
    };
    for (const Case& c : cases) {
        settings().SnowPlayerType[2] = qint16(c.type);
        settings().SnowPlayerSize[2] = qint16(c.size);
        open(2);
        click(w->cmdNew);
        answerWrong();
        fake.random.script(c.drawn);
        click(w->cmdOK);
        const Problem problem = shown();
        EXPECT_EQ(std::tuple(problem.top, problem.bottom, problem.sign), std::tuple(c.top, c.bottom, c.sign))
            << c.type << " " << c.size;
    }
}

TEST_F(SnowmanMath, TheBoxJudgesOnEnterOrAFourthDigitAndAMissShowsTheAnswerUntilNextPlayerOrStop) {
    open(2);
    answer(w->txtAnswer, "0"); // before any game, keys do nothing
    EXPECT_EQ(w->txtAnswer->text(), "");
    click(w->cmdNew);
    EXPECT_EQ(heard(), QStringList());
    test::type(w->txtAnswer, "\rx"); // an empty box is not an answer, and a letter is a beep
    EXPECT_EQ(fake.sound.beeps, 1);
    test::type(w->txtAnswer, "123\b\b\b");
    EXPECT_EQ(heard(), QStringList());
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
    EXPECT_EQ(heard(), QStringList());
    click(w->cmdOK);
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->currentPlayer(), 2);
    EXPECT_EQ(w->txtAnswer->text(), "");
    test::type(w->txtAnswer, "4\b");
    click(w->cmdErase);
    EXPECT_TRUE(w->txtAnswer->hasFocus());
    // Stop while Next Player shows ends the game for good; the next game starts with an empty box.
    answerWrong();
    click(w->cmdExit);
    EXPECT_FALSE(w->running());
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->txtAnswer->text(), "");
    EXPECT_EQ(message(), "\nGame Over\nClick New Game");
    expectSilence("5\r");
    click(w->cmdNew);
    answer(w->txtAnswer, right());
    EXPECT_EQ(w->partsEarned(1), 1);
}

TEST_F(SnowmanMath, OptionsSetPlayersTypesSizesAndNamesForTheNextGame) {
    open(9); // more players than the game has: all four play
    EXPECT_TRUE(w->picSnow[4]->isVisible());
    EXPECT_EQ(message(), "Choose Players\nwith Options,\nClick New Game");
    const QString name = "Maximiliana Alexandra Rose";
    withOptions([&](optSnow& o) {
        click(o.optType[4]);  // player 2: subtraction
        click(o.optSize[13]); // player 3: bigger
        click(o.optSize[5]);  // player 2: smallest
        click(o.optPlayers[0]);
        EXPECT_FALSE(o.fraPlayer[2]->isEnabled());
        click(o.optPlayers[1]);
        EXPECT_TRUE(o.fraPlayer[2]->isEnabled());
        EXPECT_FALSE(o.fraPlayer[3]->isEnabled());
        o.txtName[1]->clear();
        test::type(o.txtName[1], "Zoe \"Z\", 4");
        o.txtName[2]->clear();
        test::type(o.txtName[2], name);
    });
    EXPECT_EQ(settings().SnowPlayers, 2);
    EXPECT_EQ(settings().SnowPlayerType, (Settings::Four{0, 2, 2, 3, 3}));
    EXPECT_EQ(settings().SnowPlayerSize, (Settings::Four{0, 1, 1, 4, 1}));
    EXPECT_EQ(settings().SnowPlayerName[2], name); // kept whole, however short it is shown
    EXPECT_EQ(w->txtName[1]->text(), "Zoe Z, 4");
    EXPECT_TRUE(w->txtName[2]->text().endsWith(u'\u2026'));
    EXPECT_TRUE(w->picSnow[2]->isVisible());
    EXPECT_FALSE(w->picSnow[3]->isVisible());
    // Closing the options by the frame keeps the names typed too.
    withOptions([](optSnow& o) {
        o.txtName[4]->setText("Sam");
        o.close();
    });
    EXPECT_EQ(settings().SnowPlayerName[4], "Sam");
}

} // namespace
