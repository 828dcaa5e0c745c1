// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Snowman Math played as children play it: answers typed and entered, turns passed with Next Player,
// the options window worked by clicks, and the results board read when the game ends.

#include "math/ResultsWatch.h"
#include "math/frmSnow.h"
#include "math/optSnow.h"
#include "platform/Clock.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "shell/Palette.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

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
        int answer() const { return sign == "+" ? top + bottom : top - bottom; }
    };
    Problem shown() { return {number(w->lblNumber[0]), number(w->lblNumber[1]), w->Label1[0]->text()}; }
    void answerRight() { answer(w->txtAnswer, QString::number(shown().answer())); }
    void answerWrong() { answer(w->txtAnswer, QString::number(shown().answer() + 1)); }
    QString message() { return w->lblMessage->text(); }
    // The colour of player p's picture at a point given in fractions of its width and height.
    QColor at(int p, double fx, double fy) {
        const QImage& image = w->picSnow[size_t(p)]->image();
        return image.pixelColor(int(fx * image.width()), int(fy * image.height()));
    }
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

TEST_F(SnowmanMath, ProblemsFollowEachPlayersTypeAndSize) {
    // Players 1 to 4: addition Smallest, subtraction Biggest, both Small, and a size out of range (7)
    // that plays as Biggest.
    settings().SnowPlayerType = {0, 1, 2, 3, 3};
    settings().SnowPlayerSize = {0, 1, 5, 2, 7};
    open(4);
    click(w->cmdNew);
    const std::array<int, 5> largest{0, 5, 49, 9, 49};
    std::array<int, 5> biggestSeen{};
    QSet<QString> signs[5];
    for (int turn = 0; turn < 400; ++turn) {
        const int p = w->currentPlayer();
        const Problem problem = shown();
        ASSERT_TRUE(problem.top >= 0 && problem.bottom >= 0 &&
                    std::max(problem.top, problem.bottom) <= largest[size_t(p)])
            << p;
        ASSERT_TRUE(problem.sign == "+" || problem.top >= problem.bottom);
        biggestSeen[size_t(p)] = std::max({biggestSeen[size_t(p)], problem.top, problem.bottom});
        signs[p] << problem.sign;
        answerWrong();
        click(w->cmdOK);
    }
    EXPECT_EQ(biggestSeen, largest);
    EXPECT_EQ(signs[1], QSet<QString>{"+"});
    EXPECT_EQ(signs[2], QSet<QString>{"-"});
    EXPECT_EQ(signs[3], QSet<QString>({"+", "-"}));
}

TEST_F(SnowmanMath, SubtractionPutsTheBiggerNumberOnTopAndBothTypesFollowAFreshNumber) {
    struct Case {
        int type;
        QList<double> drawn;
        int top, bottom;
        const char* sign;
    } const cases[] = {
        {2, {0.0, 0.99}, 5, 0, "-"},       {2, {0.99, 0.0}, 5, 0, "-"},
        {1, {0.0, 0.99}, 0, 5, "+"},       {3, {0.5, 0.99, 0.5}, 5, 3, "-"},
        {3, {0.5, 0.99, 0.49}, 3, 5, "+"}, {0, {0.2, 0.4, 0.6}, 2, 1, "-"}, // 0 plays as both types
    };
    for (const Case& c : cases) {
        settings().SnowPlayerType[1] = qint16(c.type);
        open();
        fake.random.script(c.drawn);
        click(w->cmdNew);
        const Problem problem = shown();
        EXPECT_EQ(std::tuple(problem.top, problem.bottom, problem.sign), std::tuple(c.top, c.bottom, c.sign))
            << c.type << " " << c.drawn.first();
    }
}

