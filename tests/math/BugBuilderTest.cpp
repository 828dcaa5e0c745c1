// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bug Builder played as children play it: players and names chosen on the window, the flashing target
// stopped by a click or Enter, hits and misses forced by scripting the random numbers, and the results
// board read when the game ends.

#include "math/ResultsWatch.h"
#include "math/frmBug.h"
#include "platform/Clock.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"
#include "platform/WindowTimer.h"
#include "shell/Palette.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

constexpr double Hit = 0.0;
constexpr double Miss = 0.99;

class BugBuilder : public WindowFixture<frmBug> {
protected:
    frmBug* open(int players = 1) {
        settings().BugPlayers = qint16(players);
        return WindowFixture::open();
    }
    // Stops the target with the outcome given.
    void stop(double drawn) {
        fake.random.script({drawn});
        click(w->picFlash);
    }
    QString message() { return w->lblMessage->text(); }
    QColor at(int p, double fx, double fy) {
        const QImage& image = w->picBug[size_t(p)]->image();
        return image.pixelColor(int(fx * image.width()), int(fy * image.height()));
    }
    static constexpr const char* Idle = "Choose Number of\nPlayers, Enter Names\nClick New Game";
};

TEST_F(BugBuilder, PlayersAndNamesAreChosenOnTheWindowAndKept) {
    for (const auto& [stored, shown] : {std::pair{-1, 1}, std::pair{9, 4}, std::pair{3, 3}}) {
        settings().BugPlayerName[2] = "";
        open(stored);
        EXPECT_TRUE(w->optNum[size_t(shown - 1)]->isChecked()) << stored;
        for (int p = 1; p <= 4; ++p) {
            EXPECT_EQ(w->picBug[size_t(p)]->isVisible(), p <= shown) << stored << " " << p;
            EXPECT_EQ(w->txtName[size_t(p)]->isVisible(), p <= shown) << stored << " " << p;
        }
    }
    EXPECT_EQ(w->txtName[2]->text(), "Player 2");
    EXPECT_EQ(message(), Idle);
    click(w->optNum[1]);
    EXPECT_EQ(settings().BugPlayers, 2);
    EXPECT_FALSE(w->txtName[3]->isVisible());
    w->txtName[1]->clear();
    test::type(w->txtName[1], "Ada \"A\", 5");
    EXPECT_EQ(settings().BugPlayerName[1], "Ada A, 5");
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{12});
    // Nothing counts while no game runs.
    click(w->picFlash);
    QTest::keyClick(w->picFlash, Qt::Key_Return);
    EXPECT_EQ(fake.random.drawn(), 0);
    EXPECT_EQ(heard(), QStringList());
    exitToMenu();
}

TEST_F(BugBuilder, TheTargetFlashesRingsOfPaletteColoursUntilStopEndsTheGame) {
    open();
    const QImage blank = w->picFlash->image();
    click(w->cmdNew);
    EXPECT_EQ(w->cmdExit->text(), "&Stop");
    EXPECT_FALSE(w->Frame1->isEnabled());
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
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_EQ(message(), Idle);
    heard();
    click(w->picFlash);
    EXPECT_EQ(heard(), QStringList());
}

TEST_F(BugBuilder, AStopBelowSixtyFivePerCentIsAHit) {
    struct Case {
        double drawn;
        bool byKey;
        QStringList sounds;
        int parts;
    };
    for (const Case& c : {Case{0.64, false, {"tada.wav"}, 1}, Case{0.65, false, {"uhoh.wav"}, 0},
                          Case{0.0, true, {"tada.wav"}, 1}, Case{0.999, true, {"uhoh.wav"}, 0}}) {
        SCOPED_TRACE(c.drawn);
        open(2);
        click(w->cmdNew);
        heard();
        const qint64 waited = fake.clock.totalWaited();
        if (c.byKey) {
            fake.random.script({c.drawn});
            QTest::keyClick(w->picFlash, Qt::Key_Return);
        } else {
            stop(c.drawn);
        }
        EXPECT_EQ(heard(), c.sounds);
        EXPECT_EQ(w->partsBuilt(1), c.parts);
        // Sound, the picture shown for a second, half a second more after a miss.
        EXPECT_EQ(fake.clock.totalWaited() - waited, c.parts ? 1500 : 2000);
        EXPECT_EQ(w->currentPlayer(), 2);
        EXPECT_EQ(message(), "Player 2:\nPlayer 2\nYour Turn\nClick Circles");
        EXPECT_TRUE(w->Timer1->isEnabled());
    }
}

