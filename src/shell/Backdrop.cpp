// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Backdrop.h"

#include "shell/GrownUpGate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace nibsy {

Backdrop::Backdrop(const QColor& colour)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::WindowDoesNotAcceptFocus) {
    setWindowTitle(QStringLiteral("Nibsy Learning"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    qApp->installEventFilter(this);
}

Backdrop::~Backdrop() {
    qApp->removeEventFilter(this);
}

void Backdrop::toggle() {
    if (isVisible()) {
        hide();
    } else {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            setGeometry(screen->geometry());
        }
        showFullScreen();
        raiseSuite();
    }
}

void Backdrop::raiseSuite() {
    QWidget* front = QApplication::activeModalWidget();
    if (!front) {
        front = m_front;
    }
    if (front && front->isVisible()) {
        front->raise();
        front->activateWindow();
    }
}

bool Backdrop::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget != this && widget->isWindow() && event->type() == QEvent::WindowActivate) {
        m_front = widget;
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11 &&
               !kioskMode()) {
        toggle();
        return true;
    }
    return false;
}

void Backdrop::closeEvent(QCloseEvent* event) {
    // Only the suite's end takes it away; Alt+F4 from the window manager does not.
    if (event->spontaneous()) {
        event->ignore();
        raiseSuite();
    }
}

void Backdrop::mousePressEvent(QMouseEvent* event) {
    event->accept();
    raiseSuite();
}

} // namespace nibsy
