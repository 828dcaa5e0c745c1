// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/frmTic.h"

#include "games/optTic.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/OpenWindow.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace nibsy {

namespace {

constexpr int WindowWidth = 7800;
constexpr int WindowHeight = 4620;

// The board: three cells of CellPitch twips a side from (GridLeft, GridTop); the grid lines are
// LineWidth wide between them.
constexpr int GridLeft = 360;
constexpr int GridTop = 360;
constexpr int CellPitch = 1260;
constexpr int GridSize = 3 * CellPitch;
constexpr int LineWidth = 75;
constexpr int CellInset = 75;

// The side panel.
constexpr int PanelLeft = 4560;
constexpr int SymbolSize = 780;

const QColor WindowGrey(224, 224, 224);
const QColor Ink(0, 0, 128);
// The sides' symbols: a red cross for side 1, a blue ring for side 2; the win line is magenta.
constexpr int CrossColor = 12;
constexpr int RingColor = 9;
constexpr int WinColor = 5;

// A side's symbol, drawn as vectors on a grid of 256.
Picture symbolPicture(int side) {
    constexpr int size = 256;
    return Picture::fromDrawing({size, size}, [side](QPainter& p) {
        if (side == 1) {
            p.setPen(QPen(QBColor(CrossColor), 40, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(56, 56), QPointF(200, 200));
            p.drawLine(QPointF(200, 56), QPointF(56, 200));
        } else {
            p.setPen(QPen(QBColor(RingColor), 36));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(128, 128), 78, 78);
        }
    });
}

QFrame* gridLine(QWidget* parent, int left, int top, int width, int height) {
    auto* line = new QFrame(parent);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, Ink);
    line->setPalette(pal);
    ActivityWindow::place(line, left, top, width, height);
    return line;
}

// The centre of cell i in window pixels.
QPoint cellCentre(int i) {
    const int col = (i - 1) % 3;
    const int row = (i - 1) / 3;
    return {twipsToPx(GridLeft + col * CellPitch + CellPitch / 2),
            twipsToPx(GridTop + row * CellPitch + CellPitch / 2)};
}

} // namespace

const ActivityDescriptor frmTic::Activity{
    .menuIndex = 13,
    .caption = "Tic Tac Toe",
    .helpContext = 13,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmTic(opener); },
    .background = WindowGrey};

TicWinLine::TicWinLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TicWinLine::setEnds(QPoint from, QPoint to) {
    m_from = from;
    m_to = to;
    update();
}

void TicWinLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QBColor(WinColor), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m_from, m_to);
}

frmTic::frmTic(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmTic"));

    for (int n = 0; n < 2; ++n) {
        const int at = GridLeft + (n + 1) * CellPitch - LineWidth / 2;
        Line1[size_t(n)] = gridLine(this, at, GridTop, LineWidth, GridSize);
        Line2[size_t(n)] = gridLine(this, GridLeft, at, GridSize, LineWidth);
    }
    for (int i = 1; i <= 9; ++i) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("imgTic%1").arg(i));
        place(box, GridLeft + (i - 1) % 3 * CellPitch + CellInset,
              GridTop + (i - 1) / 3 * CellPitch + CellInset, CellPitch - 2 * CellInset,
              CellPitch - 2 * CellInset);
        box->setBackColor(WindowGrey);
        box->setCursor(Qt::PointingHandCursor);
        connect(box, &PictureBox::Click, this, [this, i] { imgTic_Click(i); });
        imgTic[size_t(i)] = box;
    }

    const QFont nameFont = comicFont(16, true);
    for (int side = 1; side <= 2; ++side) {
        const int top = 360 + (side - 1) * (SymbolSize + 180);
        auto* symbol = new PictureBox(this);
        place(symbol, PanelLeft, top, SymbolSize, SymbolSize);
        symbol->setBackColor(Qt::white);
        imgDisplay[size_t(side)] = symbol;
        lblPlayer[size_t(side)] = makeLabel(this, QString(), nameFont, Qt::AlignLeft | Qt::AlignVCenter);
        setTextColor(lblPlayer[size_t(side)], Ink);
        place(lblPlayer[size_t(side)], PanelLeft + SymbolSize + 180, top, 2280, SymbolSize);
    }

    lblMessage = makeLabel(this, QString(), comicFont(16, true), Qt::AlignHCenter | Qt::AlignTop);
    setTextColor(lblMessage, Ink);
    place(lblMessage, PanelLeft, 2040, 3000, 1140);

    const CommandButtons buttons = makeCommandButtons(this, {.first = QRect(PanelLeft, 3300, 1440, 495),
                                                             .columns = 2,
                                                             .step = {1560, 600},
                                                             .font = arialFont(12, true),
                                                             .onNew = [this] { cmdNew_Click(); },
                                                             .onOptions = [this] { cmdOptions_Click(); }});
    cmdNew = buttons.cmdNew;
    cmdOptions = buttons.cmdOptions;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp, cmdNew);

    linWin = new TicWinLine(this);
    place(linWin, 0, 0, WindowWidth, WindowHeight);
    linWin->hide();
}

frmTic::~frmTic() = default;

void frmTic::Form_Load() {
    ModeWindow::Form_Load();
    ZipWave = FullPath(QStringLiteral("zipecho.wav"));
    for (int side = 1; side <= 2; ++side) {
        imgDisplay[size_t(side)]->setPicture(symbolPicture(side));
    }
    SetPlayerNames();
}

bool frmTic::OnePlayer() const {
    return settingOr(settings().TicPlayers, 1, 2, 1) == 1;
}

