// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OpenWindow.h"

#include "shell/ActivityWindow.h"

namespace nibsy {

void showInFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

ActivityWindow* openActivity(const ActivityDescriptor& activity, QWidget* opener) {
    return openLoaded(activity.create(opener));
}

} // namespace nibsy
