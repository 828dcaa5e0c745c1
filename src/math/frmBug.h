// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bug Builder: one to four players take turns at stopping a flashing target. Nearly two stops in three
// are hits, and a hit adds the next part to the player's bug. After each full round, everyone whose bug
// has all six parts is named on the results board, and the game is over. Players and their names are set
// on the window itself.

#include "platform/Picture.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;
class WindowTimer;

class frmBug : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmBug(QWidget* opener);
    ~frmBug() override;

    void Form_Load() override;

    QGroupBox* Frame1;
    std::array<QRadioButton*, 4> optNum{};
    std::array<QLineEdit*, 5> txtName{}; // 1 to 4
    std::array<PictureBox*, 5> picBug{}; // 1 to 4
    PictureBox* picFlash;
    WindowTimer* Timer1;
    // 0 the hit picture, 1 the miss picture: kept hidden, shown in the target after a stop.
    std::array<PictureBox*, 2> picResults{};
    QLabel* lblMessage;
    SSCommand* cmdNew;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    int currentPlayer() const { return CurrentPlayer; }
    int partsBuilt(int player) const { return PartsBuilt[size_t(player)]; }

public slots:
    void optNum_Click(int Index);
    void txtName_LostFocus(int Index);
    void cmdNew_Click();
    void picFlash_Click();
    // A key on the target; Enter stops it as a click does.
    void picFlash_KeyPress(int& KeyAscii);
    void Timer1_Timer();
    // Redraws the parts of that player's bug.
    void picBug_Paint(int Index);

protected:
    void showEvent(QShowEvent* event) override;
    void Form_Unload() override;

private:
    void StopMode() override;
    void ShowPlayers(int count);
    void ShowIdleMessage();
    void ShowName(int p);
    void SayToPlayer(const QString& what);
    void NewBugTurn();
    void TakeTurn();
    void DrawBugPart(int p, int k);
    void NextTurn();

    int Players = 1;
    int CurrentPlayer = 1;
    std::array<int, 5> PartsBuilt{};
    QString BugWave;
};

} // namespace nibsy
