// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpinButton.h"

#include "platform/SSCommand.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>

namespace nibsy {

namespace {

constexpr int Bevel = 2;

// One arrow: a bevelled face with a filled triangle pointing up or down.
class ArrowButton : public QAbstractButton {
public:
    ArrowButton(bool up, QWidget* parent) : QAbstractButton(parent), m_up(up) {
        setAutoRepeat(true);
        setAutoRepeatDelay(400);
        setAutoRepeatInterval(100);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor face = palette().color(QPalette::Button);
        painter.fillRect(rect(), face);
        SSCommand::drawBevel(painter, rect(), face, !isDown(), Bevel);

        QRectF inner = QRectF(rect()).adjusted(Bevel, Bevel, -Bevel, -Bevel);
        if (isDown()) {
            inner.translate(1, 1);
        }
        // An isosceles triangle half as wide as the face, never taller than the face allows.
        const double half = std::max(1.5, std::min(inner.width() / 4.0, inner.height() / 2.5));
        const QPointF c = inner.center();
        const double tip = m_up ? -half / 2 : half / 2;
        QPainterPath arrow;
        arrow.moveTo(c.x() - half, c.y() - tip);
        arrow.lineTo(c.x() + half, c.y() - tip);
        arrow.lineTo(c.x(), c.y() + tip);
        arrow.closeSubpath();

        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        if (isEnabled()) {
            painter.setBrush(palette().color(QPalette::Active, QPalette::ButtonText));
            painter.drawPath(arrow);
        } else {
            painter.setBrush(face.lighter(150));
            painter.drawPath(arrow.translated(1, 1));
            painter.setBrush(face.darker(150));
            painter.drawPath(arrow);
        }
    }

private:
    bool m_up;
};

} // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), m_up(new ArrowButton(true, this)), m_down(new ArrowButton(false, this)) {
    QPalette face;
    face.setColor(QPalette::Button, SSCommand::defaultFace());
    setPalette(face);
    // Pressed, not clicked: the first step comes as the arrow goes down, and the repeats follow.
    connect(m_up, &QAbstractButton::pressed, this, &SpinButton::SpinUp);
    connect(m_down, &QAbstractButton::pressed, this, &SpinButton::SpinDown);
    resize(sizeHint());
}

void SpinButton::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

} // namespace nibsy
