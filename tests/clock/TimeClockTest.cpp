// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The clock arithmetic of Telling Time without a window: spinning, quiz times, where the hands point,
// and the lesson's times and texts.

#include "clock/TimeClock.h"
#include "support/FakePlatform.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

void expectNear(QPointF seen, double x, double y) {
    EXPECT_NEAR(seen.x(), x, 1e-6);
    EXPECT_NEAR(seen.y(), y, 1e-6);
}

} // namespace

TEST(TimeClock, SpinningWrapsTheMinuteIntoTheHourRoundTwelve) {
    EXPECT_EQ(TimeClock::spinUp({12, 55}, 5), (ClockTime{1, 0}));
    EXPECT_EQ(TimeClock::spinDown({1, 0}, 5), (ClockTime{12, 55}));
    EXPECT_EQ(TimeClock::spinUp({3, 59}, 1), (ClockTime{4, 0}));
    EXPECT_EQ(TimeClock::spinDown({4, 0}, 1), (ClockTime{3, 59}));
    // An hour's step moves only the hour.
    EXPECT_EQ(TimeClock::spinUp({3, 20}, 60), (ClockTime{4, 20}));
    EXPECT_EQ(TimeClock::spinUp({12, 20}, 60), (ClockTime{1, 20}));
    EXPECT_EQ(TimeClock::spinDown({1, 20}, 60), (ClockTime{12, 20}));
    // The step of a setting outside the buttons is that of the nearest end.
    EXPECT_EQ(TimeClock::increment(-1), 1);
    EXPECT_EQ(TimeClock::increment(6), 60);
    EXPECT_EQ(TimeClock::increment(300), 60);
}

TEST(TimeClock, QuizTimesFallOnTheIncrementAndCoverTheClock) {
    FakePlatform fake;
    for (const int step : TimeClock::Increment) {
        SCOPED_TRACE(step);
        QSet<int> minutes, hours;
        for (int i = 0; i < 400; ++i) {
            const ClockTime t = TimeClock::quizTime(step);
            ASSERT_GE(t.hour, 1);
            ASSERT_LE(t.hour, 12);
            ASSERT_GE(t.minute, 0);
            ASSERT_LE(t.minute, 59);
            EXPECT_EQ(t.minute % step, 0);
            minutes << t.minute;
            hours << t.hour;
        }
        EXPECT_EQ(hours.size(), 12);
        if (step >= 10) {
            EXPECT_EQ(minutes.size(), 60 / step);
        }
    }
}

TEST(TimeClock, HandsPointAtTheHourAndTheHourHandCreeps) {
    const QPointF c(100, 100);
    const auto at3 = TimeClock::handEnds({3, 0}, c, 80, 50);
    expectNear(at3.minute, 100, 20);
    expectNear(at3.hour, 150, 100);
    // Half past six: the minute hand straight down, the hour hand half-way from the 6 to the 7.
    const auto half = TimeClock::handEnds({6, 30}, c, 80, 50);
    const double a = 15 * M_PI / 180;
    expectNear(half.minute, 100, 180);
    expectNear(half.hour, 100 - 50 * std::sin(a), 100 + 50 * std::cos(a));
    // Minute 60 of three o'clock is four o'clock.
    const auto sixty = TimeClock::handEnds({3, 60}, c, 80, 50);
    expectNear(sixty.minute, 100, 20);
    expectNear(sixty.hour, 100 + 50 * std::sin(M_PI * 2 / 3), 100 - 50 * std::cos(M_PI * 2 / 3));
}

// The lesson with its random times forced: first hour 3; screen 9 at 6:50 after a minute 0 drawn; screens
// 10 to 12 at 3:20, 3:30 and 3:40, after pairs that share the screen-9 hour or minute.
TEST(TimeLesson, ScreensReadTheTimesTheyShow) {
    FakePlatform fake;
    fake.random.script({0.25,                              // screen 1: 3 o'clock
                        0.55, 0.05, 0.9,                   // screen 9: hour 6, minute 0 again, then 50
                        0.55, 0.35, 0.25, 0.9, 0.25, 0.35, // screen 10: 6:20 and 3:50 again, then 3:20
                        0.25, 0.5,                         // screen 11: 3:30
                        0.25, 0.7});                       // screen 12: 3:40
    TimeLesson lesson;
    std::vector<LessonScreen> s(21);
    for (int n = 1; n <= 20; ++n)
        s[size_t(n)] = lesson.enter(n);
    EXPECT_EQ(s[1].analog, (ClockTime{3, 0}));
    EXPECT_EQ(s[2].text, "The long hand is the minute hand.  The short hand is the hour hand.  "
                         "This analog clock reads 3 o'clock.");
    EXPECT_EQ(s[6].text, "As the minute hand moves, the hour hand moves from one number to the next.  "
                         "Watch it go to 4 o'clock.");
    EXPECT_EQ(
        s[8].text,
        "We write time as the hour then a colon (:), then the minute.  So, we write 4 o'clock as 4:00.");
    EXPECT_EQ(s[9].analog, (ClockTime{6, 50}));
    EXPECT_EQ(s[9].text,
              "On this clock, the minute hand points to 10 (50 minutes) and the hour hand has just "
              "passed 6, so it is 6:50.");
    EXPECT_EQ(s[10].text, "This clock reads 3:20, or you could say 20 minutes after 3 o'clock.");
    EXPECT_EQ(s[11].text, "This clock reads 3:30, or you could say three thirty.");
    EXPECT_EQ(s[12].text, "This clock reads 3:40, or you could say 20 minutes until 4 o'clock.");
    EXPECT_EQ(s[12].analog, (ClockTime{3, 40}));
    // The digital clock comes in on screen 13 and stays; both clocks agree from then on.
    for (int n = 1; n <= 20; ++n) {
        EXPECT_EQ(s[size_t(n)].showDigital, n >= 13) << n;
        EXPECT_EQ(s[size_t(n)].digital.has_value(), n == 13 || n >= 17) << n;
        if (s[size_t(n)].digital) {
            EXPECT_EQ(s[size_t(n)].digital, s[size_t(n)].analog) << n;
        }
        EXPECT_EQ(s[size_t(n)].animation != LessonScreen::Animation::None, n == 6 || n == 16) << n;
    }
    EXPECT_EQ(s[13].analog, (ClockTime{3, 0}));
    EXPECT_EQ(s[16].animation, LessonScreen::Animation::BothClocks);
    EXPECT_EQ(s[15].text,
              "This clock says 3:00 or 3 o'clock.  See the same time on the analog clock (the one "
              "with hands).");
    EXPECT_EQ(s[17].text, "Now the time is 6:50.  Again, look at the clock with hands.");
    EXPECT_EQ(s[19].text, "Now the time is 3:30.  Compare to the clock with hands.");
    EXPECT_EQ(s[20].text, "Now, it is 3:40.  That's about all there is to learn here.  Try the other Telling "
                          "Time games to learn more!");
}
