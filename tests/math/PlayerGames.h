// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Snowman Math and Bug Builder side by side: how a turn is won or lost in each, what each says and
// draws, and a watch on the results board that ends a game.

#include "MathFixture.h"
#include "math/frmBug.h"
#include "math/frmResults.h"
#include "math/frmSnow.h"
#include "platform/WindowTimer.h"
#include "shell/Palette.h"

#include <QLabel>
#include <QTimer>

namespace nibsy::test {

// The results board is modal: a watch reads it as soon as it is up, asks it for help with F1, and
// closes it with its OK button, so the game that opened it goes on.
class ResultsWatch {
public:
    explicit ResultsWatch(FakeHelp& help) : m_help(help) {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }
    bool shown = false;
    QStringList lines; // title, the two lines, then the four name labels, empty ones too
    QList<int> helpAsked;

private:
    void look() {
        auto* board = qobject_cast<frmResults*>(QApplication::activeModalWidget());
        if (!board || shown) {
            return;
        }
        shown = true;
        lines = QStringList{board->windowTitle(), board->Label1[0]->text(), board->Label1[1]->text()};
        for (QLabel* label : board->lblWin) {
            lines << label->text();
        }
        const qsizetype before = m_help.asked.size();
        QTest::keyClick(board, Qt::Key_F1);
        helpAsked = m_help.asked.mid(before);
        click(board->cmdOK);
        m_timer.stop();
    }
    FakeHelp& m_help;
    QTimer m_timer;
};

// Plays six rounds of a game for players 1..players, turn(p) playing each turn; the board must stay
// down and the turns go round in order until the last turn of the sixth round.
template <class Window, class Turn>
void playSixRounds(Window& w, int players, const ResultsWatch& watch, Turn turn) {
    for (int round = 1; round <= 6; ++round) {
        for (int p = 1; p <= players; ++p) {
            ASSERT_FALSE(watch.shown) << round << " " << p;
            ASSERT_EQ(w.currentPlayer(), p) << round;
            turn(p);
        }
    }
    ASSERT_TRUE(watch.shown);
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->text(), "E&xit");
}

// Where a part of a picture shows first, in fractions of its width and height, and the palette colour
// there before (-1: the picture's ground) and after it is drawn.
struct Part {
    QPointF at;
    int before, after;
};

struct SnowmanGame {
    using Window = frmSnow;
    static constexpr const char* Name = "Snowman";
    static constexpr const char* Prompt = "Type Answer\nPress Enter";
    static constexpr const char* Cheer = "\nGood!\nYou get a body";
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
    static constexpr const char* Name = "BugBuilder";
    static constexpr const char* Prompt = "Your Turn\nClick Circles";
    static constexpr const char* Cheer = "Player 1:\nPlayer 1\nA Hit!\nYou get a body";
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
    // The white of an eye, and the last toe of the lowest leg.
    static constexpr Part Finish[] = {{{0.45, 0.15}, -1, 15}, {{0.125, 0.95}, -1, 14}};

    static qint16& players() { return settings().BugPlayers; }
    static Settings::FourNames& names() { return settings().BugPlayerName; }
    static PictureBox* picture(Window& w, int p) { return w.picBug[size_t(p)]; }
    static int parts(Window& w, int p) { return w.partsBuilt(p); }
    // The target stopped by a click, a hit or a miss.
    static void turn(Window& w, FakePlatform& fake, bool win) {
        fake.random.script({win ? 0.0 : 0.99});
        click(w.picFlash);
    }
    static void poke(Window& w) {
        click(w.picFlash);
        QTest::keyClick(w.picFlash, Qt::Key_Return);
    }
    static QList<bool> setUp(Window& w) {
        return {w.cmdNew->isEnabled(), w.Frame1->isEnabled(), !w.txtName[1]->isReadOnly()};
    }
};

} // namespace nibsy::test
