// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/frmPatt.h"

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "shapes/PraisePictures.h"
#include "shapes/ShapeItems.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace nibsy {

namespace {

// The window, in twips.
constexpr int FormWidth = 12600;
constexpr int FormHeight = 9600;

// A cell of a row: square, six to the longest row.
constexpr int CellTwips = 1080;
// The tops of the rows: the model, a gap, then the four rows to compare it with (in rebuilding, row 1 is
// the one the child fills).
constexpr std::array<int, PattRowCount> RowTop{1140, 2580, 3870, 5160, 6450};
// The seven choices of rebuilding, one cell each, in a line under the row being filled.
constexpr int ChoiceTop = 4500;
constexpr int ChoicePitch = CellTwips + 180;

const QColor Background(224, 240, 255);
// Neither white nor black, so that a white item and a black one both show.
const QColor CellGrey(176, 176, 176);
const QColor RowOutline(64, 64, 64);
const QColor CellEdge(144, 144, 144);

const std::array<const char*, 4> ChoiceCaptions{"Same Pattern", "Different Pattern", "Matching Pattern",
                                                "Hidden Pattern"};

PictureBox* makeCellBox(QWidget* parent) {
    auto* box = new PictureBox(parent);
    box->setBackColor(CellGrey);
    box->setScaleMode(PictureBox::ScaleMode::Pixels);
    box->hide();
    return box;
}

} // namespace

const ActivityDescriptor frmPatt::Activity{
    .menuIndex = NoMenuButton,
    .caption = "Patterns",
    .helpContext = 7,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmPatt(opener); },
    .background = Background};

frmPatt::frmPatt(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmPatt"));
    lblTitle = makeLabel(this, QString(), comicFont(24, true), Qt::AlignCenter);
    place(lblTitle, 0, 150, FormWidth, 840);

    createChoices();

    for (int row = 0; row < PattRowCount; ++row) {
        picDisplay[size_t(row)] = makeCellBox(this);
        place(picDisplay[size_t(row)], (FormWidth - PattMaxLength * CellTwips) / 2, RowTop[size_t(row)],
              PattMaxLength * CellTwips, CellTwips);
        connect(picDisplay[size_t(row)], &PictureBox::Click, this, [this, row] { picDisplay_Click(row); });
    }
    const int choicesLeft = (FormWidth - 6 * ChoicePitch - CellTwips) / 2;
    for (int k = 0; k < 7; ++k) {
        picChoice[size_t(k)] = makeCellBox(this);
        place(picChoice[size_t(k)], choicesLeft + k * ChoicePitch, ChoiceTop, CellTwips, CellTwips);
        connect(picChoice[size_t(k)], &PictureBox::Click, this, [this, k] { picChoice_Click(k); });
    }

    shpFlash = makeOutline(this, RowOutline, 2);
    shpFlash->setAutoFillBackground(true);
    shpFlash->hide();

    cmdFlash = makeButton(this, QStringLiteral("Flash Pattern"), comicFont(14, true),
                          QRect(9900, 1200, 2400, 960), [this] { cmdFlash_Click(); });
    cmdFlash->hide();

    const std::array<Picture, 2> praise{starPicture(), smileyPicture()};
    for (int i = 0; i < 2; ++i) {
        auto* good = new PictureBox(this);
        good->setBackColor(Background);
        // Sized first: the picture is drawn at the size the box has.
        place(good, i == 0 ? 540 : FormWidth - 540 - 1800, 6000, 1800, 1800);
        good->setPicture(praise[size_t(i)]);
        good->setAttribute(Qt::WA_TransparentForMouseEvents);
        good->hide();
        imgGood[size_t(i)] = good;
    }

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(7800, 8040, 4500, 1320),
                                                             .first = QRect(180, 300, 1980, 780),
                                                             .columns = 2,
                                                             .step = {2160, 0},
                                                             .font = comicFont(14, true)});
    fraChoice = buttons.frame;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);
}

