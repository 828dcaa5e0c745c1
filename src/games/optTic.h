// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tic Tac Toe's options: one or two players, and for one player the difficulty and who goes first. Each
// change goes into the settings at once; OK, or closing the window, hides it.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QRadioButton;

namespace nibsy {

class SSCommand;

class optTic : public OptionsDialog {
    Q_OBJECT
public:
    explicit optTic(QWidget* owner);

    // Shows the settings as they are.
    void Form_Load();

    QGroupBox* fraPlayers;
    std::array<QRadioButton*, 2> optPlayer{};
    QGroupBox* fraDiff;
    std::array<QRadioButton*, 4> optDiff{};
    QGroupBox* fraFirst;
    std::array<QRadioButton*, 2> optFirst{};
    SSCommand* cmdOK;

private:
    void EnableOnePlayerChoices();
};

} // namespace nibsy
