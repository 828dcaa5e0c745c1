// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bookkeeping for blocking waits. While a wait is in progress no handler of a window may run: timer ticks
// and deferred closes are held and run once the wait is over and control is back in the main loop.

#include <QObject>
#include <QPointer>
#include <functional>

namespace nibsy {

class Waits {
public:
    // True while any wait is in progress.
    static bool busy();
    // Runs fn once no wait is in progress and the current handler has returned, never inside a wait.
    // Nothing runs if ctx has been destroyed meanwhile.
    static void runWhenIdle(QObject* ctx, std::function<void()> fn);
};

// Marks a wait in progress for its lifetime.
class WaitScope {
public:
    WaitScope();
    ~WaitScope();
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

} // namespace nibsy
