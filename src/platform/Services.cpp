// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Services.h"

#include "platform/Clock.h"
#include "platform/Picture.h"
#include "platform/Random.h"

namespace nibsy {

Services& services() {
    static Services instance;
    return instance;
}

void clearServices() {
    services() = Services{};
}

namespace {
template <typename T> T& need(const std::unique_ptr<T>& p) {
    Q_ASSERT_X(p, "services", "a platform service was used before it was installed");
    return *p;
}
} // namespace

SoundPlayer& sound() {
    return need(services().sound);
}
Recorder& recorder() {
    return need(services().recorder);
}
Clock& clock() {
    return need(services().clock);
}
RandomSource& rnd() {
    return need(services().random);
}
Dialogs& dialogs() {
    return need(services().dialogs);
}
HelpViewer& help() {
    return need(services().help);
}
Printer& printer() {
    return need(services().printer);
}
Pictures& pictures() {
    return need(services().pictures);
}
Fatal& fatal() {
    return need(services().fatal);
}

void reportPrinting(QWidget* parent, const PrintOutcome& outcome, const QString& title) {
    if (outcome.message.isEmpty()) {
        return;
    }
    if (outcome.result == PrintOutcome::Result::NotPrinted) {
        dialogs().critical(parent, outcome.message, title);
    } else {
        dialogs().information(parent, outcome.message, title);
    }
}

} // namespace nibsy
