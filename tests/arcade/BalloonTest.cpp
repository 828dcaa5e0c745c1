// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Balloon Popper played with the arrow keys on the fake clock: what the field shows, the pops heard and
// counted, the time gauge, the end of the minute and Stop.

#include "arcade/frmBalloons.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "support/WindowFixture.h"

#include <initializer_list>

using namespace nibsy;
using namespace nibsy::test;

namespace {

const QColor Sky(190, 228, 255);

class BalloonPopper : public WindowFixture<frmBalloons> {
protected:
    void SetUp() override {
        // Every balloon falls at 11 units a tick and is purple.
        fake.random.script(QList<double>(4000, 0.9999));
        open();
    }
    PictureBox* field() { return w->picBalloons[0]; }
    void key(Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(field(), k);
    }
    // Ticks of 100 ms, the gauge checked at each.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            fake.clock.advance(100);
            const int gauge = w->pnlTime->floodPercent();
            EXPECT_TRUE(gauge >= 0 && gauge <= 100 && gauge <= lastGauge) << gauge;
            lastGauge = gauge;
        }
    }
    // Where the arrow stands, as the child sees it: the first column of its shaft near the bottom.
    int arrowSeenAt() {
        const QImage& shown = field()->image();
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixelColor(x, shown.height() - 10) != Sky)
                return x - 11;
        }
        return -1;
    }
    int lastGauge = 100;
};

} // namespace

TEST_F(BalloonPopper, TheArrowMovesWithTheArrowKeysOnTheFieldThatHasTheFocus) {
    EXPECT_EQ(QApplication::focusWidget(), field());
    EXPECT_EQ(arrowSeenAt(), 260);
    key(Qt::Key_Left, 2);
    EXPECT_EQ(arrowSeenAt(), 240);
    key(Qt::Key_Left, 30);
    EXPECT_EQ(arrowSeenAt(), 0);
    key(Qt::Key_Right, 60);
    EXPECT_EQ(arrowSeenAt(), 520);
    // The pictured keys work as the keys do, each tap of a quick pair too.
    QTest::mouseClick(w->picKeys, Qt::LeftButton, {}, QPoint(10, 30));
    QTest::mouseClick(w->picKeys, Qt::LeftButton, {}, QPoint(10, 30));
    EXPECT_EQ(arrowSeenAt(), 500);
    QTest::mouseClick(w->picKeys, Qt::LeftButton, {}, QPoint(w->picKeys->width() - 10, 30));
    EXPECT_EQ(arrowSeenAt(), 510);
    EXPECT_EQ(QApplication::focusWidget(), field());
    key(Qt::Key_Right);
    key(Qt::Key_Up);
    EXPECT_EQ(arrowSeenAt(), 520);
    EXPECT_EQ(heard(), QStringList());
    // It comes back to the field when the window is active again.
    w->cmdNew->setFocus();
    QApplication::setActiveWindow(&menu);
    QApplication::setActiveWindow(w);
    EXPECT_EQ(QApplication::focusWidget(), field());
}

TEST_F(BalloonPopper, BalloonsFallThroughTheirMasksPopOnlyOverTheArrowAndStopKeepsTheScore) {
    key(Qt::Key_Left, 5);
    click(w->cmdNew);
    EXPECT_EQ(w->cmdExit->text(), "&Stop");
    EXPECT_FALSE(w->cmdNew->isEnabled());
    EXPECT_EQ(w->lblScore->text(), "0");
    EXPECT_EQ(w->pnlTime->floodPercent(), 100);
    EXPECT_EQ(arrowSeenAt(), 260); // the game starts with the arrow in the middle
    ticks(20);                     // every balloon's top at 120
    const QImage& shown = field()->image();
    for (int lane = 0; lane < 5; ++lane) {
        const int x = w->rules().BalloonX[size_t(lane)];
        EXPECT_EQ(shown.pixelColor(x + 40, 120 + 45), QColor(165, 70, 215)) << lane;
        EXPECT_EQ(shown.pixelColor(x + 2, 120 + 2), Sky) << lane; // no box around it
    }
    // Balloon 2 comes down onto the arrow after 45 ticks; the others fall past it.
    ticks(24);
    EXPECT_EQ(heard(), QStringList());
    ticks(1);
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(fake.sound.played[0].mode, 1);
    EXPECT_EQ(heard(), QStringList{"whizpop.wav"});
    EXPECT_EQ(w->lblScore->text(), "1");
    ticks(6);
    EXPECT_EQ(heard(), QStringList());
    const int gauge = w->pnlTime->floodPercent();
    EXPECT_EQ(gauge, 100 * (60000 - 5100) / 60000);

    click(w->cmdExit);
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_TRUE(w->cmdNew->isEnabled());
    expectSilence(QString());
    EXPECT_EQ(w->lblScore->text(), "1");
    EXPECT_EQ(w->pnlTime->floodPercent(), gauge);
    click(w->cmdExit);
    settle();
    EXPECT_FALSE(w);
}

