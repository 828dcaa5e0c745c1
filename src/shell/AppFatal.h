// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the running suite ends when it cannot go on: the message is shown, the settings are kept, every
// window goes and the program ends.

#include "platform/Services.h"

namespace nibsy {

class frmMenu;

class AppFatal : public Fatal {
public:
    explicit AppFatal(frmMenu* menu) : m_menu(menu) {}
    void fail(const QString& message) override;

private:
    frmMenu* m_menu;
    bool m_failed = false;
};

} // namespace nibsy