TEST_F(SnowmanMath, OnePlayerBuildsTheSnowmanPartByPartAndFinishesAfterTheSixthRightAnswer) {
    settings().SnowPlayerName[1] = "Mia";
    open();
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{4});
    click(w->cmdNew);
    EXPECT_EQ(w->cmdExit->text(), "&Stop");
    EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdOptions->isEnabled());
    EXPECT_EQ(message(), "Player 1:\nMia\nType Answer\nPress Enter");
    const QColor sky = at(1, 0.5, 0.5), white = QBColor(15);
    // Where each part shows first, and its colour there.
    struct Part {
        double x, y;
        QColor colour;
    } const parts[] = {
        {0.5, 0.9, white},        {0.5, 0.2, white},       {0.1, 0.4, white}, // body, head, arms
        {0.5, 0.31, QBColor(0)},  {0.5, 0.55, QBColor(9)},                    // face, buttons
        {0.5, 0.11, QBColor(14)},                                             // hat band
    };
    ResultsWatch watch(fake.help);
    heard();
    for (int k = 1; k <= 6; ++k) {
        const Part& part = parts[k - 1];
        EXPECT_EQ(at(1, part.x, part.y), k == 4 || k == 5 ? white : sky) << k;
        answerRight();
        EXPECT_EQ(at(1, part.x, part.y), part.colour) << k;
        if (k < 6) {
            EXPECT_EQ(w->partsEarned(1), k);
            EXPECT_EQ(heard(), QStringList{"wow.wav"});
            EXPECT_FALSE(watch.shown);
        }
    }
    EXPECT_EQ(at(1, 0.35, 0.16), QBColor(12)); // the brim
    EXPECT_EQ(at(1, 0.5, 0.07), QBColor(12));  // the crown above the band
    EXPECT_EQ(at(1, 0.5, 0.97), sky);          // under the body
    EXPECT_EQ(heard(), QStringList({"wow.wav", "snowman.wav"}));
    EXPECT_TRUE(watch.shown);
    EXPECT_EQ(message(), "\nGame Over\nClick New Game");
    EXPECT_TRUE(w->cmdNew->isEnabled());
    w->picSnow_Paint(1); // the finished snowman is repainted as it stands
    EXPECT_EQ(at(1, 0.5, 0.12), QBColor(14));
    // Enter after the game neither restarts it nor judges anything.
    answer(w->txtAnswer, "7");
    EXPECT_FALSE(w->running());
    EXPECT_EQ(heard(), QStringList());
    exitToMenu();
}

TEST_F(SnowmanMath, TheGameEndsOnlyAtTheEndOfTheRoundAndNamesEveryFinisherInPlayerOrder) {
    struct Case {
        int players;
        std::set<int> finishers;
        QStringList named;
    } const cases[] = {
        {2, {1}, {"Player 1", "", "", ""}},
        {2, {1, 2}, {"Player 1", "Anna, Ben", "", ""}},
        {4, {2, 4}, {"Anna, Ben", "Player 4", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.players);
        settings().SnowPlayerName[2] = "Anna, Ben";
        settings().SnowPlayerName[4] = ""; // shown as its default
        open(c.players);
        click(w->cmdNew);
        ResultsWatch watch(fake.help);
        playSixRounds(*w, c.players, watch, [&](int p) {
            ASSERT_TRUE(message().startsWith(QString("Player %1:\n").arg(p))) << qPrintable(message());
            if (c.finishers.count(p)) {
                answerRight();
            } else {
                answerWrong();
                EXPECT_EQ(w->currentPlayer(), p); // the turn stays until Next Player
                click(w->cmdOK);
            }
        });
        EXPECT_EQ(watch.lines, QStringList({"Snowman Math Results", "The game is over.",
                                            "These player(s) finished snowmen:"}) +
                                   c.named);
        EXPECT_EQ(watch.helpAsked, QList<int>{4});
    }
}

TEST_F(SnowmanMath, AWrongAnswerShowsTheAnswerLockedUntilNextPlayerOrStop) {
    open(2);
    click(w->cmdNew);
    const QString right = QString::number(shown().answer());
    heard();
    answerWrong();
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_EQ(message(), "Sorry ...\nHere's the answer ..");
    EXPECT_EQ(w->txtAnswer->text(), right);
    EXPECT_TRUE(w->cmdOK->isVisible());
    // Enter, digits and Erase in the locked box change nothing: no free part, no skipped player.
    test::type(w->txtAnswer, "\r");
    answer(w->txtAnswer, right);
    click(w->cmdErase);
    EXPECT_EQ(w->txtAnswer->text(), right);
    EXPECT_EQ(w->partsEarned(1), 0);
    EXPECT_EQ(w->currentPlayer(), 1);
    EXPECT_EQ(heard(), QStringList());
    click(w->cmdOK);
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->currentPlayer(), 2);
    EXPECT_EQ(w->txtAnswer->text(), "");
    // Stop while Next Player shows ends the game for good; the next game starts with an empty box.
    answerWrong();
    click(w->cmdExit);
    EXPECT_FALSE(w->running());
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_EQ(w->txtAnswer->text(), "");
    EXPECT_EQ(message(), "\nGame Over\nClick New Game");
    expectSilence("5\r");
    click(w->cmdNew);
    answerRight();
    EXPECT_EQ(w->partsEarned(1), 1);
}

