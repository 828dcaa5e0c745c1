// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Treasure Maze: a random maze the child walks a little figure through with the arrow keys, picking up
// three treasure bags before the exit at the top opens, against a running clock. A maze can also be
// printed as a worksheet, with the way out on a second page if asked for.

#include "arcade/MazeRules.h"
#include "platform/Picture.h"
#include "shell/ModeWindow.h"

#include <QImage>
#include <QString>

class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;
class Surface;
class WindowTimer;

class frmMaze : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmMaze(QWidget* opener);

    void Form_Load() override;

    PictureBox* picField;
    PictureBox* picSanta; // the figure, copied into the field
    PictureBox* picBag;   // a treasure bag, copied into the field
    PictureBox* picArrow; // the exit marker, over the gap in the wall
    QLabel* lblArrow;
    QLabel* lblMessage;
    QLabel* Label1;
    QLabel* lblTimer;
    SSCommand* cmdNew;
    SSCommand* cmdPrint;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;
    WindowTimer* Timer1;

    const MazeRules& maze() const { return Maze; }
    // The field's squares in its scale.
    double cellWidth() const { return CellWidth; }
    double cellHeight() const { return CellHeight; }

public slots:
    void cmdNew_Click();
    void cmdPrint_Click();
    // An arrow key walks the figure one square.
    void picField_KeyDown(int& KeyCode, Qt::KeyboardModifiers Shift);
    // Draws the maze on the field afresh, as the game stands.
    void picField_Paint();
    void Timer1_Timer();

protected:
    void Form_Unload() override;

private:
    void StopMode() override;
    void NewMaze();
    // Draws the walls, the figure and the bags still to find on the field, or (while Printing) on a
    // printed page, where the figure stands at the start, every bag is shown and the exit is open.
    void DrawMaze(Surface& target);
    // The way out of the maze as a line through the middle of its squares, for a printed answer page.
    void DrawWayOut(Surface& target);
    void ShowTreasuresLeft();
    // Square (row, column) of the field in its pixels.
    QRect squarePixels(int row, int col) const;
    void copyInto(int row, int col, const QImage& picture);

    MazeRules Maze;
    bool NewMazeNext = true;
    bool MazeShown = false;
    bool Printing = false;
    double CellWidth = 1;
    double CellHeight = 1;
    qint64 StartTime = 0;
    QImage FloorSquare;                             // a square of bare floor, to clear one with
    Picture FigurePicture, BagPicture, ExitPicture; // the pictures for the printed page
    QString DingWave, WowWave;
};

} // namespace nibsy
