// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Nibsy Math opened from a stand-in menu on the fake platform, with the settings as the test left them.

#include "math/frmEMath.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QRadioButton>

namespace nibsy::test {

using MathFixture = WindowFixture<frmEMath>;

} // namespace nibsy::test
