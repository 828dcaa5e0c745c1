// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Full-screen mode: a calm backdrop of one colour fills the screen behind the suite's windows, so that
// nothing of the desktop shows. A click on it brings the suite's window back to the front; F11 puts it
// away and brings it back, except in kiosk mode.

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace nibsy {

class Backdrop : public QWidget {
    Q_OBJECT
public:
    explicit Backdrop(const QColor& colour);
    ~Backdrop() override;
    // F11 shows or hides the backdrop.
    void toggle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The suite's window in front: the modal one, or else the last one activated.
    void raiseSuite();
    QPointer<QWidget> m_front;
};

} // namespace nibsy
