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
#include <memory>

namespace nibsy::test {

struct ResultsSeen {
    bool shown = false;
    QString title;
    QStringList lines;
    QStringList names; // the four name labels, empty ones too
};

class ResultsWatch {
public:
    explicit ResultsWatch(FakeHelp& help) : m_help(help) {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }
    ResultsSeen seen;
    QList<int> helpAsked;

private:
    void look() {
        auto* board = qobject_cast<frmResults*>(QApplication::activeModalWidget());
        if (!board || seen.shown) {
            return;
        }
        seen.shown = true;
        seen.title = board->windowTitle();
        seen.lines = {board->Label1[0]->text(), board->Label1[1]->text()};
        for (QLabel* label : board->lblWin) {
            seen.names << label->text();
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

} // namespace nibsy::test
