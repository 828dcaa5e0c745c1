// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/frmTime.h"

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/SpinButton.h"
#include "platform/WindowTimer.h"
#include "shell/OptionsControls.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cmath>

namespace nibsy {

namespace {

// The window, in twips: 900 x 640 pixels at 96 dpi.
constexpr int FormWidth = 13500;
constexpr int FormHeight = 9600;

const QColor Ground(225, 240, 255);
const QColor Navy(0, 0, 128);
const QColor FaceColour(255, 255, 255);
const QColor RimColour(0, 0, 128);
const QColor TickColour(40, 40, 70);
const QColor MinuteHandColour(0, 70, 200);
const QColor HourHandColour(200, 0, 0);
const QColor DigitGround(20, 24, 40);
const QColor SegmentColour(255, 50, 40);

// The segments' corner points are in units of a box this wide (bars 6 units thick, an eighth of it); the
// box's height in the same units follows from its shape, so the bars keep their thickness across and down at
// any size.
constexpr double DesignWidth = 48;

const std::array<const char*, 4> Choices{"Learn About Telling Time", "Play With Telling Time",
                                         "Telling Time With Hands", "Telling Time Without Hands"};
const QList<const char*> IncrementCaptions{"1 min", "5 min", "10 min", "15 min", "30 min", "60 min"};

// The face's rim, as a share of the radius.
constexpr double RimShare = 0.035;

} // namespace

ClockFace::ClockFace(QWidget* parent) : QWidget(parent) {}

double ClockFace::radius() const {
    return std::min(width(), height()) / 2.0 - 2;
}

void ClockFace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = centre();
    const double R = radius();
    const double rim = std::max(3.0, RimShare * R);
    p.setPen(QPen(RimColour, rim));
    p.setBrush(FaceColour);
    p.drawEllipse(c, R - rim / 2, R - rim / 2);
    // Sixty ticks of one length, every fifth one bolder.
    const double outer = R - rim - 0.02 * R;
    const double inner = outer - 0.08 * R;
    for (int i = 1; i <= 60; ++i) {
        p.setPen(QPen(TickColour, i % 5 == 0 ? std::max(3.0, 0.03 * R) : std::max(2.0, 0.012 * R),
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(TimeClock::onDial(i / 60.0, c, inner), TimeClock::onDial(i / 60.0, c, outer));
    }
}

ClockHands::ClockHands(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ClockHands::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(HourHandColour, 1.8 * shpCtr, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(linShort);
    p.setPen(QPen(MinuteHandColour, 1.2 * shpCtr, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(linLong);
    p.setPen(Qt::NoPen);
    p.setBrush(TickColour);
    p.drawEllipse(linLong.p1(), shpCtr, shpCtr);
}

const ActivityDescriptor frmTime::Activity{
    .menuIndex = 5,
    .caption = "Telling Time",
    .helpContext = 19,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmTime(opener); },
    .background = Ground};

frmTime::frmTime(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmTime"));

    lbltitle = makeLabel(this, QString(), comicFont(24, true), Qt::AlignCenter);
    setTextColor(lbltitle, Navy);
    place(lbltitle, 0, 90, FormWidth, 720);

    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    fraChoices->setFont(comicFont(12, true));
    place(fraChoices, 3000, 1200, 7500, 6000);
    for (int i = 0; i < 4; ++i) {
        cmdChoice[size_t(i)] =
            makeButton(fraChoices, QString::fromLatin1(Choices[size_t(i)]), comicFont(18, true),
                       QRect(450, 480 + i * 1320, 6600, 1080), [this, i] { cmdChoice_Click(i); });
    }

    // The analog clock.
    shpClock = new ClockFace(this);
    place(shpClock, 300, 900, 6000, 6000);
    for (int n = 1; n <= 12; ++n) {
        lblNum[size_t(n)] = makeLabel(shpClock, QString::number(n), comicFont(28, true), Qt::AlignCenter);
        setTextColor(lblNum[size_t(n)], Navy);
    }
    hands = new ClockHands(shpClock);
    const std::array<const char*, 2> captions{"Analog Clock", "Digital Clock"};
    for (size_t i = 0; i < 2; ++i) {
        Label1[i] = makeLabel(this, QString::fromLatin1(captions[i]), comicFont(14, true), Qt::AlignCenter);
        setTextColor(Label1[i], Navy);
    }
    place(Label1[0], 300, 6930, 6000, 510);

    // The digital clock.
    shpDig = new QWidget(this);
    shpDig->setAutoFillBackground(true);
    QPalette frame = shpDig->palette();
    frame.setColor(QPalette::Window, DigitGround);
    shpDig->setPalette(frame);
    place(shpDig, 6750, 1050, 6450, 2850);
    const std::array<int, 5> digitLeft{0, 7050, 8400, 10350, 11700};
    for (size_t i = 1; i <= 4; ++i) {
        picDig[i] = new PictureBox(this);
        picDig[i]->setBackColor(DigitGround);
        // An odd number of pixels high, as a box may be anywhere: the segments round their middle.
        place(picDig[i], digitLeft[i], 1500, 1200, 1965);
        picDig[i]->installEventFilter(this);
    }
    Label2 = makeLabel(this, QStringLiteral(":"), arialFont(60, true), Qt::AlignCenter);
    setTextColor(Label2, SegmentColour);
    place(Label2, 9600, 1500, 750, 1965);
    place(Label1[1], 6750, 3930, 6450, 510);

    txtLearn = new QPlainTextEdit(this);
    txtLearn->setReadOnly(true);
    txtLearn->setFocusPolicy(Qt::NoFocus);
    txtLearn->setFont(comicFont(18, true));
    txtLearn->setWordWrapMode(QTextOption::WordWrap);
    txtLearn->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(txtLearn, 6750, 4575, 6450, 3450);
    cmdOK = makeButton(this, QStringLiteral("&Next Screen"), comicFont(14, true),
                       QRect(6750, 8250, 3000, 900), [this] { cmdOK_Click(); });

    cmdCheck = makeButton(this, QStringLiteral("&Check Answer"), comicFont(14, true),
                          QRect(300, 7650, 2925, 900), [this] { cmdCheck_Click(); });
    cmdAnswer = makeButton(this, QStringLiteral("&See Times"), comicFont(14, true),
                           QRect(3375, 7650, 2925, 900), [this] { cmdAnswer_Click(); });

    Frame1 = new QGroupBox(QStringLiteral("Change Time"), this);
    Frame1->setFont(comicFont(12, true));
    place(Frame1, 6750, 4575, 3750, 3000);
    spinOptions = new OptionButtons(Frame1, settings().TimeSpinInc,
                                    {.captions = IncrementCaptions,
                                     .first = QRect(180, 390, 1650, 390),
                                     .step = {0, 405},
                                     .font = comicFont(11, true),
                                     .onClick = [this] { optSpinInc_Click(spinOptions->checkedId()); }});
    optSpinInc = spinOptions->array<6>();
    spnTime = new SpinButton(Frame1);
    place(spnTime, 2100, 450, 1200, 2250);
    connect(spnTime, &SpinButton::SpinUp, this, &frmTime::spnTime_SpinUp);
    connect(spnTime, &SpinButton::SpinDown, this, &frmTime::spnTime_SpinDown);

    Frame2 = new QGroupBox(QStringLiteral("Quiz Increment"), this);
    Frame2->setFont(comicFont(12, true));
    place(Frame2, 10650, 4575, 2550, 3000);
    quizOptions = new OptionButtons(Frame2, settings().TimeQuizInc,
                                    {.captions = IncrementCaptions,
                                     .first = QRect(180, 390, 1650, 390),
                                     .step = {0, 405},
                                     .font = comicFont(11, true),
                                     .onClick = [this] { optQuizInc_Click(quizOptions->checkedId()); }});
    optQuizInc = quizOptions->array<6>();

    Timer1 = new WindowTimer(this, 1000);
    Timer1->onTick([this] { Timer1_Timer(); });

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(10050, 8100, 3150, 1230),
                                                             .first = QRect(150, 300, 1350, 780),
                                                             .columns = 2,
                                                             .step = {1500, 0},
                                                             .font = comicFont(12, true)});
    fraChoice = buttons.frame;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);

    for (QWidget* w :
         std::initializer_list<QWidget*>{lbltitle, txtLearn, cmdOK, cmdCheck, cmdAnswer, Frame1, Frame2}) {
        w->hide();
    }
    showAnalogClock(false);
    showDigitalClock(false);
}

void frmTime::Form_Load() {
    ModeWindow::Form_Load();
    DesignLeft = fraChoice->x();
    fraChoice->move((width() - fraChoice->width()) / 2, fraChoice->y());
    layOutFace();
    spinOptions->load();
    quizOptions->load();
    DigitsReady = true;
}

// The numerals stand inside the ring of ticks, the hands reach from the centre to just inside the
// ticks (the minute hand) and past the numerals' inner edge (the hour hand).
void frmTime::layOutFace() {
    hands->setGeometry(shpClock->rect());
    const QPointF c = shpClock->centre();
    const double R = shpClock->radius();
    for (int n = 1; n <= 12; ++n) {
        QLabel* label = lblNum[size_t(n)];
        label->resize(label->sizeHint());
        const QPointF at = TimeClock::onDial(n / 12.0, c, 0.70 * R);
        label->move(int(std::lround(at.x() - label->width() / 2.0)),
                    int(std::lround(at.y() - label->height() / 2.0)));
    }
    LongHandLength = std::round(0.80 * R);
    ShortHandLength = std::round(0.50 * R);
    hands->shpCtr = std::max(4.0, 0.05 * R);
}

void frmTime::showAnalogClock(bool on) {
    shpClock->setVisible(on);
    Label1[0]->setVisible(on);
}

void frmTime::showDigitalClock(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{shpDig, picDig[1], picDig[2], picDig[3], picDig[4],
                                                      Label2, Label1[1]}) {
        w->setVisible(on);
    }
}

