// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puzzle Time: a picture of the application folder cut into 2 x 2, 3 x 3 or 4 x 4 pieces. Scrambled, the
// pieces lie beside the empty puzzle frame and the child drags each into a cell; the puzzle is solved
// when every cell holds its own piece. The picture and the size are chosen between games.

#include "arcade/PuzRules.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;

class frmPuz : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmPuz(QWidget* opener);

    void Form_Load() override;

    PictureBox* picPuzzle;
    // Holds the chosen picture at the puzzle's size; the pieces are cut from it.
    PictureBox* pichide;
    // The pieces 1 to 16 (element 0 is not used).
    std::array<PictureBox*, PuzRules::MaxPieces + 1> picPiece{};
    // The grid lines over the puzzle: vertical (Line1) and horizontal (Line2), three each.
    std::array<QFrame*, 3> Line1{};
    std::array<QFrame*, 3> Line2{};
    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> optSize{};
    QLabel* Label1;
    QComboBox* cboFiles;
    // Tells the parent when there is no picture to puzzle.
    QLabel* lblNote;
    SSCommand* cmdScramble;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // For tests: the rules of the game in play.
    const PuzRules& rules() const { return Rules; }

public slots:
    void optSize_Click(int Index);
    void cboFiles_Click();
    void cmdScramble_Click();
    void picPiece_MouseDown(int Index);
    void picPuzzle_DragDrop(double X, double Y);
    void picPiece_DragDrop(int Index);
    void picPiece_DragCancelled(int Index);
    void Form_DragDrop(double X, double Y);

private:
    void SetUpGrid();
    void ShowGridLines();
    void HideGridLines();
    // Reads the picture file of that entry into pichide and shows it in the puzzle box; false (and
    // nothing changes) when the file is missing or cannot be read.
    bool LoadPuzzle(int entry);
    // The piece goes to the cell it lies in, or to its home place outside the puzzle.
    void PlacePiece(int p);
    void StopMode() override;

    PuzRules Rules;
    int n = 2;
    int PuzzleOuterWidth = 0; // twips
    int PuzzleInnerWidth = 0; // pixels, the puzzle box's own scale
    int PieceOuterSize = 0;   // twips
    int PieceSize = 0;        // pixels
    int HomeLeft0 = 0;
    int HomeTop0 = 0;
    std::array<int, PuzRules::MaxPieces + 1> HomeLeft{};
    std::array<int, PuzRules::MaxPieces + 1> HomeTop{};
    std::array<int, PuzRules::MaxPieces + 1> SlotLeft{};
    std::array<int, PuzRules::MaxPieces + 1> SlotTop{};
    int ShownEntry = -1; // the entry of cboFiles whose picture the puzzle shows

    QString SpaceWave;
    QString WowWave;
};

} // namespace nibsy
