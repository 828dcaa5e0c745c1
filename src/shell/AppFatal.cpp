// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppFatal.h"

#include "shell/frmMenu.h"

#include <QApplication>
#include <QWidget>

namespace nibsy {

void AppFatal::fail(const QString& message) {
    if (m_failed) {
        return; // the first failure ends the suite; later ones of the same handler add nothing
    }
    m_failed = true;
    dialogs().critical(QApplication::activeWindow(), message);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->hide();
    }
    m_menu->endSuite(1);
}

} // namespace nibsy
