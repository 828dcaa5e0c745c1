// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WmfWriter.h"

#include <QColor>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSvgRenderer>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

namespace nibsy::tools {

namespace {

// Record function numbers.
constexpr quint16 kEof = 0x0000;
constexpr quint16 kSetPolyFillMode = 0x0106;
constexpr quint16 kSelectObject = 0x012D;
constexpr quint16 kDeleteObject = 0x01F0;
constexpr quint16 kSetWindowOrg = 0x020B;
constexpr quint16 kSetWindowExt = 0x020C;
constexpr quint16 kCreatePenIndirect = 0x02FA;
constexpr quint16 kCreateBrushIndirect = 0x02FC;
constexpr quint16 kPolygon = 0x0324;
constexpr quint16 kPolyPolygon = 0x0538;
constexpr quint16 kStretchDib = 0x0F43;

constexpr quint16 kAlternate = 1;
constexpr quint16 kWinding = 2;
constexpr quint16 kPenNull = 5;
constexpr quint32 kSrcCopy = 0x00CC0020;
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;

// Curves are cut into straight pieces no further than this from the curve (metafile units).
constexpr double kFlatness = 1.5;
// The raster copy of the picture, used to find the colour a blended shape shows, is this much
// coarser than the metafile's units.
constexpr double kShadowScale = 0.25;
constexpr int kMaxPolygonPoints = 32000;

qint16 clampCoord(double v) {
    return qint16(std::clamp<long>(std::lround(v), -32000, 32000));
}

void putWord(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void putDword(QByteArray& out, quint32 v) {
    putWord(out, quint16(v & 0xFFFF));
    putWord(out, quint16(v >> 16));
}

QByteArray dib24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width(), h = rgb.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray out;
    putDword(out, 40);
    putDword(out, quint32(w));
    putDword(out, quint32(h));
    putWord(out, 1);
    putWord(out, 24);
    putDword(out, 0);
    putDword(out, quint32(stride * h));
    putDword(out, 3780); // 96 dpi
    putDword(out, 3780);
    putDword(out, 0);
    putDword(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(line[3 * x + 2]);
            row[3 * x + 1] = char(line[3 * x + 1]);
            row[3 * x + 2] = char(line[3 * x]);
        }
        out.append(row);
    }
    return out;
}

// Cuts a path (already in metafile units) into closed polygons of whole-unit points.
std::vector<QPolygon> flatten(const QPainterPath& path) {
    std::vector<QPolygon> out;
    QPolygonF current;
    auto flush = [&] {
        QPolygon poly;
        for (const QPointF& p : current) {
            const QPoint q(clampCoord(p.x()), clampCoord(p.y()));
            if (poly.isEmpty() || poly.last() != q)
                poly << q;
        }
        while (poly.size() > 1 && poly.first() == poly.last())
            poly.removeLast();
        qint64 area2 = 0;
        for (int i = 0; i < poly.size(); ++i) {
            const QPoint& a = poly[i];
            const QPoint& b = poly[(i + 1) % poly.size()];
            area2 += qint64(a.x()) * b.y() - qint64(b.x()) * a.y();
        }
        if (poly.size() >= 3 && area2 != 0)
            out.push_back(poly.size() > kMaxPolygonPoints ? poly.mid(0, kMaxPolygonPoints) : poly);
        current.clear();
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            flush();
            current << QPointF(e);
            break;
        case QPainterPath::LineToElement:
            current << QPointF(e);
            break;
        case QPainterPath::CurveToElement: {
            if (i + 2 >= path.elementCount())
                break;
            const QPointF p0 = current.isEmpty() ? QPointF(e) : current.last();
            const QPointF p1 = e, p2 = path.elementAt(i + 1), p3 = path.elementAt(i + 2);
            i += 2;
            // The curve bends at most this much per piece: pick the count from the second differences.
            const QPointF d1 = p0 - 2 * p1 + p2, d2 = p1 - 2 * p2 + p3;
            const double bend = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
            const int n = std::clamp(int(std::ceil(std::sqrt(0.75 * bend / kFlatness))), 1, 64);
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                current << p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
            }
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    flush();
    return out;
}

} // namespace

class WmfPaintEngine : public QPaintEngine {
public:
    WmfPaintEngine(QSize size, int unitsPerInch)
        : QPaintEngine(QPaintEngine::AllFeatures), m_size(size), m_unitsPerInch(unitsPerInch) {}

