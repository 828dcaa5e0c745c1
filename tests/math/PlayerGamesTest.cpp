// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What Snowman Math and Bug Builder share, played in both: turns taken in player order, a part of the
// player's picture for each win, the game ending with the round in which a picture is complete, the
// results board naming everyone who finished, and the window ready for the next game.

#include "math/PlayerGames.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

template <class Game> class SnowmanMathAndBugBuilder : public WindowFixture<typename Game::Window> {
protected:
    using Window = typename Game::Window;
    Window* open(int players) {
        Game::players() = qint16(players);
        return WindowFixture<Window>::open();
    }
    void turn(bool win) { Game::turn(*this->w, this->fake, win); }
    QString message() { return this->w->lblMessage->text(); }
    QColor at(int p, QPointF where) {
        const QImage& image = Game::picture(*this->w, p)->image();
        return image.pixelColor(int(where.x() * image.width()), int(where.y() * image.height()));
    }
};

struct GameNames {
    template <class Game> static std::string GetName(int) { return Game::Name; }
};
using Games = ::testing::Types<SnowmanGame, BugGame>;
TYPED_TEST_SUITE(SnowmanMathAndBugBuilder, Games, GameNames);

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
        EXPECT_EQ(w.cmdExit->text(), "&Stop");
        ResultsWatch watch(this->fake.help);
        playSixRounds(w, c.players, watch, [&](int p) {
            const QStringList shown = this->message().split(u'\n');
            ASSERT_EQ(shown.size(), 4);
            EXPECT_EQ(shown[0], QString("Player %1:").arg(p));
            expectShownAs(shown[1], PlayerName(Game::names(), p));
            EXPECT_EQ(shown.mid(2).join(u'\n'), Game::Prompt);
            this->heard();
            this->turn(c.finishers.count(p) > 0);
        });
        EXPECT_EQ(this->heard().last(), Game::EndSound);
        EXPECT_EQ(watch.lines.mid(0, 3), QStringList({Game::Board, "The game is over.", Game::Finished}));
        for (int i = 0; i < 4; ++i) {
            expectShownAs(watch.lines.value(3 + i), c.named.value(i));
        }
        EXPECT_EQ(watch.helpAsked, QList<int>{Game::Window::Activity.helpContext});
        EXPECT_EQ(Game::setUp(w), QList<bool>(Game::setUp(w).size(), true));
        EXPECT_EQ(this->message(), Game::Idle);

        // The next game in the same window: every picture empty, player 1 first, a win counts once.
        click(w.cmdNew);
        EXPECT_EQ(Game::picture(w, 1)->image(), blank);
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(Game::parts(w, p), 0) << p;
        }
        EXPECT_EQ(w.currentPlayer(), 1);
        this->turn(true);
        EXPECT_EQ(Game::parts(w, 1), 1);
        click(w.cmdExit);
        EXPECT_FALSE(w.running());
    }
}

// Player 1 wins every turn and player 2 loses every turn.
TYPED_TEST(SnowmanMathAndBugBuilder,
           EachWinIsCheeredAndAddsTheNextPartWhileWhatTheChildDoesMeanwhileCountsForNothing) {
    using Game = TypeParam;
    auto& w = *this->open(2);
    click(w.cmdNew);
    const QColor ground = this->at(1, {0.5, 0.5});
    ResultsWatch watch(this->fake.help); // the round of the sixth win ends the game
    PeekingClock& clock = PeekingClock::install();
    QStringList seen;
    clock.peek = [&](qint64) {
        seen << this->message();
        Game::poke(w);
    };
    for (int k = 1; k <= 6; ++k) {
        const Part& part = Game::Parts[k - 1];
        EXPECT_EQ(this->at(1, part.at), part.before < 0 ? ground : QBColor(part.before)) << k;
        this->heard();
        this->turn(true);
        EXPECT_EQ(this->at(1, part.at), QBColor(part.after)) << k;
        EXPECT_EQ(this->heard().value(0), Game::WinSound);
        if (k == 1) {
            EXPECT_EQ(seen, QStringList(2, Game::Cheer));
            clock.peek = nullptr;
        }
        EXPECT_EQ(std::tuple(w.currentPlayer(), Game::parts(w, 1), Game::parts(w, 2)), std::tuple(2, k, 0));
        this->turn(false);
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

} // namespace
