// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Memory Game: sixteen closed boxes hide eight pairs of colours, shapes or pictures. A turn opens two
// boxes; a pair is taken off the board, two different items close again. One player plays against the
// guess counter; two players take turns, a pair earns another turn, and more pairs win. The number of
// players and the items are chosen in the options window (optMem).

#include "matching/ShowItem.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>
#include <vector>

class QGroupBox;
class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;

class frmMem : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmMem(QWidget* opener);

    void Form_Load() override;

    // The boxes 1 to 16 (element 0 is not used): four rows of four.
    std::array<PictureBox*, 17> picHidden{};
    QLabel* lblMessage;
    // The counters of players 1 and 2 and their captions (element 0 is not used); with one player the
    // second counter counts the guesses.
    std::array<QLabel*, 3> lblP{};
    std::array<QLabel*, 3> lblMatch{};
    QGroupBox* fraChoice;
    SSCommand* cmdNew;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // For tests: the item in box b, and the two colours of the closed boxes.
    int itemInBox(int b) const { return b >= 1 && b <= 16 ? ItemInBox[size_t(b)] : 0; }
    int coverColor(int i) const { return CoverColor[size_t(i)]; }
    const ItemSet& items() const { return Items; }

public slots:
    void cmdNew_Click();
    void cmdOptions_Click();
    void picHidden_Click(int Index);

private:
    void FirstPick(int Index);
    void SecondPick(int Index);
    void CoverBox(int b);
    void TakeBox(int b);
    void Say(const QString& what);
    void ShowSecondCounter();
    void StopMode() override;
    // The settings as this window can use them.
    int Players() const;

    bool Played = false; // a game has been started: the counters hold its numbers
    int Guesses = 0;
    int Remaining = 0;
    int Player = 1;
    int PickStep = 1;
    std::array<int, 3> Picks{};
    std::array<int, 3> Matches{};
    std::array<int, 3> CoverColor{0, 14, 13};
    std::vector<qint16> ItemInBox;
    std::array<bool, 17> BoxOpen{};
    ItemSet Items;

    QString WowWave;
    QString BoingWave;
};

} // namespace nibsy
