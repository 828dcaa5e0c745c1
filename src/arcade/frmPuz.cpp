// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/frmPuz.h"

#include "platform/AppFiles.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <cmath>

namespace nibsy {

namespace {

// The window, in twips.
constexpr int WindowWidth = 13890;
constexpr int WindowHeight = 7860;

// The puzzle box: 6480 twips (432 pixels) is a whole number of pixels for 2, 3 and 4 cells alike.
constexpr int PuzzleLeft = 240;
constexpr int PuzzleTop = 240;
constexpr int PuzzleWidth = 6480;

// The pieces lie beside it, 50 twips apart; the choices take their place between games.
constexpr int SideLeft = 7020;
constexpr int SideWidth = 6630;
constexpr int PieceGap = 50;

constexpr int GridLineWidth = 3; // pixels

const QColor Background(214, 236, 255);
const QColor Ink(0, 0, 128);
const QColor White(255, 255, 255);

int near(double v) {
    return int(std::nearbyint(v));
}

} // namespace

const ActivityDescriptor frmPuz::Activity{
    .menuIndex = 11,
    .caption = "Puzzle Time",
    .helpContext = 11,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmPuz(opener); },
    .background = Background};

frmPuz::frmPuz(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmPuz"));

    auto* outline = makeOutline(this, Ink, GridLineWidth);
    const QRect puzzle = twipsRect(PuzzleLeft, PuzzleTop, PuzzleWidth, PuzzleWidth);
    outline->setGeometry(puzzle.adjusted(-GridLineWidth, -GridLineWidth, GridLineWidth, GridLineWidth));

    pichide = new PictureBox(this);
    pichide->setObjectName(QStringLiteral("pichide"));
    place(pichide, PuzzleLeft, PuzzleTop, PuzzleWidth, PuzzleWidth);
    pichide->setScaleMode(PictureBox::ScaleMode::Pixels);
    pichide->hide();

    picPuzzle = new PictureBox(this);
    picPuzzle->setObjectName(QStringLiteral("picPuzzle"));
    place(picPuzzle, PuzzleLeft, PuzzleTop, PuzzleWidth, PuzzleWidth);
    picPuzzle->setScaleMode(PictureBox::ScaleMode::Pixels);
    picPuzzle->setAcceptDrops(true);
    connect(picPuzzle, &PictureBox::DragDrop, this,
            [this](QWidget*, double x, double y) { picPuzzle_DragDrop(x, y); });

    const auto gridLine = [this] {
        auto* line = new QFrame(picPuzzle);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        line->setAutoFillBackground(true);
        QPalette pal = line->palette();
        pal.setColor(QPalette::Window, Ink);
        line->setPalette(pal);
        line->hide();
        return line;
    };
    for (size_t i = 0; i < Line1.size(); ++i) {
        Line1[i] = gridLine();
        Line2[i] = gridLine();
    }

    for (int p = 1; p <= PuzRules::MaxPieces; ++p) {
        auto* piece = new PictureBox(this);
        piece->setObjectName(QStringLiteral("picPiece%1").arg(p));
        piece->setScaleMode(PictureBox::ScaleMode::Pixels);
        piece->setAcceptDrops(true);
        piece->hide();
        connect(piece, &PictureBox::MouseDown, this, [this, p](Qt::MouseButton button) {
            if (button == Qt::LeftButton) {
                picPiece_MouseDown(p);
            }
        });
        connect(piece, &PictureBox::DragDrop, this, [this, p] { picPiece_DragDrop(p); });
        connect(piece, &PictureBox::DragCancelled, this, [this, p] { picPiece_DragCancelled(p); });
        picPiece[size_t(p)] = piece;
    }
    place(picPiece[1], SideLeft, PuzzleTop, PuzzleWidth / 4, PuzzleWidth / 4);
    setFormDragDrop(this, [this](QWidget*, double x, double y) { Form_DragDrop(x, y); });

    Label1 =
        makeLabel(this, QStringLiteral("Puzzles:"), comicFont(16, true), Qt::AlignLeft | Qt::AlignVCenter);
    setTextColor(Label1, Ink);
    place(Label1, SideLeft, 240, SideWidth, 480);
    cboFiles = new QComboBox(this);
    cboFiles->setObjectName(QStringLiteral("cboFiles"));
    cboFiles->setFont(arialFont(16, true));
    cboFiles->setMaxVisibleItems(12);
    place(cboFiles, SideLeft, 780, SideWidth, 600);
    connect(cboFiles, &QComboBox::activated, this, [this] { cboFiles_Click(); });

    Frame1 = new QGroupBox(QStringLiteral("Puzzle Size"), this);
    Frame1->setFont(comicFont(14, true));
    place(Frame1, SideLeft, 1620, SideWidth, 1380);
    const std::array<const char*, 3> sizes{"2 x 2", "3 x 3", "4 x 4"};
    for (int i = 0; i < 3; ++i) {
        optSize[size_t(i)] =
            makeOption(Frame1, QString::fromLatin1(sizes[size_t(i)]), comicFont(16),
                       QRect(360 + i * 2100, 540, 1860, 600), [this, i] { optSize_Click(i); });
    }

    cmdScramble =
        makeButton(this, QStringLiteral("&Scramble Puzzle"), comicFont(18, true),
                   QRect(SideLeft + 1200, 3360, SideWidth - 2400, 960), [this] { cmdScramble_Click(); });

    lblNote = makeLabel(this, QString(), comicFont(14, true), Qt::AlignCenter);
    lblNote->setWordWrap(true);
    setTextColor(lblNote, QColor(176, 0, 0));
    place(lblNote, SideLeft, 4560, SideWidth, 1800);

    const CommandButtons buttons = makeCommandButtons(this, {.first = QRect(SideLeft + 2790, 6960, 1800, 660),
                                                             .columns = 2,
                                                             .step = {2040, 0},
                                                             .font = comicFont(14, true)});
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp, cmdScramble);
}

