// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace nibsy {

namespace {

// The window's handler of drops on no control, kept as a child of the window.
class FormDrop : public QObject {
public:
    using Handler = std::function<void(QWidget* source, double x, double y)>;
    FormDrop(QWidget* window, Handler handler) : QObject(window), handler(std::move(handler)) {}
    static FormDrop* of(QWidget* window) {
        for (QObject* child : window->children()) {
            if (auto* form = dynamic_cast<FormDrop*>(child)) {
                return form;
            }
        }
        return nullptr;
    }
    Handler handler;
};

// An image of the dragged box that follows the pointer, outlined so that it shows on any background.
// The pointer passes through it to whatever lies below.
class DragImage : public QWidget {
public:
    DragImage(QWidget* window, const QPixmap& look) : QWidget(window), m_look(look) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(look.size() / look.devicePixelRatio());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(0, 0, m_look);
        p.setPen(QPen(Qt::black, 2, Qt::DotLine));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    QPixmap m_look;
};

// One drag at a time: while it lasts it takes the mouse's moves and release and the Escape key from
// every widget, so nothing under the pointer reacts to them.
class DragSession : public QObject {
public:
    DragSession(PictureBox* source, QPoint held)
        : QObject(source), m_source(source), m_window(source->window()), m_held(held) {
        m_image = new DragImage(m_window, source->grab());
        m_pointer = source->mapTo(m_window, held);
        follow(m_pointer);
        m_image->show();
        m_image->raise();
        qApp->installEventFilter(this);
    }
    ~DragSession() override { delete m_image.data(); }

    PictureBox* source() const { return m_source; }

    // Ends the drag: dropped where the pointer is, or cancelled. The session is gone afterwards, before
    // the drop's handler runs, so that the handler may wait or begin another drag.
    void finish(bool drop) {
        const QPointer<PictureBox> source = m_source;
        const QPointer<QWidget> window = m_window;
        const QPoint at = m_pointer;
        qApp->removeEventFilter(this);
        delete this;
        if (!source || !window) {
            return;
        }
        if (!drop || !window->rect().contains(at)) {
            emit source->DragCancelled();
            return;
        }
        for (QWidget* w = window->childAt(at); w && w != window; w = w->parentWidget()) {
            if (auto* box = qobject_cast<PictureBox*>(w); box && box->acceptDrops()) {
                const QPointF there = box->fromPixels(QPointF(box->mapFrom(window, at)));
                emit box->DragDrop(source, there.x(), there.y());
                return;
            }
        }
        if (auto* form = FormDrop::of(window)) {
            const FormDrop::Handler handler = form->handler; // it may remove itself
            handler(source, pxToTwips(at.x()), pxToTwips(at.y()));
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) {
            return false; // the window system's events reach the widgets, and come here then
        }
        switch (event->type()) {
        case QEvent::MouseMove:
            follow(pointerAt(event));
            return true;
        case QEvent::MouseButtonRelease:
            m_pointer = pointerAt(event);
            finish(true);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
                return false;
            }
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept(); // Escape is the drag's, not a button's shortcut
            } else {
                finish(false);
            }
            return true;
        default:
            return false;
        }
    }

private:
    QPoint pointerAt(QEvent* event) const {
        const QPointF global = static_cast<QMouseEvent*>(event)->globalPosition();
        return m_window ? m_window->mapFromGlobal(global).toPoint() : m_pointer;
    }
    void follow(QPoint pointer) {
        m_pointer = pointer;
        if (m_image) {
            m_image->move(pointer - m_held);
        }
    }

    QPointer<PictureBox> m_source;
    QPointer<QWidget> m_window;
    QPointer<DragImage> m_image;
    QPoint m_held;    // where the pointer holds the box, in its pixels
    QPoint m_pointer; // in the window's pixels
};

QPointer<DragSession> currentDrag;

// The width x height block at (x, y) of an image, in logical pixels: as many device pixels as the
// image has to each (the copy keeps the image's ratio).
QImage deviceBlock(const QImage& image, int x, int y, int width, int height) {
    const double ratio = image.devicePixelRatio();
    return image.copy(QRectF(x * ratio, y * ratio, width * ratio, height * ratio).toAlignedRect());
}

} // namespace

void setFormDragDrop(QWidget* window, std::function<void(QWidget* source, double x, double y)> handler) {
    delete FormDrop::of(window);
    if (handler) {
        new FormDrop(window, std::move(handler));
    }
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas = QImage(m_canvasSize, QImage::Format_RGB32);
    fillBackground();
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
        m_picture.draw(p, QRectF(QPointF(), QSizeF(m_canvasSize)));
    }
}

void PictureBox::Cls() {
    ensureCanvas();
    fillBackground();
    currentX = 0;
    currentY = 0;
    update();
}

void PictureBox::Polygon(const QPolygon& pixels, Qt::FillRule rule) {
    ensureCanvas();
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(foreColor()));
    p.setBrush(fillStyle() == FillStyle::Solid ? QBrush(fillColor()) : QBrush(Qt::NoBrush));
    p.drawPolygon(pixels, rule);
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

void PictureBox::BitBlt(int destX, int destY, int width, int height, const QImage& source, int srcX, int srcY,
                        RasterOp op) {
    // A copy first: the source may be this box's own drawing.
    const QImage block = deviceBlock(source, srcX, srcY, width, height).convertToFormat(QImage::Format_RGB32);
    paint([&](QPainter& p) {
        switch (op) {
        case RasterOp::SrcCopy:
            p.setCompositionMode(QPainter::CompositionMode_Source);
            break;
        case RasterOp::SrcAnd:
            p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            break;
        case RasterOp::SrcPaint:
            p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
            break;
        }
        p.drawImage(destX, destY, block);
    });
}

