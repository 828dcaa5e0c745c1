// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/optCount.h"

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
constexpr int Smallest = 1;
constexpr int Largest = 20;
} // namespace

optCount::optCount(QWidget* owner)
    : OptionsDialog(owner, QStringLiteral("Counting Fun Options"), 4455, 2535) {
    setObjectName(QStringLiteral("optCount"));
    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(11, true);

    Frame1 = new QGroupBox(QStringLiteral("Items To Count"), this);
    Frame1->setFont(frameFont);
    ActivityWindow::place(Frame1, 120, 120, 2175, 1695);
    const std::array<const char*, 3> captions{"Shapes", "Pictures", "Dinosaurs"};
    for (int i = 0; i < 3; ++i) {
        auto* option = makeOption(Frame1, QString::fromLatin1(captions[size_t(i)]), choiceFont,
                                  QRect(240, 360 + i * 420, 1815, 375), [this, i] { optType_Click(i); });
        optType[size_t(i)] = option;
    }

    Frame2 = new QGroupBox(QStringLiteral("Biggest Number"), this);
    Frame2->setFont(frameFont);
    ActivityWindow::place(Frame2, 2415, 120, 1920, 1695);
    lblNumber = new QLabel(Frame2);
    const QFont numberFont = arialFont(36, true);
    lblNumber->setFont(numberFont);
    lblNumber->setAlignment(Qt::AlignCenter);
    lblNumber->setFrameShape(QFrame::Panel);
    lblNumber->setFrameShadow(QFrame::Sunken);
    lblNumber->setAutoFillBackground(true);
    QPalette pal = lblNumber->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    lblNumber->setPalette(pal);
    ActivityWindow::place(lblNumber, 180, 420, 1155, 1035);
    SpinButton1 = new SpinButton(Frame2);
    ActivityWindow::place(SpinButton1, 1395, 420, 375, 1035);
    connect(SpinButton1, &SpinButton::SpinUp, this, &optCount::SpinButton1_SpinUp);
    connect(SpinButton1, &SpinButton::SpinDown, this, &optCount::SpinButton1_SpinDown);

    cmdOK = new SSCommand(QStringLiteral("&OK"), this);
    cmdOK->setFont(choiceFont);
    ActivityWindow::place(cmdOK, 1620, 1935, 1215, 495);
    connect(cmdOK, &QPushButton::clicked, this, &optCount::cmdOK_Click);
}

void optCount::Form_Load() {
    // A value the file should not hold is shown as the one that is used.
    optType[size_t(clampSetting(settings().CountItems, 0, 2))]->setChecked(true);
    ShowNumber();
}

void optCount::optType_Click(int Index) {
    settings().CountItems = qint16(Index);
}

void optCount::SpinButton1_SpinUp() {
    const int number = clampSetting(settings().BiggestNumber, Smallest, Largest);
    settings().BiggestNumber = qint16(number < Largest ? number + 1 : number);
    ShowNumber();
}

void optCount::SpinButton1_SpinDown() {
    const int number = clampSetting(settings().BiggestNumber, Smallest, Largest);
    settings().BiggestNumber = qint16(number > Smallest ? number - 1 : number);
    ShowNumber();
}

void optCount::ShowNumber() {
    lblNumber->setText(
        formatNumber(clampSetting(settings().BiggestNumber, Smallest, Largest), QStringLiteral("#")));
    lblNumber->repaint();
}

} // namespace nibsy
