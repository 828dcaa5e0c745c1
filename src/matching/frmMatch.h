// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matching Fun: up to nine closed boxes hide colours, shapes or pictures; the display box shows one item
// at a time and the child clicks the box that hides it. A found box stays open, a wrong one opens for a
// moment and closes again, and every click counts as a guess. How many boxes and which kind of items
// are chosen in the options window (optMatch).

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

class frmMatch : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmMatch(QWidget* opener);

    void Form_Load() override;

    // The boxes 1 to 9 (element 0 is not used): three rows of three.
    std::array<PictureBox*, 10> picHidden{};
    PictureBox* picDisplay;
    QLabel* Label1;
    QLabel* lblGuess;
    QGroupBox* fraChoice;
    SSCommand* cmdNew;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // What the game hides where, for tests: the item in box b, the box asked for now.
    int itemInBox(int b) const { return b >= 1 && b <= 9 ? ItemInBox[size_t(b)] : 0; }
    int targetBox() const { return TargetBox; }
    int coverColor() const { return CoverColor; }
    const ItemSet& items() const { return Items; }

public slots:
    void cmdNew_Click();
    void cmdOptions_Click();
    void picHidden_Click(int Index);

private:
    void CoverBox(int index);
    void ShowTarget();
    void StopMode() override;
    // The settings as this window can use them.
    int ItemCount() const;

    int Guesses = 0;
    int Remaining = 0;
    int TargetBox = 0;
    int CoverColor = 14;
    std::vector<qint16> ItemInBox;
    std::vector<qint16> FindOrder;
    std::array<bool, 10> BoxFound{};
    ItemSet Items;

    QString SpaceWave;
    QString BoingWave;
};

} // namespace nibsy
