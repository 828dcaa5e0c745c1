// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activity windows the main menu opens, by the index of their menu button (0 to 15). A window
// registers its factory here; the menu disables the buttons of windows that are not registered.

#include <functional>

class QWidget;

namespace nibsy {

class ActivityWindow;

using ActivityFactory = std::function<ActivityWindow*(QWidget* opener)>;

class Activities {
public:
    static void add(int index, ActivityFactory factory);
    static void remove(int index);
    static bool has(int index);
    // A new window for that index, or nullptr.
    static ActivityWindow* create(int index, QWidget* opener);
};

// Registers every activity window of the suite.
void registerActivities();

} // namespace nibsy
