// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/frmMaze.h"

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/WindowTimer.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace nibsy {

namespace {

constexpr int FormWidth = 13800;
constexpr int FormHeight = 8400;
// The field: 27 squares across and 19 down, each 390 twips (26 pixels) square.
constexpr int FieldLeft = 120;
constexpr int FieldTop = 840;
constexpr int FieldWidth = 27 * 390;
constexpr int FieldHeight = 19 * 390;
constexpr int PanelLeft = FieldLeft + FieldWidth + 240;
constexpr int PanelWidth = FormWidth - PanelLeft - 120;

const QColor Floor(226, 246, 214);
const QColor WallColour(46, 64, 168);
const QColor WayOutColour(0, 160, 60);
// The printed way out's width in screen pixels, about a quarter of a square.
constexpr int WayOutWidth = 6;

QString lines(const QString& text) {
    return QtDialogs::plainLines(text);
}

// A transparent image of that size, with draw(painter, width, height) done on it smoothly.
template <typename Draw> QImage paintedImage(QSize size, Draw draw) {
    QImage image = deviceImage(size, screenRatio());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, double(size.width()), double(size.height()));
    p.end();
    return image;
}

// The figure the child walks: a cheerful little fellow in a red cap with a white bobble.
QImage figureImage(QSize size) {
    return paintedImage(size, [](QPainter& p, double w, double h) {
        const QColor outline(90, 20, 20);
        p.setPen(QPen(outline, std::max(1.0, w / 26)));
        // Body and belt.
        p.setBrush(QColor(230, 30, 40));
        p.drawRoundedRect(QRectF(0.16 * w, 0.56 * h, 0.68 * w, 0.42 * h), 0.14 * w, 0.14 * w);
        p.setBrush(QColor(30, 30, 30));
        p.drawRect(QRectF(0.16 * w, 0.76 * h, 0.68 * w, 0.07 * h));
        // Face.
        p.setBrush(QColor(255, 214, 170));
        p.drawEllipse(QPointF(0.5 * w, 0.42 * h), 0.27 * w, 0.24 * h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 30, 30));
        p.drawEllipse(QPointF(0.4 * w, 0.41 * h), 0.045 * w, 0.05 * h);
        p.drawEllipse(QPointF(0.6 * w, 0.41 * h), 0.045 * w, 0.05 * h);
        p.setPen(QPen(QColor(40, 30, 30), std::max(1.0, w / 26), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(0.38 * w, 0.4 * h, 0.24 * w, 0.14 * h), 200 * 16, 140 * 16);
        // Cap with its bobble.
        p.setPen(QPen(outline, std::max(1.0, w / 26)));
        p.setBrush(QColor(230, 30, 40));
        const QPointF cap[] = {{0.2 * w, 0.28 * h}, {0.8 * w, 0.28 * h}, {0.68 * w, 0.04 * h}};
        p.drawPolygon(cap, 3);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(0.18 * w, 0.23 * h, 0.64 * w, 0.1 * h), 0.04 * w, 0.04 * w);
        p.drawEllipse(QPointF(0.72 * w, 0.07 * h), 0.08 * w, 0.065 * h);
    });
}

// A treasure bag: a fat golden sack tied at the neck, with a shine.
QImage bagImage(QSize size) {
    return paintedImage(size, [](QPainter& p, double w, double h) {
        p.setPen(QPen(QColor(120, 70, 0), std::max(1.0, w / 22)));
        p.setBrush(QColor(255, 196, 0));
        QPainterPath sack;
        sack.moveTo(0.38 * w, 0.3 * h);
        sack.cubicTo(0.02 * w, 0.45 * h, 0.04 * w, 0.95 * h, 0.5 * w, 0.95 * h);
        sack.cubicTo(0.96 * w, 0.95 * h, 0.98 * w, 0.45 * h, 0.62 * w, 0.3 * h);
        sack.closeSubpath();
        p.drawPath(sack);
        // The neck above the tie, flaring out.
        const QPointF neck[] = {
            {0.38 * w, 0.3 * h}, {0.62 * w, 0.3 * h}, {0.76 * w, 0.06 * h}, {0.24 * w, 0.06 * h}};
        p.drawPolygon(neck, 4);
        p.setBrush(QColor(170, 40, 200));
        p.drawRoundedRect(QRectF(0.32 * w, 0.26 * h, 0.36 * w, 0.09 * h), 0.03 * w, 0.03 * w);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 210));
        p.drawEllipse(QPointF(0.33 * w, 0.6 * h), 0.07 * w, 0.12 * h);
    });
}

