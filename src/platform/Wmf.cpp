// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a metafile: its headers, the walk over its records, and what each record does to the drawing
// state or draws. The drawing primitives, text and bitmaps live in the files beside this one.
#include "platform/Wmf.h"

#include "platform/WmfBitmaps.h"
#include "platform/WmfParser.h"

#include <cmath>
#include <vector>

namespace nibsy {
namespace wmf {

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
        def.width = r.s16();
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
        nameFont(def, face);
        const int index = allocSlot();
        if (index >= 0) {
            m_slots[size_t(index)].type = Slot::Font;
            m_slots[size_t(index)].font = def;
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
            m_dc.hasFont = true;
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
    case kSetTextCharExtra: {
        const int extra = r.s16();
        if (r.ok())
            m_dc.charExtra = extra;
        return;
    }
    case kSetTextJustification: {
        const int breaks = r.u16(), extra = r.s16();
        if (r.ok()) {
            m_dc.breakCount = breaks;
            m_dc.breakExtra = breaks > 0 ? extra : 0;
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
        text(x, y, bytes, 0, nullptr, {});
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
        // The spacing array follows the string, which is padded to whole words (by most writers).
        // With ETO_PDY its entries are pairs, of which the first is the advance along the baseline.
        const qsizetype dxWords = (options & 0x2000) ? 2 * qsizetype(count) : qsizetype(count);
        std::vector<qint16> dx;
        if (count > 0 && (r.left() >= padded + 2 * dxWords || r.left() == count + 2 * dxWords)) {
            Reader d(r.here() + (r.left() >= padded + 2 * dxWords ? padded : count), 2 * dxWords);
            dx.resize(size_t(count));
            for (qint16& v : dx) {
                v = d.s16();
                if (options & 0x2000)
                    d.s16();
            }
        }
        text(x, y, bytes, hasRect ? options : 0, hasRect ? &rect : nullptr, dx);
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

} // namespace wmf

std::shared_ptr<const WmfDocument> WmfDocument::parse(const QByteArray& data, QString* error) {
    return wmf::Parser(data).run(error);
}

} // namespace nibsy