TEST_F(SnowmanMath, OnlyEnterOrAFourthDigitJudgesTheAnswer) {
    open();
    answer(w->txtAnswer, "3"); // before any game, keys do nothing
    EXPECT_EQ(heard(), QStringList());
    click(w->cmdNew);
    heard();
    test::type(w->txtAnswer, "\r"); // an empty box is not an answer
    test::type(w->txtAnswer, "x");  // not a digit: a beep
    EXPECT_EQ(fake.sound.beeps, 1);
    test::type(w->txtAnswer, "123\b");
    EXPECT_EQ(w->txtAnswer->text(), "12");
    test::type(w->txtAnswer, "\b\b");
    EXPECT_EQ(heard(), QStringList());
    // A full box is judged by the next digit, which goes nowhere.
    test::type(w->txtAnswer, "1009");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_EQ(w->txtAnswer->text(), QString::number(shown().answer()));
}

TEST_F(SnowmanMath, OptionsSetPlayersTypesSizesAndNamesThatSurviveTheSettingsFile) {
    open(9); // more players than the game has: all four play
    EXPECT_TRUE(w->picSnow[4]->isVisible());
    withOptions([](optSnow& o) {
        EXPECT_TRUE(o.optPlayers[3]->isChecked());
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
    });
    EXPECT_EQ(settings().SnowPlayers, 2);
    EXPECT_EQ(settings().SnowPlayerType, (Settings::Four{0, 2, 2, 3, 3}));
    EXPECT_EQ(settings().SnowPlayerSize, (Settings::Four{0, 1, 1, 4, 1}));
    EXPECT_EQ(w->txtName[1]->text(), "Zoe Z, 4");
    EXPECT_TRUE(w->picSnow[2]->isVisible());
    EXPECT_FALSE(w->picSnow[3]->isVisible());
    const std::optional<Settings> read = parseSettings(formatSettings(settings()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->SnowPlayerName[1], "Zoe Z, 4");
    // Closing the options by the frame keeps the names typed too.
    withOptions([](optSnow& o) {
        o.txtName[4]->setText("Sam");
        o.close();
    });
    EXPECT_EQ(settings().SnowPlayerName[4], "Sam");
}

TEST_F(SnowmanMath, LongNamesAreKeptWholeAndShownCutShortToFit) {
    const QString stored = "Maximiliana Alexandra Rose", typed = "Bartholomew Fitzgerald Jones";
    settings().SnowPlayerName[1] = stored;
    open(2);
    EXPECT_EQ(message(), "Choose Players\nwith Options,\nClick New Game");
    withOptions([&](optSnow& o) {
        EXPECT_EQ(o.txtName[1]->text(), stored);
        o.txtName[2]->clear();
        test::type(o.txtName[2], typed);
    });
    EXPECT_EQ(settings().SnowPlayerName[1], stored);
    EXPECT_EQ(settings().SnowPlayerName[2], typed);
    // The start of the name and an ellipsis, all of it inside the label or box.
    auto expectCut = [](const QString& shown, const QString& name, const QWidget* where, int margin) {
        EXPECT_TRUE(shown.endsWith(u'\u2026') && name.startsWith(shown.chopped(1)) && shown.size() > 4)
            << qPrintable(shown);
        EXPECT_LE(QFontMetrics(where->font()).horizontalAdvance(shown), where->width() - margin);
    };
    expectCut(w->txtName[1]->text(), stored, w->txtName[1], 6);
    expectCut(w->txtName[2]->text(), typed, w->txtName[2], 6);
    click(w->cmdNew);
    expectCut(message().split(u'\n').value(1), stored, w->lblMessage, 0);
    answerRight();
    expectCut(message().split(u'\n').value(1), typed, w->lblMessage, 0);
}

TEST_F(SnowmanMath, KeysPressedWhileARightAnswerIsCheeredAreNotAnswers) {
    services().clock = std::make_unique<SystemClock>();
    fake.sound.lengthMs = 50;
    open(2);
    click(w->cmdNew);
    QTimer::singleShot(100, w, [this] {
        // Keys that reached the box at once are not taken as an answer inside this one either.
        test::type(w->txtAnswer, "1\r");
        for (const auto& [key, text] : {std::pair{Qt::Key_1, "1"}, std::pair{Qt::Key_Return, "\r"}}) {
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    w->windowHandle(), type, key, Qt::NoModifier, text);
            }
        }
    });
    heard();
    answerRight();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(heard(), QStringList{"wow.wav"});
    EXPECT_EQ(w->currentPlayer(), 2);
    EXPECT_EQ(w->txtAnswer->text(), "");
    answerRight();
    EXPECT_EQ(w->partsEarned(2), 1);
}

} // namespace
