// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Memory Game's options: one or two players, and the items to match (colours, shapes or pictures).
// Each change goes into the settings at once; OK, or closing the window, hides it.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QRadioButton;

namespace nibsy {

class SSCommand;

class optMem : public OptionsDialog {
    Q_OBJECT
public:
    explicit optMem(QWidget* owner);

    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> optPlayer{};
    QGroupBox* Frame2;
    std::array<QRadioButton*, 3> optType{};
    SSCommand* cmdOK;
};

} // namespace nibsy
