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
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"

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
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(2);
    setTextColor(frame, NumberInk);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    ActivityWindow::place(frame, left, top, width, height);
    return frame;
}

SSCommand* button(QWidget* parent, const QString& caption, const QFont& font) {
    auto* b = new SSCommand(caption, parent);
    b->setFont(font);
    return b;
}

// An empty cell: cyan, with a thin darker edge so that the cells of the grid stand apart.
void emptyCell(PictureBox* cell) {
    cell->Cls();
    const double px = pxToTwips(1);
    cell->Box(0, 0, cell->scaleWidth() - px, cell->scaleHeight() - px, CellEdge);
}

// A number printed big in the middle of a cell, black edged with white so that it shows on any item.
void printCentred(PictureBox* cell, const QString& text) {
    const double x = (cell->scaleWidth() - cell->TextWidth(text)) / 2;
    const double y = (cell->scaleHeight() - cell->TextHeight(text)) / 2;
    const double px = pxToTwips(2);
    const QColor ink = cell->foreColor();
    cell->setForeColor(Qt::white);
    for (const auto& [dx, dy] : {std::pair{-px, 0.0}, {px, 0.0}, {0.0, -px}, {0.0, px}}) {
        cell->currentX = x + dx;
        cell->currentY = y + dy;
        cell->Print(text);
    }
    cell->setForeColor(ink);
    cell->currentX = x;
    cell->currentY = y;
    cell->Print(text);
}

QString numberText(int n) {
    return formatNumber(n, QStringLiteral("#0"));
}

