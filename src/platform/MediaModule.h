// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The media module: the real sound player, recorder and printer, built as a library of their own
// (libnibsy_media.so beside the executable) that the suite loads when it first needs one of them. The
// module takes everything else (services(), the clock and waits) from the executable that loads it.

#include "platform/Services.h"

#include <memory>

namespace nibsy {

// What the module exports: plain functions that make a service the caller then owns.
using MakeSoundPlayerFn = SoundPlayer* (*)();
using MakePrinterFn = Printer* (*)();
using MakeRecorderFn = Recorder* (*)();
inline constexpr char kMakeSoundPlayer[] = "nibsy_makeSoundPlayer";
inline constexpr char kMakePrinter[] = "nibsy_makePrinter";
inline constexpr char kMakeRecorder[] = "nibsy_makeRecorder";

// Load the module from the executable's folder (once) and make the service. Where the module cannot
// be loaded, the suite cannot go on: fatal() is told, naming the module and why, and nothing is made.
std::unique_ptr<SoundPlayer> makeModuleSoundPlayer();
std::unique_ptr<Printer> makeModulePrinter();
std::unique_ptr<Recorder> makeModuleRecorder();

} // namespace nibsy
