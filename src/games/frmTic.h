// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tic Tac Toe: noughts and crosses on a 3 x 3 board, one player against the computer (whose fixed rules
// mixed with random moves make four levels) or two players at one mouse. The options window (optTic)
// sets the players, the level and who goes first.

#include "games/TicRules.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <QWidget>
#include <array>

class QFrame;
class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;

// The line through a winning row, column or diagonal: drawn over the grid, clicks pass through it.
class TicWinLine : public QWidget {
public:
    explicit TicWinLine(QWidget* parent);
    // The ends, in pixels of the window.
    void setEnds(QPoint from, QPoint to);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
};

class frmTic : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmTic(QWidget* opener);
    ~frmTic() override;

    void Form_Load() override;

    // The cells 1 to 9 (element 0 is not used), over the grid lines.
    std::array<PictureBox*, 10> imgTic{};
    std::array<QFrame*, 2> Line1{};
    std::array<QFrame*, 2> Line2{};
    // The symbols of sides 1 and 2, each beside its player's name.
    std::array<PictureBox*, 3> imgDisplay{};
    std::array<QLabel*, 3> lblPlayer{};
    TicWinLine* linWin;
    QLabel* lblMessage;
    SSCommand* cmdNew;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // What the board holds, for tests: 0 empty, 1 or 2 a side's mark, -1 the computer's.
    int cell(int i) const { return Board[size_t(i)]; }

public slots:
    void cmdNew_Click();
    void imgTic_Click(int Index);
    void cmdOptions_Click();

private:
    void SetPlayerNames();
    void ShowMessage(const QString& text);
    void AfterMove();
    void ComputerMove();
    int RandomCell();
    void PlaceMark(int Index);
    void DrawWinLine(int a, int c);
    void StopMode() override;
    bool OnePlayer() const;

    TicBoard Board{};
    int Side = 1;
    int LastCell = 0;
    double RandomShare = 0;
    int Result = 0;
    // The first and last cells of the winning line.
    int WinFrom = 0;
    int WinTo = 0;
    QString ZipWave;
};

} // namespace nibsy
