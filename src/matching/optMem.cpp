// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optMem.h"

#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QRadioButton>

namespace nibsy {

optMem::optMem(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Memory Game Options"), 4695, 2535) {
    setObjectName(QStringLiteral("optMem"));
    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(11, true);

    Frame1 = new QGroupBox(QStringLiteral("Number of Players"), this);
    Frame1->setFont(frameFont);
    ActivityWindow::place(Frame1, 120, 120, 2175, 1695);
    const std::array<const char*, 2> players{"One Player", "Two Players"};
    for (int i = 0; i < 2; ++i) {
        auto* option = makeOption(Frame1, QString::fromLatin1(players[size_t(i)]), choiceFont,
                                  QRect(240, 420 + i * 540, 1815, 375), [this, i] { optPlayer_Click(i); });
        optPlayer[size_t(i)] = option;
    }

    Frame2 = new QGroupBox(QStringLiteral("Items To Match"), this);
    Frame2->setFont(frameFont);
    ActivityWindow::place(Frame2, 2400, 120, 2175, 1695);
    const std::array<const char*, 3> types{"Colors", "Shapes", "Pictures"};
    for (int i = 0; i < 3; ++i) {
        auto* option = makeOption(Frame2, QString::fromLatin1(types[size_t(i)]), choiceFont,
                                  QRect(240, 360 + i * 420, 1815, 375), [this, i] { optType_Click(i); });
        optType[size_t(i)] = option;
    }

    cmdOK = new SSCommand(QStringLiteral("&OK"), this);
    cmdOK->setFont(choiceFont);
    ActivityWindow::place(cmdOK, 1740, 1935, 1215, 495);
    connect(cmdOK, &QPushButton::clicked, this, &optMem::cmdOK_Click);
}

void optMem::Form_Load() {
    // A value the file should not hold is shown as the one the game uses.
    optPlayer[size_t(clampSetting(settings().MemPlayers, 1, 2) - 1)]->setChecked(true);
    optType[size_t(settingOr(settings().MemItemType, 0, 2, 0))]->setChecked(true);
}

void optMem::optPlayer_Click(int Index) {
    settings().MemPlayers = qint16(Index + 1);
}

void optMem::optType_Click(int Index) {
    settings().MemItemType = qint16(Index);
}

} // namespace nibsy