// Beside the field, never over it nor clipped: the score, the gauge, the buttons and the two arrow keys,
// grey-edged caps whose arrows point out to the sides.
TEST_F(BalloonPopper, TheControlsStandBesideTheFieldAndTheKeysPointLeftAndRight) {
    for (QWidget* c : std::initializer_list<QWidget*>{w->Label1, w->lblScore, w->Label2, w->pnlTime,
                                                      w->picKeys, w->cmdNew, w->cmdHelp, w->cmdExit}) {
        EXPECT_GT(c->x(), field()->geometry().right() + 8);
        EXPECT_TRUE(w->rect().contains(c->geometry()));
    }
    const QImage keys = w->picKeys->pixmap().toImage();
    const QColor ground = frmBalloons::Activity.background;
    const QColor orange(255, 110, 20);
    for (const QPoint corner : {QPoint(0, 0), QPoint(keys.width() - 1, keys.height() - 1)})
        EXPECT_EQ(keys.pixelColor(corner), ground);
    for (int x = 0; x < keys.width(); ++x)
        ASSERT_EQ(keys.pixelColor(x, keys.height() - 1), ground) << x;
    EXPECT_GT(pixelsOf(keys, QColor(90, 90, 90)), 100);
    // The leftmost orange is the left arrow's tip, halfway down; the right arrow mirrors it.
    const QImage mirror = keys.mirrored(true, false);
    int tipRow = -1, unlike = 0;
    for (int x = 0; x < keys.width() && tipRow < 0; ++x)
        for (int y = 0; y < keys.height() && tipRow < 0; ++y)
            tipRow = keys.pixelColor(x, y) == orange ? y : -1;
    for (int y = 0; y < keys.height(); ++y)
        for (int x = 0; x < keys.width(); ++x)
            unlike += (keys.pixelColor(x, y) == orange) != (mirror.pixelColor(x, y) == orange) ? 1 : 0;
    EXPECT_NEAR(tipRow, keys.height() / 2, 2);
    EXPECT_LT(unlike, pixelsOf(keys, orange) / 5);
}

// Balloon 2 pops every 45 ticks while the arrow stays under it. After 510 ticks the arrow goes under
// balloon 3, which has fallen through ten times and pops at tick 555; it would again at tick 600, just
// as the minute is up.
TEST_F(BalloonPopper, TheMinuteEndsWithTadaAndNoPointAfterIt) {
    click(w->cmdNew);
    ticks(510);
    EXPECT_EQ(w->lblScore->text(), "11");
    key(Qt::Key_Right, 9);
    ticks(89);
    EXPECT_EQ(w->lblScore->text(), "12");
    heard();
    ticks(1);
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(fake.sound.played[0].mode, 0);
    EXPECT_EQ(heard(), QStringList{"tada.wav"});
    EXPECT_EQ(w->lblScore->text(), "12");
    EXPECT_EQ(w->pnlTime->floodPercent(), 0);
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_TRUE(w->cmdNew->isEnabled());
    expectSilence(QString());
    EXPECT_EQ(w->lblScore->text(), "12");

    // The next game counts from 0 again.
    click(w->cmdNew);
    EXPECT_EQ(w->lblScore->text(), "0");
}
