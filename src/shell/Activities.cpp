// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Activities.h"

#include "letters/frmCount.h"
#include "letters/frmLet.h"
#include "math/frmEMath.h"
#include "shell/ActivityWindow.h"

#include <array>

namespace nibsy {

namespace {
std::array<ActivityFactory, 16>& table() {
    static std::array<ActivityFactory, 16> t;
    return t;
}
bool valid(int index) {
    return index >= 0 && index < int(table().size());
}
} // namespace

void Activities::add(int index, ActivityFactory factory) {
    if (valid(index)) {
        table()[size_t(index)] = std::move(factory);
    }
}

void Activities::remove(int index) {
    if (valid(index)) {
        table()[size_t(index)] = nullptr;
    }
}

bool Activities::has(int index) {
    return valid(index) && table()[size_t(index)] != nullptr;
}

ActivityWindow* Activities::create(int index, QWidget* opener) {
    return has(index) ? table()[size_t(index)](opener) : nullptr;
}

void registerActivities() {
    // Each activity window adds its line here as it joins the suite.
    Activities::add(1, [](QWidget* opener) { return new frmLet(opener); });
    Activities::add(2, [](QWidget* opener) { return new frmCount(opener); });
    Activities::add(3, [](QWidget* opener) { return new frmEMath(opener); });
}

} // namespace nibsy
