// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Wmf.h"

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStringDecoder>
#include <QTransform>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <numbers>
#include <queue>
#include <vector>

namespace nibsy {
namespace {

// Record function numbers.
enum : quint16 {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kRealizePalette = 0x0035,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectClipRegion = 0x012C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kBitBlt = 0x0922,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kStretchBlt = 0x0B23,
    kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33,
    kStretchDib = 0x0F43,
};

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qint64 kMaxImagePixels = 16 * 1024 * 1024; // one bitmap
constexpr qint64 kMaxTotalPixels = 32 * 1024 * 1024; // all bitmaps of a document
constexpr qint64 kClipElementBudget = 200000;        // all clip path elements of a document
constexpr int kMaxSaveDepth = 256;
constexpr int kMaxTextChars = 1024;
constexpr int kMaxFonts = 256;
constexpr double kCoordLimit = 1e7;
// Qt's antialiased rasterizer slows down badly on paths whose edges are long in total (large
// self-crossing polygons); beyond this many pixels of outline such a path is drawn without it.
constexpr double kAntialiasedLengthLimit = 8000;

// Map modes; the fixed ones are y-up with a known unit.
enum MapMode {
    kMmText = 1,
    kMmLoMetric,
    kMmHiMetric,
    kMmLoEnglish,
    kMmHiEnglish,
    kMmTwips,
    kMmIsotropic,
    kMmAnisotropic
};

enum Rop2 { kR2Black = 1, kR2NotCopyPen = 4, kR2Nop = 11, kR2White = 16 };

enum TextAlign { kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaBottom = 8, kTaBaseline = 24 };

enum : quint32 {
    kSrcCopy = 0x00CC0020,
    kSrcPaint = 0x00EE0086,
    kSrcAnd = 0x008800C6,
    kSrcInvert = 0x00660046,
    kNotSrcCopy = 0x00330008,
    kPatCopy = 0x00F00021,
    kBlackness = 0x00000042,
    kWhiteness = 0x00FF0062,
};

// Little-endian reads over a byte range. Reading past the end yields zeros and clears ok().
class Reader {
public:
    Reader(const uchar* data, qsizetype size) : m_data(data), m_size(size) {}

    qsizetype left() const { return m_size - m_pos; }
    bool ok() const { return m_ok; }
    const uchar* here() const { return m_data + m_pos; }
    void skip(qsizetype n) {
        if (n < 0 || n > left()) {
            m_ok = false;
            m_pos = m_size;
        } else {
            m_pos += n;
        }
    }
    quint8 u8() { return quint8(take(1)); }
    quint16 u16() { return quint16(take(2)); }
    qint16 s16() { return qint16(take(2)); }
    quint32 u32() { return quint32(take(4)); }
    qint32 s32() { return qint32(take(4)); }

private:
    quint64 take(int n) {
        if (left() < n) {
            m_ok = false;
            m_pos = m_size;
            return 0;
        }
        quint64 v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | m_data[m_pos + i];
        m_pos += n;
        return v;
    }

    const uchar* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

QRgb colorRef(quint32 v) {
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

double clampCoord(double v) {
    if (!std::isfinite(v))
        return 0;
    return std::clamp(v, -kCoordLimit, kCoordLimit);
}

QString decodeText(const QByteArray& bytes, int charset) {
    // Symbol fonts take the byte as the glyph.
    if (charset == 2)
        return QString::fromLatin1(bytes);
    static constexpr std::pair<int, const char*> codecs[] = {
        {128, "Shift_JIS"},    {129, "windows-949"},  {134, "GBK"},          {136, "Big5"},
        {161, "windows-1253"}, {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"},
        {178, "windows-1256"}, {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"},
        {238, "windows-1250"}};
    const char* name = "windows-1252";
    for (const auto& [set, codec] : codecs)
        if (set == charset)
            name = codec;
    QStringDecoder decoder(name);
    if (decoder.isValid()) {
        QString s = decoder(bytes);
        if (!decoder.hasError())
            return s;
    }
    return QString::fromLatin1(bytes);
}

// ---- bitmaps ----

int maskShift(quint32 m) {
    return m ? std::countr_zero(m) : 0;
}

int channel(quint32 px, quint32 mask) {
    if (!mask)
        return 0;
    const int shift = maskShift(mask);
    const quint64 max = (quint64(mask) >> shift);
    return int(quint64((px & mask) >> shift) * 255 / max);
}

// A device-independent bitmap (header, colour table, bits) as a top-down QImage; null when it is
// damaged or too large for the budget.
QImage decodeDib(const uchar* data, qsizetype size, bool paletteIndices, qint64& pixelBudget) {
    Reader r(data, size);
    const quint32 headerSize = r.u32();
    qint64 width = 0, height = 0;
    int bpp = 0, entrySize = 4;
    quint32 compression = 0, clrUsed = 0;
    if (headerSize == 12) {
        width = r.u16();
        height = r.s16();
        r.u16();
        bpp = r.u16();
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        width = r.s32();
        height = r.s32();
        r.u16();
        bpp = r.u16();
        compression = r.u32();
        r.skip(12);
        clrUsed = r.u32();
    } else {
        return {};
    }
    if (!r.ok() || qsizetype(headerSize) > size)
        return {};
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || width * height > kMaxImagePixels ||
        width * height > pixelBudget)
        return {};
    const bool rle8 = compression == 1, rle4 = compression == 2;
    if (compression > 3 || (rle8 && bpp != 8) || (rle4 && bpp != 4) ||
        (compression == 3 && bpp != 16 && bpp != 32))
        return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};

    Reader body(data + headerSize, size - headerSize);
    quint32 masks[3] = {0xFF0000, 0xFF00, 0xFF};
    if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    if (compression == 3) {
        Reader m = headerSize >= 52 ? Reader(data + 40, 12) : body;
        for (quint32& mask : masks)
            mask = m.u32();
        if (!m.ok())
            return {};
        if (headerSize < 52)
            body.skip(12);
    }

    QList<QRgb> palette;
    if (bpp <= 8) {
        const quint32 full = 1u << bpp;
        const quint32 count = clrUsed ? std::min(clrUsed, full) : full;
        palette.fill(qRgb(0, 0, 0), full);
        for (quint32 i = 0; i < count; ++i) {
            if (paletteIndices) {
                // Indices into a palette the metafile may never have realized: show them as greys.
                const int idx = body.u16() & 0xFF;
                palette[i] = qRgb(idx, idx, idx);
            } else {
                const int b = body.u8(), g = body.u8(), rr = body.u8();
                if (entrySize == 4)
                    body.u8();
                palette[i] = qRgb(rr, g, b);
            }
        }
    } else if (clrUsed) {
        if (clrUsed > 65536)
            return {};
        body.skip(qsizetype(clrUsed) * (paletteIndices ? 2 : entrySize));
    }
    if (!body.ok())
        return {};

    const uchar* bits = body.here();
    const qsizetype bitsSize = body.left();
    QImage image(int(width), int(height), (rle8 || rle4) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    pixelBudget -= width * height;

    if (rle8 || rle4) {
        image.fill(Qt::transparent);
        qint64 x = 0, y = 0;
        qsizetype pos = 0;
        auto put = [&](int index) {
            if (x < width && y < height)
                reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? y : height - 1 - y)))[x] =
                    palette[index];
            ++x;
        };
        while (pos + 2 <= bitsSize && y < height) {
            const int count = bits[pos], value = bits[pos + 1];
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count && x < width; ++i)
                    put(rle8 ? value : ((i & 1) ? value & 0x0F : value >> 4));
                continue;
            }
            if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (pos + 2 > bitsSize)
                    break;
                x += bits[pos];
                y += bits[pos + 1];
                pos += 2;
            } else {
                const qsizetype bytes = rle8 ? value : (value + 1) / 2;
                if (pos + bytes > bitsSize)
                    break;
                for (int i = 0; i < value; ++i)
                    put(rle8 ? bits[pos + i] : ((i & 1) ? bits[pos + i / 2] & 0x0F : bits[pos + i / 2] >> 4));
                pos += (bytes + 1) & ~qsizetype(1);
            }
        }
        return image;
    }

    const qint64 rowBytes = (width * bpp + 7) / 8;
    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    if (stride * (height - 1) + rowBytes > bitsSize)
        return {};
    for (qint64 row = 0; row < height; ++row) {
        const uchar* src = bits + stride * row;
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? row : height - 1 - row)));
        for (qint64 x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                dst[x] = palette[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4];
                break;
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 16: {
                const quint32 px = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = qRgb(channel(px, masks[0]), channel(px, masks[1]), channel(px, masks[2]));
                break;
            }
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const quint32 px = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                   (quint32(src[4 * x + 3]) << 24);
                dst[x] = qRgb(channel(px, masks[0]), channel(px, masks[1]), channel(px, masks[2]));
                break;
            }
            }
        }
    }
    return image;
}

