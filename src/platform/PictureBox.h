// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing surface that keeps what is drawn on it: clear, lines and boxes, circles and ellipses, filled
// polygons, text at a current position and pictures, in a scale of twips, pixels or the caller's own.

#include "platform/Picture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QWidget>
#include <optional>

namespace nibsy {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class ScaleMode { Twips, Pixels, User };
    enum class FillStyle { Solid, Transparent };

    explicit PictureBox(QWidget* parent = nullptr);

    // Scale: twips (the default), pixels, or a user scale with (left, top) at the top left corner and
    // (right, bottom) at the bottom right corner.
    void setScaleMode(ScaleMode mode);
    ScaleMode scaleMode() const { return m_mode; }
    void setScale(double left, double top, double right, double bottom);
    double scaleWidth() const;
    double scaleHeight() const;
    // A point in scale units to pixels, and back.
    QPointF toPixels(double x, double y) const;
    QPointF fromPixels(QPointF px) const;

    void setBackColor(const QColor& c);
    QColor backColor() const { return m_back; }
    void setForeColor(const QColor& c) { m_fore = c; }
    QColor foreColor() const { return m_fore; }
    void setFillColor(const QColor& c) { m_fill = c; }
    QColor fillColor() const { return m_fill; }
    void setFillStyle(FillStyle s) { m_fillStyle = s; }
    FillStyle fillStyle() const { return m_fillStyle; }
    void setDrawWidth(int px) { m_drawWidth = qMax(1, px); }
    int drawWidth() const { return m_drawWidth; }
    void setFontSpec(const QFont& f) { m_font = f; }
    QFont fontSpec() const { return m_font; }
    double currentX = 0;
    double currentY = 0;

    // The background picture, drawn stretched over the box under everything drawn.
    void setPicture(const Picture& picture);
    Picture picture() const { return m_picture; }

    // Clears the drawing to the background colour and picture; the current position goes to 0, 0.
    void Cls();
    // A line from (x1, y1) to (x2, y2) in the foreground colour (or the colour given).
    void Line(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A box outlined in the foreground colour (or the colour given) and filled per fill style and colour.
    void Box(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A box filled solid with the foreground colour (or the colour given).
    void BoxFilled(double x1, double y1, double x2, double y2, std::optional<QColor> color = {});
    // A circle or ellipse: with aspect below 1 the radius is the horizontal half-axis and the vertical
    // one is radius x aspect; above 1 the radius is the vertical half-axis.
    void Circle(double x, double y, double radius, std::optional<QColor> color = {}, double aspect = 1.0);
    // A polygon in pixels, filled per fill style and colour under the given fill rule, outlined in the
    // foreground colour.
    void Polygon(const QPolygon& pixels, Qt::FillRule rule = Qt::OddEvenFill);
    // Text at the current position; afterwards the position moves to the start of the next line.
    void Print(const QString& text);
    // Prints text centred in the box, in the fore colour edged with halo so that it shows on anything.
    void PrintCentred(const QString& text, const QColor& halo);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // A picture stretched into a rectangle given in scale units.
    void PaintPicture(const Picture& picture, double x, double y, double width, double height);

    // What the box shows now.
    const QImage& image() {
        ensureCanvas();
        return m_canvas;
    }

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x, double y);
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The drawing keeps the widget's size even while the widget is hidden.
    void ensureCanvas();
    QRectF pixelRect(double x1, double y1, double x2, double y2) const;
    QPen pen(const QColor& c) const;
    void fillBackground();

    QImage m_canvas;
    Picture m_picture;
    ScaleMode m_mode = ScaleMode::Twips;
    QRectF m_user{0, 0, 1, 1};
    QColor m_back{255, 255, 255};
    QColor m_fore{0, 0, 0};
    QColor m_fill{0, 0, 0};
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_drawWidth = 1;
    QFont m_font;
};

} // namespace nibsy
