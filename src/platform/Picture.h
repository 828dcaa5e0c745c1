// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture loaded from a data file: a metafile drawn as vectors, or a bitmap.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QPainter;

namespace nibsy {

class WmfDocument;

// Device pixels to each logical one on the screens, the highest where they differ.
double screenRatio();

// An image size logical pixels large at ratio device pixels to each, to be drawn on and drawn in
// logical pixels: on a screen of that ratio it shows at its full resolution.
QImage deviceImage(const QSize& size, double ratio,
                   QImage::Format format = QImage::Format_ARGB32_Premultiplied);

class Picture {
public:
    Picture() = default;
    static Picture fromImage(const QImage& image);
    static Picture fromMetafile(std::shared_ptr<const WmfDocument> doc);
    // A picture drawn by code on a natural-size grid of logical pixels, and stretched to any target as
    // the vectors it is made of.
    using Drawing = std::function<void(QPainter&)>;
    static Picture fromDrawing(QSize natural, Drawing draw);
    // Reads a picture from bytes; the type is taken from the content (metafile or any image Qt reads).
    static Picture fromData(const QByteArray& bytes);

    bool isNull() const { return !m_wmf && !m_drawing && m_image.isNull(); }
    bool isMetafile() const { return m_wmf != nullptr; }
    // Natural size in pixels.
    QSize size() const;
    // Draws the picture stretched into target.
    void draw(QPainter& painter, const QRectF& target) const;
    // The picture drawn into an image size logical pixels large at ratio device pixels to each: a
    // metafile is drawn as vectors at the final resolution.
    QImage toImage(const QSize& size, double ratio = 1) const;

private:
    std::shared_ptr<const WmfDocument> m_wmf;
    std::shared_ptr<const Drawing> m_drawing;
    QSize m_natural; // of a drawing
    QImage m_image;
};

// Loads pictures by file name from the application directory (any case). A file that is missing or
// unreadable is fatal: the message names the file and the suite ends (Fatal); a null picture is returned.
class Pictures {
public:
    virtual ~Pictures() = default;
    virtual Picture load(const QString& fileName);
};

} // namespace nibsy
