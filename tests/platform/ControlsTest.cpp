// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "platform/Scaling.h"
#include "platform/SpinButton.h"
#include "platform/Twips.h"
#include "support/Pixels.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

// A window that notes the keys its controls pass on to it.
struct KeyWindow : QWidget {
    QList<int> keys;
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};

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

    KeyWindow window;
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

    button->setEnabled(false);
    stage.mouse(button, {50, 20});
    QTest::keyClick(&stage.window, Qt::Key_H, Qt::AltModifier);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::qWait(200);
    EXPECT_EQ(clicked.count(), expected);

    // In an options window, Return typed in a number box presses no button.
    QDialog options;
    auto* box = new QLineEdit(&options);
    QSignalSpy ok(new SSCommand(QStringLiteral("OK"), &options), &QAbstractButton::clicked);
    options.show();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(ok.isEmpty() && options.isVisible());
}

// The box around the pixels of an image that pass the test.
QRect where(const QImage& image, const std::function<bool(QColor)>& test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(SSCommand, ShowsItsPictureCentredItsCaptionInItsColourAndDisabledEtched) {
    Stage stage;
    auto* button = stage.add(new SSCommand(QStringLiteral("Go")), {10, 10, 100, 40});
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::blue);
    button->setPalette(palette);
    QFont sharp = button->font();
    sharp.setStyleStrategy(QFont::NoAntialias);
    button->setFont(sharp);
    const QRect caption = where(button->grab().toImage(), [](QColor c) { return c == QColor(Qt::blue); });
    EXPECT_NEAR(caption.center().x(), 50, 2);
    EXPECT_NEAR(caption.center().y(), 20, 2);

    // Disabled: the caption in a dark grey with a light copy one pixel below and to the right.
    button->setEnabled(false);
    const QImage etched = button->grab().toImage().copy(5, 5, 90, 30);
    const QRect dark = where(etched, [](QColor c) { return c.lightness() < 140; });
    const QRect light = where(etched, [](QColor c) { return c.lightness() > 230; });
    EXPECT_FALSE(dark.isEmpty());
    EXPECT_EQ(light.bottomRight(), dark.bottomRight() + QPoint(1, 1));

    // A square picture fills the height inside the bevel and its margin, in the middle.
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::red);
    button->setEnabled(true);
    button->setPicture(Picture::fromImage(square));
    const QRect red = where(button->grab().toImage(), [](QColor c) { return c == QColor(Qt::red); });
    EXPECT_EQ(red.size(), QSize(30, 30));
    EXPECT_NEAR(red.center().x(), 50, 1);
    EXPECT_NEAR(red.center().y(), 20, 1);
}

