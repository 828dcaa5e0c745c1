// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optbarn.h"

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
#include <functional>

namespace nibsy {

namespace {
constexpr int Fewest = 2;
constexpr int Most = 8;

// A frame of two option buttons, reporting the index of the one clicked.
std::array<QRadioButton*, 2> twoChoices(QGroupBox* frame, const char* first, const char* second,
                                        const std::function<void(int)>& onClick) {
    std::array<QRadioButton*, 2> options{};
    const QFont choiceFont = arialFont(11, true);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(i == 0 ? first : second), frame);
        option->setFont(choiceFont);
        ActivityWindow::place(option, 240, 420 + i * 540, 1575, 375);
        QObject::connect(option, &QRadioButton::clicked, frame, [onClick, i] { onClick(i); });
        options[size_t(i)] = option;
    }
    return options;
}
} // namespace

optbarn::optbarn(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Barnyard Fun Options"), 6255, 2535) {
    setObjectName(QStringLiteral("optbarn"));
    const QFont frameFont = arialFont(10, true);

    Frame1 = new QGroupBox(QStringLiteral("Peek at Animals?"), this);
    Frame1->setFont(frameFont);
    ActivityWindow::place(Frame1, 120, 120, 1935, 1695);
    optPeek = twoChoices(Frame1, "Yes", "No", [this](int i) { optPeek_Click(i); });

    Frame2 = new QGroupBox(QStringLiteral("Number of Animals"), this);
    Frame2->setFont(frameFont);
    ActivityWindow::place(Frame2, 2160, 120, 1935, 1695);
    lblNumber = new QLabel(Frame2);
    makeCard(lblNumber, arialFont(36, true), QColor(0, 0, 128));
    ActivityWindow::place(lblNumber, 180, 420, 1155, 1035);
    SpinButton1 = new SpinButton(Frame2);
    ActivityWindow::place(SpinButton1, 1395, 420, 375, 1035);
    connect(SpinButton1, &SpinButton::SpinUp, this, &optbarn::SpinButton1_SpinUp);
    connect(SpinButton1, &SpinButton::SpinDown, this, &optbarn::SpinButton1_SpinDown);

    Frame3 = new QGroupBox(QStringLiteral("Find Animals By"), this);
    Frame3->setFont(frameFont);
    ActivityWindow::place(Frame3, 4200, 120, 1935, 1695);
    optNames = twoChoices(Frame3, "Picture", "Name", [this](int i) { optNames_Click(i); });

    cmdOK = new SSCommand(QStringLiteral("&OK"), this);
    cmdOK->setFont(arialFont(11, true));
    ActivityWindow::place(cmdOK, 2520, 1935, 1215, 495);
    connect(cmdOK, &QPushButton::clicked, this, &optbarn::cmdOK_Click);
}

void optbarn::Form_Load() {
    // A value the file should not hold is shown as the one the game uses.
    optPeek[size_t(1 - settingOr(settings().BarnPeek, 0, 1, 1))]->setChecked(true);
    optNames[size_t(settingOr(settings().BarnFindBy, 0, 1, 1))]->setChecked(true);
    ShowNumber();
}

void optbarn::optPeek_Click(int Index) {
    settings().BarnPeek = qint16(1 - Index);
}

void optbarn::SpinButton1_SpinDown() {
    const int number = clampSetting(settings().BarnAnimalCount, Fewest, Most);
    settings().BarnAnimalCount = qint16(number > Fewest ? number - 1 : number);
    ShowNumber();
}

void optbarn::SpinButton1_SpinUp() {
    const int number = clampSetting(settings().BarnAnimalCount, Fewest, Most);
    settings().BarnAnimalCount = qint16(number < Most ? number + 1 : number);
    ShowNumber();
}

void optbarn::optNames_Click(int Index) {
    settings().BarnFindBy = qint16(Index);
}

void optbarn::ShowNumber() {
    lblNumber->setText(
        formatNumber(clampSetting(settings().BarnAnimalCount, Fewest, Most), QStringLiteral("#")));
    lblNumber->repaint();
}

} // namespace nibsy
