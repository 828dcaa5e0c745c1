// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SSCommand.h"

#include "platform/Waits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace nibsy {

namespace {
constexpr int Bevel = 2;
constexpr int PictureMargin = 3;
constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;

// The picture as a disabled button shows it: grey, washed out towards the face.
QImage greyed(const QImage& source, const QColor& face) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = (qGray(line[x]) + face.lightness()) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return image;
}
} // namespace

SSCommand::SSCommand(QWidget* parent) : SSCommand(QString(), parent) {}

SSCommand::SSCommand(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    QPalette face;
    face.setColor(QPalette::Button, defaultFace());
    setPalette(face);
    setAutoDefault(false);
}

void SSCommand::setPicture(const Picture& picture) {
    m_picture = picture;
    updateGeometry();
    update();
}

QSize SSCommand::sizeHint() const {
    if (!m_picture.isNull()) {
        const int frame = 2 * (Bevel + PictureMargin);
        return m_picture.size() + QSize(frame, frame);
    }
    const QSize caption =
        fontMetrics().size(Qt::TextShowMnemonic, text().isEmpty() ? QStringLiteral("X") : text());
    return {std::max(75, caption.width() + 16), std::max(25, caption.height() + 10)};
}

QSize SSCommand::minimumSizeHint() const {
    return {2 * Bevel + 4, 2 * Bevel + 4};
}

void SSCommand::drawBevel(QPainter& painter, const QRect& rect, const QColor& face, bool raised, int width) {
    const QColor light = face.lighter(150);
    const QColor dark = face.darker(200);
    const QColor topLeft = raised ? light : dark;
    const QColor bottomRight = raised ? dark : light;
    QRect r = rect;
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
        painter.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 1, 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 1), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void SSCommand::drawEtchedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                               const QColor& face) {
    painter.setPen(face.lighter(150));
    painter.drawText(rect.translated(1, 1), flags, text);
    painter.setPen(face.darker(150));
    painter.drawText(rect, flags, text);
}

void SSCommand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const bool sunk = isDown() || isChecked();
    painter.fillRect(rect(), face);
    drawBevel(painter, rect(), face, !sunk, Bevel);

    // The content moves one pixel down and right while pressed, as if pushed in.
    QRect inner = rect().adjusted(Bevel, Bevel, -Bevel, -Bevel);
    if (sunk) {
        inner.translate(1, 1);
    }

    if (!m_picture.isNull()) {
        const QRect area = inner.adjusted(PictureMargin, PictureMargin, -PictureMargin, -PictureMargin);
        QSize size = m_picture.size();
        size = size.isEmpty() ? area.size() : size.scaled(area.size(), Qt::KeepAspectRatio);
        if (!size.isEmpty()) {
            QRect target(QPoint(), size);
            target.moveCenter(area.center());
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            if (isEnabled()) {
                m_picture.draw(painter, target);
            } else {
                painter.drawImage(target,
                                  greyed(m_picture.toImage(target.size(), devicePixelRatioF()), face));
            }
        }
    } else if (!text().isEmpty()) {
        painter.setFont(font());
        if (isEnabled()) {
            painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
            painter.drawText(inner, CaptionFlags, text());
        } else {
            drawEtchedText(painter, inner, CaptionFlags, text(), face);
        }
    }

    if (hasFocus()) {
        QPen dots(palette().color(QPalette::Active, QPalette::ButtonText), 1, Qt::DotLine);
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(rect().adjusted(Bevel + 2, Bevel + 2, -Bevel - 3, -Bevel - 3));
    }
}

bool SSCommand::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void SSCommand::keyPressEvent(QKeyEvent* event) {
    // Return and Enter press the focused button as Space does (QPushButton takes them only as a
    // dialog's default button).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            pressBriefly();
        }
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

bool SSCommand::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && isEnabled() &&
        !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        setFocus(Qt::ShortcutFocusReason);
        pressBriefly();
        return true;
    }
    return QPushButton::event(event);
}

void SSCommand::pressBriefly() {
    setDown(true);
    repaint();
    m_pressed.start(100, this);
}

void SSCommand::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_pressed.timerId()) {
        QPushButton::timerEvent(event);
        return;
    }
    m_pressed.stop();
    const QWidget* modal = QApplication::activeModalWidget();
    const bool stillThere =
        isVisible() && isEnabled() && isDown() && !Waits::busy() && (!modal || modal == window());
    setDown(false);
    if (stillThere) {
        click();
    }
}

} // namespace nibsy
