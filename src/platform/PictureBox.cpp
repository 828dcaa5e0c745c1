// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nibsy {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas = QImage(QSize(1, 1), QImage::Format_RGB32);
    fillBackground();
}

void PictureBox::setScaleMode(ScaleMode mode) {
    m_mode = mode;
}

void PictureBox::setScale(double left, double top, double right, double bottom) {
    m_mode = ScaleMode::User;
    m_user = QRectF(QPointF(left, top), QPointF(right, bottom));
}

double PictureBox::scaleWidth() const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return pxToTwips(width());
    case ScaleMode::Pixels:
        return width();
    case ScaleMode::User:
        return m_user.width();
    }
    return width();
}

double PictureBox::scaleHeight() const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return pxToTwips(height());
    case ScaleMode::Pixels:
        return height();
    case ScaleMode::User:
        return m_user.height();
    }
    return height();
}

QPointF PictureBox::toPixels(double x, double y) const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return {x / twipsPerPixel(), y / twipsPerPixel()};
    case ScaleMode::Pixels:
        return {x, y};
    case ScaleMode::User:
        break;
    }
    const double w = m_user.width() != 0 ? m_user.width() : 1;
    const double h = m_user.height() != 0 ? m_user.height() : 1;
    return {(x - m_user.left()) * width() / w, (y - m_user.top()) * height() / h};
}

QPointF PictureBox::fromPixels(QPointF px) const {
    switch (m_mode) {
    case ScaleMode::Twips:
        return px * twipsPerPixel();
    case ScaleMode::Pixels:
        return px;
    case ScaleMode::User:
        break;
    }
    const double w = width() > 0 ? width() : 1;
    const double h = height() > 0 ? height() : 1;
    return {m_user.left() + px.x() * m_user.width() / w, m_user.top() + px.y() * m_user.height() / h};
}

void PictureBox::setBackColor(const QColor& c) {
    m_back = c;
    Cls();
}

void PictureBox::setPicture(const Picture& picture) {
    m_picture = picture;
    Cls();
}

void PictureBox::fillBackground() {
    m_canvas.fill(m_back);
    if (!m_picture.isNull()) {
        QPainter p(&m_canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        m_picture.draw(p, QRectF(m_canvas.rect()));
    }
}

void PictureBox::Cls() {
    ensureCanvas();
    fillBackground();
    currentX = 0;
    currentY = 0;
    update();
}

QRectF PictureBox::pixelRect(double x1, double y1, double x2, double y2) const {
    return QRectF(toPixels(x1, y1), toPixels(x2, y2)).normalized();
}

QPen PictureBox::pen(const QColor& c) const {
    QPen p(c, m_drawWidth);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    ensureCanvas();
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing, (x1 != x2 && y1 != y2));
    p.setPen(pen(color.value_or(m_fore)));
    p.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    currentX = x2;
    currentY = y2;
    update();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    ensureCanvas();
    QPainter p(&m_canvas);
    const QRectF r = pixelRect(x1, y1, x2, y2);
    if (m_fillStyle == FillStyle::Solid) {
        p.fillRect(r, m_fill);
    }
    QPen outline = pen(color.value_or(m_fore));
    outline.setJoinStyle(Qt::MiterJoin);
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    currentX = x2;
    currentY = y2;
    update();
}

void PictureBox::BoxFilled(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    ensureCanvas();
    QPainter p(&m_canvas);
    const QRectF r = pixelRect(x1, y1, x2, y2);
    const QColor c = color.value_or(m_fore);
    p.fillRect(r, c);
    p.setPen(QPen(c, 1));
    p.drawRect(r);
    currentX = x2;
    currentY = y2;
    update();
}

void PictureBox::Circle(double x, double y, double radius, std::optional<QColor> color, double aspect) {
    ensureCanvas();
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
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(color.value_or(m_fore)));
    p.setBrush(m_fillStyle == FillStyle::Solid ? QBrush(m_fill) : QBrush(Qt::NoBrush));
    p.drawEllipse(centre, rx, ry);
    currentX = x;
    currentY = y;
    update();
}

void PictureBox::Polygon(const QPolygon& pixels, Qt::FillRule rule) {
    ensureCanvas();
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(m_fore));
    p.setBrush(m_fillStyle == FillStyle::Solid ? QBrush(m_fill) : QBrush(Qt::NoBrush));
    p.drawPolygon(pixels, rule);
    update();
}

void PictureBox::Print(const QString& text) {
    ensureCanvas();
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(m_font);
    p.setPen(m_fore);
    const QFontMetricsF fm(m_font, &m_canvas);
    const QPointF at = toPixels(currentX, currentY);
    p.drawText(at + QPointF(0, fm.ascent()), text);
    currentY += TextHeight(text);
    currentX = m_mode == ScaleMode::User ? m_user.left() : 0;
    update();
}

void PictureBox::PrintCentred(const QString& text, const QColor& halo) {
    const double x = (scaleWidth() - TextWidth(text)) / 2;
    const double y = (scaleHeight() - TextHeight(text)) / 2;
    const double px = 2.0 * scaleWidth() / std::max(1, width()); // two pixels in the scale in use
    const QColor ink = foreColor();
    setForeColor(halo);
    for (const auto& [dx, dy] : {std::pair{-px, 0.0}, {px, 0.0}, {0.0, -px}, {0.0, px}}) {
        currentX = x + dx;
        currentY = y + dy;
        Print(text);
    }
    setForeColor(ink);
    currentX = x;
    currentY = y;
    Print(text);
}

double PictureBox::TextWidth(const QString& text) const {
    const QFontMetricsF fm(m_font, &m_canvas);
    return fromPixels({fm.horizontalAdvance(text), 0}).x() - fromPixels({0, 0}).x();
}

double PictureBox::TextHeight(const QString& text) const {
    const QFontMetricsF fm(m_font, &m_canvas);
    const int lines = int(text.count(u'\n') + 1);
    return fromPixels({0, fm.height() * lines}).y() - fromPixels({0, 0}).y();
}

void PictureBox::PaintPicture(const Picture& picture, double x, double y, double width, double height) {
    ensureCanvas();
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.draw(p, pixelRect(x, y, x + width, y + height));
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_canvas);
}

void PictureBox::resizeEvent(QResizeEvent*) {
    ensureCanvas();
}

void PictureBox::ensureCanvas() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (size != m_canvas.size()) {
        QImage old = m_canvas;
        m_canvas = QImage(size, QImage::Format_RGB32);
        fillBackground();
        if (old.width() > 1 || old.height() > 1) {
            QPainter p(&m_canvas);
            p.drawImage(0, 0, old);
        }
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF at = fromPixels(event->position());
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = fromPixels(event->position());
    emit MouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = fromPixels(event->position());
    emit MouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

} // namespace nibsy