// The exit marker: a red arrow pointing up, the way out.
Picture upArrowPicture(QSize size, const QColor& background) {
    return Picture::fromImage(
        downArrowPicture(size, background).toImage(size, screenRatio()).mirrored(false, true));
}

// A hidden picture box that holds one of the pictures copied into the field, on the field's floor.
PictureBox* holder(QWidget* parent) {
    auto* box = new PictureBox(parent);
    box->setBackColor(Floor);
    box->hide();
    return box;
}

void hold(PictureBox* box, QSize pixels, const QImage& picture) {
    box->resize(pixels);
    box->setPicture(Picture::fromImage(picture));
    box->Cls();
}

} // namespace

const ActivityDescriptor frmMaze::Activity{
    .menuIndex = 14,
    .caption = "Treasure Maze",
    .helpContext = 14,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmMaze(opener); },
    .background = QColor(255, 248, 214)};

frmMaze::frmMaze(QWidget* opener) : ModeWindow(opener, Activity) {
    picField = new PictureBox(this);
    place(picField, FieldLeft, FieldTop, FieldWidth, FieldHeight);
    picField->setBackColor(Floor);
    picField->setTakesFocus(true);
    picField->Cls();
    connect(picField, &PictureBox::KeyDown, this, &frmMaze::picField_KeyDown);

    picSanta = holder(this);
    picBag = holder(this);
    picArrow = new PictureBox(this);
    picArrow->hide();
    lblArrow = makeLabel(this, QStringLiteral("Exit"), comicFont(16, true), Qt::AlignLeft | Qt::AlignVCenter);
    setTextColor(lblArrow, QColor(200, 0, 0));
    lblArrow->hide();

    lblMessage = makeLabel(this, QString(), comicFont(18, true), Qt::AlignCenter);
    setTextColor(lblMessage, QColor(128, 0, 0));
    place(lblMessage, PanelLeft, FieldTop, PanelWidth, 1800);
    Label1 = makeLabel(this, QStringLiteral("Time"), comicFont(14, true), Qt::AlignCenter);
    place(Label1, PanelLeft, 2820, PanelWidth, 420);
    lblTimer = makeLabel(this, QStringLiteral("0:00"), comicFont(24, true), Qt::AlignCenter);
    lblTimer->setAutoFillBackground(true);
    lblTimer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette clock = lblTimer->palette();
    clock.setColor(QPalette::Window, Qt::white);
    clock.setColor(QPalette::WindowText, QColor(0, 0, 140));
    lblTimer->setPalette(clock);
    place(lblTimer, PanelLeft + 360, 3240, PanelWidth - 720, 720);

    const QFont buttons = comicFont(12, true);
    const int buttonTop = FieldTop + FieldHeight - 4 * 600 - 3 * 180;
    const auto button = [&](const QString& caption, int row, std::function<void()> onClick) {
        return makeButton(this, caption, buttons, QRect(PanelLeft, buttonTop + row * 780, PanelWidth, 600),
                          std::move(onClick));
    };
    cmdNew = button(QStringLiteral("&New Maze"), 0, [this] { cmdNew_Click(); });
    cmdPrint = button(QStringLiteral("&Print Maze"), 1, [this] { cmdPrint_Click(); });
    cmdHelp = button(QStringLiteral("&Help"), 2, [this] { cmdHelp_Click(); });
    cmdExit = button(QStringLiteral("E&xit"), 3, [this] { cmdExit_Click(); });
    setFrameButtons(cmdExit, cmdHelp, cmdNew);

    Timer1 = new WindowTimer(this, 1000);
    Timer1->onTick([this] { Timer1_Timer(); });
}

