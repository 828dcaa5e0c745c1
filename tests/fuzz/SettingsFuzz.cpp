// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as the settings file. Whatever is read, written out and read again, must come
// back the same, both as read and as brought into range for use and saving.

#include "shell/Settings.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void roundTrip(const nibsy::Settings& s) {
    const QByteArray text = nibsy::formatSettings(s);
    const auto again = nibsy::parseSettings(text);
    check(again.has_value());
    check(*again == s);
    check(nibsy::formatSettings(*again) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto parsed = nibsy::parseSettings(bytes);
    if (!parsed) {
        return 0;
    }
    roundTrip(*parsed);
    nibsy::Settings used = *parsed;
    nibsy::normaliseSettings(used);
    roundTrip(used);
    nibsy::Settings twice = used;
    nibsy::normaliseSettings(twice);
    check(twice == used);
    return 0;
}
