// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/PuzRules.h"

#include "shell/Shared.h"

#include <algorithm>
#include <cmath>

namespace nibsy {

int PuzRules::sideFor(int puzzleSize) {
    return std::clamp(puzzleSize, 0, 2) + 2;
}

void PuzRules::scramble(int side) {
    m_side = std::clamp(side, 2, MaxSide);
    const int count = pieceCount();
    const auto identity = [&] {
        for (int s = 1; s <= count; ++s) {
            if (Order[size_t(s)] != s) {
                return false;
            }
        }
        return true;
    };
    do {
        Shuffle(count, Order);
    } while (identity());
    PieceTarget.fill(0);
    PieceSlot.fill(0);
    SlotPiece.fill(0);
    for (int s = 1; s <= count; ++s) {
        PieceTarget[size_t(Order[size_t(s)])] = s;
    }
    DraggedPiece = 0;
    m_cameFrom = 0;
}

int PuzRules::pieceIn(int s) const {
    const int right = slotPiece(s);
    return right == 0 ? 0 : order(right);
}

int PuzRules::cellAt(double x, double y, double pieceSize) const {
    const auto index = [&](double v) {
        const double i = pieceSize > 0 ? std::floor(v / pieceSize) : 0.0;
        return int(std::clamp(i, 0.0, double(m_side - 1)));
    };
    return m_side * index(y) + index(x) + 1;
}

void PuzRules::pickUp(int p) {
    if (p < 1 || p > pieceCount()) {
        return;
    }
    DraggedPiece = p;
    m_cameFrom = PieceSlot[size_t(p)];
    if (m_cameFrom != 0) {
        SlotPiece[size_t(m_cameFrom)] = 0;
        PieceSlot[size_t(p)] = 0;
    }
}

bool PuzRules::dropInCell(int s) {
    if (DraggedPiece == 0 || !isCell(s)) {
        return false;
    }
    if (SlotPiece[size_t(s)] != 0) {
        putBack();
        return false;
    }
    SlotPiece[size_t(s)] = PieceTarget[size_t(DraggedPiece)];
    PieceSlot[size_t(DraggedPiece)] = s;
    DraggedPiece = 0;
    m_cameFrom = 0;
    return true;
}

void PuzRules::sendHome() {
    DraggedPiece = 0;
    m_cameFrom = 0;
}

void PuzRules::putBack() {
    if (DraggedPiece != 0 && m_cameFrom != 0) {
        SlotPiece[size_t(m_cameFrom)] = PieceTarget[size_t(DraggedPiece)];
        PieceSlot[size_t(DraggedPiece)] = m_cameFrom;
    }
    DraggedPiece = 0;
    m_cameFrom = 0;
}

bool PuzRules::solved() const {
    for (int k = 1; k <= pieceCount(); ++k) {
        if (SlotPiece[size_t(k)] != k) {
            return false;
        }
    }
    return true;
}

} // namespace nibsy
