// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/frmMatch.h"

#include "matching/optMatch.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "shell/OpenWindow.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>

namespace nibsy {

namespace {

// The window, in twips.
constexpr int WindowWidth = 8160;
constexpr int WindowHeight = 5892;

// The boxes: three columns and three rows.
constexpr int BoxWidth = 1572;
constexpr int BoxHeight = 1812;
constexpr std::array<int, 3> BoxLeft{240, 1920, 3600};
constexpr std::array<int, 3> BoxTop{120, 2040, 3960};

// The column beside the grid: the display box over the guess counter, the buttons below.
constexpr int SideLeft = 5520;
constexpr int SideWidth = 2400;
constexpr int GuessLeft = 5880;
constexpr int GuessWidth = 1680;

const QColor WindowGrey(224, 224, 224);
const QColor Ink(0, 0, 128);

constexpr int MostBoxes = 9;

} // namespace

const ActivityDescriptor frmMatch::Activity{
    .menuIndex = 8,
    .caption = "Matching Fun",
    .helpContext = 8,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmMatch(opener); },
    .background = WindowGrey};

frmMatch::frmMatch(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmMatch"));

    for (int b = 1; b <= MostBoxes; ++b) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("picHidden%1").arg(b));
        place(box, BoxLeft[size_t((b - 1) % 3)], BoxTop[size_t((b - 1) / 3)], BoxWidth, BoxHeight);
        box->hide();
        connect(box, &PictureBox::Click, this, [this, b] { picHidden_Click(b); });
        picHidden[size_t(b)] = box;
    }

    picDisplay = new PictureBox(this);
    picDisplay->setObjectName(QStringLiteral("picDisplay"));
    picDisplay->setFontSpec(arialFont(24, true));
    picDisplay->setForeColor(QBColor(0));

    Label1 = makeLabel(this, QStringLiteral("Guesses"), comicFont(14, true), Qt::AlignCenter);
    setTextColor(Label1, Ink);
    place(Label1, SideLeft, 2040, SideWidth, 420);
    lblGuess = new QLabel(this);
    makeCard(lblGuess, arialFont(32, true), Ink);
    place(lblGuess, GuessLeft, 2460, GuessWidth, 900);

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(SideLeft, 3480, SideWidth, 2292),
                                                             .first = QRect(120, 240, 2160, 435),
                                                             .step = {0, 495},
                                                             .font = arialFont(12, true),
                                                             .onNew = [this] { cmdNew_Click(); },
                                                             .onOptions = [this] { cmdOptions_Click(); }});
    fraChoice = buttons.frame;
    cmdNew = buttons.cmdNew;
    cmdOptions = buttons.cmdOptions;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp, cmdNew);
}

void frmMatch::Form_Load() {
    ModeWindow::Form_Load();
    SpaceWave = FullPath(QStringLiteral("space.wav"));
    BoingWave = FullPath(QStringLiteral("boing.wav"));
    Items.loadPictures(MostBoxes, picHidden[1]->size());
    // The display box is a box like the others, centred over the guess counter.
    place(picDisplay, GuessLeft + GuessWidth / 2 - BoxWidth / 2, BoxTop[0], BoxWidth, BoxHeight);
    picDisplay->hide();
}

int frmMatch::ItemCount() const {
    return clampSetting(settings().MatchItemCount, 2, MostBoxes);
}

void frmMatch::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    cmdOptions->setEnabled(false);
    for (int b = 1; b <= MostBoxes; ++b) {
        BoxFound[size_t(b)] = false;
        picHidden[size_t(b)]->hide();
        picHidden[size_t(b)]->setPicture(Picture());
    }
    const int N = ItemCount();
    Items.type = ItemType(settingOr(settings().MatchItemType, 0, 2, 2));
    Shuffle(MostBoxes, ItemInBox);
    Shuffle(N, FindOrder);
    Items.chooseFixed();
    CoverColor = RandomCoverColor();
    for (int b = 1; b <= N; ++b) {
        picHidden[size_t(b)]->show();
        CoverBox(b);
    }
    picDisplay->setPicture(Picture());
    picDisplay->setBackColor(QBColor(White));
    picDisplay->Cls();
    picDisplay->show();
    Guesses = 0;
    lblGuess->setText(QStringLiteral("0"));
    Remaining = N;
    ShowTarget();
}

// The display box shows what the box asked for hides.
void frmMatch::ShowTarget() {
    TargetBox = FindOrder[size_t(Remaining)];
    ShowItem(*picDisplay, ItemInBox[size_t(TargetBox)], Items);
}

void frmMatch::picHidden_Click(int Index) {
    if (!running() || Index < 1 || Index > ItemCount() || BoxFound[size_t(Index)]) {
        return;
    }
    // The second click of a child's double-click must not count a second guess on the same box.
    ignoreRestOfDoubleClick();
    ++Guesses;
    lblGuess->setText(formatNumber(Guesses, QStringLiteral("##")));
    lblGuess->repaint();
    ShowItem(*picHidden[size_t(Index)], ItemInBox[size_t(Index)], Items);
    if (Index == TargetBox) {
        PlayWave(SpaceWave, 1);
        Pause(1);
        BoxFound[size_t(Index)] = true;
        --Remaining;
        if (Remaining == 0) {
            StopMode();
            PlayWave(TadaWave, 0);
        } else {
            ShowTarget();
        }
    } else {
        PlayWave(BoingWave, 1);
        Pause(1);
        CoverBox(Index);
    }
}

// The closed-box pattern: a box in the cover colour, ringed inwards by frames in random colours.
void frmMatch::CoverBox(int index) {
    PictureBox& box = *picHidden[size_t(index)];
    const int oldWidth = box.drawWidth();
    box.setPicture(Picture());
    box.setScaleMode(PictureBox::ScaleMode::Pixels);
    box.setDrawWidth(4);
    box.setForeColor(QBColor(0));
    box.setFillColor(QBColor(CoverColor));
    const int w = int(box.scaleWidth());
    const int h = int(box.scaleHeight());
    box.setFillStyle(PictureBox::FillStyle::Solid);
    box.Box(0, 0, w, h);
    box.setFillStyle(PictureBox::FillStyle::Transparent);
    const int step = box.drawWidth();
    int d = step;
    do {
        box.Box(d, d, w - d, h - d, QBColor(rnd().below(16)));
        d += step;
    } while (d < w / 2);
    box.setScaleMode(PictureBox::ScaleMode::Twips);
    box.setDrawWidth(oldWidth);
    box.update();
}

void frmMatch::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optMatch>(this);
}

// The game ends: the buttons come back and the display box says "Game Over"; the boxes stay as they are.
void frmMatch::StopMode() {
    endMode();
    cmdNew->setEnabled(true);
    cmdOptions->setEnabled(true);
    picDisplay->setPicture(Picture());
    picDisplay->setBackColor(QBColor(White));
    picDisplay->Cls();
    picDisplay->setForeColor(QBColor(9));
    picDisplay->currentY = 0.2 * picDisplay->scaleHeight();
    for (const QString& word : {QStringLiteral("Game"), QStringLiteral("Over")}) {
        picDisplay->currentX = (picDisplay->scaleWidth() - picDisplay->TextWidth(word)) / 2;
        picDisplay->Print(word);
    }
    picDisplay->setForeColor(QBColor(0));
    picDisplay->repaint();
}

} // namespace nibsy
