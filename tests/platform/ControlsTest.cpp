// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "platform/SpinButton.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

// An active window with one control. Mouse input goes through the window, so it reaches whatever part
// of the control lies under the point, as a child's click does.
struct Stage {
    Stage() {
        window.resize(300, 200);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    template <typename W> W* add(W* control, const QRect& geometry) {
        control->setParent(&window);
        control->setGeometry(geometry);
        control->show();
        return control;
    }
    void mouse(QWidget* w, QPoint p, QTest::MouseAction action = QTest::MouseClick) {
        QTest::mouseEvent(action, window.windowHandle(), Qt::LeftButton, {}, w->mapTo(&window, p));
    }

    QWidget window;
};

// Pixels of the control (or of the area of it) that match.
int count(QWidget* w, QRect area, const std::function<bool(QColor)>& match) {
    const QImage image = w->grab().toImage();
    area = area.isNull() ? image.rect() : area;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixelColor(x, y));
    return n;
}

} // namespace

TEST(SSCommand, SinksAndClicksUnderTheMouseAndByMnemonicButNotWhenDisabled) {
    Stage stage;
    auto* button = stage.add(new SSCommand(QStringLiteral("&Help")), {10, 10, 100, 40});
    QSignalSpy clicked(button, &QAbstractButton::clicked);

    // A grey face, raised (light at the top left) until pressed, clicked when let go.
    auto topLeft = [&] { return button->grab().toImage().pixelColor(1, 1).lightness(); };
    EXPECT_EQ(button->grab().toImage().pixelColor(10, 20), QColor(192, 192, 192));
    EXPECT_GT(topLeft(), 192);
    stage.mouse(button, {50, 20}, QTest::MousePress);
    EXPECT_TRUE(topLeft() < 192 && clicked.count() == 0);
    stage.mouse(button, {50, 20}, QTest::MouseRelease);
    EXPECT_GT(topLeft(), 192);
    stage.mouse(button, {1, 1}); // the bevel is part of the button
    EXPECT_EQ(clicked.count(), 2);
    QTest::keyClick(&stage.window, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 3; }, 1000));
    // Focused, it is pressed by Space, Return and the keypad's Enter alike, once per key.
    button->setFocus();
    int expected = 3;
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Space, Qt::NoModifier},
                                         {Qt::Key_Return, Qt::NoModifier},
                                         {Qt::Key_Enter, Qt::KeypadModifier}}) {
        QTest::keyClick(button, key, modifiers);
        ++expected;
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == expected; }, 1000)) << key;
    }
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(200);
    EXPECT_EQ(clicked.count(), expected);

    button->setEnabled(false);
    stage.mouse(button, {50, 20});
    QTest::keyClick(&stage.window, Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::qWait(200);
    EXPECT_EQ(clicked.count(), expected);
}

TEST(SSCommand, DrawsItsPictureInTheFaceKeepingItsShape) {
    Stage stage;
    QImage red(40, 20, QImage::Format_ARGB32);
    red.fill(Qt::red);
    auto* button = stage.add(new SSCommand(QStringLiteral("Go")), {10, 10, 110, 110});
    button->setPicture(Picture::fromImage(red));

    QRect bounds;
    const QImage image = button->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            bounds |= image.pixelColor(x, y) == QColor(Qt::red) ? QRect(x, y, 1, 1) : QRect();
    // As wide as the face less bevel and margin, twice as wide as tall, centred; grey when disabled.
    EXPECT_NEAR(bounds.width(), 100, 2);
    EXPECT_NEAR(bounds.width() / double(bounds.height()), 2.0, 0.1);
    EXPECT_NEAR(bounds.center().y(), 55, 2);

    button->setEnabled(false);
    EXPECT_EQ(count(button, {}, [](QColor c) { return c == QColor(Qt::red); }), 0);
    EXPECT_NE(button->grab().toImage().pixelColor(55, 55), QColor(192, 192, 192));
}

TEST(SSPanel, FloodsItsShareFromTheLeftClampsAndShowsPercentageOrCaption) {
    Stage stage;
    auto* panel = stage.add(new SSPanel, {10, 10, 204, 30});
    const QRect inner = panel->inner();
    ASSERT_EQ(inner.width(), 200);
    const QColor blue(0, 0, 255);
    auto flooded = [&](QColor colour) { return count(panel, inner, [&](QColor c) { return c == colour; }); };

    for (const auto& [set, kept, columns] : {std::tuple{40, 40, 80}, {-5, 0, 0}, {150, 100, 200}}) {
        panel->setFloodPercent(set);
        EXPECT_EQ(panel->floodPercent(), kept);
        EXPECT_EQ(flooded(blue), columns * inner.height()) << set;
    }
    panel->setFloodPercent(40);
    EXPECT_EQ(panel->grab().toImage().pixelColor(inner.topLeft()), blue);
    panel->setFloodColor(Qt::green);
    EXPECT_EQ(flooded(QColor(Qt::green)), 80 * inner.height());
    panel->setFloodColor(blue);

    // The percentage shows light on the flood and dark beside it, as does a caption. Type is antialiased:
    // count pixels clearly lighter or darker than both the blue and the grey.
    auto seen = [&](bool light) {
        const int n = count(panel, panel->inner(),
                            [&](QColor c) { return light ? c.lightness() > 220 : c.lightness() < 60; });
        return n == 0 ? 0 : n > 10 ? 1 : -1;
    };
    for (const auto& [flood, show, caption, light, dark] : {std::tuple{100, false, "", 0, 0},
                                                            {100, true, "", 1, 0},
                                                            {0, true, "", 0, 1},
                                                            {0, false, "", 0, 0},
                                                            {0, false, "Score", 0, 1}}) {
        panel->setFloodPercent(flood);
        panel->setShowPercent(show);
        panel->setCaption(QString::fromLatin1(caption));
        EXPECT_EQ(std::pair(seen(true), seen(false)), std::pair(light, dark))
            << flood << " " << show << " " << caption;
    }
}

TEST(SpinButton, UpperHalfSpinsUpLowerHalfDownAndHoldingRepeats) {
    Stage stage;
    auto* spin = stage.add(new SpinButton, {10, 10, 17, 32});
    QSignalSpy up(spin, &SpinButton::SpinUp), down(spin, &SpinButton::SpinDown);

    stage.mouse(spin, {8, 5});
    EXPECT_EQ(std::pair(int(up.count()), int(down.count())), std::pair(1, 0));
    stage.mouse(spin, {8, 27});
    EXPECT_EQ(std::pair(int(up.count()), int(down.count())), std::pair(1, 1));
    stage.mouse(spin, {8, 27}, QTest::MousePress);
    QTest::qWait(800);
    stage.mouse(spin, {8, 27}, QTest::MouseRelease);
    EXPECT_TRUE(down.count() >= 3 && up.count() == 1);

    spin->setEnabled(false);
    stage.mouse(spin, {8, 5});
    EXPECT_EQ(up.count(), 1);
}
