// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace nibsy {

namespace {

QMargins shownFrame(const QWindow* window) {
    return window && window->isVisible() ? window->frameMargins() : QMargins();
}

// The frame the window manager gives a window: its own once it has one, or the one it had when it was
// last shown (a hidden window keeps it), else that of a window shown.
QMargins frameOf(const QWidget* window) {
    QMargins frame = shownFrame(window->windowHandle());
    if (!frame.isNull()) {
        return frame;
    }
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                     outer.bottom() - inner.bottom());
    if (!frame.isNull()) {
        return frame;
    }
    for (const QWindow* other : QGuiApplication::topLevelWindows()) {
        frame = shownFrame(other);
        if (!frame.isNull()) {
            return frame;
        }
    }
    return {};
}

// Centres the window again once the window manager has put its frame around it, unless the frame is
// the one it was centred with, or the window was moved meanwhile.
class CentreWhenFramed : public QObject {
public:
    CentreWhenFramed(QWidget* window, const QMargins& assumed, const QPoint& placed)
        : QObject(window), m_assumed(assumed), m_placed(placed) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Move && event->type() != QEvent::Show) {
            return false;
        }
        auto* window = static_cast<QWidget*>(watched);
        const QMargins frame = shownFrame(window->windowHandle());
        if (frame.isNull()) {
            return false;
        }
        const QPoint framePos = window->frameGeometry().topLeft();
        const bool wasMoved = (framePos - m_placed).manhattanLength() > frame.top() + frame.left();
        if (frame != m_assumed && !wasMoved) {
            centreOnScreen(window);
        }
        deleteLater();
        window->removeEventFilter(this);
        return false;
    }

private:
    QMargins m_assumed;
    QPoint m_placed;
};

} // namespace

QPoint centredFramePosition(const QRect& area, const QSize& client, const QMargins& frame) {
    const QSize outer = client.grownBy(frame);
    return {area.left() + (area.width() - outer.width()) / 2,
            area.top() + (area.height() - outer.height()) / 2};
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QMargins frame = frameOf(window);
    // A window's position is that of its frame.
    const QPoint at = centredFramePosition(screen->geometry(), window->size(), frame);
    window->move(at);
    if (shownFrame(window->windowHandle()).isNull()) {
        window->installEventFilter(new CentreWhenFramed(window, frame, at));
    }
}

} // namespace nibsy
