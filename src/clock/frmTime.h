// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Telling Time: an analog clock with hands and a seven-segment digital clock, used four ways: a lesson
// of twenty screens with animated clocks (Learn), both clocks moved by a spin button or following the
// time of day (Play), and two quizzes in which the child sets one clock to the time the other shows
// (With Hands: the analog clock is set; Without Hands: the digital one).

#include "clock/TimeClock.h"
#include "shell/ModeWindow.h"

#include <QLineF>
#include <QString>
#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace nibsy {

class OptionButtons;
class PictureBox;
class SSCommand;
class SpinButton;
class WindowTimer;

// The round face of the analog clock with its sixty ticks; the numerals are labels on it.
class ClockFace : public QWidget {
public:
    explicit ClockFace(QWidget* parent);
    QPointF centre() const { return QRectF(rect()).center(); }
    // The radius of the face inside its border.
    double radius() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The two hands and the dot at the centre, over the face and its numerals.
class ClockHands : public QWidget {
public:
    explicit ClockHands(QWidget* parent);
    QLineF linLong;     // the minute hand, from the centre
    QLineF linShort;    // the hour hand
    double shpCtr = 10; // the radius of the dot at the centre

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The activities, numbered as the choice buttons (index + 1).
enum class TimeActivity { None, Learn, Play, WithHands, WithoutHands };

class frmTime : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmTime(QWidget* opener);

    void Form_Load() override;

    QGroupBox* fraChoices;
    std::array<SSCommand*, 4> cmdChoice;
    QLabel* lbltitle;
    // The analog clock: its face, numerals 1 to 12 (element 0 is not used) and hands.
    ClockFace* shpClock;
    std::array<QLabel*, 13> lblNum{};
    ClockHands* hands;
    // The captions under the clocks: 0 the analog clock's, 1 the digital clock's.
    std::array<QLabel*, 2> Label1;
    // The digital clock: its frame, the digit boxes 1 to 4 (element 0 is not used) and the colon.
    QWidget* shpDig;
    std::array<PictureBox*, 5> picDig{};
    QLabel* Label2;
    QPlainTextEdit* txtLearn;
    SSCommand* cmdOK;
    SSCommand* cmdCheck;
    SSCommand* cmdAnswer;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 6> optSpinInc;
    SpinButton* spnTime;
    QGroupBox* Frame2;
    std::array<QRadioButton*, 6> optQuizInc;
    WindowTimer* Timer1;
    QGroupBox* fraChoice;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // The times the clocks show.
    ClockTime analogTime() const { return Analog; }
    ClockTime digitalTime() const { return Digital; }
    int lessonStep() const { return LessonStep; }

public slots:
    void cmdChoice_Click(int Index);
    void cmdOK_Click();
    void cmdCheck_Click();
    void cmdAnswer_Click();
    void spnTime_SpinUp();
    void spnTime_SpinDown();
    void optQuizInc_Click(int Index);
    void optSpinInc_Click(int Index);
    void picDig_Paint(int Index);
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Unload() override;

private:
    TimeActivity Mode() const { return TimeActivity(modeNumber()); }
    void StopMode() override;
    void NewQuestion() override { NewQuizTimes(); }

    void ShowLessonScreen();
    void AnimateHourHand();
    void AnimateBothClocks();
    void DrawDigit(PictureBox& box, int d);
    void NewQuizTimes();
    void DrawAnalogClock();
    void DrawDigitalClock();
    void showAnalogClock(bool on);
    void showDigitalClock(bool on);
    void layOutFace();
    // Both clocks to the time of day, and the live clock follows it from there.
    void showTimeOfDay();
    void spin(int direction);
    bool stillHere() const { return running() && !stopAsked() && !closeAsked(); }

    ClockTime Analog;
    ClockTime Digital;
    double LongHandLength = 0;
    double ShortHandLength = 0;
    int LessonStep = 0;
    TimeLesson Lesson;
    bool AnswerShown = false;
    ClockTime LastTime{0, -1};
    bool DigitsReady = false;
    int DesignLeft = 0;
    OptionButtons* spinOptions = nullptr;
    OptionButtons* quizOptions = nullptr;
};

} // namespace nibsy
