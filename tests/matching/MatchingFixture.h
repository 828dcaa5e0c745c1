// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the matching games' tests share: one-colour pictures under the games' file names (a box's middle
// tells which picture it shows), pixels of boxes and labels, and options windows worked by clicks.

#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

#include <QRadioButton>
#include <algorithm>

namespace nibsy::test {

// The colour of picture i of a set: well apart from the palette's colours and from one another.
inline QColor pictureColour(int i) {
    return QColor(QColor::fromHsv((i - 1) * 40 + 15, 200, 170).rgb());
}

// Writes pictures 1 to n of the names given (element 0 is not used) into the application directory.
template <class Names> void writePictures(const Names& names, int n) {
    for (int i = 1; i <= n; ++i)
        savePicture(QString::fromLatin1(names[size_t(i)]), pictureColour(i));
}

// The navy of the games' captions, counters and messages.
inline const QColor Navy(0, 0, 128);

} // namespace nibsy::test