// The older device-dependent bitmap of BitBlt and StretchBlt: rows top-down, no colour table. A
// monochrome one takes the text colour for 0 bits and the background colour for 1 bits.
QImage decodeBitmap16(Reader r, QRgb zero, QRgb one, qint64& pixelBudget) {
    r.s16();
    const qint64 width = r.s16(), height = r.s16(), widthBytes = r.s16();
    const int planes = r.u8(), bpp = r.u8();
    if (!r.ok() || planes != 1 || (bpp != 1 && bpp != 24 && bpp != 32) || width <= 0 || height <= 0 ||
        width * height > kMaxImagePixels || width * height > pixelBudget ||
        widthBytes < (width * bpp + 7) / 8 || widthBytes * height > r.left())
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    pixelBudget -= width * height;
    for (qint64 y = 0; y < height; ++y) {
        const uchar* src = r.here() + widthBytes * y;
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            if (bpp == 1)
                dst[x] = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? one : zero;
            else
                dst[x] = qRgb(src[x * (bpp / 8) + 2], src[x * (bpp / 8) + 1], src[x * (bpp / 8)]);
        }
    }
    return image;
}

// Pixels of colour key become transparent: how the AND/OR mask pairs of old clip art come out on
// a picture with a transparent background.
QImage keyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return out;
}

// ---- the parsed document ----

struct PenDef {
    QPen wide; // width in device units, follows the picture's scale
    QPen thin; // cosmetic one pixel, for pens thinner than a pixel where drawn
    double width;
};

struct BrushDef {
    QBrush brush;
    bool hatched = false;
    bool textured = false; // patterns stay in target pixels whatever the scale
};

struct Clip {
    bool isRect = true;
    QRectF rect;
    QPainterPath path;
};

struct TextItem {
    QString text;
    int font = 0;
    QRgb color = 0;
    QPointF anchor;      // device units
    double angle = 0;    // degrees, clockwise on screen
    double scale = 1;    // font units to device units
    QPointF origin;      // baseline start in font units, relative to the anchor
    bool opaque = false; // background box behind the glyphs
    QRgb background = 0;
    QRectF box; // font units
    bool fillRect = false, clipRect = false;
    QRectF rect; // device units
};

struct ImageItem {
    QImage image;
    QRectF rect;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

enum class OpKind : quint8 { Path, Text, Image };

struct Op {
    OpKind kind = OpKind::Path;
    bool background = false; // hatch gaps filled with backgroundColor first
    QRgb backgroundColor = 0;
    int pen = -1;
    int brush = -1;
    int clip = -1;
    int index = 0;
    float length = 0; // of the outline, device units
};

class Document final : public WmfDocument {
public:
    QSizeF sizeInPixels() const override { return m_size; }
    void render(QPainter& painter, const QRectF& target) const override;

    QRectF m_frame; // device units, normalized
    QSizeF m_size;
    std::vector<Op> m_ops;
    std::vector<QPainterPath> m_paths;
    std::vector<PenDef> m_pens;
    std::vector<BrushDef> m_brushes;
    std::vector<Clip> m_clips;
    std::vector<QFont> m_fonts;
    std::vector<TextItem> m_texts;
    std::vector<ImageItem> m_images;
};

void Document::render(QPainter& painter, const QRectF& target) const {
    if (m_ops.empty() || m_frame.width() <= 0 || m_frame.height() <= 0 || target.isEmpty())
        return;
    painter.save();
    QTransform toTarget;
    toTarget.translate(target.x(), target.y());
    toTarget.scale(target.width() / m_frame.width(), target.height() / m_frame.height());
    toTarget.translate(-m_frame.x(), -m_frame.y());
    painter.setTransform(toTarget, true);
    painter.setClipRect(m_frame, Qt::IntersectClip);
    const double pixelScale = std::sqrt(std::abs(painter.transform().determinant()));
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);

