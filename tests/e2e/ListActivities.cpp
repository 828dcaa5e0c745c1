// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the activities on the menu, one a line: the centre of its button in the menu's client area
// (pixels) and the window's caption. The end-to-end test walks the menu from this list.
#include "ActivityList.h"
#include "platform/SSCommand.h"
#include "shell/Activities.h"
#include "shell/frmMenu.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    nibsy::registerActivities();
    nibsy::frmMenu menu;
    for (int i = 0; i < nibsy::MenuButtons; ++i) {
        if (const nibsy::ActivityDescriptor* activity = nibsy::Activities::find(i)) {
            const QPoint centre = menu.cmdChoice(i)->geometry().center();
            std::printf("%d %d %s\n", centre.x(), centre.y(), activity->caption);
        }
    }
    return 0;
}
