// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ModeWindow.h"

#include "platform/SSCommand.h"
#include "platform/Waits.h"
#include "shell/Shared.h"

#include <QKeyEvent>
#include <QMetaObject>

namespace nibsy {

ModeWindow::ModeWindow(QWidget* opener, const ActivityDescriptor& activity)
    : ActivityWindow(opener, activity) {}

void ModeWindow::Form_Load() {
    ActivityWindow::Form_Load();
    TadaWave = FullPath(QStringLiteral("tada.wav"));
    UhohWave = FullPath(QStringLiteral("uhoh.wav"));
}

void ModeWindow::setFrameButtons(SSCommand* exit, SSCommand* help, SSCommand* newGame, StopButton stop) {
    m_exit = exit;
    m_exitIsStop = stop == StopButton::Exit;
    m_help = help;
    m_new = newGame;
}

void ModeWindow::cmdExit_Click() {
    if (m_running) {
        StopMode();
    } else {
        unload();
    }
}

void ModeWindow::inputDroppedDuringWait(QWidget* control, QEvent* event) {
    SSCommand* stop = m_exitIsStop ? m_exit : m_new;
    if (!m_running || !stop || m_stopAsked) {
        return;
    }
    // Clicked, or its shortcut (Alt+S) pressed: Qt hands the key to the button as a Shortcut event.
    const bool clicked =
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Shortcut) && control == stop;
    const bool keyed = event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == Qt::Key_S &&
                       static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier;
    if (!clicked && !keyed) {
        return;
    }
    m_stopAsked = true;
    // Ahead of the timer ticks held in the wait, so that a song stops after the line it was singing.
    Waits::runFirstWhenIdle(this, [this, stop] {
        m_stopAsked = false;
        if (m_running && !closeAsked() && stop->isVisible() && stop->isEnabled() &&
            stop->text() == QStringLiteral("&Stop")) {
            stop->click();
        }
    });
}

void ModeWindow::beginMode(int mode) {
    m_mode = mode;
    m_running = true;
    if (m_exit && m_exitIsStop) {
        m_exit->setText(QStringLiteral("&Stop"));
    }
    ignoreRestOfDoubleClick();
    // Enter on the frame's buttons would stop the game or open help: they take no focus meanwhile,
    // though a click and their shortcut still press them.
    const std::array<SSCommand*, 3> frame{m_help, m_exit, m_new};
    for (size_t i = 0; i < frame.size(); ++i) {
        if (frame[i] && frame[i]->focusPolicy() != Qt::NoFocus) {
            m_framePolicies[i] = frame[i]->focusPolicy();
            frame[i]->setFocusPolicy(Qt::NoFocus);
        }
    }
    settleFocusLater();
}

void ModeWindow::endMode() {
    m_running = false;
    if (m_exit && m_exitIsStop) {
        m_exit->setText(QStringLiteral("E&xit"));
    }
    const std::array<SSCommand*, 3> frame{m_help, m_exit, m_new};
    for (size_t i = 0; i < frame.size(); ++i) {
        if (frame[i] && frame[i]->focusPolicy() == Qt::NoFocus && m_framePolicies[i] != Qt::NoFocus) {
            frame[i]->setFocusPolicy(m_framePolicies[i]);
        }
    }
    settleFocusLater();
}

void ModeWindow::settleFocusLater() {
    QMetaObject::invokeMethod(
        this, [this] { Waits::runWhenIdle(this, [this] { settleFocus(); }); }, Qt::QueuedConnection);
}

void ModeWindow::settleFocus() {
    if (closeAsked()) {
        return;
    }
    QWidget* focus = focusWidget();
    if (!m_running) {
        if (m_new && m_new->isEnabled() && m_new->isVisible()) {
            m_new->setFocus();
        } else if (!focus || focus == m_exit || !focus->isEnabled() || !focus->isVisible()) {
            setFocus();
        }
        return;
    }
    const bool harmful = !focus || focus == m_help || focus == m_exit || focus == m_new;
    if (harmful || !focus->isEnabled() || !focus->isVisible()) {
        setFocus();
    }
}

void ModeWindow::cheerThenNext(double seconds) {
    PlayWave(TadaWave, 0);
    nextQuestionAfter(seconds);
}

void ModeWindow::nextQuestionAfter(double seconds) {
    Pause(seconds);
    if (m_running) {
        NewQuestion();
    }
}

} // namespace nibsy