    int pen = -2, brush = -2, clip = -1;
    bool clipSaved = false;
    auto forget = [&] { pen = brush = -2; };
    for (const Op& op : m_ops) {
        if (op.clip != clip) {
            if (clipSaved) {
                painter.restore();
                clipSaved = false;
                forget();
            }
            clip = op.clip;
            if (clip >= 0) {
                painter.save();
                clipSaved = true;
                const Clip& c = m_clips[size_t(clip)];
                if (c.isRect)
                    painter.setClipRect(c.rect, Qt::IntersectClip);
                else
                    painter.setClipPath(c.path, Qt::IntersectClip);
            }
        }
        switch (op.kind) {
        case OpKind::Path: {
            if (op.pen != pen) {
                pen = op.pen;
                if (pen < 0) {
                    painter.setPen(Qt::NoPen);
                } else {
                    const PenDef& p = m_pens[size_t(pen)];
                    painter.setPen(p.width * pixelScale < 1 ? p.thin : p.wide);
                }
            }
            if (op.brush != brush) {
                brush = op.brush;
                if (brush < 0) {
                    painter.setBrush(Qt::NoBrush);
                } else if (m_brushes[size_t(brush)].textured) {
                    QBrush b = m_brushes[size_t(brush)].brush;
                    b.setTransform(QTransform::fromScale(1 / pixelScale, 1 / pixelScale));
                    painter.setBrush(b);
                } else {
                    painter.setBrush(m_brushes[size_t(brush)].brush);
                }
            }
            const QPainterPath& path = m_paths[size_t(op.index)];
            const bool plain = antialiased && op.length * pixelScale > kAntialiasedLengthLimit;
            if (plain)
                painter.setRenderHint(QPainter::Antialiasing, false);
            if (op.background)
                painter.fillPath(path, QColor::fromRgb(op.backgroundColor));
            painter.drawPath(path);
            if (plain)
                painter.setRenderHint(QPainter::Antialiasing, true);
            break;
        }
        case OpKind::Text: {
            const TextItem& t = m_texts[size_t(op.index)];
            painter.save();
            if (t.clipRect)
                painter.setClipRect(t.rect, Qt::IntersectClip);
            if (t.fillRect)
                painter.fillRect(t.rect, QColor::fromRgb(t.background));
            painter.translate(t.anchor);
            if (t.angle != 0)
                painter.rotate(t.angle);
            painter.scale(t.scale, t.scale);
            if (t.opaque)
                painter.fillRect(t.box, QColor::fromRgb(t.background));
            painter.setFont(m_fonts[size_t(t.font)]);
            painter.setPen(QColor::fromRgb(t.color));
            painter.drawText(t.origin, t.text);
            painter.restore();
            forget();
            break;
        }
        case OpKind::Image: {
            const ImageItem& im = m_images[size_t(op.index)];
            painter.save();
            painter.setCompositionMode(im.mode);
            if (painter.testRenderHint(QPainter::Antialiasing))
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(im.rect, im.image);
            painter.restore();
            forget();
            break;
        }
        }
    }
    if (clipSaved)
        painter.restore();
    painter.restore();
}

// ---- parsing ----

struct LogPen {
    quint16 style = 0;
    qint16 width = 0;
    QRgb color = qRgb(0, 0, 0);
};

struct LogBrush {
    quint16 style = 0;
    QRgb color = qRgb(255, 255, 255);
    quint16 hatch = 0;
    QImage pattern;
};

struct FontDef {
    QString face;
    qint16 height = 0;
    qint16 escapement = 0;
    qint16 weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    quint8 charset = 0;
    quint8 pitchAndFamily = 0;
    double emPerCell = 0; // measured on first use
};

struct Mapping {
    QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    int mode = kMmAnisotropic;
};

struct Dc {
    Mapping map;
    LogPen pen;
    LogBrush brush;
    int font = -1;
    QRgb textColor = qRgb(0, 0, 0);
    QRgb bkColor = qRgb(255, 255, 255);
    int bkMode = 2; // opaque
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int rop2 = 13;
    int textAlign = 0;
    QPointF cp; // logical units
    int clip = -1;
};

struct Slot {
    enum Type { Empty, Pen, Brush, Font, Region, Other } type = Empty;
    LogPen pen;
    LogBrush brush;
    int font = -1;
    QRect region; // logical units
};

constexpr int kStale = -2;

class Parser {
public:
    explicit Parser(const QByteArray& data)
        : m_data(reinterpret_cast<const uchar*>(data.constData())), m_size(data.size()),
          m_doc(std::make_shared<Document>()) {}

    std::shared_ptr<const WmfDocument> run(QString* error);

private:
    template <typename F> void forEachRecord(qsizetype start, F&& handle) const;
    void record(quint16 function, Reader r);
    void prescanWindow(qsizetype start);

    void updateScale();
    QPointF map(double x, double y) const {
        const Mapping& m = m_dc.map;
        return {clampCoord((x - m.windowOrg.x()) * m_sx + m.viewportOrg.x()),
                clampCoord((y - m.windowOrg.y()) * m_sy + m.viewportOrg.y())};
    }
    QRectF mapRect(double left, double top, double right, double bottom) const {
        return QRectF(map(left, top), map(right, bottom)).normalized();
    }
    void mappingChanged() {
        updateScale();
        m_penCache = kStale;
    }
    void captureFrame();

    int realizePen();
    int realizeBrush();
    QColor ropColor(QRgb c) const;
    int addBrush(const QBrush& b);
    void pushOp(Op op, const QRectF& bounds);
    void addPath(QPainterPath&& path, bool fill, bool stroke);
    void lineTo(double x, double y);
    void arcShape(Reader& r, int kind);
    void text(double x, double y, const QByteArray& bytes, quint16 options, const QRectF* rect);
    int realizeFont(double emDevice, int def);
    void blit(quint32 rop, const QImage& image, QRect src, bool srcFromBottom, double x, double y, double w,
              double h);
    void fillRect(quint32 rop, double x, double y, double w, double h);
    int newClip(Clip&& c);
    void intersectClip(const QRectF& rect);
    void excludeClip(const QRectF& rect);

    int allocSlot();
    Slot* slot(int index) {
        return index >= 0 && size_t(index) < m_slots.size() && m_slots[size_t(index)].type != Slot::Empty
                   ? &m_slots[size_t(index)]
                   : nullptr;
    }
    void freeSlot(int index);

    const uchar* m_data;
    qsizetype m_size;
    std::shared_ptr<Document> m_doc;

    bool m_placeable = false;
    QRectF m_bbox; // logical units of the placeable header
    double m_unitsPerInch = 1440;
    bool m_windowKnown = false;
    bool m_frameCaptured = false;
    QRectF m_bounds;

    Dc m_dc;
    std::vector<Dc> m_saved;
    double m_sx = 1, m_sy = 1;
    int m_penCache = kStale, m_brushCache = kStale;
    int m_lineOp = -1;
    QPointF m_lineEnd;

    std::vector<Slot> m_slots;
    std::priority_queue<int, std::vector<int>, std::greater<>> m_freed;
    int m_nextUnused = 0;

    std::vector<FontDef> m_fontDefs;
    std::map<std::pair<int, int>, int> m_fontCache;
    qint64 m_pixelBudget = kMaxTotalPixels;
    qint64 m_clipBudget = kClipElementBudget;
};

template <typename F> void Parser::forEachRecord(qsizetype start, F&& handle) const {
    qsizetype pos = start;
    while (pos + 6 <= m_size) {
        Reader head(m_data + pos, 6);
        const quint32 words = head.u32();
        const quint16 function = head.u16();
        if (words < 3 || function == kEof)
            break;
        qint64 bytes = qint64(words) * 2;
        if (bytes > m_size - pos) {
            // Some writers leave garbage in the high word of the size; the low word is then right.
            const qint64 low = qint64(words & 0xFFFF) * 2;
            if (low < 6 || low > m_size - pos)
                break;
            bytes = low;
        }
        if (!handle(function, Reader(m_data + pos + 6, qsizetype(bytes - 6))))
            break;
        pos += qsizetype(bytes);
    }
}