    QByteArray data() const { return m_file; }

    bool begin(QPaintDevice*) override {
        m_records.clear();
        m_file.clear();
        m_maxRecord = 0;
        m_slots.fill(false);
        m_maxObjects = 0;
        m_brushSlot = -1;
        m_brushColor.reset();
        m_fillMode = 0;
        m_transform = QTransform();
        m_pen = QPen();
        m_brush = QBrush();
        m_opacity = 1;
        m_clip.reset();
        m_brushOrigin = {};
        m_shadow = QImage(std::max(1, int(std::ceil(m_size.width() * kShadowScale))),
                          std::max(1, int(std::ceil(m_size.height() * kShadowScale))),
                          QImage::Format_ARGB32_Premultiplied);
        m_shadow.fill(Qt::white);

        record(kSetWindowOrg, {0, 0});
        record(kSetWindowExt, {quint16(m_size.height()), quint16(m_size.width())});
        // Shapes are filled without an outline: select a null pen once.
        const int pen = createObject(kCreatePenIndirect, {kPenNull, 0, 0, 0, 0});
        record(kSelectObject, {quint16(pen)});
        return true;
    }

    bool end() override {
        if (m_brushSlot >= 0)
            deleteObject(m_brushSlot);
        for (int i = 0; i < int(m_slots.size()); ++i) {
            if (m_slots[size_t(i)])
                deleteObject(i);
        }
        record(kEof, {});

        QByteArray head;
        std::array<quint16, 10> placeable = {
            quint16(kPlaceableKey & 0xFFFF), quint16(kPlaceableKey >> 16), 0, 0, 0, quint16(m_size.width()),
            quint16(m_size.height()),        quint16(m_unitsPerInch),      0, 0};
        quint16 checksum = 0;
        for (quint16 w : placeable) {
            putWord(head, w);
            checksum ^= w;
        }
        putWord(head, checksum);
        const quint32 totalWords = 9 + quint32(m_records.size() / 2);
        putWord(head, 1);      // in memory
        putWord(head, 9);      // header words
        putWord(head, 0x0300); // version
        putDword(head, totalWords);
        putWord(head, quint16(m_maxObjects));
        putDword(head, m_maxRecord);
        putWord(head, 0);
        m_file = head + m_records;
        return true;
    }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags flags = state.state();
        if (flags & DirtyTransform)
            m_transform = state.transform();
        if (flags & DirtyPen)
            m_pen = state.pen();
        if (flags & DirtyBrush)
            m_brush = state.brush();
        if (flags & DirtyBrushOrigin)
            m_brushOrigin = state.brushOrigin();
        if (flags & DirtyOpacity)
            m_opacity = state.opacity();
        if (flags & DirtyClipPath)
            setClip(m_transform.map(state.clipPath()), state.clipOperation());
        if (flags & DirtyClipRegion) {
            QPainterPath p;
            p.addRegion(state.clipRegion());
            setClip(m_transform.map(p), state.clipOperation());
        }
        if ((flags & DirtyClipEnabled) && !state.isClipEnabled())
            m_clip.reset();
    }

