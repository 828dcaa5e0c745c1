// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ModeWindow.h"

#include "platform/SSCommand.h"
#include "shell/Shared.h"

namespace nibsy {

ModeWindow::ModeWindow(QWidget* opener, const ActivityDescriptor& activity)
    : ActivityWindow(opener, activity) {}

void ModeWindow::Form_Load() {
    ActivityWindow::Form_Load();
    TadaWave = FullPath(QStringLiteral("tada.wav"));
    UhohWave = FullPath(QStringLiteral("uhoh.wav"));
}

void ModeWindow::cmdExit_Click() {
    if (m_running) {
        StopMode();
    } else {
        unload();
    }
}

void ModeWindow::beginMode(int mode) {
    m_mode = mode;
    m_running = true;
    if (m_exit) {
        m_exit->setText(QStringLiteral("&Stop"));
    }
    ignoreRestOfDoubleClick();
}

void ModeWindow::endMode() {
    m_running = false;
    if (m_exit) {
        m_exit->setText(QStringLiteral("E&xit"));
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
