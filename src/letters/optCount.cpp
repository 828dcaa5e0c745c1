// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/optCount.h"

#include "shell/Settings.h"

namespace nibsy {

optCount::optCount(QWidget* owner)
    : OptionsDialog(owner, QStringLiteral("Counting Fun Options"), 4455, 2535) {
    setObjectName(QStringLiteral("optCount"));

    Frame1 = addFrame(QStringLiteral("Items To Count"), QRect(120, 120, 2175, 1695));
    // A kind the file should not hold is taken as the nearest one.
    optType = addOptions(Frame1, settings().CountItems,
                         {.captions = {"Shapes", "Pictures", "Dinosaurs"},
                          .first = QRect(240, 360, 1815, 375),
                          .step = {0, 420}})
                  ->array<3>();

    Frame2 = addFrame(QStringLiteral("Biggest Number"), QRect(2415, 120, 1920, 1695));
    const NumberSpin* number = addNumber(Frame2, settings().BiggestNumber, 1, 20);
    lblNumber = number->card;
    SpinButton1 = number->spin;

    cmdOK = addOK(QRect(1620, 1935, 1215, 495));
}

} // namespace nibsy