    void drawPath(const QPainterPath& path) override {
        fill(path, m_transform, m_brush);
        stroke(path);
    }

    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override {
        QPainterPath path;
        if (pointCount < 2)
            return;
        path.moveTo(points[0]);
        for (int i = 1; i < pointCount; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode) {
            path.closeSubpath();
            path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
            fill(path, m_transform, m_brush);
        }
        stroke(path);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags) override {
        const QImage part = image.copy(sr.toAlignedRect());
        if (part.isNull())
            return;
        // A metafile bitmap has no transparency: lay it on white first.
        QImage flat(part.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        {
            QPainter p(&flat);
            p.setOpacity(m_opacity);
            p.drawImage(0, 0, part);
        }
        {
            QPainter p(&m_shadow);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.scale(kShadowScale, kShadowScale);
            p.setTransform(m_transform, true);
            p.setOpacity(m_opacity);
            p.drawImage(r, part);
        }
        const QRect dest = m_transform.mapRect(r).toRect();
        std::vector<quint16> params;
        params.push_back(quint16(kSrcCopy & 0xFFFF));
        params.push_back(quint16(kSrcCopy >> 16));
        params.push_back(0); // colours are RGB values
        params.push_back(quint16(flat.height()));
        params.push_back(quint16(flat.width()));
        params.push_back(0);
        params.push_back(0);
        params.push_back(quint16(qint16(dest.height())));
        params.push_back(quint16(qint16(dest.width())));
        params.push_back(quint16(clampCoord(dest.y())));
        params.push_back(quint16(clampCoord(dest.x())));
        const QByteArray bits = dib24(flat);
        for (qsizetype i = 0; i + 1 < bits.size(); i += 2)
            params.push_back(quint16(uchar(bits[i]) | (uchar(bits[i + 1]) << 8)));
        record(kStretchDib, params);
    }

    Type type() const override { return QPaintEngine::User; }

private:
    void setClip(const QPainterPath& devicePath, Qt::ClipOperation op) {
        if (op == Qt::NoClip)
            m_clip.reset();
        else if (op == Qt::IntersectClip && m_clip)
            m_clip = m_clip->intersected(devicePath);
        else
            m_clip = devicePath;
    }

    void stroke(const QPainterPath& path) {
        if (m_pen.style() == Qt::NoPen || m_pen.brush().style() == Qt::NoBrush)
            return;
        QPainterPathStroker stroker;
        stroker.setCapStyle(m_pen.capStyle());
        stroker.setJoinStyle(m_pen.joinStyle());
        stroker.setMiterLimit(m_pen.miterLimit());
        if (m_pen.style() != Qt::SolidLine) {
            stroker.setDashPattern(m_pen.dashPattern());
            stroker.setDashOffset(m_pen.dashOffset());
        }
        const double width = m_pen.widthF();
        if (m_pen.isCosmetic() || width <= 0) {
            // A cosmetic pen is as wide on the screen as it says, in pixels at 96 dpi.
            stroker.setWidth(std::max(width, 1.0) * m_unitsPerInch / 96.0);
            fill(stroker.createStroke(m_transform.map(path)), QTransform(), m_pen.brush());
        } else {
            stroker.setWidth(width);
            fill(stroker.createStroke(path), m_transform, m_pen.brush());
        }
    }

    // Fills path (in user units, placed by transform) with brush, as one solid-coloured shape.
    void fill(const QPainterPath& path, const QTransform& transform, const QBrush& brush) {
        if (brush.style() == Qt::NoBrush || path.isEmpty())
            return;
        QPainterPath device = transform.map(path);
        device.setFillRule(path.fillRule());
        if (m_clip)
            device = device.intersected(*m_clip);
        const std::vector<QPolygon> polys = flatten(device);

        // Paint the shape as it really looks on the raster copy; the colour it leaves there is
        // what the metafile shows.
        const QRect area = QTransform::fromScale(kShadowScale, kShadowScale)
                               .mapRect(device.boundingRect())
                               .toAlignedRect()
                               .intersected(m_shadow.rect());
        QImage before;
        if (!area.isEmpty())
            before = m_shadow.copy(area);
        {
            QPainter p(&m_shadow);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(kShadowScale, kShadowScale);
            if (m_clip)
                p.setClipPath(*m_clip);
            p.setTransform(transform, true);
            p.setBrushOrigin(m_brushOrigin);
            p.setOpacity(m_opacity);
            p.setPen(Qt::NoPen);
            p.setBrush(brush);
            p.drawPath(path);
        }
        if (polys.empty())
            return;
        const bool opaqueSolid =
            brush.style() == Qt::SolidPattern && brush.color().alpha() == 255 && m_opacity >= 1.0;
        QRgb colour = brush.color().rgb();
        if (!opaqueSolid) {
            const std::optional<QRgb> seen = averageOver(device, area);
            if (!seen)
                return; // too small to show at all
            colour = *seen;
        }
        emitPolygons(polys, device.fillRule() == Qt::WindingFill ? kWinding : kAlternate, colour);
    }

    // The mean colour of the raster copy under a shape: over the pixels it covers fully, or
    // weighted by coverage where it covers none fully.
    std::optional<QRgb> averageOver(const QPainterPath& device, const QRect& area) const {
        if (area.isEmpty())
            return std::nullopt;
        QImage mask(area.size(), QImage::Format_Alpha8);
        mask.fill(0);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(-area.topLeft());
            p.scale(kShadowScale, kShadowScale);
            p.fillPath(device, Qt::black);
        }
        std::array<double, 4> full{}, weighted{};
        for (int y = 0; y < area.height(); ++y) {
            const uchar* m = mask.constScanLine(y);
            const QRgb* s =
                reinterpret_cast<const QRgb*>(m_shadow.constScanLine(area.top() + y)) + area.left();
            for (int x = 0; x < area.width(); ++x) {
                if (m[x] == 0)
                    continue;
                const double w = m[x] / 255.0;
                std::array<double, 4>& acc = m[x] == 255 ? full : weighted;
                const double k = m[x] == 255 ? 1.0 : w;
                acc[0] += k * qRed(s[x]);
                acc[1] += k * qGreen(s[x]);
                acc[2] += k * qBlue(s[x]);
                acc[3] += k;
            }
        }
        const std::array<double, 4>& use = full[3] > 0 ? full : weighted;
        if (use[3] <= 0.05)
            return std::nullopt;
        auto channel = [&](int i) { return std::clamp(int(std::lround(use[size_t(i)] / use[3])), 0, 255); };
        return qRgb(channel(0), channel(1), channel(2));
    }

