// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matching Fun's options: the number of boxes in a game, 2 to 9, and the items hidden in them (colours,
// shapes or pictures). Each change goes into the settings at once; OK, or closing the window, hides it.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class SpinButton;
class SSCommand;

class optMatch : public OptionsDialog {
    Q_OBJECT
public:
    explicit optMatch(QWidget* owner);

    QGroupBox* Frame1;
    QLabel* lblNumber;
    SpinButton* SpinButton1;
    QGroupBox* Frame2;
    std::array<QRadioButton*, 3> optType{};
    SSCommand* cmdOK;
};

} // namespace nibsy