void frmPatt::createChoices() {
    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    fraChoices->setFont(comicFont(14, true));
    place(fraChoices, 1200, 1050, 10200, 6750);

    fraType = new QGroupBox(QStringLiteral("Pattern Type"), fraChoices);
    fraType->setFont(comicFont(13, true));
    place(fraType, 360, 540, 3900, 1980);
    const std::array<const char*, 2> types{"Colors", "Shapes"};
    for (int i = 0; i < 2; ++i) {
        optType[size_t(i)] =
            makeOption(fraType, QString::fromLatin1(types[size_t(i)]), comicFont(16),
                       QRect(360, 480 + i * 660, 3300, 600), [this, i] { optType_Click(i); });
    }

    fraLength = new QGroupBox(QStringLiteral("Pattern Length"), fraChoices);
    fraLength->setFont(comicFont(13, true));
    place(fraLength, 360, 2880, 3900, 3420);
    for (int i = 0; i < PattMaxLength; ++i) {
        optLength[size_t(i)] = makeOption(fraLength, QString::number(i + 1), comicFont(16),
                                          QRect(360 + i / 3 * 1800, 480 + i % 3 * 900, 1500, 720),
                                          [this, i] { optLength_Click(i); });
    }

    for (int i = 0; i < 4; ++i) {
        cmdChoice[size_t(i)] =
            makeButton(fraChoices, QString::fromLatin1(ChoiceCaptions[size_t(i)]), comicFont(18, true),
                       QRect(4800, 600 + i * 1440, 5040, 1140), [this, i] { cmdChoice_Click(i); });
    }
}

void frmPatt::Form_Load() {
    ModeWindow::Form_Load();
    DingWave = FullPath(QStringLiteral("ding.wav"));
    CellPixels = picDisplay[0]->width() / PattMaxLength;
    // A settings file may hold anything: a kind that does not exist is taken as shapes, a length is
    // brought into range, and the values the buttons show are stored.
    const int type = settingOr(settings().PattType, 0, 1, 1);
    optType[size_t(type)]->setChecked(true);
    optType_Click(type);
    const int length = clampSetting(settings().PattLength, 1, PattMaxLength);
    optLength[size_t(length - 1)]->setChecked(true);
    optLength_Click(length - 1);
    hideModeControls();
}

void frmPatt::optType_Click(int Index) {
    settings().PattType = qint16(Index);
}

void frmPatt::optLength_Click(int Index) {
    settings().PattLength = qint16(Index + 1);
}

void frmPatt::cmdChoice_Click(int Index) {
    if (running() || Index < 0 || Index > 3) {
        return;
    }
    beginMode(Index + 1);
    fraChoices->hide();
    lblTitle->setText(QString::fromLatin1(ChoiceCaptions[size_t(Index)]));
    lblTitle->show();
    Colors = settingOr(settings().PattType, 0, 1, 1) == 0;
    Length = clampSetting(settings().PattLength, 1, PattMaxLength);
    for (int row = 0; row < PattRowCount; ++row) {
        place(picDisplay[size_t(row)], (FormWidth - Length * CellTwips) / 2, RowTop[size_t(row)],
              Length * CellTwips, CellTwips);
    }
    shpFlash->setGeometry(picDisplay[0]->geometry());
    switch (Mode()) {
    case PattMode::Same:
        for (PictureBox* row : picDisplay) {
            row->show();
        }
        AskSame();
        break;
    case PattMode::Different:
        for (int row = 1; row < PattRowCount; ++row) {
            picDisplay[size_t(row)]->show();
        }
        AskDifferent();
        break;
    default:
        picDisplay[0]->show();
        picDisplay[1]->show();
        for (PictureBox* choice : picChoice) {
            choice->show();
        }
        cmdFlash->setVisible(Mode() == PattMode::Hidden);
        AskRebuild();
        break;
    }
}

void frmPatt::AskSame() {
    Question = nibsy::AskSame(Length);
    Answer = Question.answer;
    for (int row = 0; row < PattRowCount; ++row) {
        DrawRow(row);
    }
}

void frmPatt::AskDifferent() {
    Question = nibsy::AskDifferent(Length);
    Answer = Question.answer;
    for (int row = 1; row < PattRowCount; ++row) {
        DrawRow(row);
    }
}

