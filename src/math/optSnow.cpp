// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/optSnow.h"

#include "math/frmResults.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace nibsy {

optSnow::optSnow(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Snowman Math Options"), 9720, 5460) {
    setObjectName(QStringLiteral("optSnow"));
    const QFont choiceFont = arialFont(10);

    // The four player counts share the window; each group of choices below has a frame of its own.
    // Values the file should not hold are shown as the game takes them: the nearest number of players
    // and size, both types.
    optPlayers = addOptions(this, settings().SnowPlayers,
                            {.captions = {" 1 Player", " 2 Players", " 3 Players", " 4 Players"},
                             .first = QRect(600, 120, 1800, 375),
                             .step = {2370, 0},
                             .offset = 1,
                             .onClick = [this] { EnableFrames(); }})
                     ->array<4>();

    for (int p = 1; p <= 4; ++p) {
        QGroupBox* frame =
            addFrame(QStringLiteral("Player %1").arg(p), QRect(120 + (p - 1) * 2400, 600, 2280, 4080));
        fraPlayer[size_t(p)] = frame;

        ActivityWindow::place(makeLabel(frame, QStringLiteral("Name"), arialFont(10, true), Qt::AlignLeft),
                              120, 300, 2040, 255);
        auto* name = new QLineEdit(frame);
        name->setFont(arialFont(11));
        makeNameBox(name);
        ActivityWindow::place(name, 120, 570, 2040, 375);
        txtName[size_t(p)] = name;

        QGroupBox* types = addFrame(QStringLiteral("Problem Type?"), QRect(120, 1065, 2040, 1200), frame);
        const auto typeButtons = addOptions(types, settings().SnowPlayerType[size_t(p)],
                                            {.captions = {"Addition", "Subtraction", "Both Types"},
                                             .first = QRect(120, 270, 1800, 285),
                                             .step = {0, 300},
                                             .font = choiceFont,
                                             .offset = 1,
                                             .fallback = 3})
                                     ->array<3>();
        std::copy(typeButtons.begin(), typeButtons.end(), optType.begin() + (p - 1) * 3);

        QGroupBox* sizes = addFrame(QStringLiteral("Number Size?"), QRect(120, 2355, 2040, 1620), frame);
        const auto sizeButtons = addOptions(sizes, settings().SnowPlayerSize[size_t(p)],
                                            {.captions = {"Smallest", "Small", "Big", "Bigger", "Biggest"},
                                             .first = QRect(120, 270, 1800, 264),
                                             .step = {0, 264},
                                             .font = choiceFont,
                                             .offset = 1})
                                     ->array<5>();
        std::copy(sizeButtons.begin(), sizeButtons.end(), optSize.begin() + (p - 1) * 5);
    }

    cmdOK = addOK(QRect(4260, 4800, 1200, 495));
}

void optSnow::Form_Load() {
    OptionsDialog::Form_Load();
    for (size_t p = 1; p <= 4; ++p) {
        txtName[p]->setText(settings().SnowPlayerName[p]);
    }
    EnableFrames();
}

void optSnow::cmdOK_Click() {
    for (size_t p = 1; p <= 4; ++p) {
        settings().SnowPlayerName[p] = txtName[p]->text();
    }
    OptionsDialog::cmdOK_Click();
}

// Only the players in the game can be set up.
void optSnow::EnableFrames() {
    const int players = clampSetting(settings().SnowPlayers, 1, 4);
    for (int p = 1; p <= 4; ++p) {
        fraPlayer[size_t(p)]->setEnabled(p <= players);
    }
}

} // namespace nibsy
