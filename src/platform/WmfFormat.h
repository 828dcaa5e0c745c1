// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The metafile format itself: record numbers, limits that keep damaged files cheap, and a bounds-checked
// little-endian reader. Shared by the parts of the metafile renderer; not for use elsewhere.

#include <QRgb>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace nibsy::wmf {

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
    kSetTextCharExtra = 0x0108,
    kRestoreDc = 0x0127,
    kSelectClipRegion = 0x012C,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetTextJustification = 0x020A,
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

inline QRgb colorRef(quint32 v) {
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

inline double clampCoord(double v) {
    if (!std::isfinite(v))
        return 0;
    return std::clamp(v, -kCoordLimit, kCoordLimit);
}

} // namespace nibsy::wmf
