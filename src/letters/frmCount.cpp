// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/frmCount.h"

#include "letters/optCount.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "platform/WindowTimer.h"
#include "shell/OpenWindow.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace nibsy {

namespace {

// The window, in twips.
constexpr int WindowWidth = 9375;
constexpr int WindowHeight = 6660;

// The counting grid: cells of 1215 twips in five columns and four rows, inside the outline Shape3.
constexpr int CellSize = 1215;
constexpr std::array<int, 5> CellLeft{3120, 4320, 5520, 6720, 7920};
constexpr std::array<int, 4> CellTop{240, 1440, 2640, 3840};
constexpr int GridLeft = 3000;
constexpr int GridWidth = 6255;
constexpr int GridTop = 120;
constexpr int GridHeight = 5040;

// Number buttons: two rows of ten under the grid.
constexpr int ClickTop = 5160;
constexpr int ClickHeight = 375;

// Fill In Blanks: four boxes across the middle of the grid, the arrow above the one to fill.
constexpr int BlankSize = 1215;
constexpr int BlankGap = 300;
constexpr int BlankTop = 2040;
constexpr int ArrowWidth = 600;
constexpr int ArrowHeight = 735;

const QColor WindowGrey(224, 224, 224);
const QColor NumberInk(0, 0, 128);
const QColor CellEdge(0, 96, 96);

constexpr std::array<const char*, 7> ModeCaption{"Counting Song", "Learn Numbers", "Press a Number",
                                                 "What Number?",  "Draw a Number", "Mix and Count",
                                                 "Fill In Blanks"};
constexpr std::array<const char*, 7> TitleTop{"Counting", "Learn",   "Press a", "What",
                                              "Draw a",   "Mix and", "Fill In"};
constexpr std::array<const char*, 7> TitleBottom{"Song",   "Numbers", "Number", "Number?",
                                                 "Number", "Count",   "Blanks"};

// Picture files of the item kinds 1 to 9, for pictures (1) and dinosaurs (2).
constexpr std::array<const char*, 10> PictureFile{"",          "apple.wmf", "ball.wmf", "house.wmf",
                                                  "igloo.wmf", "jet.wmf",   "sun.wmf",  "tree.wmf",
                                                  "wagon.wmf", "xylo.bmp"};
// The song's line for each number 1 to 10.
constexpr std::array<const char*, 11> SongFile{"",         "cnt1.wav", "cnt1.wav", "cnt2.wav",
                                               "cnt3.wav", "cnt3.wav", "cnt4.wav", "cnt1.wav",
                                               "cnt1.wav", "cnt2.wav", "cnt5.wav"};
constexpr std::array<const char*, 3> ItemFile{"shape.wav", "picture.wav", "dino.wav"};
constexpr std::array<const char*, 3> ItemsFile{"shapes.wav", "pictures.wav", "dinos.wav"};

// Items are drawn in palette colours 9 to 14 (light blue to yellow); light cyan is never used for
// shapes, which would hardly show on the cyan cells.
constexpr int LightCyan = 11;

QFrame* outline(QWidget* parent, int left, int top, int width, int height) {
    QFrame* frame = makeOutline(parent, NumberInk, 2);
    ActivityWindow::place(frame, left, top, width, height);
    return frame;
}

// An empty cell: light cyan, with a thin darker edge so that the cells of the grid stand apart.
void emptyCell(PictureBox* cell) {
    cell->Cls();
    const double px = pxToTwips(1);
    cell->Box(0, 0, cell->scaleWidth() - px, cell->scaleHeight() - px, CellEdge);
}

QString numberText(int n) {
    return formatNumber(n, QStringLiteral("#0"));
}

} // namespace

const ActivityDescriptor frmCount::Activity{
    .menuIndex = 2,
    .caption = "Counting Fun",
    .helpContext = 2,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmCount(opener); },
    .background = WindowGrey};

