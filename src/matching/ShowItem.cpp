// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/ShowItem.h"

#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "shell/Palette.h"
#include "shell/Widgets.h"

namespace nibsy {

void ItemSet::loadPictures(int count, QSize box) {
    for (int i = 1; i <= count && i <= 9; ++i) {
        picChoice[size_t(i)] =
            fittedPicture(pictures().load(QString::fromLatin1(ItemPictureFile[size_t(i)])), box);
    }
}

void ItemSet::chooseFixed() {
    FixedShape = rnd().upTo(9);
    FixedColor = rnd().upTo(9);
}

void ShowItem(PictureBox& target, int item, const ItemSet& items) {
    target.setBackColor(QBColor(White));
    target.setPicture(Picture());
    target.Cls();
    if (item >= 1 && item <= 9) {
        switch (items.type) {
        case ItemType::Colors:
            target.setFillColor(QBColor(ColorTable[size_t(item)]));
            DrawShape(target, items.FixedShape);
            break;
        case ItemType::Shapes:
            target.setFillColor(QBColor(ColorTable[size_t(items.FixedColor)]));
            DrawShape(target, item);
            break;
        case ItemType::Pictures:
            target.setPicture(items.picChoice[size_t(item)]);
            break;
        }
    }
    target.repaint();
}

int RandomCoverColor(int besides) {
    int color = White;
    do {
        color = ColorTable[size_t(rnd().upTo(9))];
    } while (color == White || color == besides);
    return color;
}

} // namespace nibsy
