// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface: lines and boxes, circles and ellipses, filled polygons, pictures and text at a
// current position, in a scale of twips, device pixels or the caller's own. Picture boxes on the screen
// and printed pages are both surfaces, so a routine that takes a Surface& draws the same picture on
// either.

#include "platform/Picture.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QSize>
#include <functional>
#include <optional>

class QPainter;
class QPaintDevice;
class QPen;

namespace nibsy {

class Surface {
public:
    enum class ScaleMode { Twips, Pixels, User };
    enum class FillStyle { Solid, Transparent };

    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Scale: twips (the default), device pixels, or a user scale with (left, top) at the top left corner
    // and (right, bottom) at the bottom right corner.
    void setScaleMode(ScaleMode mode);
    ScaleMode scaleMode() const { return m_mode; }
    void setScale(double left, double top, double right, double bottom);
    double scaleLeft() const { return m_mode == ScaleMode::User ? m_user.left() : 0; }
    double scaleTop() const { return m_mode == ScaleMode::User ? m_user.top() : 0; }
    double scaleWidth() const;
    double scaleHeight() const;
    // A point in scale units to device pixels, and back.
    QPointF toPixels(double x, double y) const;
    QPointF fromPixels(QPointF px) const;

    void setForeColor(const QColor& c) { m_fore = c; }
    QColor foreColor() const { return m_fore; }
    void setFillColor(const QColor& c) { m_fill = c; }
    QColor fillColor() const { return m_fill; }
    void setFillStyle(FillStyle s) { m_fillStyle = s; }
    FillStyle fillStyle() const { return m_fillStyle; }
    // The width of lines and outlines in screen pixels (1/96 inch at 96 dpi), so that a printed line is
    // as thick on paper as it looks on the screen.
    void setDrawWidth(int px) { m_drawWidth = qMax(1, px); }
    int drawWidth() const { return m_drawWidth; }
    // The font for Print, TextWidth and TextHeight, its size in points.
    void setFontSpec(const QFont& f) { m_font = f; }
    QFont fontSpec() const { return m_font; }
    double currentX = 0;
    double currentY = 0;

    // A line from (x1, y1) to (x2, y2) in the foreground colour (or the colour given).
    void Line(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A box outlined in the foreground colour (or the colour given) and filled per fill style and colour.
    void Box(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A box filled solid with the foreground colour (or the colour given).
    void BoxFilled(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A circle or ellipse: with aspect below 1 the radius is the horizontal half-axis and the vertical
    // one is radius x aspect; above 1 the radius is the vertical half-axis.
    void Circle(double x, double y, double radius, std::optional<QColor> color = {}, double aspect = 1.0);
    // A polygon with its corners in scale units, filled per fill style and colour under the given fill
    // rule, outlined in the foreground colour.
    void PolygonScaled(const QPolygonF& points, Qt::FillRule rule = Qt::OddEvenFill);
    // Text in the foreground colour with its top left corner at the current position; afterwards the
    // position moves to the start of the next line.
    void Print(const QString& text);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // A picture stretched into a rectangle given in scale units.
    void PaintPicture(const Picture& picture, double x, double y, double width, double height);

protected:
    Surface() = default;

    // The drawing area in device pixels.
    virtual QSize areaPixels() const = 0;
    // Twips covered by one device pixel.
    virtual double twipsPerDevicePixel() const = 0;
    // The device whose resolution text is measured at.
    virtual const QPaintDevice* metricsDevice() const = 0;
    // Runs draw with a painter in device pixels, (0, 0) at the area's top left corner.
    virtual void paint(const std::function<void(QPainter&)>& draw) = 0;
    // Called after the scale has changed.
    virtual void scaleChanged() {}

    QPen pen(const QColor& c) const;

private:
    QRectF pixelRect(double x1, double y1, double x2, double y2) const;

    ScaleMode m_mode = ScaleMode::Twips;
    QRectF m_user{0, 0, 1, 1};
    QColor m_fore{0, 0, 0};
    QColor m_fill{0, 0, 0};
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_drawWidth = 1;
    QFont m_font;
};

} // namespace nibsy