frmCount::frmCount(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmCount"));

    // Outlines first, so that everything else lies above them.
    Shape2 = outline(this, GridLeft - 60, GridTop - 60, GridWidth + 120, GridHeight + 120);
    Shape3 = outline(this, GridLeft, GridTop, GridWidth, GridHeight);
    Shape3->hide();
    Shape1 = outline(this, 900, 3060, 1335, 1335);
    Shape1->hide();

    const QFont titleFont = comicFont(22, true);
    lblTitle1 = new QLabel(this);
    lblTitle2 = new QLabel(this);
    for (QLabel* title : {lblTitle1, lblTitle2}) {
        title->setFont(titleFont);
        title->setAlignment(Qt::AlignCenter);
        setTextColor(title, NumberInk);
    }
    place(lblTitle1, 120, 120, 2760, 540);
    place(lblTitle2, 120, 660, 2760, 540);

    lblNumber = new QLabel(this);
    const QFont numberFont = arialFont(60, true);
    lblNumber->setFont(numberFont);
    lblNumber->setAlignment(Qt::AlignCenter);
    setTextColor(lblNumber, NumberInk);
    place(lblNumber, 120, 1440, 2760, 1560);

    const QFont cellFont = arialFont(28, true);
    auto makeCell = [&](int left, int top) {
        auto* cell = new PictureBox(this);
        place(cell, left, top, CellSize, CellSize);
        cell->setBackColor(QBColor(LightCyan));
        cell->setForeColor(QBColor(0));
        cell->setDrawWidth(2);
        cell->setFontSpec(cellFont);
        cell->hide();
        return cell;
    };
    for (int n = 1; n <= 20; ++n) {
        picDisplay[size_t(n)] = makeCell(CellLeft[size_t((n - 1) % 5)], CellTop[size_t((n - 1) / 5)]);
        picDisplay[size_t(n)]->setObjectName(QStringLiteral("picDisplay%1").arg(n));
        connect(picDisplay[size_t(n)], &PictureBox::Click, this, [this, n] { picDisplay_Click(n); });
    }
    picShow = makeCell(960, 3120);
    picShow->setObjectName(QStringLiteral("picShow"));

    // The pattern of the number buttons; the twenty buttons are made from it at load.
    const QFont clickFont = arialFont(12, true);
    cmdClick[0] = makeButton(this, QString(), clickFont);
    place(cmdClick[0], GridLeft, ClickTop, GridWidth / 10, ClickHeight);
    cmdClick[0]->hide();

    const QFont stepFont = arialFont(12, true);
    cmdDone = makeButton(this, QStringLiteral("&Done Drawing"), stepFont, QRect(GridLeft, 6030, 3015, 495),
                         [this] { cmdDone_Click(); });
    cmdDone->hide();
    cmdScreen =
        makeButton(this, QStringLiteral("Correct &Answer"), stepFont,
                   QRect(GridLeft + GridWidth - 3015, 6030, 3015, 495), [this] { cmdScreen_Click(); });
    cmdScreen->hide();

    const QFont blankFont = arialFont(44, true);
    const int blankLeft = GridLeft + (GridWidth - 4 * BlankSize - 3 * BlankGap) / 2;
    for (int r = 0; r < 4; ++r) {
        auto* box = new QLabel(this);
        makeCard(box, blankFont, NumberInk);
        place(box, blankLeft + r * (BlankSize + BlankGap), BlankTop, BlankSize, BlankSize);
        box->hide();
        lblBlank[size_t(r)] = box;
    }
    imgArrow = new PictureBox(this);
    place(imgArrow, blankLeft + (BlankSize - ArrowWidth) / 2, BlankTop - ArrowHeight - 60, ArrowWidth,
          ArrowHeight);
    imgArrow->setPicture(downArrowPicture(imgArrow->size(), WindowGrey));
    imgArrow->hide();

    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    const QFont frameFont = arialFont(10, true);
    fraChoices->setFont(frameFont);
    place(fraChoices, GridLeft + 240, GridTop + 240, GridWidth - 480, GridHeight - 480);
    const QFont choiceFont = comicFont(16, true);
    for (int i = 0; i < 7; ++i) {
        cmdChoice[size_t(i)] =
            makeButton(fraChoices, QString::fromLatin1(ModeCaption[size_t(i)]), choiceFont,
                       QRect(240, 360 + i * 585, GridWidth - 960, 495), [this, i] { cmdChoice_Click(i); });
    }

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(120, 4800, 2760, 1725),
                                                             .first = QRect(120, 300, 1200, 555),
                                                             .columns = 2,
                                                             .step = {1320, 720},
                                                             .font = stepFont,
                                                             .onOptions = [this] { cmdOptions_Click(); }});
    fraChoice = buttons.frame;
    cmdOptions = buttons.cmdOptions;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);

    Timer1 = new WindowTimer(this, 500);
    Timer1->onTick([this] { Timer1_Timer(); });

    setFocusPolicy(Qt::StrongFocus);
    setKeyPreview(true);
}