void PictureBox::BitBlt(int destX, int destY, int width, int height, PictureBox& source, int srcX, int srcY,
                        RasterOp op) {
    BitBlt(destX, destY, width, height, source.image(), srcX, srcY, op);
}

void PictureBox::MaskedBlt(int destX, int destY, int width, int height, const QImage& picture,
                           const QImage& mask, int srcX, int srcY) {
    QImage block = deviceBlock(picture, srcX, srcY, width, height).convertToFormat(QImage::Format_ARGB32);
    QImage holes = deviceBlock(mask, srcX, srcY, width, height).convertToFormat(QImage::Format_RGB32);
    if (holes.size() != block.size()) {
        holes = holes.scaled(block.size());
    }
    for (int y = 0; y < block.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(block.scanLine(y));
        const auto* marks = reinterpret_cast<const QRgb*>(holes.constScanLine(y));
        for (int x = 0; x < block.width(); ++x) {
            if (qGray(marks[x]) >= 128) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    paint([&](QPainter& p) { p.drawImage(destX, destY, block); });
}

QImage PictureBox::MaskOf(const QImage& picture, std::optional<QColor> background) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QImage mask(argb.size(), QImage::Format_RGB32);
    mask.setDevicePixelRatio(argb.devicePixelRatio());
    const QRgb key = background ? background->rgb() : 0;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const bool shown = background ? (line[x] | 0xff000000u) != key : qAlpha(line[x]) >= 128;
            out[x] = shown ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
    return mask;
}

void PictureBox::setTakesFocus(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::Drag(DragAction action) {
    if (action == DragAction::Begin) {
        if (currentDrag) {
            currentDrag->finish(false);
        }
        const QPoint held = rect().contains(m_pressedAt) ? m_pressedAt : rect().center();
        currentDrag = new DragSession(this, held);
    } else if (dragging()) {
        currentDrag->finish(action == DragAction::End);
    }
}

bool PictureBox::dragging() const {
    return currentDrag && currentDrag->source() == this;
}

double PictureBox::twipsPerDevicePixel() const {
    return twipsPerPixel();
}

void PictureBox::paint(const std::function<void(QPainter&)>& draw) {
    ensureCanvas();
    {
        QPainter p(&m_canvas);
        draw(p);
    }
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
    const double ratio = devicePixelRatioF();
    if (size != m_canvasSize || ratio != m_canvas.devicePixelRatio()) {
        const QImage old = m_canvas;
        m_canvasSize = size;
        m_canvas = deviceImage(size, ratio, QImage::Format_RGB32);
        fillBackground();
        if (old.width() > 1 || old.height() > 1) {
            QPainter p(&m_canvas);
            p.drawImage(0, 0, old);
        }
    }
}

namespace {
bool byTouch(const QMouseEvent* event) {
    return event->pointingDevice() &&
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}
} // namespace

void PictureBox::pressLeftForTouch() {
    m_touchPending = false;
    if (m_longPressTimer) {
        m_longPressTimer->setEnabled(false);
    }
    const QPointF at = fromPixels(m_touchAt);
    const QPointer<PictureBox> alive = this;
    emit MouseDown(Qt::LeftButton, m_touchModifiers, at.x(), at.y());
    if (alive && m_dragMode == DragMode::Automatic && !dragging()) {
        Drag(DragAction::Begin);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    m_pressedAt = event->position().toPoint();
    if (m_longPress && byTouch(event) && event->button() == Qt::LeftButton) {
        m_touchPending = true;
        m_touchAt = event->position();
        m_touchModifiers = event->modifiers();
        if (!m_longPressTimer) {
            m_longPressTimer = new WindowTimer(this, LongPressMs);
            m_longPressTimer->onTick([this] {
                m_longPressTimer->setEnabled(false);
                if (m_touchPending) {
                    m_touchPending = false;
                    m_rightHeld = true;
                    const QPointF at = fromPixels(m_touchAt);
                    emit MouseDown(Qt::RightButton, m_touchModifiers, at.x(), at.y());
                }
            });
        }
        m_longPressTimer->setEnabled(true);
        return;
    }
    const QPointF at = fromPixels(event->position());
    const QPointer<PictureBox> alive = this;
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
    if (alive && m_dragMode == DragMode::Automatic && event->button() == Qt::LeftButton && !dragging()) {
        Drag(DragAction::Begin);
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = fromPixels(event->position());
    if (m_rightHeld) {
        m_rightHeld = false;
        emit MouseUp(Qt::RightButton, event->modifiers(), at.x(), at.y());
        return;
    }
    if (m_touchPending) {
        const QPointer<PictureBox> alive = this;
        pressLeftForTouch();
        if (!alive) {
            return;
        }
    }
    emit MouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    if (m_touchPending &&
        (event->position() - m_touchAt).manhattanLength() >= QApplication::startDragDistance()) {
        const QPointer<PictureBox> alive = this;
        pressLeftForTouch();
        if (!alive) {
            return;
        }
    }
    const QPointF at = fromPixels(event->position());
    emit MouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    emit KeyDown(key, event->modifiers());
    // The arrows are the box's own: passed on, they could move the focus.
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (key == 0 || arrow) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace nibsy
