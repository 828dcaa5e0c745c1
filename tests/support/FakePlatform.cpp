// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"

#include "platform/AppFiles.h"
#include "platform/Printing.h"

#include <QFileInfo>

namespace nibsy::test {

void FakeSound::play(const QString& path, int mode) {
    played.append({QFileInfo(path).fileName(), mode});
    if (mode == 0) {
        clock().wait(lengthMs);
    }
}

QStringList FakeSound::names() const {
    QStringList out;
    for (const auto& p : played) {
        out << p.name;
    }
    return out;
}

namespace {
// Puts a new fake of type F into the service slot and returns it.
template <typename F, typename Slot> F& install(Slot& slot) {
    auto p = std::make_unique<F>();
    F& ref = *p;
    slot = std::move(p);
    return ref;
}
} // namespace

FakePlatform::FakePlatform(const QString& appDir)
    : sound(install<FakeSound>(services().sound)), clock(install<FakeClock>(services().clock)),
      random(install<FakeRandom>(services().random)), dialogs(install<FakeDialogs>(services().dialogs)),
      help(install<FakeHelp>(services().help)), fatal(install<FakeFatal>(services().fatal)) {
    m_savedAppDir = AppFiles::appDir();
    AppFiles::setAppDir(appDir.isEmpty() ? m_tempAppDir.path() : appDir);
    services().pictures = std::make_unique<Pictures>();
    services().printer = std::make_unique<PdfPrinter>(m_scratch.path() + QStringLiteral("/printout.pdf"));
}

FakePlatform::~FakePlatform() {
    clearServices();
    AppFiles::setAppDir(m_savedAppDir);
}

QString FakePlatform::appDir() const {
    return AppFiles::appDir();
}

QString builtAppDir() {
    return QStringLiteral(NIBSY_APPDIR);
}

} // namespace nibsy::test
