// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Nibsy Math opened from a stand-in menu on the fake platform, with fresh settings, and the ways a child
// reaches its controls.

#include "math/frmEMath.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "shell/Settings.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

namespace nibsy::test {

// A left click where a child would click: an option button on its round mark, any other in its middle.
inline void click(QAbstractButton* button) {
    const QPoint at =
        qobject_cast<QRadioButton*>(button) ? QPoint(8, button->height() / 2) : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

// Types the text into the answer box and presses Enter.
inline void answer(QWidget* box, const QString& text) {
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

inline int number(const QLabel* label) {
    bool ok = false;
    const int n = label->text().toInt(&ok);
    return ok ? n : -1;
}

struct MathWindow {
    // Settings are given before the window loads.
    explicit MathWindow(const std::function<void(Settings&)>& setUp = {}) {
        settings() = Settings{};
        if (setUp) {
            setUp(settings());
        }
        w = new frmEMath(&menu);
        w->Form_Load();
        w->show();
    }
    ~MathWindow() { delete w.data(); }
    MathWindow(const MathWindow&) = delete;
    MathWindow& operator=(const MathWindow&) = delete;

    FakePlatform fake;
    QWidget menu;
    QPointer<frmEMath> w;
};

} // namespace nibsy::test
