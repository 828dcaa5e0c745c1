// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Telling Time as a child uses it: the lesson read to its end with its animations, the clocks moved
// with the spin button and following the time of day, the digits as lit, and the two quizzes.

#include "clock/frmTime.h"
#include "math/MathFixture.h"
#include "platform/SpinButton.h"
#include "platform/Waits.h"
#include "platform/WindowTimer.h"

#include <QAbstractButton>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <cmath>

using namespace nibsy;
using namespace nibsy::test;

namespace {

const QColor MinuteHand(0, 70, 200);

bool lit(const QColor& c) {
    return c.red() > 200 && c.green() < 120 && c.blue() < 120;
}

// The segments a digit box shows lit, told from its pixels: the middle of each bar, in the box's own
// units (48 across).
QString litSegments(PictureBox* box) {
    const double u = box->width() / 48.0;
    const double H = box->height() / u;
    const double M = std::nearbyint(H / 2);
    const std::array<QPointF, 7> middles{{{24, 6},
                                          {13, (11 + M - 7) / 2},
                                          {35, (11 + M - 7) / 2},
                                          {24, M},
                                          {13, (M + 7 + H - 11) / 2},
                                          {35, (M + 7 + H - 11) / 2},
                                          {24, H - 6}}};
    QString on;
    for (int s = 0; s < 7; ++s) {
        const QPointF at = middles[size_t(s)] * u;
        if (lit(box->image().pixelColor(at.toPoint())))
            on += QString::number(s + 1);
    }
    return on;
}

// How many lit pixels of the box have no lit mirror image across its middle: none for a digit drawn
// evenly on both sides.
int lopsided(PictureBox* box) {
    const QImage& im = box->image();
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += lit(im.pixelColor(x, y)) != lit(im.pixelColor(im.width() - 1 - x, y));
    return n;
}

// The dark marks met going once round the face, just inside its rim.
int ticksOn(frmTime* w) {
    const QImage face = w->shpClock->grab().toImage();
    const QPointF c = w->shpClock->centre();
    const double r = 0.9 * w->shpClock->radius();
    int ticks = 0;
    bool dark = false;
    for (int i = 0; i < 3600; ++i) {
        const double a = (i + 0.5) * M_PI / 1800 + M_PI / 60; // from half-way between two ticks
        const bool d =
            face.pixelColor((c + QPointF(r * std::sin(a), -r * std::cos(a))).toPoint()).lightness() < 128;
        ticks += d && !dark;
        dark = d;
    }
    return ticks;
}

int litPixels(PictureBox* box) {
    int n = 0;
    const QImage& im = box->image();
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += lit(im.pixelColor(x, y));
    return n;
}

class TellingTime : public WindowFixture<frmTime> {
protected:
    void start(TimeActivity activity) {
        if (!w)
            open();
        click(w->cmdChoice[size_t(activity) - 1]);
    }
    void setTimeOfDay(int h, int m) { fake.clock.setTimeOfDay(h * 3600 + m * 60); }
    void tick() { fake.clock.advance(1000); }
    QString digitsShown() {
        QString shown;
        for (int i = 1; i <= 4; ++i)
            shown += litSegments(w->picDig[size_t(i)]) + (i < 4 ? "|" : "");
        return shown;
    }
    // The random numbers that make the next quiz times h1:m1 (analog) and h2:m2 (digital) at 5 minutes.
    void scriptQuiz(int h1, int m1, int h2, int m2) {
        const auto r = [](int v, int n) { return (v + 0.5) / n; };
        fake.random.script({r(h1 - 1, 12), r(m1 / 5, 12), r(h2 - 1, 12), r(m2 / 5, 12)});
    }
};

} // namespace

