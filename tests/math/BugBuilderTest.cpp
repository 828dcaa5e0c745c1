// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bug Builder's own rules: players and names chosen on the window, the flashing target, and the stop that
// is a hit or a miss. What it shares with Snowman Math is played in PlayerGamesTest.cpp.

#include "math/PlayerGames.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

class BugBuilder : public WindowFixture<frmBug> {
protected:
    frmBug* open(int players = 1) {
        settings().BugPlayers = qint16(players);
        return WindowFixture::open();
    }
    QString message() { return w->lblMessage->text(); }
    // Who plays: the names and bugs shown.
    int playersShown() {
        int shown = 0;
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(w->txtName[size_t(p)]->isVisible(), w->picBug[size_t(p)]->isVisible());
            shown += w->picBug[size_t(p)]->isVisible();
        }
        return shown;
    }
};

TEST_F(BugBuilder, PlayersAndNamesAreChosenOnTheWindowAndNothingCountsBetweenGames) {
    for (const auto& [stored, shown] : {std::pair{9, 4}, std::pair{-1, 1}}) {
        open(stored);
        EXPECT_TRUE(w->optNum[size_t(shown - 1)]->isChecked()) << stored;
        EXPECT_EQ(playersShown(), shown) << stored;
    }
    for (int n : {2, 4, 1}) {
        click(w->optNum[size_t(n - 1)]);
        EXPECT_EQ(settings().BugPlayers, n);
        EXPECT_EQ(playersShown(), n);
    }
    click(w->optNum[1]);
    w->txtName[1]->clear();
    test::type(w->txtName[1], "Ada \"A\", 5");
    EXPECT_EQ(settings().BugPlayerName[1], "Ada A, 5");
    // A box left empty shows the player's name as soon as the parent moves on.
    w->txtName[2]->setFocus();
    w->txtName[2]->clear();
    w->txtName[1]->setFocus();
    EXPECT_EQ(w->txtName[2]->text(), "Player 2");
    click(w->picFlash);
    QTest::keyClick(w->picFlash, Qt::Key_Return);
    EXPECT_EQ(fake.random.drawn(), 0);
    EXPECT_EQ(heard(), QStringList());
}

TEST_F(BugBuilder, TheTargetFlashesRingsOfPaletteColoursUntilStopEndsTheGame) {
    open();
    const QImage blank = w->picFlash->image();
    click(w->cmdNew);
    EXPECT_TRUE(w->picFlash->hasFocus());
    fake.clock.advance(20);
    QCoreApplication::processEvents();
    const QImage& flash = w->picFlash->image();
    EXPECT_NE(flash, blank);
    const int middle = flash.height() / 2;
    // Rings of palette colours (their edges blend) from the edge of the target to its middle.
    std::set<QRgb> colours;
    for (int x = int(flash.width() * 0.06); x < flash.width() / 2; ++x) {
        for (int n = 0; n < 16; ++n) {
            if (QBColor(n).rgb() == flash.pixel(x, middle)) {
                colours.insert(flash.pixel(x, middle));
            }
        }
    }
    EXPECT_GT(colours.size(), 3u);
    EXPECT_EQ(flash.pixel(2, middle), QColor(255, 255, 255).rgb()); // outside the rings
    click(w->cmdExit);
    EXPECT_FALSE(w->Timer1->isEnabled());
    EXPECT_EQ(BugGame::setUp(*w), (QList<bool>{true, true, true}));
    EXPECT_EQ(message(), BugGame::Idle);
    click(w->picFlash);
    EXPECT_EQ(heard(), QStringList());
}

TEST_F(BugBuilder, AStopBelowSixtyFivePerCentIsAHitAndTheOutcomeShowsWhileItIsHeard) {
    struct Case {
        double drawn;
        bool byKey;
        QStringList sounds, seen;
        int parts;
    };
    const QString hit = "Player 1:\nPlayer 1\nA Hit!\nYou get a body",
                  miss = "Player 1:\nPlayer 1\nSorry ...\nA Miss";
    for (const Case& c : {Case{0.64, false, {"tada.wav"}, {hit, hit}, 1},
                          Case{0.65, true, {"uhoh.wav"}, {miss, miss, miss}, 0}}) {
        SCOPED_TRACE(c.drawn);
        open(2);
        click(w->cmdNew);
        heard();
        PeekingClock& clock = PeekingClock::install();
        QStringList seen;
        clock.peek = [&](qint64) { seen << message(); };
        fake.random.script({c.drawn});
        if (c.byKey) {
            QTest::keyClick(w->picFlash, Qt::Key_Return);
        } else {
            click(w->picFlash);
        }
        EXPECT_EQ(heard(), c.sounds);
        EXPECT_EQ(w->partsBuilt(1), c.parts);
        // Sound, the picture shown for a second, half a second more after a miss.
        EXPECT_EQ(clock.totalWaited(), c.parts ? 1500 : 2000);
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(w->currentPlayer(), 2);
        EXPECT_EQ(message(), "Player 2:\nPlayer 2\nYour Turn\nClick Circles");
        EXPECT_TRUE(w->Timer1->isEnabled());
    }
}

} // namespace
