// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window of the suite says of itself, and the list of the activities the main menu opens. Each
// activity window holds its own descriptor; the list is put together outside the shell, so the shell
// knows no activity by name. The menu disables the buttons of activities that are not in the list.

#include <QColor>

class QWidget;

namespace nibsy {

class ActivityWindow;

struct ActivityDescriptor {
    // The menu button that opens the window (0 the sound editor, 1 to 15 the activities), or NoMenuButton
    // for a window that another window opens.
    int menuIndex;
    const char* caption;
    int helpContext;
    int widthTwips;
    int heightTwips;
    // Makes the window; opener shows again when it closes.
    ActivityWindow* (*create)(QWidget* opener);
    // The window's background; the style's own where none is given.
    QColor background = {};
};

constexpr int NoMenuButton = -1;
constexpr int MenuButtons = 16;

class Activities {
public:
    // Adds an activity to the menu on its button, which must be free (or hold it already): two activities
    // on one button end the program at once, as a fault of the activity list.
    static void add(const ActivityDescriptor& activity);
    static void remove(int menuIndex);
    // The activity on that menu button, or nullptr.
    static const ActivityDescriptor* find(int menuIndex);
};

} // namespace nibsy
