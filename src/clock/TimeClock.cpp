// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/TimeClock.h"

#include "platform/Random.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nibsy {

namespace TimeClock {

int increment(int index) {
    return Increment[size_t(std::clamp(index, 0, int(Increment.size()) - 1))];
}

ClockTime spinUp(ClockTime t, int step) {
    t.minute += step;
    if (t.minute > 59) {
        t.minute -= 60;
        t.hour = t.hour == 12 ? 1 : t.hour + 1;
    }
    return t;
}

ClockTime spinDown(ClockTime t, int step) {
    t.minute -= step;
    if (t.minute < 0) {
        t.minute += 60;
        t.hour = t.hour == 1 ? 12 : t.hour - 1;
    }
    return t;
}

ClockTime quizTime(int step) {
    ClockTime t;
    t.hour = rnd().upTo(12);
    t.minute = rnd().below(60 / step) * step;
    return t;
}

ClockTime fromSecondsSinceMidnight(double seconds) {
    const int minuteOfDay = (int(std::floor(seconds)) / 60) % (24 * 60);
    const int hour = minuteOfDay / 60 % 12;
    return {hour == 0 ? 12 : hour, minuteOfDay % 60};
}

QPointF onDial(double turns, QPointF centre, double length) {
    const double a = turns * 2 * std::numbers::pi;
    return {centre.x() + length * std::sin(a), centre.y() - length * std::cos(a)};
}

HandEnds handEnds(ClockTime t, QPointF centre, double minuteLength, double hourLength) {
    return {onDial(t.minute / 60.0, centre, minuteLength),
            onDial((t.hour + t.minute / 60.0) / 12.0, centre, hourLength)};
}

std::array<int, 4> digits(ClockTime t) {
    return {t.hour >= 10 ? 1 : -1, t.hour % 10, t.minute / 10, t.minute % 10};
}

const std::vector<int>& segmentsOf(int d) {
    static const std::array<std::vector<int>, 10> table{{{1, 2, 3, 5, 6, 7},
                                                         {3, 6},
                                                         {1, 3, 4, 5, 7},
                                                         {1, 3, 4, 6, 7},
                                                         {2, 3, 4, 6},
                                                         {1, 2, 4, 6, 7},
                                                         {1, 2, 4, 5, 6, 7},
                                                         {1, 3, 6},
                                                         {1, 2, 3, 4, 5, 6, 7},
                                                         {1, 2, 3, 4, 6, 7}}};
    static const std::vector<int> none;
    return d >= 0 && d <= 9 ? table[size_t(d)] : none;
}

QPolygonF segment(int s, double W, double H) {
    const double M = std::nearbyint(H / 2);
    switch (s) {
    case 1:
        return QPolygonF({{10, 3}, {16, 9}, {W - 16, 9}, {W - 10, 3}});
    case 2:
        return QPolygonF({{10, 5}, {16, 11}, {16, M - 7}, {10, M - 2}});
    case 3:
        return QPolygonF({{W - 10, 5}, {W - 16, 11}, {W - 16, M - 7}, {W - 10, M - 2}});
    case 4:
        return QPolygonF({{10, M}, {16, M - 3}, {W - 16, M - 3}, {W - 10, M}, {W - 16, M + 3}, {16, M + 3}});
    case 5:
        return QPolygonF({{10, M + 2}, {16, M + 7}, {16, H - 11}, {10, H - 5}});
    case 6:
        return QPolygonF({{W - 10, M + 2}, {W - 16, M + 7}, {W - 16, H - 11}, {W - 10, H - 5}});
    case 7:
        return QPolygonF({{10, H - 3}, {16, H - 9}, {W - 16, H - 9}, {W - 10, H - 3}});
    default:
        return {};
    }
}

QString numberText(int n) {
    return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

QString right2(int n) {
    return numberText(n).right(2);
}

} // namespace TimeClock

namespace {

using TimeClock::numberText;
using TimeClock::right2;

const std::array<const char*, 13> HourWords{"",       " one ",    " two ",   " three ", " four ",
                                            " five ", " six ",    " seven ", " eight ", " nine ",
                                            " ten ",  " eleven ", " twelve "};

} // namespace

ClockTime TimeLesson::pickTime() {
    ClockTime t;
    t.hour = rnd().upTo(10);
    do {
        t.minute = rnd().below(6) * 10;
    } while (t.minute == 0);
    return t;
}

QString TimeLesson::readsAs(ClockTime t) {
    return numberText(t.hour) + QStringLiteral(":") + right2(t.minute);
}

LessonScreen TimeLesson::enter(int screen) {
    LessonScreen s;
    s.showDigital = screen >= 13;
    const int F = m_firstHour;
    const auto both = [&s](ClockTime t) { s.analog = s.digital = t; };
    switch (screen) {
    case 1:
        m_firstHour = rnd().upTo(10);
        s.analog = ClockTime{m_firstHour, 0};
        s.text = QStringLiteral("We use two kinds of clocks to tell time.  "
                                "This is an analog clock, it has two hands, a long one and a short one.");
        break;
    case 2:
        s.text = QStringLiteral("The long hand is the minute hand.  The short hand is the hour hand.  "
                                "This analog clock reads") +
                 numberText(F) + QStringLiteral(" o'clock.");
        break;
    case 3:
        s.text = QStringLiteral("There are 60 minutes in an hour.  Each line on the clock marks one minute.  "
                                "Each number (1-12) marks five minutes.");
        break;
    case 4:
        s.text = QStringLiteral("It takes the minute hand 5 minutes to move from number to number "
                                "and an hour to go around the clock once.");
        break;
    case 5:
        s.text = QStringLiteral("It takes the hour hand 1 hour to move from one number to the next.  "
                                "It takes 12 hours to go around the clock once.");
        break;
    case 6:
        s.text = QStringLiteral("As the minute hand moves, the hour hand moves from one number to the next.  "
                                "Watch it go to") +
                 numberText(F + 1) + QStringLiteral(" o'clock.");
        s.animation = LessonScreen::Animation::HourHand;
        break;
    case 7:
        s.text = QStringLiteral("To tell time, the minute hand points to the minute.  "
                                "The hour is the last number the hour hand passed.");
        break;
    case 8:
        s.text =
            QStringLiteral("We write time as the hour then a colon (:), then the minute.  So, we write") +
            numberText(F + 1) + QStringLiteral(" o'clock as") + numberText(F + 1) + QStringLiteral(":00.");
        break;
    case 9: {
        m_point = pickTime();
        const auto [H, M] = m_point;
        s.analog = m_point;
        s.text = QStringLiteral("On this clock, the minute hand points to") + numberText(M / 5) +
                 QStringLiteral(" (") + right2(M) +
                 QStringLiteral(" minutes) and the hour hand has just passed") + numberText(H) +
                 QStringLiteral(", so it is") + readsAs(m_point) + QStringLiteral(".");
        break;
    }
    case 10:
    case 11:
    case 12: {
        ClockTime t;
        do {
            t = pickTime();
        } while (t.hour == m_point.hour || t.minute == m_point.minute);
        m_entries[size_t(screen - 10)] = t;
        const auto [H, M] = t;
        s.analog = t;
        s.text = QStringLiteral("This clock reads") + readsAs(t) + QStringLiteral(", or you could ");
        if (M < 30) {
            s.text += QStringLiteral("say") + numberText(M) + QStringLiteral(" minutes after") +
                      numberText(H) + QStringLiteral(" o'clock.");
        } else if (M == 30) {
            s.text +=
                QStringLiteral("say") + QString::fromLatin1(HourWords[size_t(H)]) + QStringLiteral("thirty.");
        } else {
            s.text += QStringLiteral("say") + numberText(60 - M) + QStringLiteral(" minutes until") +
                      numberText(H + 1) + QStringLiteral(" o'clock.");
        }
        break;
    }
    case 13:
        both({F, 0});
        s.text = QStringLiteral("You can practice reading a clock later.  "
                                "Now let's look at the digital clock.  Here it is.");
        break;
    case 14:
        s.text = QStringLiteral("Telling time with a digital clock is easy.  "
                                "It tells you the hour and minute by just looking at it.");
        break;
    case 15:
        s.text = QStringLiteral("This clock says") + numberText(F) + QStringLiteral(":00 or") +
                 numberText(F) +
                 QStringLiteral(" o'clock.  See the same time on the analog clock (the one with hands).");
        break;
    case 16:
        s.text = QStringLiteral("It's easy to see time change on a digital clock.  Watch it move from") +
                 numberText(F) + QStringLiteral(" to") + numberText(F + 1) + QStringLiteral(" o'clock.");
        s.animation = LessonScreen::Animation::BothClocks;
        break;
    case 17:
        both(m_point);
        s.text = QStringLiteral("Now the time is") + readsAs(m_point) +
                 QStringLiteral(".  Again, look at the clock with hands.");
        break;
    case 18:
    case 19:
        both(m_entries[size_t(screen - 18)]);
        s.text = QStringLiteral("Now the time is") + readsAs(*s.analog) +
                 QStringLiteral(".  Compare to the clock with hands.");
        break;
    case 20:
        both(m_entries[2]);
        s.text = QStringLiteral("Now, it is") + readsAs(*s.analog) +
                 QStringLiteral(".  That's about all there is to learn here.  "
                                "Try the other Telling Time games to learn more!");
        break;
    default:
        break;
    }
    return s;
}

} // namespace nibsy
