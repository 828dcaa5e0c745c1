// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/optTic.h"

#include "shell/Settings.h"

#include <QGroupBox>

namespace nibsy {

namespace {
// Choices under each other in a frame.
OptionButtons::Choices choices(QList<const char*> captions, int offset, int fallback) {
    return {.captions = std::move(captions),
            .first = QRect(180, 330, 1860, 360),
            .step = {0, 390},
            .offset = offset,
            .fallback = fallback};
}
} // namespace

optTic::optTic(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Tic Tac Toe Options"), 6930, 2655) {
    setObjectName(QStringLiteral("optTic"));

    fraPlayers = addFrame(QStringLiteral("Players"), QRect(120, 120, 2160, 1200));
    fraDiff = addFrame(QStringLiteral("Difficulty"), QRect(2400, 120, 2160, 1935));
    fraFirst = addFrame(QStringLiteral("Who Goes First?"), QRect(4680, 120, 2130, 1200));
    // Values the file should not hold are shown as the game takes them: one player, Difficult, the
    // computer first.
    OptionButtons::Choices players = choices({"One Player", "Two Players"}, 1, 1);
    players.onClick = [this] { EnableOnePlayerChoices(); };
    optPlayer = addOptions(fraPlayers, settings().TicPlayers, std::move(players))->array<2>();
    optDiff =
        addOptions(fraDiff, settings().TicLevel, choices({"Easiest", "Simple", "Hard", "Difficult"}, 1, 4))
            ->array<4>();
    optFirst = addOptions(fraFirst, settings().TicFirst, choices({"You ", "Computer"}, 0, 1))->array<2>();

    cmdOK = addOK(QRect(4980, 1560, 1215, 495));
}

void optTic::Form_Load() {
    OptionsDialog::Form_Load();
    EnableOnePlayerChoices();
}

void optTic::EnableOnePlayerChoices() {
    const bool onePlayer = settingOr(settings().TicPlayers, 1, 2, 1) == 1;
    fraDiff->setEnabled(onePlayer);
    fraFirst->setEnabled(onePlayer);
}

} // namespace nibsy