frmCount::~frmCount() = default;

void frmCount::Form_Load() {
    ModeWindow::Form_Load();
    MakeNumberButtons();
    for (int n = 0; n <= 20; ++n) {
        NumberWave[size_t(n)] = FullPath(QStringLiteral("N%1.wav").arg(n));
    }
    for (int n = 1; n <= 10; ++n) {
        SongWave[size_t(n)] = FullPath(QString::fromLatin1(SongFile[size_t(n)]));
    }
    for (int i = 0; i < 3; ++i) {
        ItemWave[size_t(i)] = FullPath(QString::fromLatin1(ItemFile[size_t(i)]));
        ItemsWave[size_t(i)] = FullPath(QString::fromLatin1(ItemsFile[size_t(i)]));
    }
    BoingWave = FullPath(QStringLiteral("boing.wav"));
    LoadItemPictures();
    StopMode();
}

void frmCount::MakeNumberButtons() {
    if (cmdClick[1]) {
        return;
    }
    const QRect pattern = cmdClick[0]->geometry();
    for (int n = 1; n <= 20; ++n) {
        const int col = (n - 1) % 10;
        const int row = (n - 1) / 10;
        // Ten buttons share the outline's width exactly, whatever the rounding.
        const int left = GridLeft + col * GridWidth / 10;
        const int right = GridLeft + (col + 1) * GridWidth / 10;
        auto* b = makeButton(this, formatNumber(n, QStringLiteral("##")), cmdClick[0]->font());
        b->setGeometry(QRect(twipsToPx(left), pattern.top() + row * pattern.height(),
                             twipsToPx(right) - twipsToPx(left), pattern.height()));
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, n] { cmdClick_Click(n); });
        cmdClick[size_t(n)] = b;
    }
}

int frmCount::Biggest() const {
    return clampSetting(settings().BiggestNumber, 1, 20);
}

CountItems frmCount::Items() const {
    return CountItems(clampSetting(settings().CountItems, 0, 2));
}

void frmCount::LoadItemPictures() {
    for (auto& picture : picHide) {
        picture = Picture();
    }
    const CountItems items = Items();
    if (items == CountItems::Shapes) {
        return; // shapes are drawn
    }
    const QSize cell = picDisplay[1]->size();
    for (int k = 1; k <= 9; ++k) {
        const QString name = items == CountItems::Pictures ? QString::fromLatin1(PictureFile[size_t(k)])
                                                           : QStringLiteral("dino%1.wmf").arg(k);
        picHide[size_t(k)] = fittedPicture(pictures().load(name), cell);
    }
}

// A new item for the question: any of the nine kinds, in a bright colour.
void frmCount::ChooseItem() {
    ItemKind = rnd().upTo(9);
    do {
        ItemColor = rnd().below(6) + 9;
    } while (Items() == CountItems::Shapes && ItemColor == LightCyan);
}