TEST(SSPanel, FloodsItsShareFromTheLeftInItsColourClampsAndShowsThePercentage) {
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
    // The percentage reads light on the flood and dark beside it.
    panel->setShowPercent(true);
    panel->setFloodPercent(100);
    EXPECT_GT(count(panel, inner, [](QColor c) { return c.lightness() > 220; }), 10);
    panel->setFloodPercent(0);
    EXPECT_GT(count(panel, inner, [](QColor c) { return c.lightness() < 60; }), 10);
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

TEST(PictureBox, TakesTheFocusOnAClickAndKeepsTheArrowKeysButNotTab) {
    Stage stage;
    auto* before = stage.add(new QPushButton(QStringLiteral("A")), {10, 10, 60, 30});
    auto* field = stage.add(new PictureBox, {80, 10, 100, 100});
    auto* after = stage.add(new QPushButton(QStringLiteral("B")), {190, 10, 60, 30});
    field->setTakesFocus(true);
    QList<int> keys;
    QObject::connect(field, &PictureBox::KeyDown, [&](int& key, Qt::KeyboardModifiers) {
        keys << key;
        if (key == Qt::Key_Space)
            key = 0; // taken
    });

    before->setFocus();
    stage.mouse(field, {50, 50});
    ASSERT_TRUE(field->hasFocus());
    const QList<int> pressed{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_A};
    for (int key : pressed)
        QTest::keyClick(stage.window.windowHandle(), Qt::Key(key));
    EXPECT_EQ(keys, pressed);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(stage.window.keys, QList<int>{Qt::Key_A}); // arrows and the taken key stay with the box
    QTest::keyClick(stage.window.windowHandle(), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(keys.size(), pressed.size());
}

namespace {

// A red disc on a white square, made at ratio device pixels to each of its pixels.
QImage disc(double ratio = 1) {
    QImage image = deviceImage({20, 20}, ratio, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Qt::red));
    p.drawEllipse(QPointF(10, 10), 9, 9);
    return image;
}

} // namespace

TEST(PictureBox, DrawsOffScreenAndCopiesBlocksPlainlyAndThroughMasks) {
    Stage stage;
    auto* field = stage.add(new PictureBox, {10, 10, 120, 80});
    // The buffer is never shown, and keeps what is drawn on it.
    auto* buffer = new PictureBox(&stage.window);
    buffer->setGeometry(10, 10, 120, 80);
    buffer->hide();
    // Every channel of the background is odd, so a mask that is not pure white shows in it.
    const QColor red(Qt::red), sky(129, 255, 255);
    buffer->setBackColor(sky);

    buffer->MaskedBlt(30, 20, 20, 20, disc(), PictureBox::MaskOf(disc(), QColor(Qt::white)), 0, 0);
    // A plain copy of the disc's lower right quarter.
    buffer->BitBlt(0, 0, 10, 10, disc(), 10, 10);
    EXPECT_EQ(field->grab().toImage().pixelColor(40, 30), QColor(Qt::white)); // nothing on it yet

    field->BitBlt(0, 0, 120, 80, *buffer, 0, 0);
    const QImage seen = field->grab().toImage();
    for (const auto& [x, y, colour] : {std::tuple{40, 30, red}, {31, 21, sky}, {1, 1, red}, {12, 5, sky}})
        EXPECT_EQ(seen.pixelColor(x, y), colour) << x << "," << y;

    // Centred text in its ink, edged with the halo colour so that it shows on any background.
    field->setBackColor(Qt::black);
    field->Cls();
    field->setForeColor(Qt::red);
    field->PrintCentred(QStringLiteral("8"), Qt::white);
    EXPECT_EQ(field->foreColor(), QColor(Qt::red));
    QRect ink;
    int halo = 0;
    const QImage text = field->image();
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x) {
            const QColor c = text.pixelColor(x, y);
            halo += c.red() > 200 && c.green() > 200;
            if (c.red() > 200 && c.green() < 60)
                ink |= QRect(x, y, 1, 1);
        }
    EXPECT_GT(halo, 10);
    EXPECT_NEAR(ink.center().x(), 60, 2);
    EXPECT_NEAR(ink.center().y(), 40, 3);
}

TEST(PictureBox, AtTwiceTheScreensResolutionDrawsAndCopiesAtItAndStretchesOnlyWhatWasMadeCoarse) {
    applyScale(2);
    {
        Stage stage;
        auto* field = stage.add(new PictureBox, {10, 10, 120, 80});
        auto* buffer = new PictureBox(&stage.window);
        buffer->setGeometry(10, 10, 120, 80);
        buffer->hide();
        buffer->setBackColor(Qt::white);
        // A disc made at the screen's ratio through its mask, and one made at 1 plainly, side by side.
        const QImage fine = disc(2);
        buffer->MaskedBlt(30, 20, 20, 20, fine, PictureBox::MaskOf(fine, QColor(Qt::white)), 0, 0);
        buffer->BitBlt(80, 20, 20, 20, disc(), 0, 0);
        field->BitBlt(0, 0, 120, 80, *buffer, 0, 0);

        const QImage seen = field->image();
        ASSERT_EQ(seen.size(), QSize(240, 160));
        EXPECT_EQ(field->grab().toImage(), seen.convertToFormat(field->grab().toImage().format()));
        for (const auto& [x, y, colour] :
             {std::tuple{40, 30, QColor(Qt::red)}, {90, 30, QColor(Qt::red)}, {65, 30, QColor(Qt::white)}})
            EXPECT_EQ(seen.pixelColor(2 * x, 2 * y), colour) << x << "," << y;
        EXPECT_GT(test::finerThanTwoPixels(seen.copy(60, 40, 40, 40)), 10);
        EXPECT_EQ(test::finerThanTwoPixels(seen.copy(160, 40, 40, 40)), 0);

        // Text is drawn at the full resolution too, in the middle of a box that keeps its size.
        field->setForeColor(Qt::black);
        field->PrintCentred(QStringLiteral("8"), Qt::white);
        field->resize(121, 80);
        EXPECT_EQ(field->image().size(), QSize(242, 160));
        EXPECT_GT(test::finerThanTwoPixels(field->image().copy(100, 40, 40, 80)), 10);

        // A filled box covers its far corner pixel whole, as at a ratio of 1, so that walls meet cleanly.
        field->Cls();
        field->setScaleMode(Surface::ScaleMode::Pixels);
        field->BoxFilled(10, 10, 19, 19, QColor(Qt::blue));
        const QImage box = field->image();
        for (const auto& [device, inside] : {std::pair{19, false}, {20, true}, {39, true}, {40, false}}) {
            EXPECT_EQ(box.pixelColor(device, 30) == QColor(Qt::blue), inside) << device;
            EXPECT_EQ(box.pixelColor(30, device) == QColor(Qt::blue), inside) << device;
        }
    }
    applyScale(1);
}

