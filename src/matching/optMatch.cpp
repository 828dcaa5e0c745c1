// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optMatch.h"

#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace nibsy {

namespace {
constexpr int Fewest = 2;
constexpr int Most = 9;
} // namespace

optMatch::optMatch(QWidget* owner)
    : OptionsDialog(owner, QStringLiteral("Matching Fun Options"), 4455, 2535) {
    setObjectName(QStringLiteral("optMatch"));
    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(11, true);

    Frame1 = new QGroupBox(QStringLiteral("Number of Items"), this);
    Frame1->setFont(frameFont);
    ActivityWindow::place(Frame1, 120, 120, 1920, 1695);
    lblNumber = new QLabel(Frame1);
    makeCard(lblNumber, arialFont(36, true), QColor(0, 0, 128));
    ActivityWindow::place(lblNumber, 180, 420, 1155, 1035);
    SpinButton1 = new SpinButton(Frame1);
    ActivityWindow::place(SpinButton1, 1395, 420, 375, 1035);
    connect(SpinButton1, &SpinButton::SpinUp, this, &optMatch::SpinButton1_SpinUp);
    connect(SpinButton1, &SpinButton::SpinDown, this, &optMatch::SpinButton1_SpinDown);

    Frame2 = new QGroupBox(QStringLiteral("Items To Display"), this);
    Frame2->setFont(frameFont);
    ActivityWindow::place(Frame2, 2160, 120, 2175, 1695);
    const std::array<const char*, 3> captions{"Colors", "Shapes", "Pictures"};
    for (int i = 0; i < 3; ++i) {
        auto* option = makeOption(Frame2, QString::fromLatin1(captions[size_t(i)]), choiceFont,
                                  QRect(240, 360 + i * 420, 1815, 375), [this, i] { optType_Click(i); });
        optType[size_t(i)] = option;
    }

    cmdOK = new SSCommand(QStringLiteral("&OK"), this);
    cmdOK->setFont(choiceFont);
    ActivityWindow::place(cmdOK, 1620, 1935, 1215, 495);
    connect(cmdOK, &QPushButton::clicked, this, &optMatch::cmdOK_Click);
}

void optMatch::Form_Load() {
    // A value the file should not hold is shown as the one the game uses.
    optType[size_t(settingOr(settings().MatchItemType, 0, 2, 2))]->setChecked(true);
    ShowNumber();
}

void optMatch::SpinButton1_SpinDown() {
    const int number = clampSetting(settings().MatchItemCount, Fewest, Most);
    settings().MatchItemCount = qint16(number > Fewest ? number - 1 : number);
    ShowNumber();
}

void optMatch::SpinButton1_SpinUp() {
    const int number = clampSetting(settings().MatchItemCount, Fewest, Most);
    settings().MatchItemCount = qint16(number < Most ? number + 1 : number);
    ShowNumber();
}

void optMatch::optType_Click(int Index) {
    settings().MatchItemType = qint16(Index);
}

void optMatch::ShowNumber() {
    lblNumber->setText(
        formatNumber(clampSetting(settings().MatchItemCount, Fewest, Most), QStringLiteral("#")));
    lblNumber->repaint();
}

} // namespace nibsy
