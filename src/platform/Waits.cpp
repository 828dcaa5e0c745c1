// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Waits.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QTimer>
#include <vector>

namespace nibsy {

namespace {
int g_depth = 0;
bool g_dropping = false;

std::function<void(QObject*, QEvent*)>& droppedInputWatcher() {
    static std::function<void(QObject*, QEvent*)> watcher;
    return watcher;
}

// Eats the input delivered while the queue of a wait that has ended is emptied.
class InputDropper : public QObject {
protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!g_dropping) {
            return false;
        }
        const bool input = dropped(event->type());
        if (input && droppedInputWatcher()) {
            droppedInputWatcher()(target, event);
        }
        return input;
    }

private:
    static bool dropped(QEvent::Type type) {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut: // a button's mnemonic, which the window system's key event triggers
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
        }
    }
};

// Delivers the input queued during the wait to nobody. Runs with the wait still counted as in progress.
void dropQueuedInput() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QCoreApplication::closingDown()) {
        return;
    }
    static InputDropper* dropper = [app] {
        auto* d = new InputDropper;
        d->setParent(app);
        app->installEventFilter(d);
        return d;
    }();
    Q_UNUSED(dropper);
    g_dropping = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    g_dropping = false;
}

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

void Waits::runFirstWhenIdle(QObject* ctx, std::function<void()> fn) {
    if (!ctx) {
        return;
    }
    if (busy()) {
        held().insert(held().begin(), {ctx, std::move(fn)});
        return;
    }
    fn();
}

void Waits::setDroppedInputWatcher(std::function<void(QObject*, QEvent*)> watcher) {
    droppedInputWatcher() = std::move(watcher);
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
    if (g_depth == 1 && !g_dropping) {
        dropQueuedInput();
    }
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
