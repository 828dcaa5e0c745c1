// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WindowFixture.h"

#include <QMouseEvent>
#include <QRadioButton>
#include <QStyleHints>

namespace nibsy::test {

namespace {
QPoint clickPoint(QWidget* control) {
    return qobject_cast<QRadioButton*>(control) ? QPoint(8, control->height() / 2) : control->rect().center();
}

void send(QWidget* target, QEvent::Type type, ulong timestamp) {
    const QPoint at = clickPoint(target);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(target, &event);
    QCoreApplication::processEvents();
}
} // namespace

void click(QWidget* control, Qt::MouseButton button) {
    QTest::mouseClick(control, button, Qt::NoModifier, clickPoint(control));
}

void doubleClick(QWidget* first, QWidget* second) {
    second = second ? second : first;
    // After QTest's own clicks, so that time only goes forward.
    static ulong now = 1'000'000'000;
    now = std::max(now + 10'000, ulong(QTest::lastMouseTimestamp) + 10'000);
    const ulong gap = ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval()) / 3;
    send(first, QEvent::MouseButtonPress, now);
    send(first, QEvent::MouseButtonRelease, now + 1);
    QPointer<QWidget> target = second;
    if (target && target->isVisible())
        send(target, QEvent::MouseButtonDblClick, now + gap);
    if (target && target->isVisible())
        send(target, QEvent::MouseButtonRelease, now + gap + 1);
    QTest::lastMouseTimestamp = int(now + gap + 10'000);
}

int number(const QLabel* label) {
    bool ok = false;
    const int n = label->text().toInt(&ok);
    return ok ? n : -1;
}

} // namespace nibsy::test
