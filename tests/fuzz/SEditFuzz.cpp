// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as the sound editor's catalogue, and the same text as records of one, two and
// three values.

#include "platform/QuotedRecords.h"
#include "soundedit/SEditCatalogue.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using nibsy::SEditCatalogue;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const SEditCatalogue catalogue = SEditCatalogue::read(bytes);
    check(catalogue.files.size() == catalogue.titles.size());
    check(catalogue.files.size() <= SEditCatalogue::Records);
    for (qsizetype i = 0; i < catalogue.files.size(); ++i) {
        check(SEditCatalogue::isRecordable(catalogue.files[i]));
        check(!catalogue.titles[i].isEmpty());
    }
    const auto expected = catalogue.files.isEmpty() ? SEditCatalogue::Status::Missing
                          : catalogue.files.size() < SEditCatalogue::Records
                              ? SEditCatalogue::Status::Short
                              : SEditCatalogue::Status::Complete;
    check(catalogue.status == expected);
    check(catalogue.message().isEmpty() == (catalogue.status == SEditCatalogue::Status::Complete));

    // Records of n values are the text's values taken n at a time, the last incomplete record left out.
    const QString text = QString::fromLatin1(bytes);
    QStringList values;
    for (const QStringList& one : nibsy::readRecords(text, 1)) {
        check(one.size() == 1);
        values << one;
    }
    for (int fields = 2; fields <= 3; ++fields) {
        const QList<QStringList> records = nibsy::readRecords(text, fields);
        check(records.size() == values.size() / fields);
        for (qsizetype r = 0; r < records.size(); ++r) {
            check(records[r] == values.mid(r * fields, fields));
        }
    }
    return 0;
}
