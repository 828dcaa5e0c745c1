// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptionsDialog.h"

#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "platform/Twips.h"
#include "shell/ActivityWindow.h"
#include "shell/GrownUpGate.h"
#include "shell/Widgets.h"

#include <QCloseEvent>
#include <QGroupBox>

namespace nibsy {

OptionsDialog::OptionsDialog(QWidget* owner, const QString& caption, int widthTwips, int heightTwips)
    : QDialog(owner) {
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(twipsSize(widthTwips, heightTwips));
}

void OptionsDialog::Form_Load() {
    for (const auto& load : m_loads) {
        load();
    }
}

QGroupBox* OptionsDialog::addFrame(const QString& caption, const QRect& twips, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent ? parent : this);
    frame->setFont(arialFont(10, true));
    ActivityWindow::place(frame, twips.x(), twips.y(), twips.width(), twips.height());
    return frame;
}

OptionButtons* OptionsDialog::addOptions(QWidget* frame, qint16& setting, OptionButtons::Choices choices) {
    auto* options = new OptionButtons(frame, setting, std::move(choices));
    m_loads << [options] { options->load(); };
    return options;
}

NumberSpin* OptionsDialog::addNumber(QGroupBox* frame, qint16& setting, int lo, int hi) {
    auto* number = new NumberSpin(frame, setting, lo, hi);
    m_loads << [number] { number->load(); };
    return number;
}

SSCommand* OptionsDialog::addOK(const QRect& twips) {
    return makeButton(this, QStringLiteral("&OK"), arialFont(11, true), twips, [this] { cmdOK_Click(); });
}

void OptionsDialog::showModal() {
    centreOnScreen(this);
    exec();
}

void OptionsDialog::cmdOK_Click() {
    hide();
    done(Accepted);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (kioskMode() && event->spontaneous()) {
        askGrownUpLater(this, [this] { cmdOK_Click(); });
        return;
    }
    cmdOK_Click();
}

void OptionsDialog::reject() {
    cmdOK_Click();
}

} // namespace nibsy