TEST(PictureBox, DraggedBoxDropsOnTheBoxUnderThePointerInItsScaleOrElseOnTheWindow) {
    Stage stage;
    auto* puzzle = stage.add(new PictureBox, {150, 20, 120, 120});
    puzzle->setScale(0, 0, 3, 3);
    auto* piece = stage.add(new PictureBox, {10, 20, 40, 40});
    auto* other = stage.add(new PictureBox, {10, 100, 40, 40});
    piece->setBackColor(Qt::red);
    other->setBackColor(Qt::blue);
    piece->setScaleMode(PictureBox::ScaleMode::Pixels);
    puzzle->setAcceptDrops(true);
    piece->setAcceptDrops(true); // the other piece takes no drops
    other->setDragMode(PictureBox::DragMode::Automatic);
    QObject::connect(piece, &PictureBox::MouseDown, [&] { piece->Drag(); });

    QStringList drops;
    auto record = [&](QObject* target) {
        return [&drops, target](QWidget* source, double x, double y) {
            drops << QStringLiteral("%1 %2 %3,%4")
                         .arg(target->objectName(), source->objectName())
                         .arg(x)
                         .arg(y);
        };
    };
    for (auto [box, name] : {std::pair{puzzle, "puzzle"}, {piece, "piece"}, {other, "other"}}) {
        box->setObjectName(QString::fromLatin1(name));
        QObject::connect(box, &PictureBox::DragDrop, record(box));
    }
    stage.window.setObjectName(QStringLiteral("window"));
    setFormDragDrop(&stage.window, record(&stage.window));
    QSignalSpy cancelled(piece, &PictureBox::DragCancelled);

    auto drag = [&](PictureBox* box, QPoint from, QPoint to, bool release = true) {
        stage.mouse(box, from, QTest::MousePress);
        const QPoint start = box->mapTo(&stage.window, from);
        QTest::mouseMove(stage.window.windowHandle(), (start + to) / 2);
        QTest::mouseMove(stage.window.windowHandle(), to);
        if (release)
            QTest::mouseRelease(stage.window.windowHandle(), Qt::LeftButton, {}, to);
    };
    // Picked up 5 pixels in, the piece follows the pointer; it stays where it was meanwhile.
    const QPoint cell = puzzle->mapTo(&stage.window, QPoint(100, 60)); // column 2, row 1
    drag(piece, {5, 5}, cell, false);
    const QImage during = stage.window.grab().toImage();
    EXPECT_EQ(during.pixelColor(cell + QPoint(15, 15)), QColor(Qt::red));
    EXPECT_EQ(during.pixelColor(30, 40), QColor(Qt::red));
    EXPECT_TRUE(piece->dragging());
    QTest::mouseRelease(stage.window.windowHandle(), Qt::LeftButton, {}, cell);
    EXPECT_FALSE(piece->dragging());
    EXPECT_NE(stage.window.grab().toImage().pixelColor(cell + QPoint(15, 15)), QColor(Qt::red));

    stage.mouse(piece, {30, 10});      // picked up and put down again: on itself
    drag(piece, {20, 20}, {100, 180}); // on the window
    drag(piece, {20, 20}, other->mapTo(&stage.window, QPoint(10, 10))); // on a box taking no drops
    drag(other, {20, 20}, piece->mapTo(&stage.window, QPoint(4, 8)));   // by itself, on the piece
    const auto twips = [](int px) { return QString::number(pxToTwips(px)); };
    EXPECT_EQ(drops, QStringList({"puzzle piece 2.5,1.5", "piece piece 30,10",
                                  "window piece " + twips(100) + "," + twips(180),
                                  "window piece " + twips(20) + "," + twips(110), "piece other 4,8"}));

    // Escape, or a drop outside the window, drops nothing.
    drops.clear();
    drag(piece, {20, 20}, cell, false);
    QTest::keyClick(stage.window.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(piece->dragging());
    QTest::mouseRelease(stage.window.windowHandle(), Qt::LeftButton, {}, cell);
    drag(piece, {20, 20}, {-30, 50});
    EXPECT_EQ(cancelled.count(), 2);
    EXPECT_TRUE(drops.isEmpty()) << drops.join(u'|').toStdString();
}
