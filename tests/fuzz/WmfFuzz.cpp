// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a metafile and draws whatever comes out twice: as a small picture on a button,
// and at its own size, fitted into a window-sized image.

#include "platform/Wmf.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>

namespace {

void draw(const nibsy::WmfDocument& doc, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    doc.render(painter, QRectF(QPointF(0, 0), size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Text needs fonts, and fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto doc = nibsy::WmfDocument::parse(bytes);
    if (!doc)
        return 0;
    draw(*doc, QSize(48, 48));
    // At its own size, fitted into a window (a picture with no size of its own fills it).
    const QSizeF window(640, 480);
    const QSizeF own = doc->sizeInPixels();
    const QSizeF fitted =
        own.width() > 0 && own.height() > 0 ? own.scaled(own.boundedTo(window), Qt::KeepAspectRatio) : window;
    draw(*doc, fitted.toSize().expandedTo(QSize(1, 1)));
    return 0;
}
