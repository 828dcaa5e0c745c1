// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/ShapeQuestions.h"

#include "platform/Random.h"
#include "platform/Services.h"
#include "shapes/ShapeItems.h"
#include "shell/Shared.h"

#include <vector>

namespace nibsy {

ShapeChoices ThreeDifferent(int target) {
    std::vector<qint16> order;
    Shuffle(ItemCount, order);
    ShapeChoices c;
    for (int k = 0; k < 3; ++k) {
        c.items[size_t(k)] = order[size_t(k) + 1] - 1;
        if (c.items[size_t(k)] == target) {
            c.answer = k;
        }
    }
    if (c.answer < 0) {
        c.answer = rnd().below(3);
        c.items[size_t(c.answer)] = target;
    }
    return c;
}

ShapeChoices OddOneOut(int target) {
    int other = 0;
    do {
        other = rnd().below(ItemCount);
    } while (other == target);
    ShapeChoices c;
    c.items = {other, other, other};
    c.answer = rnd().below(3);
    c.items[size_t(c.answer)] = target;
    return c;
}

} // namespace nibsy
