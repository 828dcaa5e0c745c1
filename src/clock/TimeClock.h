// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of Telling Time, apart from any widget: times on a twelve-hour clock moved by a spin
// button, quiz times, the reading of the time of day, where the hands of a dial end, which digits and
// segments a digital clock lights and where those segments lie, and the lesson's times and texts.

#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace nibsy {

// A time on a twelve-hour clock: hour 1..12, minute 0..59 (the lesson's animations also use 60, the
// full hour before the next one).
struct ClockTime {
    int hour = 12;
    int minute = 0;
    bool operator==(const ClockTime&) const = default;
};

namespace TimeClock {

// The minutes an option button stands for, by its index 0..5.
constexpr std::array<int, 6> Increment{1, 5, 10, 15, 30, 60};
// The step of option index (a setting that may hold anything: outside 0..5 the nearest end is taken).
int increment(int index);

// One spin-button click up or down by step minutes: past 59 the minute wraps and the hour goes on,
// 12 to 1; below 0 it wraps back and the hour goes back, 1 to 12.
ClockTime spinUp(ClockTime t, int step);
ClockTime spinDown(ClockTime t, int step);

// A quiz time: a random hour, and a random minute that is a multiple of step (taken from rnd()).
ClockTime quizTime(int step);

// The time of day (seconds since midnight) as a twelve-hour clock shows it: 0 and 12 read 12.
ClockTime fromSecondsSinceMidnight(double seconds);

// Where a hand from centre of the given length ends when it has gone turns of a full turn clockwise
// from twelve (y grows downwards).
QPointF onDial(double turns, QPointF centre, double length);
// The free ends of the minute hand and of the hour hand, which creeps on with the minutes.
struct HandEnds {
    QPointF minute;
    QPointF hour;
};
HandEnds handEnds(ClockTime t, QPointF centre, double minuteLength, double hourLength);

// The four digit boxes of a digital clock, left to right: the tens of the hour (1 or none), the hour's
// last digit, the tens of the minute, the minute's last digit. -1 leaves a box blank.
std::array<int, 4> digits(ClockTime t);
// The segments digit d lights (1 top, 2 upper left, 3 upper right, 4 middle, 5 lower left, 6 lower
// right, 7 bottom).
const std::vector<int>& segmentsOf(int d);
// The corners of a segment in a box width units wide and height units high.
QPolygonF segment(int s, double width, double height);

// Str(n) of the lesson texts: a blank before a number that is not negative.
QString numberText(int n);
// The last two characters of numberText(n).
QString right2(int n);

} // namespace TimeClock

// What one lesson screen shows: its text, the times the clocks are set to (none: left as they are),
// whether the digital clock shows, and whether the screen's animation runs after it.
struct LessonScreen {
    QString text;
    std::optional<ClockTime> analog;
    std::optional<ClockTime> digital;
    bool showDigital = false;
    enum class Animation { None, HourHand, BothClocks } animation = Animation::None;
};

// The lesson's twenty screens and the times they pick at random, kept from screen to screen.
class TimeLesson {
public:
    static constexpr int LastScreen = 20;

    // Screen n (1..20): picks the times that screen picks (screens 1, 9 and 10 to 12) and says what it
    // shows.
    LessonScreen enter(int screen);

    int firstHour() const { return m_firstHour; }
    ClockTime pointTime() const { return m_point; }
    ClockTime entry(int k) const { return m_entries[size_t(k - 1)]; }

private:
    // An hour 1..10 and a minute of 10..50 in steps of ten.
    static ClockTime pickTime();
    static QString readsAs(ClockTime t);

    int m_firstHour = 1;
    ClockTime m_point{1, 10};
    std::array<ClockTime, 3> m_entries{};
};

} // namespace nibsy
