// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box: a drawing surface on the screen that keeps what is drawn on it, shown or hidden, with
// a background colour and picture, block copies between boxes (plain, by raster operation or through a
// mask), the keyboard when it is given the focus, and dragging within its window.

#include "platform/Picture.h"
#include "platform/Surface.h"
#include "platform/WindowTimer.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QWidget>
#include <optional>

namespace nibsy {

class PictureBox : public QWidget, public Surface {
    Q_OBJECT
public:
    // How a block copy combines the source with what the box shows.
    enum class RasterOp {
        SrcCopy,  // the source replaces the destination
        SrcAnd,   // source AND destination, bit by bit (a black-on-white mask cuts a black hole)
        SrcPaint, // source OR destination (a picture on black fills the hole)
    };
    enum class DragMode { Manual, Automatic };
    enum class DragAction { Cancel = 0, Begin = 1, End = 2 };

    explicit PictureBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& c);
    QColor backColor() const { return m_back; }

    // The background picture, drawn stretched over the box under everything drawn.
    void setPicture(const Picture& picture);
    Picture picture() const { return m_picture; }

    // Clears the drawing to the background colour and picture; the current position goes to 0, 0.
    void Cls();
    // A polygon in pixels, filled per fill style and colour under the given fill rule, outlined in the
    // foreground colour.
    void Polygon(const QPolygon& pixels, Qt::FillRule rule = Qt::OddEvenFill);
    // Prints text centred in the box, in the fore colour edged with halo so that it shows on anything.
    void PrintCentred(const QString& text, const QColor& halo);

    // Block copies, all in pixels whatever the scale: the width x height block of the source at (srcX,
    // srcY) goes to (destX, destY) of this box. Parts outside either are left out. An image's pixels are
    // its logical ones: one made at the screen's ratio (deviceImage) keeps its full resolution.
    void BitBlt(int destX, int destY, int width, int height, const QImage& source, int srcX, int srcY,
                RasterOp op = RasterOp::SrcCopy);
    void BitBlt(int destX, int destY, int width, int height, PictureBox& source, int srcX, int srcY,
                RasterOp op = RasterOp::SrcCopy);
    // Copies the picture's pixels where the mask (the same size as the picture) is black, and leaves
    // this box as it was where the mask is white. The picture's own background may be any colour.
    void MaskedBlt(int destX, int destY, int width, int height, const QImage& picture, const QImage& mask,
                   int srcX, int srcY);
    // A mask for MaskedBlt: black where the picture differs from the background colour, white where it
    // shows the background; without a colour, the picture's transparent pixels are the background.
    static QImage MaskOf(const QImage& picture, std::optional<QColor> background = {});

    // What the box shows now, at the screen's resolution: devicePixelRatio() image pixels to each pixel
    // of the box.
    const QImage& image() {
        ensureCanvas();
        return m_canvas;
    }

    // Off by default. On, a click (or Tab) gives the box the keyboard focus and keys pressed then come
    // as KeyDown; the arrow keys stay with the box rather than moving the focus.
    void setTakesFocus(bool on);

    // Off by default. On, a finger held still on the box for LongPressMs is a press of the right mouse
    // button (MouseDown when the time is up, MouseUp as the finger lifts); a shorter touch, or one that
    // moves, is the left button's as before, its MouseDown coming as the finger lifts or moves.
    static constexpr int LongPressMs = 600;
    void setLongPressIsRightClick(bool on) { m_longPress = on; }

    // Dragging. Drag(Begin), typically from a MouseDown handler, picks the box up: an image of it follows
    // the pointer, held where it was pressed, until the mouse button is let go. Then the drop goes to
    // the control under the pointer: the innermost picture box there that accepts drops
    // (setAcceptDrops(true)) gets DragDrop at the point in its own scale; with none, the window's
    // drop handler (setFormDragDrop) gets it in the window's twips. Escape, a drop outside the window,
    // or Drag(Cancel) ends the drag with DragCancelled instead; Drag(End) drops at once where the
    // pointer is. With DragMode::Automatic a press of the left button begins a drag by itself.
    void setDragMode(DragMode mode) { m_dragMode = mode; }
    DragMode dragMode() const { return m_dragMode; }
    void Drag(DragAction action = DragAction::Begin);
    // True while this box is being dragged.
    bool dragging() const;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, double x, double y);
    void Click();
    // A key pressed while the box has the focus, as a Qt key code; a handler that sets KeyCode to 0
    // keeps the key from going on to the window.
    void KeyDown(int& KeyCode, Qt::KeyboardModifiers Shift);
    // A box dropped on this one, at (x, y) in this box's scale.
    void DragDrop(QWidget* source, double x, double y);
    // A drag of this box that ended without a drop.
    void DragCancelled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QSize areaPixels() const override { return size(); }
    double twipsPerDevicePixel() const override;
    const QPaintDevice* metricsDevice() const override { return &m_canvas; }
    void paint(const std::function<void(QPainter&)>& draw) override;

private:
    // The drawing keeps the widget's size even while the widget is hidden.
    void ensureCanvas();
    void fillBackground();
    // The touch that may have been a long press was a left press after all.
    void pressLeftForTouch();

    QImage m_canvas;
    QSize m_canvasSize{1, 1}; // in the box's pixels
    Picture m_picture;
    QColor m_back{255, 255, 255};
    DragMode m_dragMode = DragMode::Manual;
    QPoint m_pressedAt{-1, -1}; // where the last press fell, in pixels
    // A touch that may yet be a long press: where it fell, and its timer.
    bool m_longPress = false;
    bool m_touchPending = false;
    bool m_rightHeld = false;
    QPointF m_touchAt;
    Qt::KeyboardModifiers m_touchModifiers;
    WindowTimer* m_longPressTimer = nullptr;
};

// The window's own handler of drops that fall on no control taking them, at (x, y) in twips of its
// client area; an empty handler removes it.
void setFormDragDrop(QWidget* window, std::function<void(QWidget* source, double x, double y)> handler);

} // namespace nibsy