    void emitPolygons(const std::vector<QPolygon>& polys, quint16 fillMode, QRgb colour) {
        selectBrush(colour);
        if (m_fillMode != fillMode) {
            record(kSetPolyFillMode, {fillMode});
            m_fillMode = fillMode;
        }
        std::vector<quint16> params;
        if (polys.size() == 1) {
            params.push_back(quint16(polys[0].size()));
        } else {
            params.push_back(quint16(polys.size()));
            for (const QPolygon& p : polys)
                params.push_back(quint16(p.size()));
        }
        for (const QPolygon& p : polys) {
            for (const QPoint& q : p) {
                params.push_back(quint16(qint16(q.x())));
                params.push_back(quint16(qint16(q.y())));
            }
        }
        record(polys.size() == 1 ? kPolygon : kPolyPolygon, params);
    }

    void selectBrush(QRgb colour) {
        if (m_brushColor && *m_brushColor == colour)
            return;
        const int slot = createObject(kCreateBrushIndirect, {0, quint16(qRed(colour) | (qGreen(colour) << 8)),
                                                             quint16(qBlue(colour)), 0});
        record(kSelectObject, {quint16(slot)});
        if (m_brushSlot >= 0)
            deleteObject(m_brushSlot);
        m_brushSlot = slot;
        m_brushColor = colour;
    }

    int createObject(quint16 function, const std::vector<quint16>& params) {
        const auto free = std::find(m_slots.begin(), m_slots.end(), false);
        const int slot = int(free - m_slots.begin());
        *free = true;
        m_maxObjects = std::max(m_maxObjects, slot + 1);
        record(function, params);
        return slot;
    }

    void deleteObject(int slot) {
        record(kDeleteObject, {quint16(slot)});
        m_slots[size_t(slot)] = false;
        if (slot == m_brushSlot) {
            m_brushSlot = -1;
            m_brushColor.reset();
        }
    }

