// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityList.h"
#include "platform/Fonts.h"
#include "platform/Services.h"
#include "shell/AppFatal.h"
#include "shell/frmMenu.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nibsy Learning"));
    QApplication::setQuitOnLastWindowClosed(false);
    nibsy::installFontSubstitutions();
    nibsy::installRealServices();
    nibsy::registerActivities();

    nibsy::frmMenu menu;
    nibsy::services().fatal = std::make_unique<nibsy::AppFatal>(&menu);
    QObject::connect(&menu, &nibsy::frmMenu::suiteEnded, &app, &QApplication::exit, Qt::QueuedConnection);
    int status = 1;
    if (menu.Form_Load()) {
        menu.enableChoices();
        menu.show();
        status = app.exec();
    }
    // Sound and help objects go before the application object they belong to.
    nibsy::clearServices();
    return status;
}
