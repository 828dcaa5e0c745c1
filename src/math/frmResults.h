// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results board that ends a turn-taking game: two lines of text and the names of the players who
// completed their figure, in player order. ShowResults fills it and shows it modally.

#include "shell/OptionsDialog.h"
#include "shell/Settings.h"

#include <array>

class QFrame;
class QLabel;
class QLineEdit;

namespace nibsy {

class SSCommand;

// Finished flags of players 1 to 4 (element 0 is not used).
using FinishedFlags = std::array<bool, 5>;

// A player's name as the games show it: an empty name is "Player n".
QString PlayerName(const Settings::FourNames& names, int player);
// Makes a name box of a game: it takes a name of any length but refuses the double quote, which the
// settings file cannot hold.
void makeNameBox(QLineEdit* box);
// The name as it fits on one line of that label or box: cut short with "…" when it is wider.
QString fittedName(const QString& name, const QWidget* where);
// A game's message to the player whose turn it is, for that label: "Player n:", the player's name as it
// fits, then what follows (lines separated by "\r").
QString turnMessage(const Settings::FourNames& names, int player, const QWidget* where, const QString& what);

// What the board shows, as ShowResults is given it.
struct ResultsBoard {
    QString title;
    QString line1;
    QString line2;
    int playerCount = 4;
    FinishedFlags finished{};
    Settings::FourNames names;
    int helpContext = 0;
};

class frmResults : public OptionsDialog {
    Q_OBJECT
public:
    frmResults(QWidget* owner, ResultsBoard board);

    // Fills the caption, the lines and the finishers' names.
    void Form_Load();
    int helpContext() const { return m_board.helpContext; }

    std::array<QLabel*, 2> Label1{};
    std::array<QLabel*, 4> lblWin{};
    QFrame* Shape1;
    SSCommand* cmdOK;

private:
    ResultsBoard m_board;
};

// Fills the board with the title (its caption), the two lines and the names of the players (1 to
// playerCount, at most 4) whose flag is set, then shows it modally; returns when it is closed.
void ShowResults(QWidget* owner, const QString& title, const QString& line1, const QString& line2,
                 int playerCount, const FinishedFlags& finished, const Settings::FourNames& names,
                 int helpContext);

} // namespace nibsy