void frmTime::cmdChoice_Click(int Index) {
    if (running() || Index < 0 || Index > 3) {
        return;
    }
    beginMode(Index + 1);
    for (SSCommand* button : cmdChoice) {
        button->setEnabled(false);
    }
    fraChoices->hide();
    fraChoice->move(DesignLeft, fraChoice->y());
    showAnalogClock(true);
    showDigitalClock(Mode() != TimeActivity::Learn);
    lbltitle->setText(QString::fromLatin1(Choices[size_t(Index)]));
    lbltitle->show();
    switch (Mode()) {
    case TimeActivity::Learn:
        txtLearn->show();
        cmdOK->show();
        LessonStep = 0;
        Lesson = TimeLesson{};
        cmdOK_Click();
        break;
    case TimeActivity::Play:
        cmdCheck->setText(QStringLiteral("&Current Time"));
        cmdCheck->setEnabled(true);
        cmdCheck->show();
        Frame1->show();
        Analog = {rnd().upTo(12), 0};
        DrawAnalogClock();
        Digital = Analog;
        DrawDigitalClock();
        break;
    default:
        // A quiz always starts with its times hidden, whatever the last one was left showing.
        AnswerShown = false;
        cmdCheck->setText(QStringLiteral("&Check Answer"));
        cmdAnswer->setText(QStringLiteral("&See Times"));
        for (QWidget* w : std::initializer_list<QWidget*>{cmdCheck, cmdAnswer, Frame1, Frame2}) {
            w->setEnabled(true);
            w->show();
        }
        NewQuizTimes();
        break;
    }
}