TEST_F(TellingTime, EachActivityStartsAndStopsBackToTheChoices) {
    open();
    EXPECT_TRUE(w->fraChoices->isVisible());
    EXPECT_FALSE(w->shpClock->isVisible());
    const int centred = w->fraChoice->x();
    for (int a = 1; a <= 4; ++a) {
        SCOPED_TRACE(a);
        start(TimeActivity(a));
        EXPECT_FALSE(w->fraChoices->isVisible());
        EXPECT_EQ(w->lbltitle->text(), w->cmdChoice[size_t(a - 1)]->text());
        EXPECT_TRUE(w->shpClock->isVisible());
        EXPECT_EQ(w->shpDig->isVisible(), a != 1);
        EXPECT_EQ(w->txtLearn->isVisible(), a == 1);
        EXPECT_EQ(w->Frame1->isVisible(), a != 1);
        EXPECT_EQ(w->Frame2->isVisible(), a >= 3);
        EXPECT_EQ(w->cmdCheck->text(), a == 2 ? "&Current Time" : "&Check Answer");
        EXPECT_EQ(w->cmdExit->text(), "&Stop");
        EXPECT_NE(w->fraChoice->x(), centred);
        expectControlsApart(w);
        click(w->cmdExit);
        EXPECT_TRUE(w->fraChoices->isVisible());
        EXPECT_FALSE(w->shpClock->isVisible() || w->shpDig->isVisible() || w->cmdCheck->isVisible());
        EXPECT_EQ(w->cmdExit->text(), "E&xit");
        EXPECT_EQ(w->fraChoice->x(), centred);
    }
}

// The lesson read to its end: every text fits its box, the digital clock comes in on screen 13, both
// animations show each step before they wait, and Next after the last screen is Stop.
TEST_F(TellingTime, TheLessonRunsItsTwentyScreensWithBothAnimations) {
    PeekingClock& clock = PeekingClock::install();
    open();
    QList<QImage> frames;
    QList<ClockTime> digital;
    clock.peek = [&](qint64 ms) {
        if (ms < 1000) { // the steps of an animation, not the wait before it
            frames << w->shpClock->grab().toImage();
            digital << w->digitalTime();
        }
    };
    fake.random.script({0.25}); // 3 o'clock
    start(TimeActivity::Learn);
    for (int n = 1; n <= 20; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(w->lessonStep(), n);
        EXPECT_EQ(w->shpDig->isVisible(), n >= 13);
        const int margin = int(std::ceil(w->txtLearn->document()->documentMargin()));
        const QRect room = w->txtLearn->viewport()->rect().adjusted(margin, margin, -margin, -margin);
        const QRect needed = QFontMetrics(w->txtLearn->font())
                                 .boundingRect(QRect(room.topLeft(), QSize(room.width(), 10000)),
                                               Qt::TextWordWrap, w->txtLearn->toPlainText());
        EXPECT_LE(needed.height(), room.height());
        if (n == 6 || n == 16) {
            ASSERT_EQ(frames.size(), 60);
            // A minute into the hour the minute hand points up; half-way through, down.
            const QPointF c = w->shpClock->centre();
            const QPoint low = (c + QPointF(0, 0.6 * 0.8 * w->shpClock->radius())).toPoint();
            EXPECT_NE(frames[0].pixelColor(low), MinuteHand);
            EXPECT_EQ(frames[29].pixelColor(low), MinuteHand);
            if (n == 16) {
                EXPECT_EQ(digital[29], (ClockTime{3, 30}));
                EXPECT_EQ(w->digitalTime(), (ClockTime{4, 0}));
            } else {
                EXPECT_EQ(w->analogTime(), (ClockTime{4, 0}));
            }
            frames.clear();
            digital.clear();
        }
        click(w->cmdOK);
    }
    EXPECT_FALSE(w->cmdOK->isVisible());
    EXPECT_TRUE(w->fraChoices->isVisible());
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
}

// Stop pressed during an animation stops it after the step it was showing, not a few seconds later.
TEST_F(TellingTime, StopDuringAnAnimationStopsAfterThatStep) {
    PeekingClock& clock = PeekingClock::install();
    open();
    int steps = 0;
    clock.peek = [&](qint64 ms) {
        if (ms < 1000 && ++steps == 5) {
            const WaitScope during; // as the wait drops the click
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            w->inputDroppedDuringWait(w->cmdExit, &release);
        }
    };
    start(TimeActivity::Learn);
    for (int n = 1; n < 6; ++n)
        click(w->cmdOK);
    settle();
    EXPECT_EQ(steps, 5);
    EXPECT_TRUE(w->fraChoices->isVisible());
}

