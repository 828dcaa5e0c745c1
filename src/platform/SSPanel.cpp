// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SSPanel.h"

#include "platform/SSCommand.h"

#include <QPainter>
#include <algorithm>

namespace nibsy {

namespace {
constexpr int Bevel = 2;
}

SSPanel::SSPanel(QWidget* parent) : QWidget(parent) {
    QPalette face;
    face.setColor(QPalette::Button, SSCommand::defaultFace());
    setPalette(face);
}

void SSPanel::setFloodPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent != m_percent) {
        m_percent = percent;
        update();
    }
}

void SSPanel::setFloodColor(const QColor& color) {
    m_floodColor = color;
    update();
}

void SSPanel::setShowPercent(bool show) {
    m_showPercent = show;
    update();
}

void SSPanel::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

QRect SSPanel::inner() const {
    return rect().adjusted(Bevel, Bevel, -Bevel, -Bevel);
}

QSize SSPanel::sizeHint() const {
    const QSize text = fontMetrics().size(0, m_caption.isEmpty() ? QStringLiteral("100%") : m_caption);
    return {text.width() + 2 * Bevel + 8, text.height() + 2 * Bevel + 6};
}

void SSPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const QRect area = inner();
    painter.fillRect(rect(), face);
    SSCommand::drawBevel(painter, rect(), face, false, Bevel);

    const QRect filled(area.left(), area.top(), area.width() * m_percent / 100, area.height());
    if (!filled.isEmpty()) {
        painter.fillRect(filled, m_floodColor);
    }

    const QString text = m_showPercent ? QStringLiteral("%1%").arg(m_percent) : m_caption;
    if (text.isEmpty()) {
        return;
    }
    constexpr int flags = Qt::AlignCenter | Qt::TextWordWrap;
    painter.setFont(font());
    if (!isEnabled()) {
        SSCommand::drawEtchedText(painter, area, flags, text, face);
        return;
    }
    // The text reads in white where it lies over the flood and in the text colour elsewhere.
    const QRect empty(filled.right() + 1, area.top(), area.right() - filled.right(), area.height());
    painter.setClipRect(empty);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, flags, text);
    if (!filled.isEmpty()) {
        painter.setClipRect(filled);
        painter.setPen(Qt::white);
        painter.drawText(area, flags, text);
    }
}

} // namespace nibsy