void frmMaze::Form_Load() {
    ModeWindow::Form_Load();
    Printing = false;
    CellHeight = near(picField->scaleHeight() / 19);
    CellWidth = near(picField->scaleWidth() / 27);
    picField->setScale(0, 0, 27 * CellWidth, 19 * CellHeight);

    const QSize square = squarePixels(1, 1).size();
    hold(picSanta, square, figureImage(square));
    hold(picBag, square, bagImage(square));
    FloorSquare = QImage(square, QImage::Format_RGB32);
    FloorSquare.fill(Floor);
    FigurePicture = Picture::fromImage(figureImage({240, 240}));
    BagPicture = Picture::fromImage(bagImage({240, 240}));
    ExitPicture = upArrowPicture({240, 240}, Qt::transparent);

    // Over the gap the exit opens in the wall above room (2, 4), with its name beside it.
    const int arrowSize = 600;
    const int gapMiddle = FieldLeft + int(3.5 * FieldWidth / 27);
    place(picArrow, gapMiddle - arrowSize / 2, FieldTop - arrowSize - 30, arrowSize, arrowSize);
    picArrow->setPicture(upArrowPicture(picArrow->size(), Activity.background));
    picArrow->Cls();
    place(lblArrow, gapMiddle + arrowSize / 2 + 60, FieldTop - arrowSize - 30, 1500, arrowSize);

    DingWave = FullPath(QStringLiteral("ding.wav"));
    WowWave = FullPath(QStringLiteral("wow.wav"));
    NewMazeNext = true;
    cmdPrint->setEnabled(false);
    lblMessage->setText(lines(QStringLiteral("Click on\rNew Maze\rTo Start")));
}

void frmMaze::NewMaze() {
    Maze.NewMaze();
    MazeShown = true;
    picField_Paint();
}

QRect frmMaze::squarePixels(int row, int col) const {
    const QPoint from = picField->toPixels((col - 1) * CellWidth, (row - 1) * CellHeight).toPoint();
    const QPoint to = picField->toPixels(col * CellWidth, row * CellHeight).toPoint();
    return QRect(from, to - QPoint(1, 1));
}

void frmMaze::copyInto(int row, int col, const QImage& picture) {
    const QRect at = squarePixels(row, col);
    picField->BitBlt(at.x(), at.y(), at.width(), at.height(), picture, 0, 0);
}

