// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/optTic.h"

#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"

#include <QGroupBox>
#include <QRadioButton>

namespace nibsy {

namespace {

// Radio buttons under each other in a frame, each reporting its index when clicked.
template <size_t N, class Handler>
void makeChoices(QGroupBox* frame, std::array<QRadioButton*, N>& buttons,
                 const std::array<const char*, N>& captions, const QFont& font, Handler handler) {
    for (size_t i = 0; i < N; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(captions[i]), frame);
        option->setFont(font);
        ActivityWindow::place(option, 180, 330 + int(i) * 390, 1860, 360);
        QObject::connect(option, &QRadioButton::clicked, frame, [handler, i] { handler(int(i)); });
        buttons[i] = option;
    }
}

} // namespace

optTic::optTic(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Tic Tac Toe Options"), 6930, 2655) {
    setObjectName(QStringLiteral("optTic"));
    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(11, true);

    fraPlayers = new QGroupBox(QStringLiteral("Players"), this);
    fraDiff = new QGroupBox(QStringLiteral("Difficulty"), this);
    fraFirst = new QGroupBox(QStringLiteral("Who Goes First?"), this);
    for (QGroupBox* frame : {fraPlayers, fraDiff, fraFirst}) {
        frame->setFont(frameFont);
    }
    ActivityWindow::place(fraPlayers, 120, 120, 2160, 1200);
    ActivityWindow::place(fraDiff, 2400, 120, 2160, 1935);
    ActivityWindow::place(fraFirst, 4680, 120, 2130, 1200);
    makeChoices<2>(fraPlayers, optPlayer, {"One Player", "Two Players"}, choiceFont,
                   [this](int i) { optPlayer_Click(i); });
    makeChoices<4>(fraDiff, optDiff, {"Easiest", "Simple", "Hard", "Difficult"}, choiceFont,
                   [this](int i) { optDiff_Click(i); });
    makeChoices<2>(fraFirst, optFirst, {"You ", "Computer"}, choiceFont,
                   [this](int i) { optFirst_Click(i); });

    cmdOK = new SSCommand(QStringLiteral("&OK"), this);
    cmdOK->setFont(choiceFont);
    ActivityWindow::place(cmdOK, 4980, 1560, 1215, 495);
    connect(cmdOK, &QPushButton::clicked, this, &optTic::cmdOK_Click);
}

void optTic::Form_Load() {
    // A value the file should not hold is shown as the one that is used.
    optPlayer[size_t(settingOr(settings().TicPlayers, 1, 2, 1) - 1)]->setChecked(true);
    optDiff[size_t(settingOr(settings().TicLevel, 1, 4, 4) - 1)]->setChecked(true);
    optFirst[size_t(settingOr(settings().TicFirst, 0, 1, 1))]->setChecked(true);
    EnableOnePlayerChoices();
}

void optTic::optPlayer_Click(int Index) {
    settings().TicPlayers = qint16(Index + 1);
    EnableOnePlayerChoices();
}

void optTic::optDiff_Click(int Index) {
    settings().TicLevel = qint16(Index + 1);
}

void optTic::optFirst_Click(int Index) {
    settings().TicFirst = qint16(Index);
}

void optTic::EnableOnePlayerChoices() {
    const bool onePlayer = settingOr(settings().TicPlayers, 1, 2, 1) == 1;
    fraDiff->setEnabled(onePlayer);
    fraFirst->setEnabled(onePlayer);
}

} // namespace nibsy
