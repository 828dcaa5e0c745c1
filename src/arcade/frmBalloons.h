// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Balloon Popper: a one-minute game. Five balloons drift down the field, each in its own lane at its own
// speed; the child moves the arrow along the bottom with the arrow keys, and a balloon that comes down
// onto it pops and scores. Each scene is drawn into an off-screen buffer and copied to the field whole.

#include "arcade/BalloonRules.h"
#include "shell/ModeWindow.h"

#include <QImage>
#include <QString>
#include <array>
#include <optional>

class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;
class SSPanel;
class WindowTimer;

class frmBalloons : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    // One minute, in milliseconds.
    static constexpr int GameMs = 60000;
    explicit frmBalloons(QWidget* opener);

    void Form_Load() override;

    // 0 the field on the screen, 1 the buffer each scene is drawn in (never shown).
    std::array<PictureBox*, 2> picBalloons{};
    // The five balloons, one colour each, and the mask they share; the arrow and its mask.
    std::array<QImage, BalloonRules::Colors> picBalloon;
    QImage picBalloonMask;
    QImage picArrow;
    QImage picArrowMask;
    QLabel* Label1;
    QLabel* lblScore;
    QLabel* Label2;
    SSPanel* pnlTime;
    QLabel* picKeys; // the two arrow keys
    SSCommand* cmdNew;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;
    WindowTimer* timBalloons;
    WindowTimer* timGame;

    const BalloonRules& rules() const { return *Rules; }

public slots:
    void cmdNew_Click();
    void picBalloons_KeyDown(int& KeyCode, Qt::KeyboardModifiers Shift);
    // A press on the pictured keys works as that key: the left half moves the arrow left.
    void picKeys_MouseDown(int x);
    void timBalloons_Timer();
    void timGame_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Activate() override;
    void Form_Unload() override;

private:
    void StopMode() override;
    void NewBalloon(int i);
    void DrawScene();
    void ShowTimeLeft();

    std::optional<BalloonRules> Rules;
    int Score = 0;
    qint64 StartMs = 0; // on the monotonic clock
    QString PopWave;
};

} // namespace nibsy
