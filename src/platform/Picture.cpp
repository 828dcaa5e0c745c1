// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Picture.h"

#include "platform/AppFiles.h"
#include "platform/Services.h"
#include "platform/Wmf.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <cmath>

namespace nibsy {

Picture Picture::fromImage(const QImage& image) {
    Picture p;
    p.m_image = image;
    return p;
}

Picture Picture::fromMetafile(std::shared_ptr<const WmfDocument> doc) {
    Picture p;
    p.m_wmf = std::move(doc);
    return p;
}

Picture Picture::fromDrawing(QSize natural, Drawing draw) {
    Picture p;
    if (!natural.isEmpty() && draw) {
        p.m_drawing = std::make_shared<const Drawing>(std::move(draw));
        p.m_natural = natural;
    }
    return p;
}

Picture Picture::fromData(const QByteArray& bytes) {
    if (auto doc = WmfDocument::parse(bytes)) {
        return fromMetafile(std::move(doc));
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return fromImage(reader.read());
}

QSize Picture::size() const {
    if (m_drawing) {
        return m_natural;
    }
    if (m_wmf) {
        const QSizeF s = m_wmf->sizeInPixels();
        return {int(std::lround(s.width())), int(std::lround(s.height()))};
    }
    return m_image.deviceIndependentSize().toSize();
}

void Picture::draw(QPainter& painter, const QRectF& target) const {
    if (m_wmf) {
        m_wmf->render(painter, target);
    } else if (m_drawing) {
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / m_natural.width(), target.height() / m_natural.height());
        painter.setRenderHint(QPainter::Antialiasing);
        (*m_drawing)(painter);
        painter.restore();
    } else if (!m_image.isNull()) {
        painter.drawImage(target, m_image);
    }
}

double screenRatio() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? qGuiApp->devicePixelRatio() : 1.0;
}

QImage deviceImage(const QSize& size, double ratio, QImage::Format format) {
    ratio = ratio > 0 ? ratio : 1;
    QImage image(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))), format);
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage Picture::toImage(const QSize& size, double ratio) const {
    QImage image = deviceImage(size, ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

Picture Pictures::load(const QString& fileName) {
    const QString path = AppFiles::resolve(fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fatal().fail(
            QStringLiteral("The picture file \"%1\" is missing from %2. Please reinstall the program.")
                .arg(fileName, QDir::toNativeSeparators(AppFiles::shippedDir())));
        return {};
    }
    Picture picture = Picture::fromData(file.readAll());
    if (picture.isNull()) {
        fatal().fail(QStringLiteral("The picture file \"%1\" cannot be read. Please reinstall the program.")
                         .arg(fileName));
    }
    return picture;
}

} // namespace nibsy