void frmPuz::Form_Load() {
    ModeWindow::Form_Load();
    SpaceWave = FullPath(QStringLiteral("space.wav"));
    WowWave = FullPath(QStringLiteral("wow.wav"));

    // Names only: a picture is read when it is chosen. Each entry keeps its file's real name.
    for (const QString& file : AppFiles::list(QStringLiteral(".wmf"))) {
        cboFiles->addItem(file.chopped(4).toUpper(), file);
    }
    const int count = cboFiles->count();
    if (count > 0) {
        // A picture that cannot be read is passed over for the next one.
        const int first = rnd().below(count);
        for (int i = 0; i < count && ShownEntry < 0; ++i) {
            LoadPuzzle((first + i) % count);
        }
    }
    cboFiles->setCurrentIndex(ShownEntry);
    if (ShownEntry < 0) {
        cmdScramble->setEnabled(false);
        lblNote->setText(count == 0 ? QStringLiteral("There are no pictures (.wmf files) in the program's "
                                                     "folder, so there is no puzzle to make.")
                                    : QStringLiteral("None of the pictures (.wmf files) in the program's "
                                                     "folder can be read, so there is no puzzle to make."));
    }

    HomeLeft0 = near(pxToTwips(picPiece[1]->x()));
    HomeTop0 = near(pxToTwips(picPiece[1]->y()));
    PuzzleOuterWidth = near(pxToTwips(picPuzzle->width()));
    PuzzleInnerWidth = int(picPuzzle->scaleWidth());
    optSize[size_t(PuzRules::sideFor(settings().PuzzleSize) - 2)]->setChecked(true);
    SetUpGrid();
}

void frmPuz::optSize_Click(int Index) {
    settings().PuzzleSize = qint16(Index);
    SetUpGrid();
}

void frmPuz::SetUpGrid() {
    n = PuzRules::sideFor(settings().PuzzleSize);
    PieceOuterSize = near(double(PuzzleOuterWidth) / n);
    PieceSize = near(double(PuzzleInnerWidth) / n);
    place(picPuzzle, PuzzleLeft, PuzzleTop, n * PieceOuterSize, n * PieceOuterSize);
    ShowGridLines();
}

void frmPuz::HideGridLines() {
    for (size_t i = 0; i < Line1.size(); ++i) {
        Line1[i]->hide();
        Line2[i]->hide();
    }
}

void frmPuz::ShowGridLines() {
    HideGridLines();
    const int length = picPuzzle->height();
    for (int k = 1; k < n; ++k) {
        const int at = k * PieceSize - GridLineWidth / 2;
        Line1[size_t(k - 1)]->setGeometry(at, 0, GridLineWidth, length);
        Line2[size_t(k - 1)]->setGeometry(0, at, length, GridLineWidth);
        Line1[size_t(k - 1)]->show();
        Line2[size_t(k - 1)]->show();
    }
}

void frmPuz::cboFiles_Click() {
    const int entry = cboFiles->currentIndex();
    if (running() || entry == ShownEntry || entry < 0) {
        return;
    }
    if (!LoadPuzzle(entry)) {
        dialogs().information(this,
                              QStringLiteral("The picture \"%1\" cannot be read. Please choose another one.")
                                  .arg(cboFiles->itemData(entry).toString()));
        cboFiles->setCurrentIndex(ShownEntry);
    }
}

bool frmPuz::LoadPuzzle(int entry) {
    QFile file(AppFiles::resolve(cboFiles->itemData(entry).toString()));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const Picture picture = Picture::fromData(file.readAll());
    if (picture.isNull()) {
        return false;
    }
    // Drawn whole, in its own shape, on white.
    const Picture fitted = fittedPicture(picture, pichide->size());
    pichide->setBackColor(White);
    pichide->setPicture(fitted);
    picPuzzle->setBackColor(White);
    picPuzzle->setPicture(fitted);
    ShownEntry = entry;
    return true;
}