void Parser::prescanWindow(qsizetype start) {
    bool haveOrg = false, haveExt = false;
    QPointF org, ext;
    forEachRecord(start, [&](quint16 function, Reader r) {
        if (function == kSetWindowOrg && !haveOrg && r.left() >= 4) {
            const double y = r.s16(), x = r.s16();
            org = {x, y};
            haveOrg = true;
        } else if (function == kSetWindowExt && !haveExt && r.left() >= 4) {
            const double y = r.s16(), x = r.s16();
            if (x != 0 && y != 0) {
                ext = {x, y};
                haveExt = true;
            }
        }
        return !(haveOrg && haveExt);
    });
    if (haveExt) {
        m_dc.map.windowOrg = org;
        m_dc.map.windowExt = ext;
        m_dc.map.viewportExt = {std::abs(ext.x()), std::abs(ext.y())};
        m_windowKnown = true;
    }
}

std::shared_ptr<const WmfDocument> Parser::run(QString* error) {
    auto fail = [&](const char* why) {
        if (error)
            *error = QString::fromLatin1(why);
        return std::shared_ptr<const WmfDocument>();
    };
    qsizetype pos = 0;
    Reader key(m_data, m_size);
    if (key.u32() == kPlaceableKey && key.ok()) {
        Reader r(m_data + 4, m_size - 4);
        r.u16();
        const double left = r.s16(), top = r.s16(), right = r.s16(), bottom = r.s16();
        const quint16 inch = r.u16();
        if (!r.ok())
            return fail("the placeable header is cut short");
        m_placeable = true;
        m_bbox = QRectF(QPointF(left, top), QPointF(right, bottom));
        m_unitsPerInch = inch ? inch : 1440;
        pos = 22;
    }
    Reader header(m_data + std::min(pos, m_size), m_size - std::min(pos, m_size));
    const quint16 type = header.u16(), headerWords = header.u16(), version = header.u16();
    header.u32();
    const quint16 objects = header.u16();
    if (!header.ok())
        return fail("too short for a metafile header");
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return fail("not a Windows metafile");
    pos += 18;
    m_slots.resize(objects);

    if (m_placeable && m_bbox.width() != 0 && m_bbox.height() != 0) {
        m_dc.map.windowOrg = m_bbox.topLeft();
        m_dc.map.windowExt = {m_bbox.width(), m_bbox.height()};
        m_dc.map.viewportExt = {std::abs(m_bbox.width()), std::abs(m_bbox.height())};
        m_windowKnown = true;
    } else {
        prescanWindow(pos);
    }
    updateScale();

    forEachRecord(pos, [this](quint16 function, Reader r) {
        record(function, r);
        return true;
    });
    if (!m_frameCaptured)
        captureFrame();

    Document& d = *m_doc;
    if (d.m_frame.width() <= 0 || d.m_frame.height() <= 0)
        d.m_frame = m_bounds;
    if (m_placeable) {
        d.m_size = QSizeF(std::abs(m_bbox.width()), std::abs(m_bbox.height())) * (96.0 / m_unitsPerInch);
    } else {
        QSizeF s = d.m_frame.size();
        // Without a placeable header the units are unknown; big drawings are most likely in twips.
        if (std::max(s.width(), s.height()) > 2048)
            s *= 96.0 / 1440;
        if (std::max(s.width(), s.height()) > 4096)
            s.scale(4096, 4096, Qt::KeepAspectRatio);
        d.m_size = s;
    }
    return m_doc;
}

void Parser::updateScale() {
    const Mapping& m = m_dc.map;
    double k = 0;
    switch (m.mode) {
    case kMmLoMetric:
        k = 96.0 / 254;
        break;
    case kMmHiMetric:
        k = 96.0 / 2540;
        break;
    case kMmLoEnglish:
        k = 0.96;
        break;
    case kMmHiEnglish:
        k = 0.096;
        break;
    case kMmTwips:
        k = 96.0 / 1440;
        break;
    default:
        break;
    }
    if (k > 0) {
        m_sx = k;
        m_sy = -k;
        return;
    }
    m_sx = m.viewportExt.x() / m.windowExt.x();
    m_sy = m.viewportExt.y() / m.windowExt.y();
    if (m.mode == kMmIsotropic) {
        const double s = std::min(std::abs(m_sx), std::abs(m_sy));
        m_sx = std::copysign(s, m_sx);
        m_sy = std::copysign(s, m_sy);
    }
    if (!std::isfinite(m_sx) || !std::isfinite(m_sy)) {
        m_sx = 1;
        m_sy = 1;
    }
}

void Parser::captureFrame() {
    m_frameCaptured = true;
    const Mapping& m = m_dc.map;
    const bool scalable = m.mode == kMmAnisotropic || m.mode == kMmIsotropic || m.mode == kMmText;
    if (scalable && m_windowKnown) {
        const QPointF a = m.windowOrg, b = m.windowOrg + m.windowExt;
        m_doc->m_frame = mapRect(a.x(), a.y(), b.x(), b.y());
    } else if (m_placeable) {
        m_doc->m_frame = mapRect(m_bbox.left(), m_bbox.top(), m_bbox.right(), m_bbox.bottom());
    }
}

int Parser::allocSlot() {
    while (!m_freed.empty() && m_slots[size_t(m_freed.top())].type != Slot::Empty)
        m_freed.pop();
    if (!m_freed.empty() && m_freed.top() < m_nextUnused) {
        const int index = m_freed.top();
        m_freed.pop();
        return index;
    }
    if (size_t(m_nextUnused) < m_slots.size())
        return m_nextUnused++;
    return -1;
}

void Parser::freeSlot(int index) {
    if (Slot* s = slot(index)) {
        *s = Slot();
        if (index < m_nextUnused)
            m_freed.push(index);
    }
}

double outlineLength(const QPainterPath& path) {
    double length = 0;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!e.isMoveTo())
            length += QLineF(path.elementAt(i - 1), e).length();
    }
    return length;
}

QColor Parser::ropColor(QRgb c) const {
    switch (m_dc.rop2) {
    case kR2Black:
        return Qt::black;
    case kR2White:
        return Qt::white;
    case kR2NotCopyPen:
        return QColor::fromRgb(~c | 0xFF000000);
    default:
        return QColor::fromRgb(c);
    }
}

int Parser::realizePen() {
    if (m_penCache != kStale)
        return m_penCache;
    m_penCache = -1;
    const LogPen& lp = m_dc.pen;
    const int style = lp.style & 0x0F;
    if (style == 5 || m_dc.rop2 == kR2Nop)
        return -1;
    const QColor color = ropColor(lp.color);
    const double width = std::min(std::abs(lp.width * m_sx), kCoordLimit);
    Qt::PenCapStyle cap = Qt::RoundCap;
    if ((lp.style & 0x0F00) == 0x0100)
        cap = Qt::SquareCap;
    else if ((lp.style & 0x0F00) == 0x0200)
        cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    if ((lp.style & 0xF000) == 0x1000)
        join = Qt::BevelJoin;
    else if ((lp.style & 0xF000) == 0x2000)
        join = Qt::MiterJoin;
    Qt::PenStyle dashes = Qt::SolidLine;
    switch (style) {
    case 1:
        dashes = Qt::DashLine;
        break;
    case 2:
        dashes = Qt::DotLine;
        break;
    case 3:
        dashes = Qt::DashDotLine;
        break;
    case 4:
        dashes = Qt::DashDotDotLine;
        break;
    case 8:
        dashes = Qt::DotLine;
        break;
    default:
        break;
    }
    // Wide pens are always solid; dashes only show on hairlines.
    QPen wide(QBrush(color), width, Qt::SolidLine, cap, join);
    QPen thin(QBrush(color), 0, dashes, dashes == Qt::SolidLine ? cap : Qt::FlatCap, join);
    thin.setCosmetic(true);
    m_doc->m_pens.push_back({wide, thin, width});
    m_penCache = int(m_doc->m_pens.size() - 1);
    return m_penCache;
}

