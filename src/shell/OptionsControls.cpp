// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptionsControls.h"

#include "platform/Numbers.h"
#include "platform/SpinButton.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <cstdlib>

namespace nibsy {

OptionButtons::OptionButtons(QWidget* frame, qint16& setting, Choices choices)
    : QButtonGroup(frame), m_setting(setting), m_choices(std::move(choices)) {
    for (int i = 0; i < m_choices.captions.size(); ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(m_choices.captions[i]), frame);
        option->setFont(m_choices.font);
        const QPoint at = m_choices.first.topLeft() + i * m_choices.step;
        ActivityWindow::place(option, at.x(), at.y(), m_choices.first.width(), m_choices.first.height());
        addButton(option, i);
    }
    connect(this, &QButtonGroup::idClicked, this, &OptionButtons::store);
}

int OptionButtons::valueOf(int index) const {
    return m_choices.values.isEmpty() ? index + m_choices.offset : m_choices.values[index];
}

int OptionButtons::valueInUse() const {
    int nearest = valueOf(0);
    for (int i = 0; i < m_choices.captions.size(); ++i) {
        if (valueOf(i) == m_setting) {
            return m_setting;
        }
        if (std::abs(valueOf(i) - m_setting) < std::abs(nearest - m_setting)) {
            nearest = valueOf(i);
        }
    }
    return m_choices.fallback.value_or(nearest);
}

void OptionButtons::load() {
    const int value = valueInUse();
    for (int i = 0; i < m_choices.captions.size(); ++i) {
        if (valueOf(i) == value) {
            button(i)->setChecked(true);
        }
    }
}

QRadioButton* OptionButtons::button(int index) const {
    return static_cast<QRadioButton*>(QButtonGroup::button(index));
}

void OptionButtons::store(int index) {
    m_setting = qint16(valueOf(index));
    if (m_choices.onClick) {
        m_choices.onClick();
    }
}

NumberSpin::NumberSpin(QGroupBox* frame, qint16& setting, int lo, int hi)
    : QObject(frame), m_setting(setting), m_lo(lo), m_hi(hi) {
    card = new QLabel(frame);
    makeCard(card, arialFont(36, true), QColor(0, 0, 128));
    ActivityWindow::place(card, 180, 420, 1155, 1035);
    spin = new SpinButton(frame);
    ActivityWindow::place(spin, 1395, 420, 375, 1035);
    connect(spin, &SpinButton::SpinUp, this, [this] { step(1); });
    connect(spin, &SpinButton::SpinDown, this, [this] { step(-1); });
}

void NumberSpin::load() {
    card->setText(formatNumber(clampSetting(m_setting, m_lo, m_hi), QStringLiteral("#")));
    card->repaint();
}

void NumberSpin::step(int by) {
    m_setting = qint16(clampSetting(clampSetting(m_setting, m_lo, m_hi) + by, m_lo, m_hi));
    load();
}

} // namespace nibsy
