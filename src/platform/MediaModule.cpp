// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MediaModule.h"

#include "platform/AppFiles.h"

#include <QCoreApplication>
#include <QLibrary>

namespace nibsy {

namespace {

// The module's function of that name; nullptr (after telling fatal()) where there is none. The module
// stays loaded to the end: the services it made live in it.
QFunctionPointer moduleFunction(const char* name) {
    // Beside the executable when portable; installed, in the suite's own folder of lib/.
    static QLibrary module(QCoreApplication::applicationDirPath() +
                           (AppFiles::installed() ? QStringLiteral("/../lib/nibsy/nibsy_media")
                                                  : QStringLiteral("/nibsy_media")));
    if (!module.isLoaded() && !module.load()) {
        fatal().fail(QStringLiteral("The sound and printing part of Nibsy Learning could not be loaded: %1")
                         .arg(module.errorString()));
        return nullptr;
    }
    const QFunctionPointer fn = module.resolve(name);
    if (!fn) {
        fatal().fail(QStringLiteral("The sound and printing part of Nibsy Learning is damaged: %1")
                         .arg(module.errorString()));
    }
    return fn;
}

} // namespace

std::unique_ptr<SoundPlayer> makeModuleSoundPlayer() {
    const auto make = reinterpret_cast<MakeSoundPlayerFn>(moduleFunction(kMakeSoundPlayer));
    return std::unique_ptr<SoundPlayer>(make ? make() : nullptr);
}

std::unique_ptr<Printer> makeModulePrinter() {
    const auto make = reinterpret_cast<MakePrinterFn>(moduleFunction(kMakePrinter));
    return std::unique_ptr<Printer>(make ? make() : nullptr);
}

std::unique_ptr<Recorder> makeModuleRecorder() {
    const auto make = reinterpret_cast<MakeRecorderFn>(moduleFunction(kMakeRecorder));
    return std::unique_ptr<Recorder>(make ? make() : nullptr);
}

} // namespace nibsy