int Parser::addBrush(const QBrush& b) {
    m_doc->m_brushes.push_back({b, false, false});
    return int(m_doc->m_brushes.size() - 1);
}

int Parser::realizeBrush() {
    if (m_brushCache != kStale)
        return m_brushCache;
    m_brushCache = -1;
    const LogBrush& lb = m_dc.brush;
    if (lb.style == 1 || m_dc.rop2 == kR2Nop)
        return -1;
    BrushDef def;
    const QColor color = ropColor(lb.color);
    if (lb.style == 2) {
        static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::FDiagPattern, Qt::BDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
        def.brush = QBrush(color, lb.hatch < 6 ? hatches[lb.hatch] : Qt::SolidPattern);
        def.hatched = lb.hatch < 6;
    } else if ((lb.style == 3 || lb.style == 5 || lb.style == 6) && !lb.pattern.isNull()) {
        def.brush = QBrush(lb.pattern);
        def.textured = true;
    } else {
        def.brush = QBrush(color);
    }
    m_doc->m_brushes.push_back(def);
    m_brushCache = int(m_doc->m_brushes.size() - 1);
    return m_brushCache;
}

void Parser::pushOp(Op op, const QRectF& bounds) {
    if (!m_frameCaptured)
        captureFrame();
    op.clip = m_dc.clip;
    m_doc->m_ops.push_back(op);
    m_bounds = m_bounds.isNull() ? bounds : m_bounds.united(bounds);
}

void Parser::addPath(QPainterPath&& path, bool fill, bool stroke) {
    const int pen = stroke ? realizePen() : -1;
    const int brush = fill ? realizeBrush() : -1;
    if (pen < 0 && brush < 0)
        return;
    Op op;
    op.kind = OpKind::Path;
    op.pen = pen;
    op.brush = brush;
    op.index = int(m_doc->m_paths.size());
    op.length = float(outlineLength(path));
    if (brush >= 0 && m_doc->m_brushes[size_t(brush)].hatched && m_dc.bkMode == 2) {
        op.background = true;
        op.backgroundColor = m_dc.bkColor;
    }
    QRectF bounds = path.controlPointRect();
    if (pen >= 0) {
        const double w = m_doc->m_pens[size_t(pen)].width / 2;
        bounds.adjust(-w, -w, w, w);
    }
    m_doc->m_paths.push_back(std::move(path));
    pushOp(op, bounds);
}

void Parser::lineTo(double x, double y) {
    const QPointF a = map(m_dc.cp.x(), m_dc.cp.y()), b = map(x, y);
    m_dc.cp = {x, y};
    const int pen = realizePen();
    if (pen < 0)
        return;
    auto& ops = m_doc->m_ops;
    // Runs of LineTo with one pen become one path.
    if (m_lineOp >= 0 && size_t(m_lineOp) + 1 == ops.size() && ops.back().pen == pen &&
        ops.back().clip == m_dc.clip) {
        QPainterPath& path = m_doc->m_paths[size_t(ops.back().index)];
        if (a != m_lineEnd)
            path.moveTo(a);
        path.lineTo(b);
        ops.back().length += float(QLineF(a, b).length());
        const double w = m_doc->m_pens[size_t(pen)].width / 2;
        m_bounds = m_bounds.united(QRectF(a, b).normalized().adjusted(-w, -w, w, w));
    } else {
        QPainterPath path(a);
        path.lineTo(b);
        addPath(std::move(path), false, true);
        m_lineOp = int(ops.size()) - 1;
    }
    m_lineEnd = b;
}

void Parser::arcShape(Reader& r, int kind) {
    const double yEnd = r.s16(), xEnd = r.s16(), yStart = r.s16(), xStart = r.s16();
    const double bottom = r.s16(), right = r.s16(), top = r.s16(), left = r.s16();
    if (!r.ok())
        return;
    const QRectF rect = mapRect(left, top, right, bottom);
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QPointF c = rect.center(), s = map(xStart, yStart), e = map(xEnd, yEnd);
    // Angles on the ellipse where the radials through the start and end points cross it, counted
    // anticlockwise on screen.
    auto angle = [&](QPointF p) {
        const double a = std::atan2(-(p.y() - c.y()) / rect.height(), (p.x() - c.x()) / rect.width());
        return a * 180 / std::numbers::pi;
    };
    const double a0 = angle(s);
    double sweep = angle(e) - a0;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == kPie) {
        path.moveTo(c);
        path.arcTo(rect, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(rect, a0);
        path.arcTo(rect, a0, sweep);
        if (kind == kChord)
            path.closeSubpath();
    }
    addPath(std::move(path), kind != kArc, true);
}

