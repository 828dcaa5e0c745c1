// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small menu of the colours, shapes and patterns activities. It hides while the activity chosen
// runs and comes back, with the focus on its first choice, when that activity closes.

#include "shell/ActivityWindow.h"

#include <array>

class QGroupBox;

namespace nibsy {

class SSCommand;

class frmCSPMenu : public ActivityWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmCSPMenu(QWidget* opener);

    QGroupBox* fraChoices;
    std::array<SSCommand*, 3> cmdChoice; // Colors, Shapes, Patterns
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

public slots:
    void cmdChoice_Click(int Index);

protected:
    void Form_Activate() override;
};

} // namespace nibsy
