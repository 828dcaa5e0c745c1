// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results board is modal: a watch reads it as soon as it is up, asks it for help with F1, and
// closes it with its OK button, so the game that opened it goes on.

#include "math/frmResults.h"
#include "platform/SSCommand.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QTimer>

namespace nibsy::test {

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

} // namespace nibsy::test
