// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paint device that records whatever QPainter draws on it as a Windows metafile that the suite's
// own renderer (and other programs) can draw: filled polygons in solid colours, and 24-bit bitmaps.
// What a metafile cannot say is approximated: curves are flattened, strokes become filled outlines,
// and gradients and partial opacity become the solid colour that the shape shows on average.

#include <QByteArray>
#include <QImage>
#include <QPaintDevice>
#include <QSize>
#include <memory>

class QColor;

namespace nibsy::tools {

class WmfPaintEngine;

class WmfWriter : public QPaintDevice {
public:
    // size: the picture in metafile units; unitsPerInch fixes its natural size (1440: twips).
    explicit WmfWriter(QSize size, int unitsPerInch = 1440);
    ~WmfWriter() override;
    WmfWriter(const WmfWriter&) = delete;
    WmfWriter& operator=(const WmfWriter&) = delete;

    QPaintEngine* paintEngine() const override;
    // The finished metafile (placeable header first); empty until a painter has ended on it.
    QByteArray data() const;
    QSize size() const { return m_size; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_unitsPerInch;
    std::unique_ptr<WmfPaintEngine> m_engine;
};

// The picture's logical size for an SVG: the longer side is extent units, the aspect is kept.
QSize metafileSizeFor(const QSizeF& viewBox, int extent);
// Draws an SVG document as a metafile, the longer side extent units (at 1440 to the inch).
// Empty (with the reason in *error) when the SVG cannot be read.
QByteArray svgToWmf(const QByteArray& svg, QString* error = nullptr, int extent = 1440);
// Draws an SVG over a background, scaled to fit size with its aspect kept and centred.
QImage renderSvg(const QByteArray& svg, QSize size, const QColor& background);
// A Windows bitmap file with transparency: 32 bits a pixel (BGRA) under a BITMAPV5 header, rows
// bottom-up, at 96 dpi.
QByteArray toBmp32(const QImage& image);

} // namespace nibsy::tools
