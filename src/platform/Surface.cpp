// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Surface.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nibsy {

void Surface::setScaleMode(ScaleMode mode) {
    m_mode = mode;
    scaleChanged();
}

void Surface::setScale(double left, double top, double right, double bottom) {
    m_mode = ScaleMode::User;
    m_user = QRectF(QPointF(left, top), QPointF(right, bottom));
    scaleChanged();
}

double Surface::scaleWidth() const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return areaPixels().width() * twipsPerDevicePixel();
    case ScaleMode::Pixels:
        return areaPixels().width();
    case ScaleMode::User:
        return m_user.width();
    }
    return areaPixels().width();
}

double Surface::scaleHeight() const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return areaPixels().height() * twipsPerDevicePixel();
    case ScaleMode::Pixels:
        return areaPixels().height();
    case ScaleMode::User:
        return m_user.height();
    }
    return areaPixels().height();
}

QPointF Surface::toPixels(double x, double y) const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return {x / twipsPerDevicePixel(), y / twipsPerDevicePixel()};
    case ScaleMode::Pixels:
        return {x, y};
    case ScaleMode::User:
        break;
    }
    const QSize area = areaPixels();
    const double w = m_user.width() != 0 ? m_user.width() : 1;
    const double h = m_user.height() != 0 ? m_user.height() : 1;
    return {(x - m_user.left()) * area.width() / w, (y - m_user.top()) * area.height() / h};
}

QPointF Surface::fromPixels(QPointF px) const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return px * twipsPerDevicePixel();
    case ScaleMode::Pixels:
        return px;
    case ScaleMode::User:
        break;
    }
    const QSize area = areaPixels();
    const double w = area.width() > 0 ? area.width() : 1;
    const double h = area.height() > 0 ? area.height() : 1;
    return {m_user.left() + px.x() * m_user.width() / w, m_user.top() + px.y() * m_user.height() / h};
}

QRectF Surface::pixelRect(double x1, double y1, double x2, double y2) const {
    return QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized();
}

QPen Surface::pen(const QColor& c) const {
    // Screen pixels to whole device pixels: one for one on the screen, many on a printer.
    QPen p(c, std::max(1.0, std::nearbyint(m_drawWidth * twipsPerPixel() / twipsPerDevicePixel())));
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void Surface::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, (x1 != x2 && y1 != y2));
        p.setPen(pen(color.value_or(m_fore)));
        p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    });
    currentX = x2;
    currentY = y2;
}

void Surface::Box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    paint([&](QPainter& p) {
        const QRectF r = pixelRect(x1, y1, x2, y2);
        if (m_fillStyle == FillStyle::Solid) {
            p.fillRect(r, m_fill);
        }
        p.setPen(pen(color.value_or(m_fore)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    });
    currentX = x2;
    currentY = y2;
}

void Surface::BoxFilled(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    paint([&](QPainter& p) {
        // Filled through its far corner pixel, as a box edged with a one-pixel pen is, at any device ratio.
        const QRectF r = pixelRect(x1, y1, x2, y2);
        p.fillRect(r.adjusted(0, 0, 1, 1), color.value_or(m_fore));
    });
    currentX = x2;
    currentY = y2;
}

void Surface::Circle(double x, double y, double radius, std::optional<QColor> color, double aspect) {
    // The radius is in horizontal scale units; for a tall ellipse it is the vertical half-axis instead.
    const QPointF centre = toPixels(x, y);
    const double unitX = toPixels(radius, 0).x() - toPixels(0, 0).x();
    double rx = std::abs(unitX);
    double ry = rx;
    if (aspect < 1.0) {
        ry = rx * aspect;
    } else if (aspect > 1.0) {
        rx = ry / aspect;
    }
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(pen(color.value_or(m_fore)));
        p.setBrush(m_fillStyle == FillStyle::Solid ? QBrush(m_fill) : QBrush(Qt::NoBrush));
        p.drawEllipse(centre, rx, ry);
    });
    currentX = x;
    currentY = y;
}

void Surface::PolygonScaled(const QPolygonF& points, Qt::FillRule rule) {
    QPolygonF pixels;
    pixels.reserve(points.size());
    for (const QPointF& at : points) {
        pixels << toPixels(at.x(), at.y());
    }
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(pen(m_fore));
        p.setBrush(m_fillStyle == FillStyle::Solid ? QBrush(m_fill) : QBrush(Qt::NoBrush));
        p.drawPolygon(pixels, rule);
    });
}

void Surface::Print(const QString& text) {
    const QFontMetricsF fm(m_font, metricsDevice());
    const QPointF at = toPixels(currentX, currentY);
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(m_font);
        p.setPen(m_fore);
        p.drawText(at + QPointF(0, fm.ascent()), text);
    });
    currentY += TextHeight(text);
    currentX = scaleLeft();
}

double Surface::TextWidth(const QString& text) const {
    const QFontMetricsF fm(m_font, metricsDevice());
    return fromPixels({fm.horizontalAdvance(text), 0}).x() - fromPixels({0, 0}).x();
}

double Surface::TextHeight(const QString& text) const {
    const QFontMetricsF fm(m_font, metricsDevice());
    const int lines = int(text.count(u'\n') + 1);
    return fromPixels({0, fm.height() * lines}).y() - fromPixels({0, 0}).y();
}

void Surface::PaintPicture(const Picture& picture, double x, double y, double width, double height) {
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        picture.draw(p, pixelRect(x, y, x + width, y + height));
    });
}

} // namespace nibsy