void frmTime::cmdOK_Click() {
    if (!running() || Mode() != TimeActivity::Learn) {
        return;
    }
    ++LessonStep;
    ShowLessonScreen();
}

void frmTime::ShowLessonScreen() {
    if (LessonStep > TimeLesson::LastScreen) {
        cmdOK->hide();
        StopMode();
        return;
    }
    const LessonScreen screen = Lesson.enter(LessonStep);
    txtLearn->setPlainText(screen.text);
    if (screen.showDigital) {
        showDigitalClock(true);
    }
    if (screen.analog) {
        Analog = *screen.analog;
        DrawAnalogClock();
    }
    if (screen.digital) {
        Digital = *screen.digital;
        DrawDigitalClock();
    }
    if (screen.animation == LessonScreen::Animation::HourHand) {
        AnimateHourHand();
    } else if (screen.animation == LessonScreen::Animation::BothClocks) {
        AnimateBothClocks();
    }
}

// The minute hand goes once round and the hour hand creeps on to the next numeral.
void frmTime::AnimateHourHand() {
    Pause(1);
    for (int minute = 1; minute <= 60 && stillHere(); ++minute) {
        Analog.minute = minute;
        DrawAnalogClock();
        Pause(0.1);
    }
    // The picture at minute 60 already shows the next hour.
    Analog = {Analog.hour % 12 + 1, 0};
}

