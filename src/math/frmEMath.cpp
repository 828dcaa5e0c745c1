// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/frmEMath.h"

#include "math/Worksheet.h"
#include "math/frmscale.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "platform/Services.h"
#include "shell/OpenWindow.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <cmath>

namespace nibsy {

namespace {

constexpr int FormWidth = 9600;
constexpr int FormHeight = 7200;

// A small printer for the worksheet button.
Picture printerPicture() {
    return Picture::fromDrawing({64, 64}, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::white);
        p.drawRect(18, 6, 28, 22); // the sheet going in
        p.setBrush(QColor(128, 128, 128));
        p.drawRoundedRect(6, 24, 52, 24, 4, 4);
        p.setBrush(Qt::white);
        p.drawRect(16, 40, 32, 20); // the sheet coming out
        p.drawLine(21, 47, 43, 47);
        p.drawLine(21, 53, 37, 53);
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(QPointF(50, 31), 3, 3);
    });
}

} // namespace

const ActivityDescriptor frmEMath::Activity{
    .menuIndex = 3,
    .caption = "Nibsy Math",
    .helpContext = 3,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmEMath(opener); },
    .background = QColor(255, 255, 192)};

frmEMath::frmEMath(QWidget* opener) : ModeWindow(opener, Activity) {
    lbltitle = makeLabel(this, "Nibsy Math", comicFont(22, true), Qt::AlignCenter);
    place(lbltitle, 120, 60, 9360, 720);

    createChoices();
    createTutor();
    createReview();
    createPractice();

    const CommandButtons buttons = makeCommandButtons(
        this,
        {.first = QRect(6600, 6420, 1380, 600), .columns = 2, .step = {1500, 0}, .font = comicFont(11)});
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);

    hideModeControls();
    setKeyPreview(true);
}

QRadioButton* frmEMath::optionButton(const QString& caption, QWidget* frame, int index,
                                     void (frmEMath::*click)(int)) {
    auto* button = new QRadioButton(caption, frame);
    button->setFont(comicFont(12));
    connect(button, &QRadioButton::toggled, this, [this, index, click](bool on) {
        if (on) {
            (this->*click)(index);
        }
    });
    return button;
}

void frmEMath::createChoices() {
    fraChoices = new QGroupBox("Choices", this);
    fraChoices->setFont(comicFont(11, true));
    place(fraChoices, 2700, 960, 4200, 4440);
    const char* captions[] = {"Number Scale", "Math Tutor", "Review Math Facts", "Practice Math Facts"};
    for (int i = 0; i < 4; ++i) {
        cmdChoice[size_t(i)] = new SSCommand(captions[i], fraChoices);
        cmdChoice[size_t(i)]->setFont(comicFont(16, true));
        place(cmdChoice[size_t(i)], 300, 420 + i * 1000, 3600, 800);
        connect(cmdChoice[size_t(i)], &SSCommand::clicked, this, [this, i] { cmdChoice_Click(i); });
    }

    Frame1 = new QGroupBox("Problem Type", this);
    Frame1->setFont(comicFont(11, true));
    place(Frame1, 120, 840, 2520, 1200);
    const char* types[] = {"Addition", "Subtraction"};
    for (int i = 0; i < 2; ++i) {
        optType[size_t(i)] = optionButton(types[i], Frame1, i, &frmEMath::optType_Click);
        place(optType[size_t(i)], 240, 330 + i * 390, 2160, 360);
    }

    Frame2 = new QGroupBox("Number Size", this);
    Frame2->setFont(comicFont(11, true));
    place(Frame2, 120, 2160, 2520, 1200);
    const char* sizes[] = {"Small (0-9)", "Large (0-20)"};
    for (int i = 0; i < 2; ++i) {
        optSize[size_t(i)] = optionButton(sizes[i], Frame2, i, &frmEMath::optSize_Click);
        place(optSize[size_t(i)], 240, 330 + i * 390, 2160, 360);
    }

    Frame3 = new QGroupBox("Factor Value", this);
    Frame3->setFont(comicFont(11, true));
    place(Frame3, 120, 2160, 2520, 2460);
    for (int i = 0; i < 12; ++i) {
        auto* button = optionButton(i == 0 ? QStringLiteral("Random") : QString::number(i - 1), Frame3, i,
                                    &frmEMath::optFactor_Click);
        if (i == 0) {
            place(button, 240, 330, 2160, 360);
        } else {
            // Three columns of four: 0-3, 4-7, 8-10.
            place(button, 240 + (i - 1) / 4 * 780, 780 + (i - 1) % 4 * 390, 720, 360);
        }
        optFactor[size_t(i)] = button;
    }

    fraPrint = new QGroupBox(this);
    place(fraPrint, 120, 4740, 2520, 1200);
    cmdPrint = new SSCommand("&Print", fraPrint);
    cmdPrint->setPicture(printerPicture());
    place(cmdPrint, 180, 240, 780, 780);
    connect(cmdPrint, &SSCommand::clicked, this, &frmEMath::cmdPrint_Click);
    lblPrint = makeLabel(fraPrint, "Print Worksheet", comicFont(12, true), Qt::AlignLeft | Qt::AlignVCenter);
    lblPrint->setWordWrap(true);
    place(lblPrint, 1080, 240, 1380, 780);
}

