// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WmfBitmaps.h"
#include "platform/WmfParser.h"

#include <cmath>
#include <numbers>

namespace nibsy::wmf {
namespace {

double outlineLength(const QPainterPath& path) {
    double length = 0;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!e.isMoveTo())
            length += QLineF(path.elementAt(i - 1), e).length();
    }
    return length;
}

} // namespace

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

} // namespace nibsy::wmf