// Both clocks count an hour's minutes; at the sixtieth the digital clock turns to the next hour.
void frmTime::AnimateBothClocks() {
    Pause(1);
    for (int minute = 1; minute <= 60 && stillHere(); ++minute) {
        Analog.minute = minute;
        DrawAnalogClock();
        Digital = minute == 60 ? ClockTime{Analog.hour % 12 + 1, 0} : ClockTime{Analog.hour, minute};
        DrawDigitalClock();
        Pause(0.1);
    }
}

void frmTime::cmdCheck_Click() {
    if (!running()) {
        return;
    }
    if (Mode() == TimeActivity::Play) {
        showTimeOfDay();
        return;
    }
    if (Mode() != TimeActivity::WithHands && Mode() != TimeActivity::WithoutHands) {
        return;
    }
    if (Analog == Digital) {
        cheerThenNext(1.5);
    } else {
        PlayWave(UhohWave, 0);
    }
}

void frmTime::showTimeOfDay() {
    const ClockTime now = TimeClock::fromSecondsSinceMidnight(clock().secondsSinceMidnight());
    Analog = now;
    DrawAnalogClock();
    Digital = now;
    DrawDigitalClock();
    LastTime = now;
    Timer1->setEnabled(true);
    cmdCheck->setEnabled(false);
}

void frmTime::cmdAnswer_Click() {
    if (!running() || (Mode() != TimeActivity::WithHands && Mode() != TimeActivity::WithoutHands)) {
        return;
    }
    if (!AnswerShown) {
        if (Mode() == TimeActivity::WithHands) {
            Analog = Digital;
            DrawAnalogClock();
        } else {
            Digital = Analog;
            DrawDigitalClock();
        }
        Frame1->setEnabled(false);
        Frame2->setEnabled(false);
        cmdCheck->setEnabled(false);
        cmdAnswer->setText(QStringLiteral("&Next Time"));
        AnswerShown = true;
    } else {
        Frame1->setEnabled(true);
        Frame2->setEnabled(true);
        cmdCheck->setEnabled(true);
        cmdAnswer->setText(QStringLiteral("&See Times"));
        AnswerShown = false;
        NewQuizTimes();
    }
}

void frmTime::spnTime_SpinUp() {
    spin(+1);
}

void frmTime::spnTime_SpinDown() {
    spin(-1);
}

void frmTime::spin(int direction) {
    if (!running() || !Frame1->isEnabled()) {
        return;
    }
    const int step = TimeClock::increment(settings().TimeSpinInc);
    const auto moved = [&](ClockTime t) {
        return direction > 0 ? TimeClock::spinUp(t, step) : TimeClock::spinDown(t, step);
    };
    switch (Mode()) {
    case TimeActivity::Play:
        Timer1->setEnabled(false);
        cmdCheck->setEnabled(true);
        Analog = moved(Analog);
        DrawAnalogClock();
        Digital = Analog;
        DrawDigitalClock();
        break;
    case TimeActivity::WithHands:
        Analog = moved(Analog);
        DrawAnalogClock();
        break;
    case TimeActivity::WithoutHands:
        Digital = moved(Digital);
        DrawDigitalClock();
        break;
    default:
        break;
    }
}