// The picture drawn at the given size, as large as fits without stretching it out of shape.
Picture fitted(const Picture& picture, QSize size) {
    if (picture.isNull() || size.isEmpty()) {
        return picture;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRectF room =
        QRectF(image.rect())
            .adjusted(size.width() * 0.05, size.height() * 0.05, -size.width() * 0.05, -size.height() * 0.05);
    QRectF target = room;
    const QSize natural = picture.size();
    if (natural.width() > 0 && natural.height() > 0) {
        const QSizeF shown = QSizeF(natural).scaled(room.size(), Qt::KeepAspectRatio);
        target = QRectF(QPointF(0, 0), shown);
        target.moveCenter(room.center());
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.draw(painter, target);
    painter.end();
    return Picture::fromImage(image);
}

} // namespace

frmCount::frmCount(QWidget* opener)
    : ActivityWindow(opener, 2, QStringLiteral("Counting Fun"), WindowWidth, WindowHeight) {
    setObjectName(QStringLiteral("frmCount"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowGrey);
    setPalette(pal);

    // Outlines first, so that everything else lies above them.
    Shape2 = outline(this, GridLeft - 60, GridTop - 60, GridWidth + 120, GridHeight + 120);
    Shape3 = outline(this, GridLeft, GridTop, GridWidth, GridHeight);
    Shape3->hide();
    Shape1 = outline(this, 900, 3060, 1335, 1335);
    Shape1->hide();

    QFont titleFont(QStringLiteral("Comic Sans MS"), 22);
    titleFont.setBold(true);
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
    QFont numberFont(QStringLiteral("Arial"), 60);
    numberFont.setBold(true);
    lblNumber->setFont(numberFont);
    lblNumber->setAlignment(Qt::AlignCenter);
    setTextColor(lblNumber, NumberInk);
    place(lblNumber, 120, 1320, 2760, 1680);

    QFont cellFont(QStringLiteral("Arial"), 28);
    cellFont.setBold(true);
    auto makeCell = [&](int left, int top) {
        auto* cell = new PictureBox(this);
        place(cell, left, top, CellSize, CellSize);
        cell->setBackColor(QBColor(3));
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
    QFont clickFont(QStringLiteral("Arial"), 12);
    clickFont.setBold(true);
    cmdClick[0] = button(this, QString(), clickFont);
    place(cmdClick[0], GridLeft, ClickTop, GridWidth / 10, ClickHeight);
    cmdClick[0]->hide();

    QFont stepFont(QStringLiteral("Arial"), 12);
    stepFont.setBold(true);
    cmdDone = button(this, QStringLiteral("&Done Drawing"), stepFont);
    place(cmdDone, GridLeft, 6030, 3015, 495);
    cmdDone->hide();
    connect(cmdDone, &QPushButton::clicked, this, &frmCount::cmdDone_Click);
    cmdScreen = button(this, QStringLiteral("Correct &Answer"), stepFont);
    place(cmdScreen, GridLeft + GridWidth - 3015, 6030, 3015, 495);
    cmdScreen->hide();
    connect(cmdScreen, &QPushButton::clicked, this, &frmCount::cmdScreen_Click);

    QFont blankFont(QStringLiteral("Arial"), 44);
    blankFont.setBold(true);
    const int blankLeft = GridLeft + (GridWidth - 4 * BlankSize - 3 * BlankGap) / 2;
    for (int r = 0; r < 4; ++r) {
        auto* box = new QLabel(this);
        box->setFont(blankFont);
        box->setAlignment(Qt::AlignCenter);
        box->setFrameShape(QFrame::Box);
        box->setLineWidth(2);
        box->setAutoFillBackground(true);
        QPalette bp = box->palette();
        bp.setColor(QPalette::Window, Qt::white);
        bp.setColor(QPalette::WindowText, NumberInk);
        box->setPalette(bp);
        place(box, blankLeft + r * (BlankSize + BlankGap), BlankTop, BlankSize, BlankSize);
        box->hide();
        lblBlank[size_t(r)] = box;
    }
    imgArrow = new PictureBox(this);
    place(imgArrow, blankLeft + (BlankSize - ArrowWidth) / 2, BlankTop - ArrowHeight - 60, ArrowWidth,
          ArrowHeight);
    imgArrow->setBackColor(WindowGrey);
    {
        // A red arrow pointing down at the box.
        const int w = imgArrow->width();
        const int h = imgArrow->height();
        imgArrow->setFillColor(QBColor(12));
        imgArrow->setForeColor(QBColor(4));
        imgArrow->setFillStyle(PictureBox::FillStyle::Solid);
        imgArrow->Polygon(QPolygon({QPoint(w * 3 / 10, 1), QPoint(w * 7 / 10, 1), QPoint(w * 7 / 10, h / 2),
                                    QPoint(w - 2, h / 2), QPoint(w / 2, h - 2), QPoint(1, h / 2),
                                    QPoint(w * 3 / 10, h / 2)}));
    }
    imgArrow->hide();

    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    QFont frameFont(QStringLiteral("Arial"), 10);
    frameFont.setBold(true);
    fraChoices->setFont(frameFont);
    place(fraChoices, GridLeft + 240, GridTop + 240, GridWidth - 480, GridHeight - 480);
    QFont choiceFont(QStringLiteral("Comic Sans MS"), 16);
    choiceFont.setBold(true);
    for (int i = 0; i < 7; ++i) {
        SSCommand* b = button(fraChoices, QString::fromLatin1(ModeCaption[size_t(i)]), choiceFont);
        place(b, 240, 360 + i * 585, GridWidth - 960, 495);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdChoice_Click(i); });
        cmdChoice[size_t(i)] = b;
    }

    fraChoice = new QGroupBox(this);
    place(fraChoice, 120, 4800, 2760, 1725);
    cmdOptions = button(fraChoice, QStringLiteral("&Options"), stepFont);
    place(cmdOptions, 120, 300, 2520, 555);
    connect(cmdOptions, &QPushButton::clicked, this, &frmCount::cmdOptions_Click);
    cmdHelp = button(fraChoice, QStringLiteral("&Help"), stepFont);
    place(cmdHelp, 120, 1020, 1200, 555);
    connect(cmdHelp, &QPushButton::clicked, this, &frmCount::cmdHelp_Click);
    cmdExit = button(fraChoice, QStringLiteral("E&xit"), stepFont);
    place(cmdExit, 1440, 1020, 1200, 555);
    connect(cmdExit, &QPushButton::clicked, this, &frmCount::cmdExit_Click);

    Timer1 = new WindowTimer(this, 500);
    Timer1->onTick([this] { Timer1_Timer(); });

    setFocusPolicy(Qt::StrongFocus);
    setKeyPreview(true);
}

frmCount::~frmCount() = default;

void frmCount::Form_Load() {
    ActivityWindow::Form_Load();
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
    TadaWave = FullPath(QStringLiteral("tada.wav"));
    UhohWave = FullPath(QStringLiteral("uhoh.wav"));
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
        auto* b = button(this, formatNumber(n, QStringLiteral("##")), cmdClick[0]->font());
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

int frmCount::Items() const {
    return clampSetting(settings().CountItems, 0, 2);
}

void frmCount::LoadItemPictures() {
    for (auto& picture : picHide) {
        picture = Picture();
    }
    const int items = Items();
    if (items == 0) {
        return; // shapes are drawn
    }
    const QSize cell = picDisplay[1]->size();
    for (int k = 1; k <= 9; ++k) {
        const QString name =
            items == 1 ? QString::fromLatin1(PictureFile[size_t(k)]) : QStringLiteral("dino%1.wmf").arg(k);
        picHide[size_t(k)] = fitted(pictures().load(name), cell);
    }
}

// A new item for the question: any of the nine kinds, in a bright colour.
void frmCount::ChooseItem() {
    ItemKind = rnd().upTo(9);
    do {
        ItemColor = int(rnd().next() * 6) + 9;
    } while (Items() == 0 && ItemColor == LightCyan);
}

void frmCount::DrawItem(PictureBox* target, int kind) {
    if (kind < 1 || kind > 9) {
        return;
    }
    if (Items() == 0) {
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
        if (Mode == 2 || Mode == 3) {
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
    PlayWave(n == 1 ? ItemWave[size_t(Items())] : ItemsWave[size_t(Items())], 0);
}

void frmCount::cmdChoice_Click(int Index) {
    if (Running || Index < 0 || Index > 6) {
        return;
    }
    Mode = Index + 1;
    fraChoices->hide();
    Shape2->hide();
    for (SSCommand* b : cmdChoice) {
        b->setEnabled(false);
    }
    cmdOptions->setEnabled(false);
    cmdExit->setText(QStringLiteral("&Stop"));
    Running = 1;
    Answered = 0;
    if (Mode != 7) {
        ClearCells();
    }
    lblTitle1->setText(QString::fromLatin1(TitleTop[size_t(Index)]));
    lblTitle2->setText(QString::fromLatin1(TitleBottom[size_t(Index)]));
    setFocus();

    switch (Mode) {
    case 1:
        ChooseItem();
        Number = 1;
        Timer1->setEnabled(true);
        break;
    case 2:
        Number = 1;
        cmdScreen->setText(QStringLiteral("&Next Number"));
        cmdScreen->show();
        NewQuestion();
        break;
    case 3:
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
        if (Mode == 4 || Mode == 6) {
            ShowButtons(true);
        } else if (Mode == 5) {
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
    if (!Running || Mode != 1) {
        Timer1->setEnabled(false);
        return;
    }
    const int n = Number;
    if (n >= 1 && n <= 10) {
        // The first row holds 1 to 5 and the third row 6 to 10.
        PictureBox* cell = picDisplay[size_t(n <= 5 ? n : n + 5)];
        DrawItem(cell, ItemKind);
        printCentred(cell, numberText(n));
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
    switch (Mode) {
    case 2:
    case 3:
        lblNumber->setText(numberText(Number));
        ShowSample();
        Pause(0.5);
        CountOut();
        Pause(0.5);
        SayNumber(Number);
        SayItemWord(Number);
        if (Mode == 3) {
            Pause(2);
            ClearCells();
            lblNumber->setText(QStringLiteral("--"));
            DigitState = 1;
        }
        break;
    case 4:
        lblNumber->setText(QStringLiteral("-"));
        ClearCells();
        Number = rnd().upTo(B);
        DigitPos = 1;
        DigitCount = Number > 9 ? 2 : 1;
        ShowSample();
        CountOut();
        break;
    case 5:
        ClearCells();
        CellKind.fill(0);
        DrawCount = 0;
        Number = rnd().upTo(B);
        lblNumber->setText(numberText(Number));
        ShowSample();
        SayNumber(Number);
        SayItemWord(Number);
        break;
    case 6: {
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
    case 7:
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
    if (int(rnd().next() * 2) == 0) {
        s = int(rnd().next() * (M - 3)) + 1;
    } else {
        const int e = int(rnd().next() * (M - 3)) + 4;
        s = e - 3;
    }
    for (int r = 0; r < 4; ++r) {
        BlankNumbers[size_t(r)] = s + r;
        lblBlank[size_t(r)]->clear();
    }
    const int given = int(rnd().next() * 4);
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
    switch (Mode) {
    case 4:
        lblNumber->setText(numberText(Number));
        SayNumber(Number);
        SayItemWord(Number);
        break;
    case 6:
        lblNumber->setText(numberText(Number));
        SayNumber(Number);
        break;
    case 7:
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
    Answered = 1;
    ShowAnswer();
    PlayWave(TadaWave, 0);
    Pause(2);
    NewQuestion();
}

void frmCount::Form_KeyPress(int& KeyAscii) {
    if (!Running || Mode < 3) {
        return;
    }
    const int key = KeyAscii;
    switch (Mode) {
    case 3:
        KeyAscii = 0;
        PressNumberKey(key);
        break;
    case 4:
    case 6:
        KeyAscii = 0;
        DigitKey(key);
        break;
    case 7:
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

// What Number? and Mix and Count: the answer is typed digit by digit.
void frmCount::DigitKey(int key) {
    if (key < '0' || key > '9') {
        sound().beep();
        return;
    }
    const QString answer = numberText(Number);
    if (DigitPos < 1 || DigitPos > int(answer.size()) || answer[DigitPos - 1] != QChar(key)) {
        PlayWave(UhohWave, 0);
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
    if (key < '0' || key > '9') {
        sound().beep();
        return;
    }
    if (BlankNo < 0 || BlankNo > 3) {
        return;
    }
    const QString answer = numberText(BlankNumbers[size_t(BlankNo)]);
    if (DigitPos < 1 || DigitPos > int(answer.size()) || answer[DigitPos - 1] != QChar(key)) {
        PlayWave(UhohWave, 0);
        return;
    }
    if (DigitPos < DigitCount) {
        lblBlank[size_t(BlankNo)]->setText(answer.left(DigitPos));
        ++DigitPos;
        return;
    }
    Answered = 1;
    ShowAnswer();
    if (BlankNo > 3) {
        PlayWave(TadaWave, 0);
        Pause(2);
        NewQuestion();
    }
}

void frmCount::cmdClick_Click(int Index) {
    if (!Running || Index < 1 || Index > 20) {
        return;
    }
    if (Mode == 3) {
        Number = Index;
        NewQuestion();
    } else if (Mode == 4 || Mode == 6) {
        if (Index == Number) {
            RightAnswer();
        } else {
            PlayWave(UhohWave, 0);
        }
    }
    setFocus();
}

void frmCount::picDisplay_Click(int Index) {
    if (!Running || Mode != 5 || Index < 1 || Index > 20) {
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
    if (!Running || Mode != 5) {
        return;
    }
    if (DrawCount == Number) {
        Answered = 1;
        PlayWave(TadaWave, 0);
        SayNumber(Number);
        SayItemWord(Number);
        Pause(2);
        NewQuestion();
    } else {
        PlayWave(UhohWave, 0);
    }
    setFocus();
}

void frmCount::cmdScreen_Click() {
    if (!Running) {
        return;
    }
    Answered = 0;
    switch (Mode) {
    case 2:
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
    case 4:
    case 6:
        ShowAnswer();
        Pause(2);
        NewQuestion();
        break;
    case 5:
        ClearCells();
        CountOut();
        Pause(0.5);
        SayNumber(Number);
        SayItemWord(Number);
        Pause(2);
        NewQuestion();
        break;
    case 7:
        ShowAnswer();
        if (BlankNo > 3) {
            Pause(2);
            NewQuestion();
        }
        break;
    default:
        break;
    }
    if (Running) {
        setFocus();
    }
}

void frmCount::cmdOptions_Click() {
    if (Running) {
        return;
    }
    {
        optCount options(this);
        options.Form_Load();
        options.showModal();
    }
    LoadItemPictures();
}

void frmCount::cmdExit_Click() {
    if (Running) {
        StopMode();
    } else {
        unload();
    }
}

// Back to the choice screen: nothing runs and the grid is put away.
void frmCount::StopMode() {
    Running = 0;
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
    cmdExit->setText(QStringLiteral("E&xit"));
    for (SSCommand* b : cmdChoice) {
        b->setEnabled(true);
    }
    cmdOptions->setEnabled(true);
    fraChoices->show();
    Shape2->show();
}

void frmCount::Form_Unload() {
    Running = 0;
    Timer1->setEnabled(false);
}

} // namespace nibsy
