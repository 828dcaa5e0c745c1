// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of Treasure Maze, without widgets: the grid of squares, the random walk that carves a
// perfect maze into it, the three treasure bags, the player's steps and the exit that opens once every
// bag has been found; also the shape of each piece of wall, for whatever surface draws it, and the way
// through the maze that a printed answer shows.

#include <QRectF>
#include <QtGlobal>
#include <array>
#include <vector>

namespace nibsy {

class MazeRules {
public:
    // Rows 0..20 by columns 0..28; rooms lie where row and column are both even (rows 2..18, columns
    // 2..26), the squares between them are passages, row 1, row 19, column 1 and column 27 the outer wall.
    static constexpr int Rows = 21;
    static constexpr int Cols = 29;
    static constexpr int StartRow = 18; // the player starts in the bottom-right room
    static constexpr int StartCol = 26;
    static constexpr int ExitRow = 1; // the gap in the outer wall above room (2, 4)
    static constexpr int ExitCol = 4;
    static constexpr int Bags = 3;

    // What a square holds.
    enum Code : qint16 {
        Player = 1,
        Bag = 15,
        Outside = 32,
        Wall = 72,
        Floor = 80,
        EnteredBy0 = 81, // 81..84 while the walk runs: a room entered in direction 0..3
        WalkStart = 85,  // while the walk runs: the room it started from
    };
    // ExitState.
    enum ExitStates { ExitClosed = 0, ExitOpen = 1, WalkedOut = 2 };
    // What a step did.
    enum class Step { Blocked, Moved, FoundBag, LeftMaze };

    struct Square {
        int row = 0;
        int col = 0;
        bool operator==(const Square&) const = default;
    };

    MazeRules();

    // The code of a square; Outside for one off the grid.
    qint16 at(int row, int col) const;
    void set(int row, int col, qint16 code);

    // A new maze: walls everywhere, the walk, three bags and the player in the start room. The walk
    // takes one random number a step, the bags two a try.
    void NewMaze();
    // The walk alone (steps 1 to 3 of a new maze), from room (2, 2).
    void CarveMaze();
    // Three bags on open squares, none on another, none on the player's start square.
    void PlaceTreasures();
    // The player on the start square, the exit closed and every bag still to find.
    void PlacePlayer();

    // One step of the player by dRow, dCol. A step onto floor or a bag moves; the last bag opens the
    // exit; a step up out of room (2, 4) with the exit open leaves the maze.
    Step Move(int dRow, int dCol);

    // The shortest way from one square to another over open squares (floor, a bag or the player), both
    // ends included, each step to the square above, below, left or right; the last square may be closed
    // (the exit before it opens). Empty when there is no way.
    std::vector<Square> Route(Square from, Square to) const;
    // How the maze is solved from the start square: to every bag, in the order that makes the walk
    // shortest, then up through the exit.
    std::vector<Square> WayOut() const;

    // Whether the square is a piece of wall that is drawn (the player and bags stand on floor).
    bool isWallPiece(int row, int col) const;
    // Its wall neighbours: left 1 + up 2 + right 4 + down 8.
    int WallPattern(int row, int col) const;
    // The bars that draw a wall piece of that pattern, in fractions of its square: a straight wall runs
    // across the whole square in the middle fifth of it, a corner or junction joins bars from the middle
    // towards each wall neighbour.
    static std::vector<QRectF> WallBars(int pattern);

    int PlayerRow = StartRow;
    int PlayerCol = StartCol;
    int NextRow = StartRow;
    int NextCol = StartCol;
    std::array<int, Bags> TreasureRow{};
    std::array<int, Bags> TreasureCol{};
    int TreasuresLeft = Bags;
    int ExitState = ExitClosed;

private:
    static int index(int row, int col) { return col * Rows + row; }
    std::array<qint16, Rows * Cols> MazeGrid{};
};

} // namespace nibsy
