// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Nibsy Math opened from a stand-in menu on the fake platform, with the settings a test gives.

#include "math/frmEMath.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <functional>

namespace nibsy::test {

class MathFixture : public WindowFixture<frmEMath> {
protected:
    // Opens Nibsy Math afresh with the default settings, changed by setUp before it loads.
    frmEMath* open(const std::function<void(Settings&)>& setUp = [](Settings&) {}) {
        close();
        settings() = Settings{};
        setUp(settings());
        return WindowFixture::open();
    }
};

} // namespace nibsy::test
