// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The number scale: counters in four boxes, each side standing at the sum of its two boxes.

#include "MathFixture.h"
#include "math/frmscale.h"

#include <QFrame>

using namespace nibsy;
using namespace nibsy::test;

using NumberScaleFromMath = MathFixture;

namespace {

class NumberScale : public WindowFixture<frmscale> {
protected:
    void clickBox(int box, Qt::MouseButton button = Qt::LeftButton) { click(w->picBox[size_t(box)], button); }
};

// What the child sees of the scale: each box's count and counters drawn, and the mark each side's
// pointer stands at (21 between marks).
QStringList seen(frmscale& s) {
    QStringList out;
    for (int box = 1; box <= 4; ++box) {
        PictureBox& pic = *s.picBox[size_t(box)];
        int drawn = 0;
        for (int k = 0; k < 10; ++k) {
            const QPointF at =
                pic.toPixels((k % 5 + 0.5) * pic.scaleWidth() / 5, (k / 5 + 0.5) * pic.scaleHeight() / 2);
            drawn += pic.image().pixelColor(at.toPoint()) != QColor(Qt::white);
        }
        out << s.lblNumber[size_t(box)]->text() + ":" + QString::number(drawn);
    }
    for (int side = 1; side <= 2; ++side) {
        const int y = s.Label2[size_t(side)]->geometry().center().y();
        const auto at = std::find_if(s.Line3.begin(), s.Line3.end(), [y](QFrame* mark) {
            return std::abs(mark->geometry().center().y() - y) <= 1;
        });
        out << "@" + QString::number(at - s.Line3.begin());
    }
    return out;
}

} // namespace

TEST_F(NumberScale, ClicksMoveCountersAndTheirSideWithinZeroToTenClearEmptiesAllAndReopeningRestores) {
    settings().ScaleCount = {0, -3, 11, 4, 10}; // counts out of range are brought into it
    open();
    EXPECT_EQ(seen(*w), (QStringList{"0:0", "10:10", "4:4", "10:10", "@10", "@14"}));
    clickBox(2); // full: no more
    clickBox(1);
    clickBox(4, Qt::RightButton);
    EXPECT_EQ(seen(*w), (QStringList{"1:1", "10:10", "4:4", "9:9", "@11", "@13"}));
    EXPECT_EQ(std::pair(fake.sound.played.value(0).mode, fake.sound.played.value(1).mode), std::pair(0, 1));
    EXPECT_EQ(heard(), (QStringList{"uhoh.wav", "move.wav", "move.wav"}));
    open(); // again
    EXPECT_EQ(seen(*w), (QStringList{"1:1", "10:10", "4:4", "9:9", "@11", "@13"}));

    QTest::mouseClick(w->cmdClear, Qt::LeftButton);
    EXPECT_EQ(seen(*w), (QStringList{"0:0", "0:0", "0:0", "0:0", "@0", "@0"}));
    clickBox(1, Qt::RightButton); // empty: no fewer
    for (int i = 0; i < 11; ++i) {
        clickBox(3);
    }
    EXPECT_EQ(seen(*w), (QStringList{"0:0", "0:0", "10:10", "0:0", "@0", "@10"}));
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"} + QStringList(10, "move.wav") << "uhoh.wav");
}

// On a touch screen a tap adds a counter, and a finger held on a box takes one away, as the right
// button does; a finger that slides off before the time is up is a tap.
TEST_F(NumberScale, OnATouchScreenATapAddsAndAFingerHeldTakesAway) {
    settings().ScaleCount = {0, 2, 0, 0, 0};
    open();
    QPointingDevice* screen = touchScreen();
    const QPoint at = w->picBox[1]->mapTo(w, w->picBox[1]->rect().center());
    const auto touch = [&](int holdMs, QPoint slide = {}) {
        QTest::touchEvent(w, screen).press(0, at);
        if (!slide.isNull())
            QTest::touchEvent(w, screen).move(0, at + slide);
        fake.clock.advance(holdMs);
        QCoreApplication::processEvents();
        QTest::touchEvent(w, screen).release(0, at + slide);
    };
    touch(100);
    EXPECT_EQ(seen(*w).value(0), "3:3");
    touch(PictureBox::LongPressMs);
    EXPECT_EQ(seen(*w).value(0), "2:2");
    touch(PictureBox::LongPressMs * 2, QPoint(0, 30));
    EXPECT_EQ(seen(*w).value(0), "3:3");
    EXPECT_EQ(heard(), QStringList(3, "move.wav"));
}

TEST_F(NumberScaleFromMath, OpensModallyFromNibsyMathAndReturnsThere) {
    settings().ScaleCount = {0, 1, 2, 3, 4};
    open();
    bool alone = false;
    QStringList shown;
    withModal<frmscale>(w->cmdChoice[0], [&](frmscale& scale) {
        alone = !w->isVisible();
        shown = seen(scale);
        click(scale.cmdHelp);
        click(scale.cmdExit);
    });
    EXPECT_TRUE(alone);
    EXPECT_EQ(shown, (QStringList{"1:1", "2:2", "3:3", "4:4", "@3", "@7"}));
    EXPECT_EQ(fake.help.asked, QList<int>{3});
    EXPECT_TRUE(w->isVisible() && w->fraChoices->isVisible());
}
