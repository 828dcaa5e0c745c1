// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Snowman Math: one to four players take turns at sums and differences, each of their own type and
// size. A right answer earns the next part of the player's snowman; a wrong one shows the answer until
// "Next Player" is clicked. The game ends at the end of the first round in which somebody's snowman is
// complete, and the results board names everyone who finished.

#include "shell/ModeWindow.h"

#include <QString>
#include <array>

class QLabel;
class QLineEdit;

namespace nibsy {

class PictureBox;
class SSCommand;

// The SnowPlayerType setting.
enum class SnowType { Addition = 1, Subtraction = 2, Both = 3 };

class frmSnow : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmSnow(QWidget* opener);

    void Form_Load() override;

    std::array<PictureBox*, 5> picSnow{}; // 1 to 4
    std::array<QLineEdit*, 5> txtName{};  // 1 to 4
    std::array<QLabel*, 2> lblNumber{};   // the top and the bottom number
    std::array<QLabel*, 2> Label1{};      // the sign, and the rule under the problem
    QLineEdit* txtAnswer;
    QLabel* lblMessage;
    SSCommand* cmdOK;
    SSCommand* cmdErase;
    SSCommand* cmdNew;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    int currentPlayer() const { return CurrentPlayer; }
    int partsEarned(int player) const { return PartsEarned[size_t(player)]; }

public slots:
    void cmdNew_Click();
    void cmdOK_Click();
    void cmdErase_Click();
    void cmdOptions_Click();
    // Redraws the parts that player has earned.
    void picSnow_Paint(int Index);
    // A key typed into the answer box; set KeyAscii to 0 to drop it.
    void txtAnswer_KeyPress(int& KeyAscii);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StopMode() override;
    void ShowPlayers();
    void NewSnowProblem();
    void CheckAnswer();
    void DrawSnowPart(int p, int k);
    void NextTurn();

    int Players = 1;
    int CurrentPlayer = 1;
    std::array<int, 5> PartsEarned{};
    int Answer = 0;
    // The answer box takes an answer only while a player's problem waits for it.
    bool TurnOpen = false;
    QString WowWave;
    QString SnowmanWave;
};

} // namespace nibsy
