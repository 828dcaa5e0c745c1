// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WindowFixture.h"

#include <QMouseEvent>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleHints>
#include <algorithm>

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

bool pointsAt(const QWidget* arrow, const QWidget* box) {
    return arrow->geometry().center().x() == box->geometry().center().x() &&
           arrow->geometry().bottom() < box->geometry().top();
}

QColor colourAt(PictureBox* box, double fx, double fy) {
    return box->image().pixelColor(int(box->image().width() * fx), int(box->image().height() * fy));
}

int pixelsOf(const QImage& image, const QColor& colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
    return int(std::count(pixels, pixels + rgb.width() * rgb.height(), colour.rgb()));
}

int pixelsOf(QWidget* control, const QColor& colour) {
    auto* box = qobject_cast<PictureBox*>(control);
    return pixelsOf(box ? box->image() : control->grab().toImage(), colour);
}

void savePicture(const QString& name, const QColor& colour) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(AppFiles::userDir() + name, "BMP"));
}

void expectControlsApart(QWidget* window) {
    QList<QRect> taken;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        const auto* card = qobject_cast<QLabel*>(c);
        if (!c->isVisibleTo(window) ||
            !(qobject_cast<QAbstractButton*>(c) || (card && card->frameShape() == QFrame::Box)))
            continue;
        const std::string name = c->property("text").toString().toStdString();
        const QRect at(c->mapTo(window, QPoint(0, 0)), c->size());
        EXPECT_TRUE(window->rect().contains(at) && c->parentWidget()->rect().contains(c->geometry())) << name;
        const QRect inner = at.adjusted(0, 0, -1, -1); // rounding may let two share an edge
        for (const QRect& other : taken)
            EXPECT_FALSE(inner.intersects(other)) << name;
        taken << inner;
    }
}

Settings everyNumberAt(int value) {
    QString text = QString::fromUtf8(formatSettings(Settings{}));
    text.replace(
        QRegularExpression(QStringLiteral("(?<=^|,)-?\\d+(?=,|\\r)"), QRegularExpression::MultilineOption),
        QString::number(value));
    const auto parsed = parseSettings(text.toUtf8());
    EXPECT_TRUE(parsed);
    return parsed.value_or(Settings{});
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPointingDevice* touchScreen() {
    static QPointer<QPointingDevice> screen;
    if (!screen) {
        screen = QTest::createTouchDevice();
        screen->setParent(qApp); // goes with the application
    }
    return screen;
}

} // namespace nibsy::test
