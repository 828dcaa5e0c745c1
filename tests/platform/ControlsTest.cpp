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
    QPoint at(QWidget* w, QPoint p) { return w->mapTo(&window, p); }
    void click(QWidget* w, QPoint p) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at(w, p));
    }

    QWidget window;
};

int count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += match(image.pixelColor(x, y));
        }
    }
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
    QTest::mousePress(stage.window.windowHandle(), Qt::LeftButton, {}, stage.at(button, {50, 20}));
    EXPECT_LT(topLeft(), 192);
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseRelease(stage.window.windowHandle(), Qt::LeftButton, {}, stage.at(button, {50, 20}));
    EXPECT_GT(topLeft(), 192);
    stage.click(button, {1, 1}); // the bevel is part of the button
    EXPECT_EQ(clicked.count(), 2);
    QTest::keyClick(&stage.window, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicked.count() == 3; }, 1000));

    button->setEnabled(false);
    stage.click(button, {50, 20});
    QTest::keyClick(&stage.window, Qt::Key_H, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(clicked.count(), 3);
}

TEST(SSCommand, DrawsItsPictureInTheFaceKeepingItsShape) {
    Stage stage;
    QImage red(40, 20, QImage::Format_ARGB32);
    red.fill(Qt::red);
    auto* button = stage.add(new SSCommand(QStringLiteral("Go")), {10, 10, 110, 110});
    button->setPicture(Picture::fromImage(red));

    const QImage image = button->grab().toImage();
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(Qt::red)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    // As wide as the face less bevel and margin, twice as wide as tall, centred.
    EXPECT_NEAR(bounds.width(), 100, 2);
    EXPECT_NEAR(bounds.width() / double(bounds.height()), 2.0, 0.1);
    EXPECT_NEAR(bounds.center().y(), 55, 2);

    button->setEnabled(false);
    const QImage greyed = button->grab().toImage();
    EXPECT_EQ(count(greyed, greyed.rect(), [](QColor c) { return c == QColor(Qt::red); }), 0);
    EXPECT_NE(greyed.pixelColor(55, 55), QColor(192, 192, 192)); // still there, in grey
}

TEST(SSPanel, FloodsItsShareFromTheLeftAndClamps) {
    Stage stage;
    auto* panel = stage.add(new SSPanel, {10, 10, 204, 24});
    const QRect inner = panel->inner();
    ASSERT_EQ(inner.width(), 200);
    auto flooded = [&](QColor colour) {
        return count(panel->grab().toImage(), inner, [&](QColor c) { return c == colour; });
    };
    const QColor blue(0, 0, 255);

    panel->setFloodPercent(40);
    EXPECT_EQ(flooded(blue), 80 * inner.height());
    EXPECT_EQ(panel->grab().toImage().pixelColor(inner.topLeft()), blue);
    panel->setFloodPercent(-5);
    EXPECT_EQ(panel->floodPercent(), 0);
    EXPECT_EQ(flooded(blue), 0);
    panel->setFloodPercent(150);
    EXPECT_EQ(panel->floodPercent(), 100);
    EXPECT_EQ(flooded(blue), 200 * inner.height());
    panel->setFloodColor(Qt::green);
    EXPECT_EQ(flooded(QColor(Qt::green)), 200 * inner.height());
}

TEST(SSPanel, ShowsThePercentageLightOnTheFloodAndDarkBeside) {
    Stage stage;
    auto* panel = stage.add(new SSPanel, {10, 10, 104, 30});
    // Type is antialiased: count pixels clearly lighter or darker than both the blue and the grey.
    auto light = [&] {
        return count(panel->grab().toImage(), panel->inner(), [](QColor c) { return c.lightness() > 220; });
    };
    auto dark = [&] {
        return count(panel->grab().toImage(), panel->inner(), [](QColor c) { return c.lightness() < 60; });
    };

    panel->setFloodPercent(100);
    EXPECT_EQ(light(), 0);
    panel->setShowPercent(true);
    EXPECT_GT(light(), 10);
    panel->setFloodPercent(0);
    EXPECT_EQ(light(), 0);
    EXPECT_GT(dark(), 10);
    panel->setShowPercent(false);
    EXPECT_EQ(dark(), 0);
    panel->setCaption(QStringLiteral("Score"));
    EXPECT_GT(dark(), 10);
}

TEST(SpinButton, UpperHalfSpinsUpLowerHalfDownAndHoldingRepeats) {
    Stage stage;
    auto* spin = stage.add(new SpinButton, {10, 10, 17, 32});
    QSignalSpy up(spin, &SpinButton::SpinUp);
    QSignalSpy down(spin, &SpinButton::SpinDown);

    stage.click(spin, {8, 5});
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(down.count(), 0);
    stage.click(spin, {8, 27});
    EXPECT_EQ(down.count(), 1);

    QTest::mousePress(stage.window.windowHandle(), Qt::LeftButton, {}, stage.at(spin, {8, 27}));
    QTest::qWait(800);
    QTest::mouseRelease(stage.window.windowHandle(), Qt::LeftButton, {}, stage.at(spin, {8, 27}));
    EXPECT_GE(down.count(), 3);
    EXPECT_EQ(up.count(), 1);

    spin->setEnabled(false);
    stage.click(spin, {8, 5});
    EXPECT_EQ(up.count(), 1);
}