TEST_F(BugBuilder, HitsBuildTheBugPartByPart) {
    open();
    click(w->cmdNew);
    const QColor grass = at(1, 0.5, 0.5);
    struct Part {
        double x, y;
        QColor before, after;
    };
    const QColor red = QBColor(12);
    const Part parts[] = {
        {0.5, 0.8, grass, red},           // the body
        {0.5, 0.15, grass, red},          // the head
        {0.45, 0.175, red, QBColor(0)},   // a pupil in its white eye
        {0.1, 0.125, grass, QBColor(13)}, // a feeler's knob
        {0.1, 0.36, grass, QBColor(14)},  // the bend of the upper left leg
        {0.4, 0.625, red, QBColor(10)},   // a spot
    };
    ResultsWatch watch(fake.help); // the sixth hit ends the game
    for (int k = 1; k <= 6; ++k) {
        const Part& part = parts[k - 1];
        EXPECT_EQ(at(1, part.x, part.y), part.before) << k;
        stop(Hit);
        EXPECT_EQ(at(1, part.x, part.y), part.after) << k;
    }
    EXPECT_EQ(at(1, 0.45, 0.15), QBColor(15)); // the white of the eye
    EXPECT_EQ(at(1, 0.5, 0.98), grass);
    w->picBug_Paint(1);
    EXPECT_EQ(at(1, 0.4, 0.625), QBColor(10));
}

TEST_F(BugBuilder, TheGameEndsOnlyAtTheEndOfTheRoundAndNamesEveryFinisherInPlayerOrder) {
    settings().BugPlayerName[2] = "Anna, Ben";
    struct Case {
        int players;
        std::set<int> hitters;
        QStringList named;
    };
    for (const Case& c : {Case{1, {1}, {"Player 1", "", "", ""}}, Case{2, {1}, {"Player 1", "", "", ""}},
                          Case{2, {1, 2}, {"Player 1", "Anna, Ben", "", ""}},
                          Case{4, {2, 4}, {"Anna, Ben", "Player 4", "", ""}}}) {
        SCOPED_TRACE(c.players);
        open(c.players);
        click(w->cmdNew);
        ResultsWatch watch(fake.help);
        playSixRounds(*w, c.players, watch, [&](int p) {
            heard();
            stop(c.hitters.count(p) ? Hit : Miss);
        });
        EXPECT_EQ(heard().last(), "bug.wav");
        EXPECT_EQ(watch.lines, QStringList({"Bug Builder Results", "The game is over.",
                                            "These player(s) finished their bugs:"}) +
                                   c.named);
        EXPECT_EQ(watch.helpAsked, QList<int>{12});
        EXPECT_FALSE(w->Timer1->isEnabled());
        EXPECT_EQ(message(), Idle);
    }
}

// A clock that looks at the window each time the game waits: while a sound plays or a picture shows.
class PeekingClock : public FakeClock {
public:
    void wait(qint64 ms) override {
        peek();
        FakeClock::wait(ms);
    }
    std::function<void()> peek;
};

TEST_F(BugBuilder, WhileTheHitOrMissShowsThePromptSaysWhatCameOfItAndAnEmptiedNameIsShownAsUsed) {
    settings().BugPlayerName[1] = "Mia";
    open(2);
    test::type(w->txtName[1], "\b\b\b");
    click(w->cmdNew);
    EXPECT_EQ(w->txtName[1]->text(), "Player 1");
    auto* clock = new PeekingClock;
    services().clock.reset(clock);
    QStringList seen;
    clock->peek = [&] { seen << message(); };
    stop(Hit);
    stop(Miss);
    const QString hit = "Player 1:\nPlayer 1\nA Hit!\nYou get a body",
                  miss = "Player 2:\nPlayer 2\nSorry ...\nA Miss";
    EXPECT_EQ(seen, QStringList({hit, hit, miss, miss, miss}));
    clock->peek = [] {};
    // Left empty, a box shows its name as soon as the parent moves on; a long name is cut short to fit
    // the board that ends the game.
    click(w->cmdExit);
    w->txtName[2]->setFocus();
    test::type(w->txtName[2], "\b\b\b\b\b\b\b\b");
    w->txtName[1]->setFocus();
    EXPECT_EQ(w->txtName[2]->text(), "Player 2");
    click(w->optNum[0]);
    settings().BugPlayerName[1] = "Bartholomew Fitzgerald Jones";
    click(w->cmdNew);
    ResultsWatch watch(fake.help);
    for (int k = 1; k <= 6; ++k) {
        stop(Hit);
    }
    ASSERT_TRUE(watch.shown);
    EXPECT_TRUE(watch.lines.value(3).endsWith(u'\u2026') && watch.lines.value(3).startsWith("Bartholomew"))
        << qPrintable(watch.lines.value(3));
}

TEST_F(BugBuilder, ClicksMadeWhileTheHitShowsDoNotTakeAnotherTurn) {
    services().clock = std::make_unique<SystemClock>();
    fake.sound.lengthMs = 50;
    open(2);
    click(w->cmdNew);
    QTimer::singleShot(300, w, [this] {
        // A click that reached the target at once must not start a turn inside this one either.
        click(w->picFlash);
        const QPointF at = w->picFlash->mapTo(w, w->picFlash->rect().center());
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                w->windowHandle(), at, w->mapToGlobal(at),
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
        }
    });
    heard();
    stop(Hit);
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(heard(), QStringList{"tada.wav"});
    EXPECT_EQ(w->currentPlayer(), 2);
    EXPECT_EQ(w->partsBuilt(2), 0);
    EXPECT_TRUE(w->Timer1->isEnabled());
}

} // namespace
