// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/frmCSPMenu.h"

#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "shapes/frmPatt.h"
#include "shapes/frmShape.h"
#include "shell/OpenWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>

namespace nibsy {

const ActivityDescriptor frmCSPMenu::Activity{
    .menuIndex = 7,
    .caption = "Colors & Shapes",
    .helpContext = 20,
    .widthTwips = 4680,
    .heightTwips = 4920,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmCSPMenu(opener); },
    .background = QColor(255, 255, 192)};

frmCSPMenu::frmCSPMenu(QWidget* opener) : ActivityWindow(opener, Activity) {
    fraChoices = new QGroupBox("Choices", this);
    fraChoices->setFont(comicFont(11, true));
    place(fraChoices, 240, 120, 4200, 3480);
    const char* captions[] = {"Colors", "Shapes", "Patterns"};
    for (int i = 0; i < 3; ++i) {
        cmdChoice[size_t(i)] =
            makeButton(fraChoices, captions[i], comicFont(18, true), QRect(300, 420 + i * 1000, 3600, 840),
                       [this, i] { cmdChoice_Click(i); });
    }
    const CommandButtons buttons = makeCommandButtons(
        this,
        {.first = QRect(1020, 3900, 1380, 600), .columns = 2, .step = {1500, 0}, .font = comicFont(11)});
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
}

void frmCSPMenu::Form_Activate() {
    cmdChoice[0]->setFocus();
}

void frmCSPMenu::cmdChoice_Click(int Index) {
    hide();
    if (Index == 2) {
        openActivity(frmPatt::Activity, this);
        return;
    }
    settings().ShapeMode = qint16(Index);
    openActivity(frmShape::Activity, this);
}

} // namespace nibsy