void frmMaze::DrawMaze(Surface& target) {
    // The player and the bags stand on floor; on paper the way out is open from the start.
    MazeRules walls = Maze;
    if (Printing) {
        walls.set(MazeRules::ExitRow, MazeRules::ExitCol, MazeRules::Floor);
    }
    const QColor ink = Printing ? QColor(0, 0, 0) : WallColour;
    // A filled box is edged a pixel beyond its right and bottom; the bars end that pixel short, so that
    // a wall ends at the edge of its square and not a pixel into the next.
    const QPointF pixel = target.fromPixels({1, 1}) - target.fromPixels({0, 0});
    for (int row = 1; row <= MazeRules::Rows - 2; ++row) {
        for (int col = 1; col <= MazeRules::Cols - 2; ++col) {
            if (!walls.isWallPiece(row, col)) {
                continue;
            }
            const double x = (col - 1) * CellWidth;
            const double y = (row - 1) * CellHeight;
            for (const QRectF& bar : MazeRules::WallBars(walls.WallPattern(row, col))) {
                target.BoxFilled(x + bar.left() * CellWidth, y + bar.top() * CellHeight,
                                 x + bar.right() * CellWidth - pixel.x(),
                                 y + bar.bottom() * CellHeight - pixel.y(), ink);
            }
        }
    }
    const auto cornerX = [this](int col) { return (col - 1) * CellWidth; };
    const auto cornerY = [this](int row) { return (row - 1) * CellHeight; };
    if (Printing) {
        // Squares on paper are taller than wide: each picture keeps its shape, in the middle of its square.
        const QPointF square = target.toPixels(CellWidth, CellHeight) - target.toPixels(0, 0);
        const double side = std::min(square.x(), square.y());
        const double w = CellWidth * side / square.x();
        const double h = CellHeight * side / square.y();
        const auto paintIn = [&](const Picture& picture, int row, int col) {
            target.PaintPicture(picture, cornerX(col) + (CellWidth - w) / 2,
                                cornerY(row) + (CellHeight - h) / 2, w, h);
        };
        paintIn(ExitPicture, MazeRules::ExitRow, MazeRules::ExitCol);
        paintIn(FigurePicture, MazeRules::StartRow, MazeRules::StartCol);
        for (int k = 0; k < MazeRules::Bags; ++k) {
            paintIn(BagPicture, Maze.TreasureRow[size_t(k)], Maze.TreasureCol[size_t(k)]);
        }
        return;
    }
    if (Maze.ExitState != MazeRules::WalkedOut) {
        copyInto(Maze.PlayerRow, Maze.PlayerCol, picSanta->image());
    }
    // Only the bags still lying in the maze: one picked up stays picked up.
    for (int k = 0; k < MazeRules::Bags; ++k) {
        const int row = Maze.TreasureRow[size_t(k)];
        const int col = Maze.TreasureCol[size_t(k)];
        if (Maze.ExitState == MazeRules::ExitClosed && Maze.at(row, col) == MazeRules::Bag) {
            copyInto(row, col, picBag->image());
        }
    }
}

void frmMaze::picField_Paint() {
    picField->Cls();
    if (MazeShown) {
        DrawMaze(*picField);
    }
}

void frmMaze::ShowTreasuresLeft() {
    lblMessage->setText(lines(QStringLiteral("Find\rTreasures\r") + formatNumber(Maze.TreasuresLeft, "#") +
                              QStringLiteral(" Left")));
}

void frmMaze::cmdNew_Click() {
    if (running()) {
        return;
    }
    if (NewMazeNext) {
        NewMazeNext = false;
        NewMaze();
        cmdNew->setText(QStringLiteral("&Solve Maze"));
        cmdExit->setText(QStringLiteral("E&xit"));
        cmdPrint->setEnabled(true);
        lblTimer->setText(QStringLiteral("0:00"));
        lblMessage->setText(lines(QStringLiteral("Click on\rSolve Maze\rTo Start")));
        return;
    }
    NewMazeNext = true;
    cmdNew->setEnabled(false);
    cmdPrint->setEnabled(false);
    beginMode(1);
    ShowTreasuresLeft();
    lblTimer->setText(QStringLiteral("0:00"));
    Timer1->setEnabled(true);
    StartTime = clock().monotonicMs();
    picField->setFocus();
}

void frmMaze::picField_KeyDown(int& KeyCode, Qt::KeyboardModifiers) {
    if (!running()) {
        return;
    }
    int dRow = 0;
    int dCol = 0;
    switch (KeyCode) {
    case Qt::Key_Left:
        dCol = -1;
        break;
    case Qt::Key_Right:
        dCol = 1;
        break;
    case Qt::Key_Up:
        dRow = -1;
        break;
    case Qt::Key_Down:
        dRow = 1;
        break;
    default:
        return;
    }
    const int fromRow = Maze.PlayerRow;
    const int fromCol = Maze.PlayerCol;
    const MazeRules::Step step = Maze.Move(dRow, dCol);
    if (step == MazeRules::Step::Blocked) {
        return;
    }
    copyInto(fromRow, fromCol, FloorSquare);
    if (step == MazeRules::Step::LeftMaze) {
        StopMode();
        return;
    }
    copyInto(Maze.PlayerRow, Maze.PlayerCol, picSanta->image());
    if (step == MazeRules::Step::Moved) {
        PlayWave(DingWave, 1);
        return;
    }
    PlayWave(WowWave, 1);
    if (Maze.TreasuresLeft > 0) {
        ShowTreasuresLeft();
        return;
    }
    lblMessage->setText(lines(QStringLiteral("\rGo To\rExit")));
    picArrow->show();
    lblArrow->show();
    copyInto(MazeRules::ExitRow, MazeRules::ExitCol, FloorSquare);
}