// Play: the spin button moves both clocks and stops the live clock; Current Time follows the time of
// day across midnight and across a jump; the digits are lit as they should be at the box's size.
TEST_F(TellingTime, PlayFollowsTheTimeOfDayAndTheSpinButton) {
    settings().TimeSpinInc = 1; // 5 minutes
    open();
    fake.random.script({0.3});
    start(TimeActivity::Play);
    EXPECT_EQ(w->analogTime(), (ClockTime{4, 0}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{4, 0}));
    EXPECT_EQ(ticksOn(w), 60);
    setTimeOfDay(23, 59);
    click(w->cmdCheck);
    EXPECT_FALSE(w->cmdCheck->isEnabled());
    EXPECT_EQ(w->analogTime(), (ClockTime{11, 59}));
    fake.clock.advance(60000);
    EXPECT_EQ(w->analogTime(), (ClockTime{12, 0}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{12, 0}));
    setTimeOfDay(1, 58);
    tick();
    EXPECT_EQ(w->analogTime(), (ClockTime{1, 58}));
    setTimeOfDay(3, 1);
    tick();
    EXPECT_EQ(w->analogTime(), (ClockTime{3, 1}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{3, 1}));

    // The digits of 12:34, 5:06, 7:58 and 9:09: all ten, in boxes of an odd height.
    ASSERT_EQ(w->picDig[1]->height() % 2, 1);
    const std::array<QString, 10> segments{"123567", "36",     "13457", "13467",   "2346",
                                           "12467",  "124567", "136",   "1234567", "123467"};
    for (const auto& [h, m] : {std::pair{12, 34}, {5, 6}, {7, 58}, {9, 9}}) {
        setTimeOfDay(h, m);
        tick();
        const QString tens = h >= 10 ? segments[1] : QString();
        EXPECT_EQ(digitsShown(), tens + "|" + segments[size_t(h % 10)] + "|" + segments[size_t(m / 10)] +
                                     "|" + segments[size_t(m % 10)]);
        EXPECT_EQ(litPixels(w->picDig[1]) > 0, h >= 10);
    }
    setTimeOfDay(8, 8);
    tick();
    EXPECT_LE(lopsided(w->picDig[4]), 2);

    // A spin stops the live clock and gives Current Time back.
    setTimeOfDay(12, 55);
    tick();
    click(w->spnTime->upButton());
    EXPECT_EQ(w->analogTime(), (ClockTime{1, 0}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{1, 0}));
    EXPECT_TRUE(w->cmdCheck->isEnabled());
    fake.clock.advance(120000);
    EXPECT_EQ(w->analogTime(), (ClockTime{1, 0}));
    click(w->spnTime->downButton());
    EXPECT_EQ(w->digitalTime(), (ClockTime{12, 55}));
    // So does a new spin step.
    click(w->cmdCheck);
    click(w->optSpinInc[5]);
    EXPECT_TRUE(w->cmdCheck->isEnabled());
    EXPECT_EQ(settings().TimeSpinInc, 5);
    const ClockTime before = w->analogTime();
    fake.clock.advance(120000);
    EXPECT_EQ(w->analogTime(), before);
    click(w->spnTime->upButton());
    EXPECT_EQ(w->analogTime(), (ClockTime{before.hour % 12 + 1, before.minute}));
}