void frmCount::DrawItem(PictureBox* target, int kind) {
    if (kind < 1 || kind > 9) {
        return;
    }
    if (Items() == CountItems::Shapes) {
        target->setFillColor(QBColor(ItemColor));
        DrawShape(*target, kind);
    } else {
        target->PaintPicture(picHide[size_t(kind)], 0, 0, target->scaleWidth(), target->scaleHeight());
    }
}

void frmCount::ClearCells() {
    for (int n = 1; n <= 20; ++n) {
        emptyCell(picDisplay[size_t(n)]);
        picDisplay[size_t(n)]->show();
    }
    Shape3->show();
}

void frmCount::CountOut() {
    const int count = std::clamp(Number, 0, 20);
    for (int i = 1; i <= count; ++i) {
        DrawItem(picDisplay[size_t(i)], ItemKind);
        picDisplay[size_t(i)]->repaint();
        if (Mode() == CountMode::LearnNumbers || Mode() == CountMode::PressNumber) {
            SayNumber(i);
        } else {
            PlayWave(BoingWave, 0);
        }
    }
}

void frmCount::ShowSample() {
    emptyCell(picShow);
    DrawItem(picShow, ItemKind);
    picShow->show();
    Shape1->show();
}

void frmCount::ShowButtons(bool show) {
    for (int n = 1; n <= 20; ++n) {
        if (cmdClick[size_t(n)]) {
            cmdClick[size_t(n)]->setVisible(show);
        }
    }
}

void frmCount::SayNumber(int n) {
    if (n >= 0 && n <= 20) {
        PlayWave(NumberWave[size_t(n)], 0);
    }
}

void frmCount::SayItemWord(int n) {
    const auto items = size_t(Items());
    PlayWave(n == 1 ? ItemWave[items] : ItemsWave[items], 0);
}

void frmCount::cmdChoice_Click(int Index) {
    if (running() || Index < 0 || Index > 6) {
        return;
    }
    beginMode(Index + 1);
    fraChoices->hide();
    Shape2->hide();
    for (SSCommand* b : cmdChoice) {
        b->setEnabled(false);
    }
    cmdOptions->setEnabled(false);
    Answered = false;
    if (Mode() != CountMode::FillInBlanks) {
        ClearCells();
    }
    lblTitle1->setText(QString::fromLatin1(TitleTop[size_t(Index)]));
    lblTitle2->setText(QString::fromLatin1(TitleBottom[size_t(Index)]));
    setFocus();

    switch (Mode()) {
    case CountMode::CountingSong:
        ChooseItem();
        Number = 1;
        Timer1->setEnabled(true);
        break;
    case CountMode::LearnNumbers:
        Number = 1;
        cmdScreen->setText(QStringLiteral("&Next Number"));
        cmdScreen->show();
        NewQuestion();
        break;
    case CountMode::PressNumber:
        lblNumber->setText(QStringLiteral("--"));
        ShowButtons(true);
        DigitState = 1;
        emptyCell(picShow);
        picShow->show();
        Shape1->show();
        break;
    default:
        cmdScreen->setText(QStringLiteral("Correct &Answer"));
        cmdScreen->show();
        if (Mode() == CountMode::WhatNumber || Mode() == CountMode::MixAndCount) {
            ShowButtons(true);
        } else if (Mode() == CountMode::DrawNumber) {
            cmdDone->show();
        } else {
            for (QLabel* box : lblBlank) {
                box->show();
            }
            imgArrow->show();
        }
        NewQuestion();
        break;
    }
}

void frmCount::Timer1_Timer() {
    if (!running() || Mode() != CountMode::CountingSong) {
        Timer1->setEnabled(false);
        return;
    }
    const int n = Number;
    if (n >= 1 && n <= 10) {
        // The first row holds 1 to 5 and the third row 6 to 10.
        PictureBox* cell = picDisplay[size_t(n <= 5 ? n : n + 5)];
        DrawItem(cell, ItemKind);
        cell->PrintCentred(numberText(n), Qt::white); // big, edged with white to show on any item
        cell->repaint();
        SayNumber(n);
        PlayWave(SongWave[size_t(n)], 0);
    }
    Number = n + 1;
    if (Number > 10) {
        Timer1->setEnabled(false);
        Pause(1);
        StopMode();
    }
}

