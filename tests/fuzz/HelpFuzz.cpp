// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as the help file: looks up the contents and the topics, checks that each page
// holds its section within the size of the file, and lays the contents page out as the help window's browser
// does. The first line is also taken as a link clicked in the window.

#include "platform/HelpFile.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// A document that finds no pictures: the fuzzer reads nothing from disk.
class Document : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

void checkPage(const QString& html, const QString& id) {
    const auto section = nibsy::HelpFile::section(html, id);
    const auto page = nibsy::HelpFile::page(html, id);
    check(section.has_value() == page.has_value());
    if (!page) {
        return;
    }
    check(page->contains(*section));
    check(page->size() <= html.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Laying out text needs fonts, and fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using nibsy::HelpFile;
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkPage(html, HelpFile::contentsId());
    for (int context = 1; context <= 20; ++context) {
        checkPage(html, HelpFile::topicId(context));
    }
    checkPage(html, HelpFile::topicId(99));

    const QUrl link(html.section(u'\n', 0, 0));
    if (const auto target = HelpFile::linkTarget(link)) {
        static const QRegularExpression pageId(QStringLiteral(R"(^(contents|topic-\d{1,2})$)"));
        check(pageId.match(*target).hasMatch());
    }

    const auto page = HelpFile::page(html, HelpFile::contentsId());
    if (!page) {
        return 0;
    }
    Document doc;
    doc.setHtml(*page);
    doc.setTextWidth(600);
    (void)doc.documentLayout()->documentSize();
    QImage image(320, 240, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    doc.drawContents(&painter, QRectF(0, 0, 320, 240));
    return 0;
}
