// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/InputGuard.h"

#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/Waits.h"
#include "shell/ActivityWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace nibsy {

namespace {

bool isMouse(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

bool isKey(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
}

// The activity window that owns w's window: the window itself, or the one an options window, a board
// or a message box belongs to.
ActivityWindow* owningActivity(QWidget* w) {
    for (QWidget* window = w ? w->window() : nullptr; window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (auto* activity = qobject_cast<ActivityWindow*>(window)) {
            return activity;
        }
    }
    return nullptr;
}

// A click on a button changes what lies under the pointer, except on the arrows of a spin button,
// which a child presses again and again on purpose.
bool startsGuard(QObject* watched) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    return button && !qobject_cast<SpinButton*>(button->parentWidget());
}

// The control input from the window system was meant for: the one under the pointer for a click, the
// one with the focus for a key. Such input reaches the window first, then the control.
QWidget* intendedWidget(QObject* target, QEvent* event) {
    if (target->isWidgetType()) {
        return static_cast<QWidget*>(target);
    }
    auto* window = qobject_cast<QWindow*>(target);
    if (!window) {
        return nullptr;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) {
            continue;
        }
        if (isMouse(event->type())) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            QWidget* child = top->childAt(at);
            return child ? child : top;
        }
        return top->focusWidget() ? top->focusWidget() : top;
    }
    return nullptr;
}

} // namespace

InputGuard& InputGuard::instance() {
    static InputGuard* guard = [] {
        auto* g = new InputGuard;
        g->setParent(qApp);
        qApp->installEventFilter(g);
        Waits::setDroppedInputWatcher([](QObject* target, QEvent* event) {
            if (QWidget* under = intendedWidget(target, event)) {
                if (auto* w = qobject_cast<ActivityWindow*>(under->window())) {
                    w->inputDroppedDuringWait(under, event);
                }
            }
        });
        return g;
    }();
    return *guard;
}

void InputGuard::ignoreRestOfDoubleClick() {
    m_guardFrom = m_lastClick;
    m_guarding = m_lastClick != 0;
}

void InputGuard::helpFor(QWidget* w) {
    QWidget* window = w->window();
    if (ActivityWindow* activity = owningActivity(window)) {
        help().showContext(window, activity->helpContext());
    } else {
        help().showContents(window);
    }
}

bool InputGuard::dropClick(QObject* watched, const QEvent* event) {
    const quint64 at = static_cast<const QInputEvent*>(event)->timestamp();
    if (m_guarding && at > m_guardFrom) {
        if (at - m_guardFrom < quint64(QApplication::doubleClickInterval())) {
            return true;
        }
        m_guarding = false;
    }
    m_lastClick = at;
    if (event->type() == QEvent::MouseButtonRelease && startsGuard(watched)) {
        ignoreRestOfDoubleClick();
    }
    return false;
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = isMouse(type);
    if (mouse && !watched->isWidgetType()) {
        // A click from the window system reaches its window before the control, which takes the focus
        // before it sees the click: the rest of a double-click is stopped here, so it moves no focus.
        QWidget* under = intendedWidget(watched, event);
        return under && dropClick(under, event);
    }
    if ((!mouse && !isKey(type)) || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (mouse && dropClick(watched, event)) {
        return true;
    }
    if (type == QEvent::KeyPress) {
        m_guarding = false; // a key between two clicks: the second is meant, not the rest of a double-click
    }
    auto* activity = qobject_cast<ActivityWindow*>(widget->window());
    if (activity && activity->closeAsked()) {
        return true; // the window is going: its input must not act
    }
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            helpFor(widget);
        }
        return true;
    }
    return activity && activity->previewInput(watched, event);
}

} // namespace nibsy
