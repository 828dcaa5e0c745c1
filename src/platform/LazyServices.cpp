// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LazyServices.h"

namespace nibsy {

SoundPlayer* LazySoundPlayer::real() {
    if (!m_asked) {
        m_asked = true;
        m_real = m_make();
    }
    return m_real.get();
}

void LazySoundPlayer::play(const QString& path, int mode) {
    if (SoundPlayer* player = real()) {
        player->play(path, mode);
    }
}

void LazySoundPlayer::stop() {
    if (m_real) {
        m_real->stop();
    }
}

void LazySoundPlayer::beep() {
    if (SoundPlayer* player = real()) {
        player->beep();
    }
}

std::unique_ptr<PrintJob> LazyPrinter::begin(QWidget* parent, const QString& documentName) {
    if (!m_asked) {
        m_asked = true;
        m_real = m_make();
    }
    return m_real ? m_real->begin(parent, documentName) : nullptr;
}

bool LazyRecorder::start(qint64 maxMs) {
    if (!m_asked) {
        m_asked = true;
        m_real = m_make();
    }
    return m_real && m_real->start(maxMs);
}

WaveFile LazyRecorder::stop() {
    return m_real ? m_real->stop() : WaveFile();
}

} // namespace nibsy
