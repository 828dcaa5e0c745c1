// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counting Fun's options: which items are counted (shapes, pictures or dinosaurs) and the biggest number
// used, 1 to 20. Each change goes into the settings at once; OK, or closing the window, hides it.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class SpinButton;
class SSCommand;

class optCount : public OptionsDialog {
    Q_OBJECT
public:
    explicit optCount(QWidget* owner);

    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> optType{};
    QGroupBox* Frame2;
    QLabel* lblNumber;
    SpinButton* SpinButton1;
    SSCommand* cmdOK;
};

} // namespace nibsy
