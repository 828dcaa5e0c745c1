// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of Puzzle Time without the window: the scramble (never the picture's own order), which cell
// each piece belongs in, where each piece lies and which piece each cell holds, picking a piece up and
// putting it down, and the solved test. Cells and pieces are numbered from 1, row by row; a cell or a
// piece of 0 is none.
//
// The bookkeeping keeps one piece per cell at all times: a piece picked up from a cell frees it, and a
// drop that is refused (on a taken cell, on a piece in a cell, on another control, outside the window)
// puts it back where it was picked up from.

#include <QtGlobal>
#include <array>
#include <vector>

namespace nibsy {

class PuzRules {
public:
    static constexpr int MaxSide = 4;
    static constexpr int MaxPieces = MaxSide * MaxSide;

    // The number of cells across and down for the PuzzleSize setting (0 to 2; others are clamped).
    static int sideFor(int puzzleSize);

    // A new game of side x side pieces (2 to 4): a random order of the pieces other than the picture's
    // own, every piece outside the puzzle and every cell empty.
    void scramble(int side);

    int side() const { return m_side; }
    int pieceCount() const { return m_side * m_side; }
    // Order[s]: the piece that shows the image of cell s.
    int order(int s) const { return at(Order, s); }
    // PieceTarget[p]: the cell whose image piece p shows, its right cell.
    int target(int p) const { return at(PieceTarget, p); }
    // PieceSlot[p]: the cell piece p lies in, 0 outside the puzzle.
    int slotOf(int p) const { return at(PieceSlot, p); }
    // SlotPiece[s]: the right cell of the piece lying in cell s, 0 when it is empty.
    int slotPiece(int s) const { return at(SlotPiece, s); }
    // The piece lying in cell s, or 0.
    int pieceIn(int s) const;

    // The cell under a point of the puzzle, given in units where a cell is pieceSize wide and high; a
    // point on the last pixels or beyond the edge counts as the nearest cell.
    int cellAt(double x, double y, double pieceSize) const;

    // Piece p is picked up: its cell (if any) is free from now on.
    void pickUp(int p);
    // The piece being dragged, or 0.
    int dragged() const { return DraggedPiece; }
    // The dragged piece is dropped on cell s: true when the cell was empty and now holds it; false when
    // it is taken, and the piece goes back where it came from.
    bool dropInCell(int s);
    // The dragged piece lies outside the puzzle from now on.
    void sendHome();
    // A refused drop: the dragged piece lies where it was picked up from.
    void putBack();

    // Every cell holds its own piece.
    bool solved() const;

private:
    template <class Table> static int at(const Table& t, int i) {
        return i >= 1 && i <= MaxPieces ? t[size_t(i)] : 0;
    }
    bool isCell(int s) const { return s >= 1 && s <= pieceCount(); }

    int m_side = 2;
    // Tables indexed 1 to 16; element 0 is not used.
    std::vector<qint16> Order = std::vector<qint16>(MaxPieces + 1);
    std::array<int, MaxPieces + 1> PieceTarget{};
    std::array<int, MaxPieces + 1> PieceSlot{};
    std::array<int, MaxPieces + 1> SlotPiece{};
    int DraggedPiece = 0;
    int m_cameFrom = 0; // the cell the dragged piece was picked up from, 0 outside the puzzle
};

} // namespace nibsy