// Check with equal times cheers and brings new ones; with unequal ones it says "uh oh" and changes
// nothing. See Times shows the answer and greys the controls; Stop gives them back, and a new quiz of
// either kind starts with its times hidden.
TEST_F(TellingTime, QuizzesCheckAnswersAndShowTimes) {
    settings().TimeQuizInc = 1;
    settings().TimeSpinInc = 1;
    open();
    scriptQuiz(4, 15, 4, 10);
    start(TimeActivity::WithoutHands);
    EXPECT_EQ(w->analogTime(), (ClockTime{4, 15}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{4, 10}));
    heard();
    click(w->cmdCheck);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_EQ(w->digitalTime(), (ClockTime{4, 10}));
    // The child sets the digital clock; the analog one stays.
    click(w->spnTime->upButton());
    EXPECT_EQ(w->digitalTime(), (ClockTime{4, 15}));
    EXPECT_EQ(w->analogTime(), (ClockTime{4, 15}));
    scriptQuiz(7, 45, 2, 0);
    const qint64 waited = fake.clock.totalWaited();
    click(w->cmdCheck);
    EXPECT_EQ(heard(), QStringList{"tada.wav"});
    EXPECT_GE(fake.clock.totalWaited() - waited, 1500);
    EXPECT_EQ(w->analogTime(), (ClockTime{7, 45}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{2, 0}));

    click(w->cmdAnswer);
    EXPECT_EQ(w->digitalTime(), (ClockTime{7, 45}));
    EXPECT_EQ(w->cmdAnswer->text(), "&Next Time");
    EXPECT_FALSE(w->Frame1->isEnabled() || w->Frame2->isEnabled() || w->cmdCheck->isEnabled());
    click(w->cmdExit);
    scriptQuiz(9, 30, 11, 5);
    start(TimeActivity::WithHands);
    EXPECT_TRUE(w->Frame1->isEnabled() && w->Frame2->isEnabled() && w->cmdCheck->isEnabled());
    EXPECT_EQ(w->cmdAnswer->text(), "&See Times");
    const QImage face = w->shpClock->grab().toImage();
    click(w->spnTime->downButton());
    EXPECT_NE(w->shpClock->grab().toImage(), face);
    EXPECT_EQ(w->analogTime(), (ClockTime{9, 25}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{11, 5}));
    // The first press shows the times: the analog clock set to the digital one's.
    click(w->cmdAnswer);
    EXPECT_EQ(w->analogTime(), (ClockTime{11, 5}));
    EXPECT_EQ(w->cmdAnswer->text(), "&Next Time");
    scriptQuiz(1, 50, 6, 20);
    click(w->cmdAnswer);
    EXPECT_EQ(w->analogTime(), (ClockTime{1, 50}));
    EXPECT_EQ(w->digitalTime(), (ClockTime{6, 20}));
    EXPECT_TRUE(w->cmdCheck->isEnabled());
    // A new quiz increment brings new times on it.
    click(w->optQuizInc[5]);
    EXPECT_EQ(settings().TimeQuizInc, 5);
    EXPECT_EQ(w->analogTime().minute, 0);
    EXPECT_EQ(w->digitalTime().minute, 0);
    EXPECT_TRUE(heard().isEmpty());
}

// Increments the settings file should not hold open the window on the nearest buttons and work as them.
TEST_F(TellingTime, IncrementsOutsideTheButtonsOpenAsTheNearest) {
    for (const int value : {-1, 6, 300}) {
        SCOPED_TRACE(value);
        Settings s;
        s.TimeQuizInc = s.TimeSpinInc = qint16(value);
        QFile file(fake.appDir() + "nibsy51.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(formatSettings(s));
        file.close();
        ASSERT_TRUE(LoadSettings());
        const int index = value < 0 ? 0 : 5;
        start(TimeActivity::WithoutHands);
        EXPECT_TRUE(w->optQuizInc[size_t(index)]->isChecked());
        EXPECT_TRUE(w->optSpinInc[size_t(index)]->isChecked());
        const ClockTime t = w->digitalTime();
        click(w->spnTime->upButton());
        EXPECT_EQ(w->digitalTime(), TimeClock::spinUp(t, TimeClock::Increment[size_t(index)]));
        if (index == 5) {
            EXPECT_EQ(w->analogTime().minute, 0);
        }
        close();
    }
}
