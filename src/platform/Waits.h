// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bookkeeping for blocking waits. While a wait is in progress no handler of a window may run: timer ticks
// and deferred closes are held and run once the wait is over and control is back in the main loop.
// Clicks and keys made during a wait are dropped when it ends: they belonged to what the wait showed,
// and must never act on what comes after it.

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
    // The same, ahead of everything held so far (a request that must come before the ticks held).
    static void runFirstWhenIdle(QObject* ctx, std::function<void()> fn);
    // Shown each click and key as it is dropped at the end of a wait (one watcher for the whole
    // suite): a window may still take note of a request that does not depend on what the wait showed,
    // such as Stop, and act on it once the handler is over.
    static void setDroppedInputWatcher(std::function<void(QObject* target, QEvent* event)> watcher);
};

// Marks a wait in progress for its lifetime. When the outermost wait ends, the clicks and keys still
// queued from it are delivered to nobody (timer ticks and closes stay held while that happens).
class WaitScope {
public:
    WaitScope();
    ~WaitScope();
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

} // namespace nibsy
