// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ActivityWindow.h"

#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "platform/Waits.h"
#include "platform/WindowTimer.h"
#include "shell/GrownUpGate.h"
#include "shell/InputGuard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

namespace nibsy {

ActivityWindow::ActivityWindow(QWidget* opener, const ActivityDescriptor& activity)
    : QWidget(nullptr), m_opener(opener), m_helpContext(activity.helpContext) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(activity.caption));
    setFixedSize(twipsSize(activity.widthTwips, activity.heightTwips));
    // Keys and clicks of this window pass the suite's input guard first.
    InputGuard::instance();
    if (activity.background.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, activity.background);
        setPalette(pal);
        setAutoFillBackground(true);
    }
}

ActivityWindow::~ActivityWindow() = default;

void ActivityWindow::Form_Load() {
    rnd().seedFromTimer();
    centreOnScreen(this);
}

void ActivityWindow::setKeyPreview(bool on) {
    m_keyPreview = on;
}

void ActivityWindow::ignoreRestOfDoubleClick() {
    InputGuard::instance().ignoreRestOfDoubleClick();
}

bool ActivityWindow::previewInput(QObject* watched, QEvent* event) {
    if (!m_keyPreview || m_forwardingKey || event->type() != QEvent::KeyPress) {
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
    // It has been offered to the control and, where that left it, to each parent in turn: Qt must not
    // offer it to the parents again, previewed once more for each.
    event->accept();
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

bool ActivityWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_closeAsked) {
        Form_Activate();
    }
    return QWidget::event(event);
}

void ActivityWindow::closeEvent(QCloseEvent* event) {
    if (kioskMode() && event->spontaneous() && !m_closeAsked) {
        // Closed by its frame or Alt+F4: once the event is over, a grown-up may let it close.
        event->ignore();
        askGrownUpLater(this, [this] { close(); });
        return;
    }
    if (Waits::busy()) {
        // A handler of this window is waiting: it must finish before the window goes.
        event->ignore();
        m_closeAsked = true;
        // Its timers stop now, so that no tick held meanwhile starts another round before the close.
        for (WindowTimer* timer : findChildren<WindowTimer*>()) {
            timer->setEnabled(false);
        }
        Waits::runWhenIdle(this, [this] { close(); });
        return;
    }
    if (!m_unloading) {
        m_unloading = true;
        m_closeAsked = true;
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