int Parser::realizeFont(double em, int defIndex) {
    const int pixels = int(std::clamp(std::round(em), 4.0, 256.0));
    const auto key = std::make_pair(defIndex, pixels);
    if (auto it = m_fontCache.find(key); it != m_fontCache.end())
        return it->second;
    if (m_fontCache.size() >= size_t(kMaxFonts))
        return 0;
    const FontDef& d = m_fontDefs[size_t(defIndex)];
    QFont font;
    if (!d.face.isEmpty())
        font.setFamily(d.face);
    switch (d.pitchAndFamily & 0xF0) {
    case 0x10:
        font.setStyleHint(QFont::Serif);
        break;
    case 0x20:
        font.setStyleHint(QFont::SansSerif);
        break;
    case 0x30:
        font.setStyleHint(QFont::Monospace);
        break;
    case 0x40:
        font.setStyleHint(QFont::Cursive);
        break;
    case 0x50:
        font.setStyleHint(QFont::Decorative);
        break;
    default:
        break;
    }
    font.setPixelSize(pixels);
    font.setWeight(QFont::Weight(std::clamp(d.weight > 0 ? int(d.weight) : 400, 1, 1000)));
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStrikeOut(d.strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    m_doc->m_fonts.push_back(font);
    const int index = int(m_doc->m_fonts.size() - 1);
    m_fontCache.emplace(key, index);
    return index;
}

void Parser::text(double x, double y, const QByteArray& bytes, quint16 options, const QRectF* rect) {
    // Fonts need the GUI application; without one, text is left out.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (m_dc.font < 0) {
        m_fontDefs.push_back(FontDef{});
        m_fontDefs.back().height = 12;
        m_dc.font = int(m_fontDefs.size() - 1);
    }
    FontDef& def = m_fontDefs[size_t(m_dc.font)];
    QByteArray raw = bytes.left(kMaxTextChars);
    while (raw.endsWith('\0'))
        raw.chop(1);
    const QString str = decodeText(raw, def.charset);

    if (def.emPerCell <= 0) {
        const QFontMetricsF fm(m_doc->m_fonts[size_t(realizeFont(100, m_dc.font))]);
        const double cell = fm.ascent() + fm.descent();
        def.emPerCell = cell > 0 ? 100 / cell : 0.85;
    }
    const double height = std::abs((def.height ? def.height : 12) * m_sy);
    const double em = std::min(def.height < 0 ? height : height * def.emPerCell, kCoordLimit);
    if (em <= 0)
        return;
    const int font = realizeFont(em, m_dc.font);
    const QFontMetricsF fm(m_doc->m_fonts[size_t(font)]);
    const double scale = em / m_doc->m_fonts[size_t(font)].pixelSize();

    TextItem t;
    t.text = str;
    t.font = font;
    t.color = m_dc.textColor;
    t.scale = scale;
    t.angle = -def.escapement / 10.0;
    const bool useCp = m_dc.textAlign & kTaUpdateCp;
    t.anchor = useCp ? map(m_dc.cp.x(), m_dc.cp.y()) : map(x, y);
    const double advance = fm.horizontalAdvance(str);
    double ox = 0, oy = fm.ascent();
    if ((m_dc.textAlign & kTaCenter) == kTaCenter)
        ox = -advance / 2;
    else if (m_dc.textAlign & kTaRight)
        ox = -advance;
    if ((m_dc.textAlign & kTaBaseline) == kTaBaseline)
        oy = 0;
    else if (m_dc.textAlign & kTaBottom)
        oy = -fm.descent();
    t.origin = {ox, oy};
    t.box = QRectF(ox, oy - fm.ascent(), advance, fm.ascent() + fm.descent());
    t.opaque = m_dc.bkMode == 2 || (options & 0x2);
    t.background = m_dc.bkColor;
    if (rect) {
        t.rect = *rect;
        t.fillRect = options & 0x2;
        t.clipRect = options & 0x4;
        if (t.fillRect)
            t.opaque = false;
    }
    if (useCp && (m_dc.textAlign & kTaCenter) != kTaCenter) {
        const double step = (m_dc.textAlign & kTaRight) ? -advance * scale : advance * scale;
        const double radians = def.escapement / 10.0 * std::numbers::pi / 180;
        m_dc.cp += QPointF(step * std::cos(radians) / m_sx, -step * std::sin(radians) / m_sy);
    }
    QRectF bounds(t.anchor + QPointF(ox, oy - fm.ascent()) * scale, QSizeF(advance, fm.height()) * scale);
    if (t.fillRect)
        bounds = bounds.united(t.rect);
    Op op;
    op.kind = OpKind::Text;
    op.index = int(m_doc->m_texts.size());
    m_doc->m_texts.push_back(std::move(t));
    pushOp(op, bounds);
}

void Parser::blit(quint32 rop, const QImage& source, QRect src, bool srcFromBottom, double x, double y,
                  double w, double h) {
    if (source.isNull())
        return;
    const QPointF a = map(x, y), b = map(x + w, y + h);
    const bool mirrorX = (b.x() < a.x()) != (src.width() < 0);
    const bool mirrorY = (b.y() < a.y()) != (src.height() < 0);
    src = src.normalized();
    if (srcFromBottom)
        src.moveTop(source.height() - src.bottom() - 1);
    src = src.intersected(source.rect());
    if (src.isEmpty())
        return;
    QImage image = src == source.rect() ? source : source.copy(src);
    if (mirrorX || mirrorY)
        image = image.mirrored(mirrorX, mirrorY);
    ImageItem item;
    switch (rop) {
    case kSrcAnd:
        image = keyedOut(image, qRgb(255, 255, 255));
        break;
    case kSrcPaint:
    case kSrcInvert:
        image = keyedOut(image, qRgb(0, 0, 0));
        break;
    case kNotSrcCopy:
        image.invertPixels();
        break;
    default:
        break;
    }
    item.image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
    item.rect = QRectF(a, b).normalized();
    if (item.rect.isEmpty())
        return;
    Op op;
    op.kind = OpKind::Image;
    op.index = int(m_doc->m_images.size());
    const QRectF bounds = item.rect;
    m_doc->m_images.push_back(std::move(item));
    pushOp(op, bounds);
}

void Parser::fillRect(quint32 rop, double x, double y, double w, double h) {
    QPainterPath path;
    path.addRect(mapRect(x, y, x + w, y + h));
    if (rop == kPatCopy) {
        addPath(std::move(path), true, false);
        return;
    }
    if (rop != kBlackness && rop != kWhiteness)
        return;
    Op op;
    op.brush = addBrush(QBrush(rop == kBlackness ? Qt::black : Qt::white));
    op.index = int(m_doc->m_paths.size());
    const QRectF bounds = path.controlPointRect();
    m_doc->m_paths.push_back(std::move(path));
    pushOp(op, bounds);
}

int Parser::newClip(Clip&& c) {
    m_doc->m_clips.push_back(std::move(c));
    m_dc.clip = int(m_doc->m_clips.size() - 1);
    return m_dc.clip;
}

void Parser::intersectClip(const QRectF& rect) {
    if (m_dc.clip < 0) {
        newClip(Clip{true, rect, {}});
        return;
    }
    const Clip& cur = m_doc->m_clips[size_t(m_dc.clip)];
    if (cur.isRect) {
        newClip(Clip{true, cur.rect.intersected(rect), {}});
        return;
    }
    QPainterPath r;
    r.addRect(rect);
    QPainterPath p = cur.path.intersected(r);
    m_clipBudget -= p.elementCount();
    if (m_clipBudget >= 0)
        newClip(Clip{false, {}, std::move(p)});
}

void Parser::excludeClip(const QRectF& rect) {
    QPainterPath base;
    if (m_dc.clip < 0)
        base.addRect(QRectF(QPointF(-kCoordLimit, -kCoordLimit), QPointF(kCoordLimit, kCoordLimit)));
    else if (m_doc->m_clips[size_t(m_dc.clip)].isRect)
        base.addRect(m_doc->m_clips[size_t(m_dc.clip)].rect);
    else
        base = m_doc->m_clips[size_t(m_dc.clip)].path;
    QPainterPath r;
    r.addRect(rect);
    QPainterPath p = base.subtracted(r);
    m_clipBudget -= p.elementCount();
    if (m_clipBudget >= 0)
        newClip(Clip{false, {}, std::move(p)});
}