void frmEMath::createTutor() {
    picTutor = new PictureBox(this);
    place(picTutor, 2880, 840, 6600, 5400);
    picTutor->setBackColor(QColor(255, 255, 255));

    // The counters take the left three quarters of the box, the written sum the last quarter.
    const int sumLeft = 4950;
    linTutor = new QFrame(picTutor);
    linTutor->setFrameShape(QFrame::HLine);
    linTutor->setLineWidth(3);
    place(linTutor, 120, 2625, sumLeft - 240, 150);

    const QFont numbers = comicFont(30, true);
    lblTutor[0] = makeLabel(picTutor, QString(), numbers, Qt::AlignCenter);
    place(lblTutor[0], sumLeft, 1140, 540, 900);
    lblTutor[1] = makeLabel(picTutor, QString(), numbers, Qt::AlignRight | Qt::AlignVCenter);
    place(lblTutor[1], sumLeft + 420, 240, 1080, 900);
    lblTutor[2] = makeLabel(picTutor, QString(), numbers, Qt::AlignRight | Qt::AlignVCenter);
    place(lblTutor[2], sumLeft + 420, 1140, 1080, 900);
    lblTutor[3] = makeLabel(picTutor, QString(), numbers, Qt::AlignRight | Qt::AlignVCenter);
    place(lblTutor[3], sumLeft + 420, 2100, 1080, 900);
    lblTutor[3]->setStyleSheet("color: rgb(0, 0, 160)");
    lblTutor[4] = makeLabel(picTutor, "=", numbers, Qt::AlignCenter);
    place(lblTutor[4], sumLeft, 2100, 540, 900);

    cmdAnswer = new SSCommand("&Next Problem", picTutor);
    cmdAnswer->setFont(comicFont(11, true));
    place(cmdAnswer, sumLeft + 60, 4440, 1500, 720);
    connect(cmdAnswer, &SSCommand::clicked, this, &frmEMath::cmdAnswer_Click);
}

void frmEMath::createReview() {
    for (int i = 0; i < 11; ++i) {
        lblFactor[size_t(i)] = makeLabel(this, QString(), comicFont(24, true), Qt::AlignCenter);
        if (i < 6) {
            place(lblFactor[size_t(i)], 3000, 900 + i * 860, 3000, 760);
        } else {
            place(lblFactor[size_t(i)], 6240, 900 + (i - 6) * 860, 3000, 760);
        }
    }
}

void frmEMath::createPractice() {
    lblProblem = makeLabel(this, QString(), comicFont(44, true), Qt::AlignCenter);
    place(lblProblem, 2880, 1080, 6600, 1260);
    txtAnswer = new QLineEdit(this);
    txtAnswer->setFont(comicFont(40, true));
    txtAnswer->setAlignment(Qt::AlignCenter);
    place(txtAnswer, 5040, 2580, 2280, 1200);
    filterKeyPresses(txtAnswer, [this](int& k) { txtAnswer_KeyPress(k); });
    // What is pasted or dropped into the box must be digits too.
    txtAnswer->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtAnswer));

    lblScore = makeLabel(this, "Score:", comicFont(20, true), Qt::AlignRight | Qt::AlignVCenter);
    place(lblScore, 3600, 4200, 1800, 660);
    lblScoreN = makeLabel(this, QString(), comicFont(20, true), Qt::AlignLeft | Qt::AlignVCenter);
    place(lblScoreN, 5520, 4200, 1200, 660);
    pnlScore = new SSPanel(this);
    pnlScore->setFloodColor(QColor(0, 160, 0));
    place(pnlScore, 3600, 4980, 5040, 540);
}

void frmEMath::hideModeControls() {
    for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame2, Frame3, fraPrint, picTutor, lblProblem,
                                                      txtAnswer, lblScore, lblScoreN, pnlScore}) {
        w->hide();
    }
    for (QLabel* label : lblFactor) {
        label->hide();
    }
}