void frmCount::NewQuestion() {
    ChooseItem();
    const int B = Biggest();
    switch (Mode()) {
    case CountMode::LearnNumbers:
    case CountMode::PressNumber:
        lblNumber->setText(numberText(Number));
        ShowSample();
        Pause(0.5);
        CountOut();
        Pause(0.5);
        SayNumber(Number);
        SayItemWord(Number);
        if (Mode() == CountMode::PressNumber) {
            Pause(2);
            ClearCells();
            lblNumber->setText(QStringLiteral("--"));
            DigitState = 1;
        }
        break;
    case CountMode::WhatNumber:
        lblNumber->setText(QStringLiteral("-"));
        ClearCells();
        Number = rnd().upTo(B);
        DigitPos = 1;
        DigitCount = Number > 9 ? 2 : 1;
        ShowSample();
        CountOut();
        break;
    case CountMode::DrawNumber:
        ClearCells();
        CellKind.fill(0);
        DrawCount = 0;
        Number = rnd().upTo(B);
        lblNumber->setText(numberText(Number));
        ShowSample();
        SayNumber(Number);
        SayItemWord(Number);
        break;
    case CountMode::MixAndCount: {
        lblNumber->setText(QStringLiteral("-"));
        ClearCells();
        CellKind.fill(0);
        Shuffle(9, KindOrder);
        const int T = rnd().upTo(B); // items in all
        Number = rnd().upTo(T);      // of them of the sample kind
        ItemKind = KindOrder[1];
        DigitPos = 1;
        DigitCount = Number > 9 ? 2 : 1;
        // The kinds in turn take cells from the end of a shuffled order: the sample kind its Number, each
        // other kind some of the rest, the ninth all that remain.
        Shuffle(20, CellOrder);
        int R = T;
        int g = Number;
        int k = 1;
        while (R != 0) {
            for (int c = R; c > R - g; --c) {
                CellKind[size_t(CellOrder[size_t(c)])] = KindOrder[size_t(k)];
            }
            R -= g;
            ++k;
            g = k == 9 ? R : rnd().upTo(R);
        }
        for (int n = 1; n <= 20; ++n) {
            if (CellKind[size_t(n)] != 0) {
                DrawItem(picDisplay[size_t(n)], CellKind[size_t(n)]);
            }
        }
        ShowSample();
        break;
    }
    case CountMode::FillInBlanks:
        FillInBlanks();
        break;
    default:
        break;
    }
}

// Four boxes of consecutive numbers from 1 up to the biggest number (at least 1 to 4); one is given.
void frmCount::FillInBlanks() {
    const int M = std::max(Biggest(), 4);
    int s = 1;
    if (rnd().below(2) == 0) {
        s = rnd().below(M - 3) + 1;
    } else {
        const int e = rnd().below(M - 3) + 4;
        s = e - 3;
    }
    for (int r = 0; r < 4; ++r) {
        BlankNumbers[size_t(r)] = s + r;
        lblBlank[size_t(r)]->clear();
    }
    const int given = rnd().below(4);
    lblBlank[size_t(given)]->setText(numberText(BlankNumbers[size_t(given)]));
    BlankNumbers[size_t(given)] = 0;
    BlankNo = 0;
    while (BlankNo < 4 && BlankNumbers[size_t(BlankNo)] == 0) {
        ++BlankNo;
    }
    DigitPos = 1;
    DigitCount = BlankNumbers[size_t(BlankNo)] > 9 ? 2 : 1;
    PlaceArrow();
}

void frmCount::PlaceArrow() {
    if (BlankNo < 0 || BlankNo > 3) {
        return;
    }
    const QRect box = lblBlank[size_t(BlankNo)]->geometry();
    imgArrow->move(box.center().x() - imgArrow->width() / 2 + 1, imgArrow->y());
}

