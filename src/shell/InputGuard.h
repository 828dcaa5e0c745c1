// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one filter that all input of the suite's windows passes, however many windows are alive:
// - the rest of a double-click is dropped: after a click on a button, or wherever a window asks for it,
//   further clicks within the double-click interval land nowhere, in whatever window they fall (a
//   window the first click opened, or the button that took the place of the one clicked);
// - F1 opens help at the context of the window it is pressed in (an options window or board at its
//   activity's), or the contents where no activity owns the window;
// - activity windows see their input first (key preview, input for a window that is going).
// Input made during a wait is dropped by the waits themselves (see Waits).

#include <QObject>

class QWidget;

namespace nibsy {

class InputGuard : public QObject {
public:
    // The guard, installed on the application the first time it is asked for.
    static InputGuard& instance();

    // Clicks within the double-click interval of the click being handled now are dropped.
    void ignoreRestOfDoubleClick();

    // Opens help for the window w belongs to.
    static void helpFor(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputGuard() = default;
    bool dropClick(QObject* watched, const QEvent* event);

    // Timestamps of mouse input: the last seen, and the click a guard runs from.
    quint64 m_lastClick = 0;
    quint64 m_guardFrom = 0;
    bool m_guarding = false;
};

} // namespace nibsy
