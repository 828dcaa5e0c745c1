// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way windows open: made, loaded (Form_Load), then shown. No window is shown unloaded.

#include "shell/Activities.h"

#include <QPointer>
#include <QWidget>
#include <utility>

namespace nibsy {

class ActivityWindow;

// Shows a window modeless, in front, with the focus.
void showInFront(QWidget* window);

// Loads a window just made and shows it modeless; it goes when it is closed.
template <class W> W* openLoaded(W* window) {
    window->Form_Load();
    // A window whose loading found that it cannot run has closed already, and is not shown.
    if (!window->closeAsked()) {
        showInFront(window);
    }
    return window;
}

template <class W, class... Args> W* openWindow(Args&&... args) {
    return openLoaded(new W(std::forward<Args>(args)...));
}

// Makes, loads and shows a window modally (an options window, the number scale); returns once it has
// been hidden or closed, and the window is gone.
template <class W, class... Args> void openModal(Args&&... args) {
    QPointer<W> window = new W(std::forward<Args>(args)...);
    window->Form_Load();
    window->showModal();
    delete window.data();
}

// Opens the window of an activity; opener shows again when it closes.
ActivityWindow* openActivity(const ActivityDescriptor& activity, QWidget* opener);

} // namespace nibsy
