// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Snowman Math's options: how many players, and for each a name, a problem type and a number size. The
// choices go into the settings at once; the names when OK is clicked or the window is closed.

#include "shell/OptionsDialog.h"

#include <array>

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace nibsy {

class SSCommand;

class optSnow : public OptionsDialog {
    Q_OBJECT
public:
    explicit optSnow(QWidget* owner);

    // Shows the settings as they are.
    void Form_Load();

    std::array<QRadioButton*, 4> optPlayers{};
    std::array<QGroupBox*, 5> fraPlayer{}; // 1 to 4
    std::array<QLineEdit*, 5> txtName{};   // 1 to 4
    // Button i belongs to player i / 3 + 1 and chooses type i % 3 + 1.
    std::array<QRadioButton*, 12> optType{};
    // Button i belongs to player i / 5 + 1 and chooses size i % 5 + 1.
    std::array<QRadioButton*, 20> optSize{};
    SSCommand* cmdOK;

public slots:
    void cmdOK_Click() override;

private:
    void EnableFrames();
};

} // namespace nibsy
