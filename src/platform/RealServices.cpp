// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Services.h"

#include "platform/Clock.h"
#include "platform/HelpWindow.h"
#include "platform/LazyServices.h"
#include "platform/MediaModule.h"
#include "platform/MessageBoxes.h"
#include "platform/Picture.h"
#include "platform/Random.h"

namespace nibsy {

// Fills services() with the implementations the running suite uses. The fatal service is the shell's.
// Sound and printing come from the media module, loaded when the first sound plays or the first page
// prints rather than before the menu shows.
void installRealServices() {
    Services& s = services();
    s.sound = std::make_unique<LazySoundPlayer>(makeModuleSoundPlayer);
    s.recorder = std::make_unique<LazyRecorder>(makeModuleRecorder);
    s.clock = std::make_unique<SystemClock>();
    s.random = std::make_unique<SystemRandom>();
    s.dialogs = std::make_unique<QtDialogs>();
    s.help = std::make_unique<QtHelpViewer>();
    s.printer = std::make_unique<LazyPrinter>(makeModulePrinter);
    s.pictures = std::make_unique<Pictures>();
}

} // namespace nibsy
