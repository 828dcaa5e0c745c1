// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Barnyard Fun's options: a peek at the animals before a game, the number of doors (2 to 8), and whether
// the animal wanted is shown by its picture or by its name. Each change goes into the settings at once;
// OK, or closing the window, hides it.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class SpinButton;
class SSCommand;

class optbarn : public OptionsDialog {
    Q_OBJECT
public:
    explicit optbarn(QWidget* owner);

    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> optPeek{};
    QGroupBox* Frame2;
    QLabel* lblNumber;
    SpinButton* SpinButton1;
    QGroupBox* Frame3;
    std::array<QRadioButton*, 2> optNames{};
    SSCommand* cmdOK;
};

} // namespace nibsy