void frmEMath::Form_Load() {
    ModeWindow::Form_Load();
    sndDraw = FullPath("boing.wav");
    sndTakeAway = FullPath("zipecho.wav");
    // A settings file may hold anything: the choices fall back to their defaults, the factor is brought
    // into range. Selecting the buttons stores the values used.
    optType[size_t(settingOr(settings().MathProblemType, 0, 1, 0))]->setChecked(true);
    optSize[size_t(settingOr(settings().MathNumberSize, 0, 1, 1))]->setChecked(true);
    optFactor[size_t(clampSetting(settings().MathFactor, -1, 10) + 1)]->setChecked(true);
    ColorTable = {0, 12, 11, 10, 14};
    // Five counters to a row in the left three quarters, four rows and a gap for the line.
    ShapeWidth = picTutor->scaleWidth() * 3 / 4 / 5;
    ShapeHeight = picTutor->scaleHeight() / 5;
}

void frmEMath::cmdChoice_Click(int Index) {
    if (Index < 0 || Index > 3 || running()) {
        return;
    }
    if (MathMode(Index + 1) == MathMode::NumberScale) {
        hide();
        openModal<frmscale>(this);
        show();
        return;
    }
    beginMode(Index + 1);
    fraChoices->hide();
    Frame1->setEnabled(true);
    Frame2->setEnabled(true);
    switch (Mode()) {
    case MathMode::MathTutor:
        lbltitle->setText("Math Tutor");
        picTutor->Cls();
        TopNumber = BottomNumber = Answer = 0;
        for (QLabel* label : lblTutor) {
            label->clear();
        }
        linTutor->hide();
        picTutor->show();
        Frame1->show();
        Frame2->show();
        AnswerHidden = false;
        cmdAnswer->setText("&Next Problem");
        cmdAnswer->setFocus();
        break;
    case MathMode::ReviewFacts:
        lbltitle->setText("Review Math Facts");
        for (QLabel* label : lblFactor) {
            label->show();
        }
        Frame1->show();
        Frame3->show();
        if (clampSetting(settings().MathFactor, -1, 10) == -1) {
            optFactor[1]->setChecked(true);
        }
        optFactor[0]->setEnabled(false);
        ShowFactTable();
        break;
    case MathMode::PracticeFacts:
        lbltitle->setText("Practice Math Facts");
        Points = 0;
        ProblemsGiven = 0;
        for (QWidget* w : std::initializer_list<QWidget*>{lblProblem, txtAnswer, lblScore, lblScoreN,
                                                          pnlScore, fraPrint, Frame1, Frame3}) {
            w->show();
        }
        ShowScore();
        NewPracticeProblem();
        break;
    default:
        break;
    }
}

void frmEMath::optType_Click(int Index) {
    settings().MathProblemType = qint16(Index);
    if (!running()) {
        return;
    }
    if (Mode() == MathMode::ReviewFacts) {
        ShowFactTable();
    } else if (Mode() == MathMode::PracticeFacts) {
        // The problem given up on is not counted.
        ProblemsGiven -= 1;
        NewPracticeProblem();
    }
}

void frmEMath::optSize_Click(int Index) {
    settings().MathNumberSize = qint16(Index);
}

void frmEMath::optFactor_Click(int Index) {
    settings().MathFactor = qint16(Index - 1);
    if (!running()) {
        return;
    }
    if (Mode() == MathMode::ReviewFacts) {
        ShowFactTable();
    } else if (Mode() == MathMode::PracticeFacts) {
        ProblemsGiven -= 1;
        NewPracticeProblem();
    }
}

ProblemType frmEMath::Type() const {
    return ProblemType(settingOr(settings().MathProblemType, 0, 1, 0));
}

void frmEMath::StopMode() {
    endMode();
    hideModeControls();
    optFactor[0]->setEnabled(true);
    // A tutor problem left unanswered must not keep the choices locked nor take keys.
    Frame1->setEnabled(true);
    Frame2->setEnabled(true);
    AnswerHidden = false;
    lbltitle->setText("Nibsy Math");
    fraChoices->show();
}

void frmEMath::cmdPrint_Click() {
    const PrintOutcome outcome = PrintWorksheet(this, settings().MathProblemType, settings().MathFactor);
    reportPrinting(this, outcome, "Print Worksheet");
}

// ---- Math Tutor ----