void frmPatt::AskRebuild() {
    const bool hidden = Mode() == PattMode::Hidden;
    Question = nibsy::AskRebuild(Length, hidden);
    ClearRow(*picDisplay[1], Length);
    if (hidden) {
        QPalette pal = shpFlash->palette();
        pal.setColor(QPalette::Window, QBColor(Question.coverColor));
        shpFlash->setPalette(pal);
        shpFlash->raise();
        shpFlash->show();
    }
    DrawRow(0);
    for (int k = 0; k < 7; ++k) {
        ClearRow(*picChoice[size_t(k)], 1);
        DrawCell(*picChoice[size_t(k)], 0, k);
    }
    Entered = 0;
    NextExpected();
}

void frmPatt::NextExpected() {
    Answer = Question.rows[0][size_t(Entered)];
    if (Mode() == PattMode::Hidden) {
        cmdFlash->setFocus();
    }
}

void frmPatt::picDisplay_Click(int Index) {
    if (!running() || (Mode() != PattMode::Same && Mode() != PattMode::Different) || Index < 1 ||
        Index >= PattRowCount) {
        return;
    }
    // The rest of a double-click must not pick a row of the next question.
    ignoreRestOfDoubleClick();
    if (Index != Answer) {
        PlayWave(UhohWave, 0);
        return;
    }
    Praise(imgGood);
    if (!running() || closeAsked()) {
        return;
    }
    if (Mode() == PattMode::Same) {
        AskSame();
    } else {
        AskDifferent();
    }
}

void frmPatt::picChoice_Click(int Index) {
    if (!running() || (Mode() != PattMode::Matching && Mode() != PattMode::Hidden) || Index < 0 ||
        Index > 6) {
        return;
    }
    ignoreRestOfDoubleClick();
    const bool hidden = Mode() == PattMode::Hidden;
    if (Index != Answer) {
        PlayWave(UhohWave, 0);
        if (hidden) {
            cmdFlash->setFocus();
        }
        return;
    }
    DrawCell(*picDisplay[1], Entered, Index);
    ++Entered;
    PlayWave(DingWave, 1);
    if (Entered < Length) {
        NextExpected();
        return;
    }
    if (hidden) {
        shpFlash->hide();
    }
    Praise(imgGood);
    if (hidden) {
        Pause(1);
    }
    if (running() && !closeAsked()) {
        AskRebuild();
    }
}

void frmPatt::cmdFlash_Click() {
    if (!running() || Mode() != PattMode::Hidden) {
        return;
    }
    shpFlash->hide();
    picDisplay[0]->repaint();
    Pause(1);
    shpFlash->show();
    picDisplay[0]->repaint();
}

void frmPatt::ClearRow(PictureBox& box, int n) {
    box.Cls();
    const int h = box.height();
    for (int p = 1; p < n; ++p) {
        box.Line(p * CellPixels, 0, p * CellPixels, h, CellEdge);
    }
    box.setFillStyle(PictureBox::FillStyle::Transparent);
    box.Box(0, 0, box.width() - 1, h - 1, RowOutline);
}

void frmPatt::DrawRow(int row) {
    PictureBox& box = *picDisplay[size_t(row)];
    ClearRow(box, Length);
    for (int p = 0; p < Length; ++p) {
        DrawCell(box, p, Question.rows[size_t(row)][size_t(p)]);
    }
}

void frmPatt::DrawCell(PictureBox& box, int position, int value) {
    const int shape = Colors ? Question.shapeIndex : value;
    const QColor colour = ItemColor(Colors ? value : Question.colorIndex);
    DrawItemIn(box, position * CellPixels, CellPixels, shape, colour);
}

void frmPatt::hideModeControls() {
    lblTitle->hide();
    for (PictureBox* row : picDisplay) {
        row->hide();
    }
    for (PictureBox* choice : picChoice) {
        choice->hide();
    }
    cmdFlash->hide();
    shpFlash->hide();
    for (PictureBox* good : imgGood) {
        good->hide();
    }
}

void frmPatt::StopMode() {
    endMode();
    hideModeControls();
    fraChoices->show();
}

} // namespace nibsy
