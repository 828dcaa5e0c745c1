// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/optSnow.h"

#include "math/frmResults.h"
#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace nibsy {

namespace {

constexpr std::array<const char*, 3> TypeCaptions{"Addition", "Subtraction", "Both Types"};
constexpr std::array<const char*, 5> SizeCaptions{"Smallest", "Small", "Big", "Bigger", "Biggest"};

} // namespace

optSnow::optSnow(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Snowman Math Options"), 9720, 5460) {
    setObjectName(QStringLiteral("optSnow"));
    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(10);

    // The four player counts share the window; each group of choices below has a frame of its own.
    const std::array<const char*, 4> players{" 1 Player", " 2 Players", " 3 Players", " 4 Players"};
    for (int i = 0; i < 4; ++i) {
        auto* option = makeOption(this, QString::fromLatin1(players[size_t(i)]), arialFont(11, true),
                                  QRect(600 + i * 2370, 120, 1800, 375), [this, i] { optPlayers_Click(i); });
        optPlayers[size_t(i)] = option;
    }

    for (int p = 1; p <= 4; ++p) {
        auto* frame = new QGroupBox(QStringLiteral("Player %1").arg(p), this);
        frame->setFont(frameFont);
        ActivityWindow::place(frame, 120 + (p - 1) * 2400, 600, 2280, 4080);
        fraPlayer[size_t(p)] = frame;

        ActivityWindow::place(makeLabel(frame, QStringLiteral("Name"), frameFont, Qt::AlignLeft), 120, 300,
                              2040, 255);
        auto* name = new QLineEdit(frame);
        name->setFont(arialFont(11));
        makeNameBox(name);
        ActivityWindow::place(name, 120, 570, 2040, 375);
        txtName[size_t(p)] = name;

        auto* types = new QGroupBox(QStringLiteral("Problem Type?"), frame);
        types->setFont(frameFont);
        ActivityWindow::place(types, 120, 1065, 2040, 1200);
        for (int t = 0; t < 3; ++t) {
            const int i = (p - 1) * 3 + t;
            auto* option = makeOption(types, QString::fromLatin1(TypeCaptions[size_t(t)]), choiceFont,
                                      QRect(120, 270 + t * 300, 1800, 285), [this, i] { optType_Click(i); });
            optType[size_t(i)] = option;
        }

        auto* sizes = new QGroupBox(QStringLiteral("Number Size?"), frame);
        sizes->setFont(frameFont);
        ActivityWindow::place(sizes, 120, 2355, 2040, 1620);
        for (int s = 0; s < 5; ++s) {
            const int i = (p - 1) * 5 + s;
            auto* option = makeOption(sizes, QString::fromLatin1(SizeCaptions[size_t(s)]), choiceFont,
                                      QRect(120, 270 + s * 264, 1800, 264), [this, i] { optSize_Click(i); });
            optSize[size_t(i)] = option;
        }
    }

    cmdOK = makeButton(this, QStringLiteral("&OK"), arialFont(11, true), QRect(4260, 4800, 1200, 495),
                       [this] { cmdOK_Click(); });
}

void optSnow::Form_Load() {
    // Values the file should not hold are shown as the ones the game uses.
    optPlayers[size_t(clampSetting(settings().SnowPlayers, 1, 4) - 1)]->setChecked(true);
    for (int p = 1; p <= 4; ++p) {
        const int type = settingOr(settings().SnowPlayerType[size_t(p)], 1, 3, 3);
        optType[size_t((p - 1) * 3 + type - 1)]->setChecked(true);
        const int size = clampSetting(settings().SnowPlayerSize[size_t(p)], 1, 5);
        optSize[size_t((p - 1) * 5 + size - 1)]->setChecked(true);
        txtName[size_t(p)]->setText(settings().SnowPlayerName[size_t(p)]);
    }
    EnableFrames();
}

void optSnow::optPlayers_Click(int Index) {
    settings().SnowPlayers = qint16(Index + 1);
    EnableFrames();
}

void optSnow::optType_Click(int Index) {
    settings().SnowPlayerType[size_t(Index / 3 + 1)] = qint16(Index % 3 + 1);
}

void optSnow::optSize_Click(int Index) {
    settings().SnowPlayerSize[size_t(Index / 5 + 1)] = qint16(Index % 5 + 1);
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
