// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Patterns: rows of one to six colours or shapes. Same Pattern asks for the row equal to a model, Different
// Pattern for the row unlike the other three, Matching Pattern for the model built again item by item from
// seven choices, and Hidden Pattern for the same with the model covered but for one-second glimpses
// ("Flash Pattern"). The kind of item and the row length are chosen on the choice screen.

#include "shapes/PattQuestions.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;

// The modes, numbered as the choice buttons (index + 1).
enum class PattMode { None, Same, Different, Matching, Hidden };

class frmPatt : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmPatt(QWidget* opener);

    void Form_Load() override;

    QGroupBox* fraChoices;
    QGroupBox* fraType;
    std::array<QRadioButton*, 2> optType{}; // 0 colours, 1 shapes
    QGroupBox* fraLength;
    std::array<QRadioButton*, 6> optLength{}; // lengths 1 to 6
    std::array<SSCommand*, 4> cmdChoice{};
    QLabel* lblTitle;
    std::array<PictureBox*, PattRowCount> picDisplay{}; // row 0 the model
    std::array<PictureBox*, 7> picChoice{};             // item values 0 to 6
    QFrame* shpFlash;                                   // the cover over the model
    SSCommand* cmdFlash;
    std::array<PictureBox*, 2> imgGood{};
    QGroupBox* fraChoice;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

public slots:
    void optType_Click(int Index);
    void optLength_Click(int Index);
    void cmdChoice_Click(int Index);
    void picDisplay_Click(int Index);
    void picChoice_Click(int Index);
    void cmdFlash_Click();

private:
    PattMode Mode() const { return PattMode(modeNumber()); }
    void StopMode() override;
    void createChoices();
    void hideModeControls();

    void AskSame();
    void AskDifferent();
    void AskRebuild();
    void NextExpected();
    // A right answer: the praise pictures show while a praise sound plays.
    // Empties a row (or choice box) of n cells, showing its outline and the edges of its cells.
    void ClearRow(PictureBox& box, int n);
    void DrawRow(int row);
    // Item value into the cell at position of the box, as the question draws its items.
    void DrawCell(PictureBox& box, int position, int value);

    PattQuestion Question;
    bool Colors = false; // a colours game: every item is the question's shape in its own colour
    int Length = 1;
    int Answer = 0;
    int Entered = 0;
    int CellPixels = 1;

    QString DingWave;
};

} // namespace nibsy
