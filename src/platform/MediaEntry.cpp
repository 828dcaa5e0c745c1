// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The media module's entry points (see platform/MediaModule.h).

#include "platform/MediaModule.h"
#include "platform/Printing.h"
#include "platform/Recorder.h"
#include "platform/Sound.h"

extern "C" Q_DECL_EXPORT nibsy::SoundPlayer* nibsy_makeSoundPlayer() {
    return new nibsy::QtSoundPlayer();
}

extern "C" Q_DECL_EXPORT nibsy::Printer* nibsy_makePrinter() {
    return new nibsy::QtPrinter();
}

extern "C" Q_DECL_EXPORT nibsy::Recorder* nibsy_makeRecorder() {
    return new nibsy::QtRecorder();
}