void frmEMath::cmdAnswer_Click() {
    if (!running() || Mode() != MathMode::MathTutor) {
        return;
    }
    if (AnswerHidden) {
        lblTutor[3]->setText(formatNumber(Answer, "#0"));
        Frame1->setEnabled(true);
        Frame2->setEnabled(true);
        AnswerHidden = false;
        cmdAnswer->setText("&Next Problem");
    } else {
        Frame1->setEnabled(false);
        Frame2->setEnabled(false);
        AnswerHidden = true;
        NewTutorProblem();
    }
}

void frmEMath::NewTutorProblem() {
    picTutor->Cls();
    TutorType = Type();
    const int size = settingOr(settings().MathNumberSize, 0, 1, 1);
    linTutor->setVisible(TutorType == ProblemType::Addition);
    if (TutorType == ProblemType::Addition) {
        if (size == 0) {
            TopNumber = rnd().below(10);
            BottomNumber = rnd().below(10 - TopNumber);
        } else {
            TopNumber = rnd().below(11);
            BottomNumber = rnd().below(11);
        }
        Answer = TopNumber + BottomNumber;
    } else {
        TopNumber = rnd().below(11 * size + 10);
        BottomNumber = rnd().below(TopNumber + 1);
        Answer = TopNumber - BottomNumber;
    }
    ShapeKind = rnd().below(4) + 1;
    ShapeColor = ColorTable[size_t(rnd().below(4) + 1)];

    const QString answer = formatNumber(Answer, "#0");
    AnswerDigits = int(answer.size());
    lblTutor[1]->setText(formatNumber(TopNumber, "#0"));
    lblTutor[0]->setText(TutorType == ProblemType::Addition ? "+" : "-");
    lblTutor[2]->setText(formatNumber(BottomNumber, "#0"));
    lblTutor[4]->setText("=");
    lblTutor[3]->setText(QString(AnswerDigits, u'?'));
    if (TutorType == ProblemType::Addition) {
        RedrawSum();
    } else {
        RedrawDifference();
    }
    DigitPos = 1;
    cmdAnswer->setText("&See Answer");
}

void frmEMath::DrawShape(double x, double y, double w, double h) {
    const int dx = near(0.05 * w);
    const int dy = near(0.05 * h);
    const QColor color = QBColor(ShapeColor);
    picTutor->setForeColor(color);
    picTutor->setFillColor(color);
    picTutor->setFillStyle(PictureBox::FillStyle::Solid);
    auto px = [this](double px, double py) { return picTutor->toPixels(px, py).toPoint(); };
    switch (ShapeKind) {
    case 1:
        picTutor->Box(x + dx, y + dy, x + w - dx, y + h - dy);
        break;
    case 2:
        picTutor->Circle(x + 0.5 * w, y + 0.5 * h, 0.45 * w);
        break;
    case 3:
        picTutor->Polygon(
            QPolygon({px(x + dx, y + h - dy), px(x + 0.5 * w, y + dy), px(x + w - dx, y + h - dy)}));
        break;
    case 4:
        picTutor->Polygon(QPolygon({px(x + dx, y + 0.5 * h), px(x + 0.25 * w, y + dy),
                                    px(x + 0.75 * w, y + dy), px(x + w - dx, y + 0.5 * h),
                                    px(x + 0.75 * w, y + h - dy), px(x + 0.25 * w, y + h - dy)}));
        break;
    default:
        break;
    }
}

// Counter number cell (from 1) of a group that starts on row firstRow, five to a row.
void frmEMath::DrawCell(int cell, int firstRow) {
    DrawShape((cell - 1) % 5 * ShapeWidth, (firstRow + (cell - 1) / 5) * ShapeHeight, ShapeWidth,
              ShapeHeight);
}

// An addition: the top number's counters in the first two rows, the bottom number's below the line.
void frmEMath::RedrawSum() {
    Drawing = true;
    picTutor->Cls();
    for (int k = 1; k <= TopNumber; ++k) {
        DrawCell(k, 0);
        if (!Repainting) {
            PlayWave(sndDraw, 0);
        }
    }
    for (int k = 1; k <= BottomNumber; ++k) {
        DrawCell(k, 3);
        if (!Repainting) {
            PlayWave(sndDraw, 0);
        }
    }
    Drawing = false;
}