void frmPuz::cmdScramble_Click() {
    if (running() || ShownEntry < 0) {
        return;
    }
    beginMode(1);
    Frame1->hide();
    Label1->hide();
    cboFiles->hide();
    cmdScramble->hide();
    lblNote->hide();
    PlayWave(SpaceWave, 1);

    // Each piece is shown once it has its part of the picture.
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            const int p = (r - 1) * n + c;
            HomeLeft[size_t(p)] = HomeLeft0 + (c - 1) * (PieceOuterSize + PieceGap);
            HomeTop[size_t(p)] = HomeTop0 + (r - 1) * (PieceOuterSize + PieceGap);
            place(picPiece[size_t(p)], HomeLeft[size_t(p)], HomeTop[size_t(p)], PieceOuterSize,
                  PieceOuterSize);
        }
    }
    for (PictureBox* piece : picPiece) {
        if (piece) {
            piece->hide();
        }
    }

    Rules.scramble(n);

    HideGridLines();
    picPuzzle->setPicture(pichide->picture());
    Pause(1);
    // A Stop pressed meanwhile comes once this handler is over; a close must not wait for the pieces.
    if (closeAsked()) {
        return;
    }

    const int puzzleLeft = near(pxToTwips(picPuzzle->x()));
    const int puzzleTop = near(pxToTwips(picPuzzle->y()));
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            const int s = (r - 1) * n + c;
            PictureBox* piece = picPiece[size_t(Rules.order(s))];
            // Cut from the picture itself, never from the screen.
            piece->BitBlt(0, 0, PieceSize, PieceSize, *pichide, (c - 1) * PieceSize, (r - 1) * PieceSize);
            SlotLeft[size_t(s)] = puzzleLeft + (c - 1) * PieceOuterSize;
            SlotTop[size_t(s)] = puzzleTop + (r - 1) * PieceOuterSize;
            piece->show();
        }
    }

    picPuzzle->setBackColor(White);
    picPuzzle->setPicture(Picture());
    ShowGridLines();
}

void frmPuz::picPiece_MouseDown(int Index) {
    if (!running() || Index < 1 || Index > Rules.pieceCount()) {
        return;
    }
    Rules.pickUp(Index);
    picPiece[size_t(Index)]->raise();
    picPiece[size_t(Index)]->Drag(PictureBox::DragAction::Begin);
}

void frmPuz::picPuzzle_DragDrop(double X, double Y) {
    const int p = Rules.dragged();
    if (!running() || p == 0) {
        return;
    }
    const bool placed = Rules.dropInCell(Rules.cellAt(X, Y, PieceSize));
    PlacePiece(p);
    if (!placed) {
        PlayWave(UhohWave, 0);
    } else if (Rules.solved()) {
        PlayWave(WowWave, 0);
        if (running() && !closeAsked()) {
            StopMode();
        }
    }
}

void frmPuz::picPiece_DragDrop(int Index) {
    const int p = Rules.dragged();
    if (!running() || p == 0) {
        return;
    }
    // On a loose piece (or on itself) it goes home; on a piece in the puzzle it is refused.
    const bool refused = Rules.slotOf(Index) != 0;
    if (refused) {
        Rules.putBack();
    } else {
        Rules.sendHome();
    }
    PlacePiece(p);
    if (refused) {
        PlayWave(UhohWave, 0);
    }
}

void frmPuz::picPiece_DragCancelled(int Index) {
    if (Rules.dragged() == Index) {
        Rules.putBack();
        PlacePiece(Index);
    }
}

void frmPuz::Form_DragDrop(double X, double Y) {
    const int p = Rules.dragged();
    if (!running() || p == 0) {
        return;
    }
    // The frame's border is the puzzle's: the drop goes to the nearest cell.
    const QPoint at(twipsToPx(X), twipsToPx(Y));
    const QRect border =
        picPuzzle->geometry().adjusted(-GridLineWidth, -GridLineWidth, GridLineWidth, GridLineWidth);
    if (border.contains(at)) {
        const QPointF inPuzzle = picPuzzle->fromPixels(QPointF(picPuzzle->mapFrom(this, at)));
        picPuzzle_DragDrop(inPuzzle.x(), inPuzzle.y());
        return;
    }
    // On the window itself the piece goes home; on another control the drop is refused.
    if (childAt(at)) {
        Rules.putBack();
    } else {
        Rules.sendHome();
    }
    PlacePiece(p);
}

void frmPuz::PlacePiece(int p) {
    const int s = Rules.slotOf(p);
    if (s != 0) {
        place(picPiece[size_t(p)], SlotLeft[size_t(s)], SlotTop[size_t(s)], PieceOuterSize, PieceOuterSize);
    } else {
        place(picPiece[size_t(p)], HomeLeft[size_t(p)], HomeTop[size_t(p)], PieceOuterSize, PieceOuterSize);
    }
}

void frmPuz::StopMode() {
    if (const int p = Rules.dragged(); p != 0) {
        picPiece[size_t(p)]->Drag(PictureBox::DragAction::Cancel);
    }
    for (PictureBox* piece : picPiece) {
        if (piece) {
            piece->hide();
        }
    }
    picPuzzle->setPicture(pichide->picture());
    ShowGridLines();
    endMode();
    Frame1->show();
    Label1->show();
    cboFiles->show();
    cmdScramble->show();
    lblNote->show();
}

} // namespace nibsy
