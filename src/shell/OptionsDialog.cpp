// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptionsDialog.h"

#include "platform/Twips.h"
#include "shell/ActivityWindow.h"

#include <QCloseEvent>

namespace nibsy {

OptionsDialog::OptionsDialog(QWidget* owner, const QString& caption, int widthTwips, int heightTwips)
    : QDialog(owner) {
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(twipsSize(widthTwips, heightTwips));
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
    cmdOK_Click();
}

void OptionsDialog::reject() {
    cmdOK_Click();
}

} // namespace nibsy