void frmCount::ShowAnswer() {
    switch (Mode()) {
    case CountMode::WhatNumber:
        lblNumber->setText(numberText(Number));
        SayNumber(Number);
        SayItemWord(Number);
        break;
    case CountMode::MixAndCount:
        lblNumber->setText(numberText(Number));
        SayNumber(Number);
        break;
    case CountMode::FillInBlanks:
        if (BlankNo < 0 || BlankNo > 3) {
            return;
        }
        lblBlank[size_t(BlankNo)]->setText(numberText(BlankNumbers[size_t(BlankNo)]));
        SayNumber(BlankNumbers[size_t(BlankNo)]);
        do {
            ++BlankNo;
        } while (BlankNo < 4 && BlankNumbers[size_t(BlankNo)] == 0);
        if (BlankNo < 4) {
            DigitPos = 1;
            DigitCount = BlankNumbers[size_t(BlankNo)] > 9 ? 2 : 1;
            PlaceArrow();
        }
        break;
    default:
        break;
    }
}

// The child got the question right: the answer is shown and cheered, and the next question follows.
void frmCount::RightAnswer() {
    Answered = true;
    ShowAnswer();
    cheerThenNext(2);
}

void frmCount::Form_KeyPress(int& KeyAscii) {
    if (!running() || Mode() < CountMode::PressNumber) {
        return;
    }
    const int key = KeyAscii;
    switch (Mode()) {
    case CountMode::PressNumber:
        KeyAscii = 0;
        PressNumberKey(key);
        break;
    case CountMode::WhatNumber:
    case CountMode::MixAndCount:
        KeyAscii = 0;
        DigitKey(key);
        break;
    case CountMode::FillInBlanks:
        KeyAscii = 0;
        BlankKey(key);
        break;
    default:
        break; // Draw a Number is answered with the mouse
    }
}

// Press a Number: 3 to 9 are counted out at once; 1 and 2 wait for a second digit or Enter.
void frmCount::PressNumberKey(int key) {
    const bool digit = key >= '0' && key <= '9';
    const int d = key - '0';
    if (DigitState == 1) {
        if (digit && d >= 1) {
            Number = d;
            if (d >= 3) {
                NewQuestion();
            } else {
                DigitState = 2;
                lblNumber->setText(formatNumber(d, QStringLiteral("#")) + QLatin1Char('-'));
            }
        } else {
            sound().beep();
        }
        return;
    }
    if (key == '\r') {
        NewQuestion();
    } else if (digit && Number == 1) {
        Number = 10 + d;
        NewQuestion();
    } else if (digit && Number == 2 && d == 0) {
        Number = 20;
        NewQuestion();
    } else {
        sound().beep();
    }
}

// A key typed towards an answer: true if it is the answer's next digit; anything else is met with a beep
// (not a digit) or "uhoh.wav" (the wrong digit).
bool frmCount::NextDigit(int key, const QString& answer) {
    if (key < '0' || key > '9') {
        sound().beep();
        return false;
    }
    if (DigitPos < 1 || DigitPos > int(answer.size()) || answer[DigitPos - 1] != QChar(key)) {
        PlayWave(UhohWave, 0);
        return false;
    }
    return true;
}

// What Number? and Mix and Count: the answer is typed digit by digit.
void frmCount::DigitKey(int key) {
    if (!NextDigit(key, numberText(Number))) {
        return;
    }
    if (DigitPos < DigitCount) {
        lblNumber->setText(QString(QChar(key)));
        ++DigitPos;
    } else {
        RightAnswer();
    }
}

// Fill In Blanks: the number of the box under the arrow, digit by digit.
void frmCount::BlankKey(int key) {
    const bool boxLeft = BlankNo >= 0 && BlankNo <= 3;
    const QString answer = boxLeft ? numberText(BlankNumbers[size_t(BlankNo)]) : QString();
    if (!NextDigit(key, answer)) {
        return;
    }
    if (DigitPos < DigitCount) {
        lblBlank[size_t(BlankNo)]->setText(answer.left(DigitPos));
        ++DigitPos;
        return;
    }
    Answered = true;
    ShowAnswer();
    if (BlankNo > 3) {
        cheerThenNext(2);
    }
}

