// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Waits.h"

#include <QMetaObject>
#include <QTimer>
#include <vector>

namespace nibsy {

namespace {
int g_depth = 0;

struct Held {
    QPointer<QObject> ctx;
    std::function<void()> fn;
};
std::vector<Held>& held() {
    static std::vector<Held> list;
    return list;
}

void post(QObject* ctx, std::function<void()> fn) {
    QPointer<QObject> guard(ctx);
    QMetaObject::invokeMethod(
        ctx,
        [guard, fn = std::move(fn)]() mutable {
            if (guard) {
                Waits::runWhenIdle(guard, std::move(fn));
            }
        },
        Qt::QueuedConnection);
}
} // namespace

bool Waits::busy() {
    return g_depth > 0;
}

void Waits::runWhenIdle(QObject* ctx, std::function<void()> fn) {
    if (!ctx) {
        return;
    }
    if (busy()) {
        held().push_back({ctx, std::move(fn)});
        return;
    }
    fn();
}

WaitScope::WaitScope() {
    ++g_depth;
}

WaitScope::~WaitScope() {
    if (--g_depth > 0) {
        return;
    }
    std::vector<Held> list;
    list.swap(held());
    for (auto& h : list) {
        if (h.ctx) {
            post(h.ctx, std::move(h.fn));
        }
    }
}

} // namespace nibsy