void frmTic::SetPlayerNames() {
    lblPlayer[1]->setText(OnePlayer() ? QStringLiteral("You") : QStringLiteral("Player 1"));
    lblPlayer[2]->setText(OnePlayer() ? QStringLiteral("Computer") : QStringLiteral("Player 2"));
}

void frmTic::ShowMessage(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void frmTic::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    cmdOptions->setEnabled(false);
    constexpr std::array<double, 5> Share{0, 1.0, 0.5, 0.25, 0};
    RandomShare = Share[size_t(settingOr(settings().TicLevel, 1, 4, 4))];
    for (int i = 1; i <= 9; ++i) {
        Board[size_t(i)] = 0;
        imgTic[size_t(i)]->setPicture(Picture());
    }
    // A stop before the first move must not report the game before.
    Result = 0;
    LastCell = 0;
    linWin->hide();
    SetPlayerNames();
    if (!OnePlayer()) {
        Side = 1;
        ShowMessage(QStringLiteral("\nPlayer 1's Turn\nClick Box"));
    } else if (settingOr(settings().TicFirst, 0, 1, 1) == 1) {
        ShowMessage(QStringLiteral("\nComputer's\nTurn"));
        Pause(1);
        Side = 2;
        if (running()) {
            ComputerMove();
        }
    } else {
        Side = 1;
        ShowMessage(QStringLiteral("\nYour Turn\nClick Box"));
    }
}

void frmTic::imgTic_Click(int Index) {
    // In a one-player game the board is the computer's while it moves.
    if (!running() || Index < 1 || Index > 9 || (OnePlayer() && Side != 1)) {
        return;
    }
    if (Board[size_t(Index)] != 0) {
        PlayWave(UhohWave, 0);
        return;
    }
    LastCell = Index;
    Board[size_t(Index)] = qint16(Side);
    PlaceMark(Index);
    AfterMove();
}

void frmTic::PlaceMark(int Index) {
    imgTic[size_t(Index)]->setPicture(imgDisplay[size_t(Side)]->picture());
    imgTic[size_t(Index)]->repaint();
    PlayWave(ZipWave, 0);
}

void frmTic::AfterMove() {
    static constexpr std::array<std::array<int, 3>, 8> Lines{
        {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 4, 7}, {2, 5, 8}, {3, 6, 9}, {1, 5, 9}, {3, 5, 7}}};
    Result = 0;
    for (const auto& line : Lines) {
        const qint16 mark = Board[size_t(line[0])];
        if (mark != 0 && Board[size_t(line[1])] == mark && Board[size_t(line[2])] == mark) {
            Result = Side;
            WinFrom = line[0];
            WinTo = line[2];
            break;
        }
    }
    if (Result == 0 && std::find(Board.begin() + 1, Board.end(), 0) == Board.end()) {
        Result = -1;
    }
    if (Result != 0) {
        if (Result > 0) {
            DrawWinLine(WinFrom, WinTo);
        }
        PlayWave(TadaWave, 0);
        if (running()) {
            StopMode();
        }
        return;
    }
    Side = Side == 1 ? 2 : 1;
    if (!OnePlayer()) {
        ShowMessage(QStringLiteral("\nPlayer %1's Turn\nClick Box").arg(Side));
    } else if (Side == 1) {
        ShowMessage(QStringLiteral("\nYour Turn\nClick Box"));
    } else {
        ShowMessage(QStringLiteral("\nComputer's\nTurn"));
        ComputerMove();
    }
}

int frmTic::RandomCell() {
    int k = 0;
    do {
        k = rnd().upTo(9);
    } while (Board[size_t(k)] != 0);
    return k;
}

void frmTic::ComputerMove() {
    int k = 0;
    if (rnd().next() < RandomShare) {
        k = RandomCell();
    } else {
        k = ChooseTicCell(Board, LastCell).cell;
    }
    if (k < 1 || k > 9) {
        return;
    }
    Board[size_t(k)] = ComputerMark;
    PlaceMark(k);
    AfterMove();
}

// A row: across the whole grid at the height of its cells' centres; a column likewise downwards; a
// diagonal from corner to corner.
void frmTic::DrawWinLine(int a, int c) {
    const int gridLeft = twipsToPx(GridLeft);
    const int gridTop = twipsToPx(GridTop);
    const int gridRight = twipsToPx(GridLeft + GridSize);
    const int gridBottom = twipsToPx(GridTop + GridSize);
    const QPoint first = cellCentre(a);
    const QPoint last = cellCentre(c);
    if (first.y() == last.y()) {
        linWin->setEnds({gridLeft, first.y()}, {gridRight, first.y()});
    } else if (first.x() == last.x()) {
        linWin->setEnds({first.x(), gridTop}, {first.x(), gridBottom});
    } else if (a == 1) {
        linWin->setEnds({gridLeft, gridTop}, {gridRight, gridBottom});
    } else {
        linWin->setEnds({gridRight, gridTop}, {gridLeft, gridBottom});
    }
    linWin->show();
    linWin->raise();
    linWin->repaint();
}

void frmTic::StopMode() {
    endMode();
    cmdNew->setEnabled(true);
    cmdOptions->setEnabled(true);
    QString text = QStringLiteral("\nGame Over\n");
    if (Result == -1) {
        text += QStringLiteral("It's A Draw!");
    } else if (Result == 1) {
        text += OnePlayer() ? QStringLiteral("You Win!") : QStringLiteral("Player 1 Wins!");
    } else if (Result == 2) {
        text += OnePlayer() ? QStringLiteral("Computer Wins!") : QStringLiteral("Player 2 Wins!");
    }
    ShowMessage(text);
}

void frmTic::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optTic>(this);
    // The names beside the symbols follow the players chosen.
    SetPlayerNames();
}

} // namespace nibsy
