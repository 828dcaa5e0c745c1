// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optMatch.h"

#include "shell/Settings.h"

namespace nibsy {

optMatch::optMatch(QWidget* owner)
    : OptionsDialog(owner, QStringLiteral("Matching Fun Options"), 4455, 2535) {
    setObjectName(QStringLiteral("optMatch"));

    Frame1 = addFrame(QStringLiteral("Number of Items"), QRect(120, 120, 1920, 1695));
    const NumberSpin* number = addNumber(Frame1, settings().MatchItemCount, 2, 9);
    lblNumber = number->card;
    SpinButton1 = number->spin;

    Frame2 = addFrame(QStringLiteral("Items To Display"), QRect(2160, 120, 2175, 1695));
    // The game shows pictures for a kind the file should not hold.
    optType = addOptions(Frame2, settings().MatchItemType,
                         {.captions = {"Colors", "Shapes", "Pictures"},
                          .first = QRect(240, 360, 1815, 375),
                          .step = {0, 420},
                          .fallback = 2})
                  ->array<3>();

    cmdOK = addOK(QRect(1620, 1935, 1215, 495));
}

} // namespace nibsy
