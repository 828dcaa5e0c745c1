// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pair of arrow buttons, up above down, in one control. Each press of an arrow signals once, and
// holding it down signals again and again.

#include <QWidget>

class QAbstractButton;

namespace nibsy {

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QAbstractButton* upButton() const { return m_up; }
    QAbstractButton* downButton() const { return m_down; }
    QSize sizeHint() const override { return {17, 32}; }

signals:
    void SpinUp();
    void SpinDown();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QAbstractButton* m_up;
    QAbstractButton* m_down;
};

} // namespace nibsy
