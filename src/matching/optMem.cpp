// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optMem.h"

#include "shell/Settings.h"

namespace nibsy {

optMem::optMem(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Memory Game Options"), 4695, 2535) {
    setObjectName(QStringLiteral("optMem"));

    Frame1 = addFrame(QStringLiteral("Number of Players"), QRect(120, 120, 2175, 1695));
    // A number of players the file should not hold is taken as the nearest; an unknown kind as colours.
    optPlayer = addOptions(Frame1, settings().MemPlayers,
                           {.captions = {"One Player", "Two Players"},
                            .first = QRect(240, 420, 1815, 375),
                            .step = {0, 540},
                            .offset = 1})
                    ->array<2>();

    Frame2 = addFrame(QStringLiteral("Items To Match"), QRect(2400, 120, 2175, 1695));
    optType = addOptions(Frame2, settings().MemItemType,
                         {.captions = {"Colors", "Shapes", "Pictures"},
                          .first = QRect(240, 360, 1815, 375),
                          .step = {0, 420},
                          .fallback = 0})
                  ->array<3>();

    cmdOK = addOK(QRect(1740, 1935, 1215, 495));
}

} // namespace nibsy