void frmTime::optSpinInc_Click(int Index) {
    if (running() && Mode() == TimeActivity::Play) {
        Timer1->setEnabled(false);
        cmdCheck->setEnabled(true);
    }
    settings().TimeSpinInc = qint16(Index);
}

void frmTime::optQuizInc_Click(int Index) {
    settings().TimeQuizInc = qint16(Index);
    if (running() && (Mode() == TimeActivity::WithHands || Mode() == TimeActivity::WithoutHands)) {
        NewQuizTimes();
    }
}

bool frmTime::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (int i = 1; i <= 4; ++i) {
            if (watched == picDig[size_t(i)]) {
                picDig_Paint(i);
            }
        }
    }
    return ModeWindow::eventFilter(watched, event);
}

// A box that has lost its drawing (made anew at another size) shows the clock again.
void frmTime::picDig_Paint(int) {
    if (DigitsReady && shpDig->isVisible()) {
        DrawDigitalClock();
    }
}

// The clock that follows the time of day: whenever the minute shown is no longer the time of day's,
// both clocks take the hour and the minute afresh, so that a jump of the time of day (a suspended
// computer woken, the clock set, summer time) shows at once.
void frmTime::Timer1_Timer() {
    if (!running() || Mode() != TimeActivity::Play) {
        return;
    }
    const ClockTime now = TimeClock::fromSecondsSinceMidnight(clock().secondsSinceMidnight());
    if (now == LastTime) {
        return;
    }
    Analog = now;
    DrawAnalogClock();
    Digital = now;
    DrawDigitalClock();
    LastTime = now;
}

void frmTime::NewQuizTimes() {
    const int step = TimeClock::increment(settings().TimeQuizInc);
    Analog = TimeClock::quizTime(step);
    DrawAnalogClock();
    Digital = TimeClock::quizTime(step);
    DrawDigitalClock();
}

// Each hand is painted at once, so that every step of an animation shows before its wait.
void frmTime::DrawAnalogClock() {
    const QPointF c = shpClock->centre();
    const TimeClock::HandEnds ends = TimeClock::handEnds(Analog, c, LongHandLength, ShortHandLength);
    hands->linLong = QLineF(c, ends.minute);
    hands->linShort = QLineF(c, ends.hour);
    if (shpClock->isVisible()) {
        shpClock->repaint();
    }
}

void frmTime::DrawDigitalClock() {
    const std::array<int, 4> shown = TimeClock::digits(Digital);
    for (size_t i = 1; i <= 4; ++i) {
        picDig[i]->Cls();
        if (shown[i - 1] >= 0) {
            DrawDigit(*picDig[i], shown[i - 1]);
        }
    }
}

void frmTime::DrawDigit(PictureBox& box, int d) {
    const double height = DesignWidth * box.height() / std::max(1, box.width());
    box.setScaleMode(PictureBox::ScaleMode::User);
    box.setScale(0, 0, DesignWidth, height);
    box.setFillStyle(PictureBox::FillStyle::Solid);
    box.setFillColor(SegmentColour);
    box.setForeColor(SegmentColour);
    for (const int s : TimeClock::segmentsOf(d)) {
        box.PolygonScaled(TimeClock::segment(s, DesignWidth, height));
    }
}

void frmTime::StopMode() {
    switch (Mode()) {
    case TimeActivity::Learn:
        txtLearn->hide();
        cmdOK->hide();
        break;
    case TimeActivity::Play:
        Timer1->setEnabled(false);
        cmdCheck->setEnabled(true);
        cmdCheck->hide();
        Frame1->hide();
        break;
    default:
        for (QWidget* w : std::initializer_list<QWidget*>{cmdCheck, cmdAnswer, Frame1, Frame2}) {
            w->setEnabled(true);
            w->hide();
        }
        break;
    }
    endMode();
    lbltitle->hide();
    showAnalogClock(false);
    showDigitalClock(false);
    fraChoice->move((width() - fraChoice->width()) / 2, fraChoice->y());
    for (SSCommand* button : cmdChoice) {
        button->setEnabled(true);
    }
    fraChoices->show();
}

void frmTime::Form_Unload() {
    Timer1->setEnabled(false);
}

} // namespace nibsy