    void record(quint16 function, const std::vector<quint16>& params) {
        const quint32 words = 3 + quint32(params.size());
        putDword(m_records, words);
        putWord(m_records, function);
        for (quint16 p : params)
            putWord(m_records, p);
        m_maxRecord = std::max(m_maxRecord, words);
    }

    QSize m_size;
    int m_unitsPerInch;
    QByteArray m_records;
    QByteArray m_file;
    quint32 m_maxRecord = 0;
    std::array<bool, 8> m_slots{};
    int m_maxObjects = 0;
    int m_brushSlot = -1;
    std::optional<QRgb> m_brushColor;
    quint16 m_fillMode = 0;

    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    double m_opacity = 1;
    std::optional<QPainterPath> m_clip;
    QPointF m_brushOrigin;
    QImage m_shadow;
};

WmfWriter::WmfWriter(QSize size, int unitsPerInch)
    : m_size(size), m_unitsPerInch(unitsPerInch),
      m_engine(std::make_unique<WmfPaintEngine>(size, unitsPerInch)) {}

WmfWriter::~WmfWriter() = default;

QPaintEngine* WmfWriter::paintEngine() const {
    return m_engine.get();
}

QByteArray WmfWriter::data() const {
    return m_engine->data();
}

int WmfWriter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return int(std::lround(m_size.width() * 25.4 / m_unitsPerInch));
    case PdmHeightMM:
        return int(std::lround(m_size.height() * 25.4 / m_unitsPerInch));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_unitsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

QSize metafileSizeFor(const QSizeF& viewBox, int extent) {
    if (viewBox.width() <= 0 || viewBox.height() <= 0)
        return {extent, extent};
    if (viewBox.width() >= viewBox.height())
        return {extent, std::max(1, int(std::lround(extent * viewBox.height() / viewBox.width())))};
    return {std::max(1, int(std::lround(extent * viewBox.width() / viewBox.height()))), extent};
}

QByteArray svgToWmf(const QByteArray& svg, QString* error, int extent) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        if (error)
            *error = QStringLiteral("not a readable SVG document");
        return {};
    }
    const QSize size = metafileSizeFor(renderer.viewBoxF().size(), extent);
    WmfWriter writer(size);
    QPainter painter(&writer);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return writer.data();
}

QImage renderSvg(const QByteArray& svg, QSize size, const QColor& background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return image;
    const QSizeF fitted =
        QSizeF(metafileSizeFor(renderer.viewBoxF().size(), 4096)).scaled(size, Qt::KeepAspectRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(
        &painter,
        QRectF(QPointF((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted));
    return image;
}

QByteArray toBmp32(const QImage& image) {
    // BITMAPV5HEADER, BI_BITFIELDS with an alpha mask: readers that know the header (Qt's among them)
    // keep the transparency; straight (not premultiplied) BGRA rows, bottom up.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    constexpr quint32 kHeader = 124, kBitfields = 3, kSrgb = 0x73524742, kGmImages = 4;
    QByteArray out("BM");
    putDword(out, quint32(14 + kHeader + 4 * w * h));
    putDword(out, 0);
    putDword(out, 14 + kHeader);
    putDword(out, kHeader);
    putDword(out, quint32(w));
    putDword(out, quint32(h));
    putWord(out, 1);
    putWord(out, 32);
    putDword(out, kBitfields);
    putDword(out, quint32(4 * w * h));
    putDword(out, 3780); // 96 dpi
    putDword(out, 3780);
    putDword(out, 0);
    putDword(out, 0);
    for (const quint32 mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        putDword(out, mask);
    putDword(out, kSrgb);
    for (int i = 0; i < 9 + 3; ++i) // end points and gamma: unused with sRGB
        putDword(out, 0);
    putDword(out, kGmImages);
    for (int i = 0; i < 3; ++i) // profile data, profile size, reserved
        putDword(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x)
            putDword(out, quint32(line[x]));
    }
    return out;
}

} // namespace nibsy::tools
