// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The math windows opened from a stand-in menu on the fake platform, and a clock that looks at a window
// each time it waits (while a sound plays or a picture shows).

#include "math/frmEMath.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>

namespace nibsy::test {

using MathFixture = WindowFixture<frmEMath>;

// A fake clock that looks at the window each time it waits.
class PeekingClock : public FakeClock {
public:
    // Takes the fake platform's clock's place, which owns it.
    static PeekingClock& install() {
        auto* clock = new PeekingClock;
        services().clock.reset(clock);
        return *clock;
    }
    void wait(qint64 ms) override {
        if (peek) {
            peek(ms);
        }
        FakeClock::wait(ms);
    }
    std::function<void(qint64 ms)> peek;
};

} // namespace nibsy::test
