// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ActivityWindow.h"

#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "platform/Waits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

namespace nibsy {

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(area.left() + (area.width() - size.width()) / 2,
                 area.top() + (area.height() - size.height()) / 2);
}

ActivityWindow::ActivityWindow(QWidget* opener, int helpContext, const QString& caption, int widthTwips,
                               int heightTwips)
    : QWidget(nullptr), m_opener(opener), m_helpContext(helpContext) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setFixedSize(twipsSize(widthTwips, heightTwips));
}

ActivityWindow::~ActivityWindow() = default;

void ActivityWindow::Form_Load() {
    rnd().seedFromTimer();
    centreOnScreen(this);
}

void ActivityWindow::setKeyPreview(bool on) {
    if (on != m_keyPreview) {
        m_keyPreview = on;
        if (on) {
            qApp->installEventFilter(this);
        } else {
            qApp->removeEventFilter(this);
        }
    }
}

bool ActivityWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_forwardingKey || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    int code = key->key();
    Form_KeyDown(code, key->modifiers());
    if (code == 0) {
        return true;
    }
    const QString text = key->text();
    if (text.size() == 1 && text[0].unicode() >= 8 && text[0].unicode() < 127) {
        int ascii = text[0].unicode();
        Form_KeyPress(ascii);
        if (ascii == 0) {
            return true;
        }
    }
    // The key goes on to its control. Qt offers a key to each parent in turn; sending it again from here,
    // with previewing off, lets it take that road without being previewed once for every parent.
    m_forwardingKey = true;
    QCoreApplication::sendEvent(watched, event);
    m_forwardingKey = false;
    return true;
}

void ActivityWindow::place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsRect(left, top, width, height));
}

void ActivityWindow::cmdHelp_Click() {
    help().showContext(this, m_helpContext);
}

void ActivityWindow::cmdExit_Click() {
    unload();
}

void ActivityWindow::unload() {
    close();
}

void ActivityWindow::closeEvent(QCloseEvent* event) {
    if (Waits::busy()) {
        // A handler of this window is waiting: it must finish before the window goes.
        event->ignore();
        Waits::runWhenIdle(this, [this] { close(); });
        return;
    }
    if (!m_unloading) {
        m_unloading = true;
        Form_Unload();
        sound().stop();
    }
    event->accept();
    if (m_opener) {
        m_opener->show();
        m_opener->raise();
        m_opener->activateWindow();
    }
}

} // namespace nibsy
