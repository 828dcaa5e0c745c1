// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptionsDialog.h"

#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/ActivityWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

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

namespace nibsy {

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (auto* owner = qobject_cast<ActivityWindow*>(parentWidget())) {
            help().showContext(this, owner->helpContext());
        } else {
            help().showContents(this);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace nibsy