void Parser::record(quint16 function, Reader r) {
    if (function != kLineTo)
        m_lineOp = m_lineOp >= 0 && function == kMoveTo ? m_lineOp : -1;
    Mapping& m = m_dc.map;
    switch (function) {
    case kSetWindowOrg:
    case kSetViewportOrg:
    case kOffsetWindowOrg:
    case kOffsetViewportOrg: {
        const double y = r.s16(), x = r.s16();
        if (!r.ok())
            return;
        QPointF& org =
            (function == kSetWindowOrg || function == kOffsetWindowOrg) ? m.windowOrg : m.viewportOrg;
        if (function == kSetWindowOrg || function == kSetViewportOrg)
            org = {x, y};
        else
            org += QPointF(x, y);
        org = {clampCoord(org.x()), clampCoord(org.y())};
        mappingChanged();
        return;
    }
    case kSetWindowExt:
    case kSetViewportExt: {
        const double y = r.s16(), x = r.s16();
        if (!r.ok() || x == 0 || y == 0)
            return;
        (function == kSetWindowExt ? m.windowExt : m.viewportExt) = {x, y};
        if (function == kSetWindowExt)
            m_windowKnown = true;
        mappingChanged();
        return;
    }
    case kScaleWindowExt:
    case kScaleViewportExt: {
        const double yDen = r.s16(), yNum = r.s16(), xDen = r.s16(), xNum = r.s16();
        if (!r.ok() || xDen == 0 || yDen == 0)
            return;
        QPointF& ext = function == kScaleWindowExt ? m.windowExt : m.viewportExt;
        const QPointF scaled(ext.x() * xNum / xDen, ext.y() * yNum / yDen);
        auto sane = [](double v) { return std::abs(v) >= 1e-3 && std::abs(v) <= 1e9; };
        if (sane(scaled.x()) && sane(scaled.y())) {
            ext = scaled;
            mappingChanged();
        }
        return;
    }
    case kSetMapMode: {
        const int mode = r.u16();
        if (r.ok() && mode >= kMmText && mode <= kMmAnisotropic) {
            m.mode = mode;
            mappingChanged();
        }
        return;
    }
    case kSaveDc:
        if (m_saved.size() < size_t(kMaxSaveDepth))
            m_saved.push_back(m_dc);
        return;
    case kRestoreDc: {
        const int n = r.s16();
        if (!r.ok() || n == 0)
            return;
        const qint64 depth = qint64(m_saved.size());
        const qint64 keep = n < 0 ? depth + n : n - 1;
        if (keep < 0 || keep >= depth)
            return;
        m_dc = m_saved[size_t(keep)];
        m_saved.resize(size_t(keep));
        updateScale();
        m_penCache = m_brushCache = kStale;
        return;
    }
    case kCreatePenIndirect: {
        LogPen pen;
        pen.style = r.u16();
        pen.width = r.s16();
        r.s16();
        pen.color = colorRef(r.u32());
        const int index = allocSlot();
        if (index >= 0) {
            m_slots[size_t(index)].type = Slot::Pen;
            m_slots[size_t(index)].pen = pen;
        }
        return;
    }
    case kCreateBrushIndirect: {
        LogBrush brush;
        brush.style = r.u16();
        brush.color = colorRef(r.u32());
        brush.hatch = r.u16();
        if (brush.style != 1 && brush.style != 2)
            brush.style = 0; // patterns need a bitmap this record cannot carry
        const int index = allocSlot();
        if (index >= 0) {
            m_slots[size_t(index)].type = Slot::Brush;
            m_slots[size_t(index)].brush = brush;
        }
        return;
    }
    case kDibCreatePatternBrush:
    case kCreatePatternBrush: {
        LogBrush brush;
        brush.style = 3;
        brush.color = qRgb(192, 192, 192);
        if (function == kDibCreatePatternBrush) {
            const int style = r.u16();
            const int usage = r.u16();
            if (r.ok())
                brush.pattern = decodeDib(r.here(), r.left(), style != 3 && usage == 1, m_pixelBudget);
        }
        const int index = allocSlot();
        if (index >= 0) {
            m_slots[size_t(index)].type = Slot::Brush;
            m_slots[size_t(index)].brush = brush;
        }
        return;
    }
    case kCreateFontIndirect: {
        FontDef def;
        def.height = r.s16();
        r.s16();
        def.escapement = r.s16();
        r.s16();
        def.weight = r.s16();
        def.italic = r.u8();
        def.underline = r.u8();
        def.strikeOut = r.u8();
        def.charset = r.u8();
        r.skip(3);
        def.pitchAndFamily = r.u8();
        QByteArray face(reinterpret_cast<const char*>(r.here()), std::min<qsizetype>(r.left(), 32));
        if (const qsizetype nul = face.indexOf('\0'); nul >= 0)
            face.truncate(nul);
        def.face = decodeText(face, def.charset).trimmed();
        const int index = allocSlot();
        if (index >= 0) {
            m_fontDefs.push_back(def);
            m_slots[size_t(index)].type = Slot::Font;
            m_slots[size_t(index)].font = int(m_fontDefs.size() - 1);
        }
        return;
    }
    case kCreatePalette:
    case kCreateRegion: {
        const int index = allocSlot();
        if (index < 0)
            return;
        m_slots[size_t(index)].type = function == kCreateRegion ? Slot::Region : Slot::Other;
        if (function == kCreateRegion) {
            r.skip(14);
            const int left = r.s16(), top = r.s16(), right = r.s16(), bottom = r.s16();
            m_slots[size_t(index)].region =
                r.ok() ? QRect(QPoint(left, top), QPoint(right, bottom)) : QRect();
        }
        return;
    }
    case kSelectObject:
    case kSelectClipRegion: {
        const int index = r.u16();
        Slot* s = r.ok() ? slot(index) : nullptr;
        if (function == kSelectClipRegion && (!s || s->type != Slot::Region)) {
            m_dc.clip = -1;
            return;
        }
        if (!s)
            return;
        switch (s->type) {
        case Slot::Pen:
            m_dc.pen = s->pen;
            m_penCache = kStale;
            break;
        case Slot::Brush:
            m_dc.brush = s->brush;
            m_brushCache = kStale;
            break;
        case Slot::Font:
            m_dc.font = s->font;
            break;
        case Slot::Region: {
            const QRect& g = s->region;
            m_dc.clip = -1;
            intersectClip(mapRect(g.left(), g.top(), g.right(), g.bottom()));
            break;
        }
        default:
            break;
        }
        return;
    }
    case kDeleteObject: {
        const int index = r.u16();
        if (r.ok())
            freeSlot(index);
        return;
    }
    case kSetTextColor:
    case kSetBkColor: {
        const quint32 c = r.u32();
        if (r.ok())
            (function == kSetTextColor ? m_dc.textColor : m_dc.bkColor) = colorRef(c);
        return;
    }
    case kSetBkMode: {
        const int mode = r.u16();
        if (r.ok() && (mode == 1 || mode == 2))
            m_dc.bkMode = mode;
        return;
    }
    case kSetPolyFillMode: {
        const int mode = r.u16();
        if (r.ok())
            m_dc.fillRule = mode == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return;
    }
    case kSetRop2: {
        const int rop = r.u16();
        if (r.ok() && rop >= 1 && rop <= 16 && rop != m_dc.rop2) {
            m_dc.rop2 = rop;
            m_penCache = m_brushCache = kStale;
        }
        return;
    }
    case kSetTextAlign: {
        const int align = r.u16();
        if (r.ok())
            m_dc.textAlign = align;
        return;
    }
    case kMoveTo: {
        const double y = r.s16(), x = r.s16();
        if (r.ok())
            m_dc.cp = {x, y};
        return;
    }
    case kLineTo: {
        const double y = r.s16(), x = r.s16();
        if (r.ok())
            lineTo(x, y);
        return;
    }
    case kPolygon:
    case kPolyline: {
        const int count = r.u16();
        if (!r.ok() || count < 2 || qsizetype(count) * 4 > r.left())
            return;
        QPolygonF poly(count);
        for (QPointF& p : poly) {
            const double x = r.s16();
            p = map(x, r.s16());
        }
        QPainterPath path;
        path.setFillRule(m_dc.fillRule);
        path.addPolygon(poly);
        if (function == kPolygon)
            path.closeSubpath();
        addPath(std::move(path), function == kPolygon, true);
        return;
    }
    case kPolyPolygon: {
        const int polys = r.u16();
        if (!r.ok() || qsizetype(polys) * 2 > r.left())
            return;
        std::vector<int> counts(static_cast<size_t>(polys));
        qsizetype total = 0;
        for (int& c : counts) {
            c = r.u16();
            total += c;
        }
        if (total * 4 > r.left())
            return;
        QPainterPath path;
        path.setFillRule(m_dc.fillRule);
        QPolygonF poly;
        for (const int c : counts) {
            poly.resize(c);
            for (QPointF& p : poly) {
                const double x = r.s16();
                p = map(x, r.s16());
            }
            if (c >= 2) {
                path.addPolygon(poly);
                path.closeSubpath();
            }
        }
        if (!path.isEmpty())
            addPath(std::move(path), true, true);
        return;
    }
    case kRectangle:
    case kEllipse:
    case kRoundRect: {
        double rh = 0, rw = 0;
        if (function == kRoundRect) {
            rh = r.s16();
            rw = r.s16();
        }
        const double bottom = r.s16(), right = r.s16(), top = r.s16(), left = r.s16();
        if (!r.ok())
            return;
        const QRectF rect = mapRect(left, top, right, bottom);
        QPainterPath path;
        if (function == kRectangle)
            path.addRect(rect);
        else if (function == kEllipse)
            path.addEllipse(rect);
        else
            path.addRoundedRect(rect, std::min(std::abs(rw * m_sx) / 2, rect.width() / 2),
                                std::min(std::abs(rh * m_sy) / 2, rect.height() / 2));
        addPath(std::move(path), true, true);
        return;
    }
    case kArc:
    case kPie:
    case kChord:
        arcShape(r, function);
        return;
    case kTextOut: {
        const int count = r.u16();
        const qsizetype padded = (qsizetype(count) + 1) & ~qsizetype(1);
        if (!r.ok() || padded + 4 > r.left())
            return;
        const QByteArray bytes(reinterpret_cast<const char*>(r.here()), count);
        r.skip(padded);
        const double y = r.s16(), x = r.s16();
        text(x, y, bytes, 0, nullptr);
        return;
    }
    case kExtTextOut: {
        const double y = r.s16(), x = r.s16();
        const int count = r.u16();
        const quint16 options = r.u16();
        if (!r.ok())
            return;
        const qsizetype padded = (qsizetype(count) + 1) & ~qsizetype(1);
        const qsizetype rest = r.left();
        bool hasRect = options & 0x6;
        // Some writers store the rectangle without saying so; the record's length tells.
        if (!hasRect && rest != padded && rest != padded + 2 * count &&
            (rest == padded + 8 || rest == padded + 8 + 2 * count))
            hasRect = true;
        QRectF rect;
        if (hasRect) {
            const double left = r.s16(), top = r.s16(), right = r.s16(), bottom = r.s16();
            rect = mapRect(left, top, right, bottom);
        }
        if (!r.ok() || count > r.left())
            return;
        const QByteArray bytes(reinterpret_cast<const char*>(r.here()), count);
        text(x, y, bytes, hasRect ? options : 0, hasRect ? &rect : nullptr);
        return;
    }
    case kIntersectClipRect:
    case kExcludeClipRect: {
        const double bottom = r.s16(), right = r.s16(), top = r.s16(), left = r.s16();
        if (!r.ok())
            return;
        const QRectF rect = mapRect(left, top, right, bottom);
        if (function == kIntersectClipRect)
            intersectClip(rect);
        else
            excludeClip(rect);
        return;
    }
    case kPatBlt: {
        const quint32 rop = r.u32();
        const double h = r.s16(), w = r.s16(), y = r.s16(), x = r.s16();
        if (r.ok())
            fillRect(rop, x, y, w, h);
        return;
    }
    case kDibBitBlt:
    case kBitBlt:
    case kDibStretchBlt:
    case kStretchBlt: {
        const bool stretch = function == kDibStretchBlt || function == kStretchBlt;
        const qsizetype plain = stretch ? 22 : 18; // the form without a bitmap
        const bool withBitmap = r.left() > plain;
        const quint32 rop = r.u32();
        double srcH = 0, srcW = 0;
        if (stretch) {
            srcH = r.s16();
            srcW = r.s16();
        }
        const double ySrc = r.s16(), xSrc = r.s16();
        if (!withBitmap)
            r.s16();
        const double h = r.s16(), w = r.s16(), y = r.s16(), x = r.s16();
        if (!r.ok())
            return;
        if (!withBitmap) {
            fillRect(rop, x, y, w, h);
            return;
        }
        if (!stretch) {
            srcW = w;
            srcH = h;
        }
        const QImage image = (function == kDibBitBlt || function == kDibStretchBlt)
                                 ? decodeDib(r.here(), r.left(), false, m_pixelBudget)
                                 : decodeBitmap16(r, m_dc.textColor, m_dc.bkColor, m_pixelBudget);
        blit(rop, image, QRect(int(xSrc), int(ySrc), int(srcW), int(srcH)), false, x, y, w, h);
        return;
    }
    case kStretchDib: {
        const quint32 rop = r.u32();
        const int usage = r.u16();
        const double srcH = r.s16(), srcW = r.s16(), ySrc = r.s16(), xSrc = r.s16();
        const double h = r.s16(), w = r.s16(), y = r.s16(), x = r.s16();
        if (!r.ok())
            return;
        const QImage image = decodeDib(r.here(), r.left(), usage == 1, m_pixelBudget);
        blit(rop, image, QRect(int(xSrc), int(ySrc), int(srcW), int(srcH)), true, x, y, w, h);
        return;
    }
    case kSetDibToDev: {
        const int usage = r.u16();
        r.u16();
        r.u16();
        const double ySrc = r.s16(), xSrc = r.s16(), h = r.s16(), w = r.s16(), y = r.s16(), x = r.s16();
        if (!r.ok())
            return;
        const QImage image = decodeDib(r.here(), r.left(), usage == 1, m_pixelBudget);
        blit(kSrcCopy, image, QRect(int(xSrc), int(ySrc), int(w), int(h)), true, x, y, w, h);
        return;
    }
    default:
        // Escapes, palettes, stretch modes and the rest change nothing that is drawn here.
        return;
    }
}

} // namespace

std::shared_ptr<const WmfDocument> WmfDocument::parse(const QByteArray& data, QString* error) {
    return Parser(data).run(error);
}

} // namespace nibsy