// A subtraction: the top number's counters, then the bottom number of them taken away from the last.
void frmEMath::RedrawDifference() {
    Drawing = true;
    picTutor->Cls();
    for (int k = 1; k <= TopNumber; ++k) {
        DrawCell(k, 0);
        if (!Repainting) {
            PlayWave(sndDraw, 0);
        }
    }
    for (int k = TopNumber; k > TopNumber - BottomNumber; --k) {
        const double x = (k - 1) % 5 * ShapeWidth;
        const double y = (k - 1) / 5 * ShapeHeight;
        picTutor->BoxFilled(x, y, x + ShapeWidth, y + ShapeHeight, picTutor->backColor());
        if (!Repainting) {
            PlayWave(sndTakeAway, 0);
        }
    }
    Drawing = false;
}

void frmEMath::picTutor_Paint() {
    if (Drawing || !running() || Mode() != MathMode::MathTutor) {
        return;
    }
    Repainting = true;
    if (TutorType == ProblemType::Addition) {
        RedrawSum();
    } else {
        RedrawDifference();
    }
    Repainting = false;
}

void frmEMath::showEvent(QShowEvent* event) {
    ActivityWindow::showEvent(event);
    picTutor_Paint();
}

void frmEMath::Form_KeyPress(int& KeyAscii) {
    if (!running() || Mode() != MathMode::MathTutor || !AnswerHidden) {
        return;
    }
    if (KeyAscii < '0' || KeyAscii > '9') {
        sound().beep();
        return;
    }
    const QString answer = formatNumber(Answer, "#0");
    const QChar typed(KeyAscii);
    KeyAscii = 0;
    if (DigitPos < 1 || DigitPos > answer.size() || typed != answer[DigitPos - 1]) {
        PlayWave(UhohWave, 0);
        return;
    }
    if (DigitPos >= answer.size()) {
        lblTutor[3]->setText(answer);
        PlayWave(TadaWave, 0);
        cmdAnswer_Click();
        return;
    }
    lblTutor[3]->setText(answer.left(DigitPos) + QString(answer.size() - DigitPos, u'?'));
    DigitPos += 1;
}

// ---- Review Math Facts ----

void frmEMath::ShowFactTable() {
    const int f = clampSetting(settings().MathFactor, 0, 10);
    const bool subtraction = Type() == ProblemType::Subtraction;
    for (int i = 0; i <= 10; ++i) {
        const QString text =
            subtraction
                ? formatNumber(f + i, "#0") + "-" + formatNumber(f, "#0") + "=" + formatNumber(i, "#0")
                : formatNumber(i, "#0") + "+" + formatNumber(f, "#0") + "=" + formatNumber(i + f, "#0");
        lblFactor[size_t(i)]->setText(text);
    }
}

// ---- Practice Math Facts ----

void frmEMath::NewPracticeProblem() {
    const int r = rnd().below(11);
    const int factor = clampSetting(settings().MathFactor, -1, 10);
    const int f = factor == -1 ? rnd().below(11) : factor;
    if (Type() == ProblemType::Addition) {
        lblProblem->setText(formatNumber(r, "#0") + " + " + formatNumber(f, "#0") + " =");
        Answer = r + f;
    } else {
        lblProblem->setText(formatNumber(f + r, "#0") + " - " + formatNumber(f, "#0") + " =");
        Answer = r;
    }
    ProblemsGiven += 1;
    MissedOnce = false;
    txtAnswer->clear();
    txtAnswer->setFocus();
}

void frmEMath::txtAnswer_KeyPress(int& KeyAscii) {
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8) {
        return;
    }
    if (KeyAscii != 13 || !running() || Mode() != MathMode::PracticeFacts) {
        KeyAscii = 0;
        sound().beep();
        return;
    }
    KeyAscii = 0;
    // The value of the leading digits; an empty box counts as 0.
    int value = 0;
    for (QChar c : txtAnswer->text()) {
        if (!c.isDigit() || c.unicode() > '9') {
            break;
        }
        value = std::min(value * 10 + (c.unicode() - '0'), 1000000);
    }
    if (value == Answer) {
        PlayWave(TadaWave, 0);
        Points += MissedOnce ? 5 : 10;
        ShowScore();
        NewPracticeProblem();
    } else if (!MissedOnce) {
        PlayWave(UhohWave, 0);
        MissedOnce = true;
        txtAnswer->clear();
    } else {
        PlayWave(UhohWave, 0);
        txtAnswer->setText(formatNumber(Answer, "#0"));
        ShowScore();
        Pause(2);
        NewPracticeProblem();
    }
}

void frmEMath::ShowScore() {
    const int score = ProblemsGiven > 0 ? int(std::floor(10.0 * Points / ProblemsGiven + 0.5)) : 0;
    pnlScore->setFloodPercent(score);
    lblScoreN->setText(formatNumber(score, "##0"));
}

} // namespace nibsy