void frmCount::cmdClick_Click(int Index) {
    if (!running() || Index < 1 || Index > 20) {
        return;
    }
    if (Mode() == CountMode::PressNumber) {
        Number = Index;
        NewQuestion();
    } else if (Mode() == CountMode::WhatNumber || Mode() == CountMode::MixAndCount) {
        if (Index == Number) {
            RightAnswer();
        } else {
            PlayWave(UhohWave, 0);
        }
    }
    setFocus();
}

void frmCount::picDisplay_Click(int Index) {
    if (!running() || Mode() != CountMode::DrawNumber || Index < 1 || Index > 20) {
        return;
    }
    PictureBox* cell = picDisplay[size_t(Index)];
    if (CellKind[size_t(Index)] != 0) {
        CellKind[size_t(Index)] = 0;
        emptyCell(cell);
        --DrawCount;
    } else {
        CellKind[size_t(Index)] = 1;
        DrawItem(cell, ItemKind);
        ++DrawCount;
    }
    cell->repaint();
    PlayWave(BoingWave, 0);
}

void frmCount::cmdDone_Click() {
    if (!running() || Mode() != CountMode::DrawNumber) {
        return;
    }
    if (DrawCount == Number) {
        Answered = true;
        PlayWave(TadaWave, 0);
        SayNumber(Number);
        SayItemWord(Number);
        nextQuestionAfter(2);
    } else {
        PlayWave(UhohWave, 0);
    }
    setFocus();
}

void frmCount::cmdScreen_Click() {
    if (!running()) {
        return;
    }
    Answered = false;
    switch (Mode()) {
    case CountMode::LearnNumbers:
        for (int n = 1; n <= std::min(Number, 20); ++n) {
            emptyCell(picDisplay[size_t(n)]);
        }
        emptyCell(picShow);
        ++Number;
        if (Number <= Biggest()) {
            NewQuestion();
        } else {
            StopMode();
        }
        break;
    case CountMode::WhatNumber:
    case CountMode::MixAndCount:
        ShowAnswer();
        nextQuestionAfter(2);
        break;
    case CountMode::DrawNumber:
        ClearCells();
        CountOut();
        Pause(0.5);
        SayNumber(Number);
        SayItemWord(Number);
        nextQuestionAfter(2);
        break;
    case CountMode::FillInBlanks:
        ShowAnswer();
        if (BlankNo > 3) {
            nextQuestionAfter(2);
        }
        break;
    default:
        break;
    }
    if (running()) {
        setFocus();
    }
}

void frmCount::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optCount>(this);
    LoadItemPictures();
}

// Back to the choice screen: nothing runs and the grid is put away.
void frmCount::StopMode() {
    endMode();
    Timer1->setEnabled(false);
    DigitState = 1;
    cmdScreen->hide();
    cmdDone->hide();
    lblTitle1->clear();
    lblTitle2->clear();
    lblNumber->clear();
    for (QLabel* box : lblBlank) {
        box->clear();
        box->hide();
    }
    imgArrow->hide();
    ShowButtons(false);
    emptyCell(picShow);
    picShow->hide();
    Shape1->hide();
    for (int n = 1; n <= 20; ++n) {
        emptyCell(picDisplay[size_t(n)]);
        picDisplay[size_t(n)]->hide();
    }
    Shape3->hide();
    CellKind.fill(0);
    for (SSCommand* b : cmdChoice) {
        b->setEnabled(true);
    }
    cmdOptions->setEnabled(true);
    fraChoices->show();
    Shape2->show();
}

void frmCount::Form_Unload() {
    endMode();
    Timer1->setEnabled(false);
}

} // namespace nibsy