// The clock counts whole minutes however many there are, on a clock that never goes back.
void frmMaze::Timer1_Timer() {
    const qint64 seconds = std::max<qint64>(0, clock().monotonicMs() - StartTime) / 1000;
    lblTimer->setText(QString::number(seconds / 60) + u':' +
                      QStringLiteral("%1").arg(seconds % 60, 2, 10, QChar(u'0')));
}

void frmMaze::StopMode() {
    Timer1->setEnabled(false);
    picArrow->hide();
    lblArrow->hide();
    endMode();
    if (Maze.ExitState == MazeRules::WalkedOut) {
        lblMessage->setText(lines(QStringLiteral("\rYou Made It!")));
        PlayWave(TadaWave, 0);
    } else {
        lblMessage->setText(lines(QStringLiteral("\rGame\rStopped")));
    }
    cmdExit->setText(QStringLiteral("E&xit"));
    cmdNew->setText(QStringLiteral("&New Maze"));
    cmdNew->setEnabled(true);
    cmdPrint->setEnabled(true);
}

void frmMaze::DrawWayOut(Surface& target) {
    const std::vector<MazeRules::Square> way = Maze.WayOut();
    const auto middle = [this](MazeRules::Square s) {
        return QPointF((s.col - 0.5) * CellWidth, (s.row - 0.5) * CellHeight);
    };
    target.setDrawWidth(WayOutWidth);
    for (size_t i = 1; i < way.size(); ++i) {
        const QPointF from = middle(way[i - 1]);
        const QPointF to = middle(way[i]);
        target.Line(from.x(), from.y(), to.x(), to.y(), WayOutColour);
    }
    target.setDrawWidth(1);
}

void frmMaze::cmdPrint_Click() {
    if (!dialogs().okCancel(this, QStringLiteral("Make sure printer is on-line and ready."),
                            QStringLiteral("Print Maze"))) {
        return;
    }
    std::unique_ptr<PrintJob> job = printer().begin(this, QStringLiteral("Treasure Maze"));
    if (!job) {
        return; // cancelled, or already told why not
    }
    PrintJob& page = *job;
    const double pointsWide = page.scaleWidth() / 20;
    const double pointsHigh = page.scaleHeight() / 20;
    // The title lines in points, then the maze filling the page within its margins.
    const auto printPage = [&](const QString& title, bool wayOut) {
        Printing = true;
        page.setScale(0, 0, pointsWide, pointsHigh);
        page.setFont(QStringLiteral("Courier New"), 12);
        page.currentX = 100;
        page.currentY = 100;
        page.Print(title);
        page.currentX = 195;
        page.currentY = 130;
        page.Print(QStringLiteral("EXIT (Find Treasures Before Exiting)"));
        const double W = picField->scaleWidth();
        const double H = picField->scaleHeight();
        page.setScale(-0.111 * W, -0.25 * H, 1.111 * W, 1.167 * H);
        if (wayOut) {
            DrawWayOut(page); // under the pictures, which stand on it
        }
        DrawMaze(page);
        Printing = false; // the field keeps its own look while the question is open
    };
    printPage(QStringLiteral("Treasure Maze"), false);
    if (dialogs().okCancel(this, QStringLiteral("Print the way out too?"), QStringLiteral("Print Maze"))) {
        page.newPage();
        printPage(QStringLiteral("Treasure Maze — The Way Out"), true);
    }
    reportPrinting(this, job->end(), QStringLiteral("Print Maze"));
}

void frmMaze::Form_Unload() {
    Timer1->setEnabled(false);
}

} // namespace nibsy
