// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/PattQuestions.h"

#include "platform/Random.h"
#include "platform/Services.h"
#include "shapes/ShapeItems.h"

#include <algorithm>

namespace nibsy {

namespace {

PattQuestion modelRow(int length) {
    PattQuestion q;
    q.length = std::clamp(length, 1, PattMaxLength);
    for (int p = 0; p < q.length; ++p) {
        q.rows[0][size_t(p)] = rnd().below(ItemCount);
    }
    return q;
}

// The row gets a new value, never the one it had, at one position.
void changeOne(PattQuestion& q, int row) {
    auto& cells = q.rows[size_t(row)];
    const auto p = size_t(rnd().below(q.length));
    const int was = cells[p];
    do {
        cells[p] = rnd().below(ItemCount);
    } while (cells[p] == was);
}

// Rows 1 to 4 copy the model and the right row is picked; then the right row alone (changeRightRow) or
// every other row gets one changed position.
PattQuestion comparison(int length, bool changeRightRow) {
    PattQuestion q = modelRow(length);
    for (int row = 1; row < PattRowCount; ++row) {
        q.rows[size_t(row)] = q.rows[0];
    }
    q.answer = rnd().below(PattRowCount - 1) + 1;
    for (int row = 1; row < PattRowCount; ++row) {
        if ((row == q.answer) == changeRightRow) {
            changeOne(q, row);
        }
    }
    q.colorIndex = rnd().below(ItemCount);
    q.shapeIndex = rnd().below(ItemCount);
    return q;
}

} // namespace

PattQuestion AskSame(int length) {
    return comparison(length, false);
}

PattQuestion AskDifferent(int length) {
    return comparison(length, true);
}

PattQuestion AskRebuild(int length, bool hidden) {
    PattQuestion q = modelRow(length);
    if (hidden) {
        q.coverColor = rnd().below(6) + 9;
    }
    q.colorIndex = rnd().below(ItemCount);
    q.shapeIndex = rnd().below(ItemCount);
    return q;
}

} // namespace nibsy
