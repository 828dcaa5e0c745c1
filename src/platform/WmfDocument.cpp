// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WmfDocument.h"

#include "platform/WmfFormat.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>

#include <cmath>

namespace nibsy::wmf {

namespace {
// The largest glyph, in device pixels, drawn through Qt's glyph cache.
constexpr double kMaxCachedGlyph = 512;
} // namespace

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
            painter.scale(t.scale * t.stretch, t.scale);
            if (t.opaque)
                painter.fillRect(t.box, QColor::fromRgb(t.background));
            painter.setFont(m_fonts[size_t(t.font)]);
            painter.setPen(QColor::fromRgb(t.color));
            // Glyphs that come out larger on the device than a glyph cache takes are drawn as outlines:
            // the cache fails on them (and Qt 6.4 then writes through a null bitmap).
            const QTransform device = painter.deviceTransform();
            const double em = m_fonts[size_t(t.font)].pixelSize();
            const bool outlines =
                std::max(std::hypot(device.m11(), device.m12()), std::hypot(device.m21(), device.m22())) *
                    em >
                kMaxCachedGlyph;
            const auto text = [&](const QPointF& at, const QString& piece) {
                if (outlines) {
                    QPainterPath path;
                    path.addText(at, m_fonts[size_t(t.font)], piece);
                    painter.fillPath(path, QColor::fromRgb(t.color));
                } else {
                    painter.drawText(at, piece);
                }
            };
            if (t.offsets.empty()) {
                text(t.origin, t.text);
            } else {
                for (size_t i = 0; i < t.offsets.size(); ++i)
                    text(t.origin + t.offsets[i], t.text.mid(t.starts[i], t.starts[i + 1] - t.starts[i]));
            }
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

std::vector<PlacedText> placedTexts(const WmfDocument& document) {
    std::vector<PlacedText> out;
    const auto* doc = dynamic_cast<const Document*>(&document);
    if (!doc || doc->m_frame.width() <= 0 || doc->m_frame.height() <= 0)
        return out;
    QTransform toPixels;
    toPixels.scale(doc->m_size.width() / doc->m_frame.width(), doc->m_size.height() / doc->m_frame.height());
    toPixels.translate(-doc->m_frame.x(), -doc->m_frame.y());
    for (const Op& op : doc->m_ops) {
        if (op.kind != OpKind::Text)
            continue;
        const TextItem& t = doc->m_texts[size_t(op.index)];
        QTransform glyphs;
        glyphs.translate(t.anchor.x(), t.anchor.y());
        glyphs.rotate(t.angle);
        glyphs.scale(t.scale * t.stretch, t.scale);
        glyphs *= toPixels;
        const QFont& font = doc->m_fonts[size_t(t.font)];
        auto place = [&](const QString& text, QPointF at) {
            out.push_back({text, glyphs.map(at), font.family(), font.pixelSize() * t.scale * toPixels.m11()});
        };
        if (t.offsets.empty())
            place(t.text, t.origin);
        for (size_t i = 0; i < t.offsets.size(); ++i)
            place(t.text.mid(t.starts[i], t.starts[i + 1] - t.starts[i]), t.origin + t.offsets[i]);
    }
    return out;
}

} // namespace nibsy::wmf
