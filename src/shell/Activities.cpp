// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Activities.h"

#include <QtGlobal>
#include <array>
#include <cstddef>

namespace nibsy {

namespace {
std::array<const ActivityDescriptor*, MenuButtons>& table() {
    static std::array<const ActivityDescriptor*, MenuButtons> t{};
    return t;
}
bool valid(int index) {
    return index >= 0 && index < MenuButtons;
}
} // namespace

void Activities::add(const ActivityDescriptor& activity) {
    if (!valid(activity.menuIndex)) {
        return;
    }
    const ActivityDescriptor*& slot = table()[std::size_t(activity.menuIndex)];
    if (slot && slot != &activity) {
        // Two windows on one button: one of them would never be reached.
        qFatal("%s and %s are both on menu button %d", slot->caption, activity.caption, activity.menuIndex);
    }
    slot = &activity;
}

void Activities::remove(int menuIndex) {
    if (valid(menuIndex)) {
        table()[std::size_t(menuIndex)] = nullptr;
    }
}

const ActivityDescriptor* Activities::find(int menuIndex) {
    return valid(menuIndex) ? table()[std::size_t(menuIndex)] : nullptr;
}

} // namespace nibsy
