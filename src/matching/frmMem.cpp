// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/frmMem.h"

#include "matching/optMem.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
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
constexpr int WindowWidth = 8760;
constexpr int WindowHeight = 5415;

// The boxes: squares in four rows of four.
constexpr int BoxSize = 1215;
constexpr int BoxPitch = 1320;
constexpr int BoxStart = 120;

// The column beside the board.
constexpr int SideLeft = 5520;
constexpr int SideWidth = 3000;
constexpr int CounterLeft = 6420;
constexpr int CounterWidth = 1200;

const QColor WindowGrey(224, 224, 224);
const QColor Ink(0, 0, 128);

constexpr int Boxes = 16;
constexpr int Pairs = 8;

// The boxes closed in the first of the two colours, as on a checkerboard.
bool firstColour(int b) {
    const int row = (b - 1) / 4;
    const int col = (b - 1) % 4;
    return (row + col) % 2 == 0;
}

const QString Line = QStringLiteral("\n");

} // namespace

const ActivityDescriptor frmMem::Activity{
    .menuIndex = 10,
    .caption = "Memory Game",
    .helpContext = 10,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmMem(opener); },
    .background = WindowGrey};

frmMem::frmMem(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmMem"));

    for (int b = 1; b <= Boxes; ++b) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("picHidden%1").arg(b));
        place(box, BoxStart + (b - 1) % 4 * BoxPitch, BoxStart + (b - 1) / 4 * BoxPitch, BoxSize, BoxSize);
        box->setForeColor(QBColor(0));
        box->hide();
        connect(box, &PictureBox::Click, this, [this, b] { picHidden_Click(b); });
        picHidden[size_t(b)] = box;
    }

    QFont messageFont(QStringLiteral("Arial Narrow"), 20);
    messageFont.setBold(true);
    lblMessage = makeLabel(this, QString(), messageFont, Qt::AlignCenter);
    setTextColor(lblMessage, Ink);
    place(lblMessage, SideLeft, 120, SideWidth, 1335);

    const QFont captionFont = comicFont(12, true);
    const QFont counterFont = arialFont(28, true);
    for (int p = 1; p <= 2; ++p) {
        const int top = 1560 + (p - 1) * 1230;
        lblP[size_t(p)] =
            makeLabel(this, QStringLiteral("Player %1 Matches").arg(p), captionFont, Qt::AlignCenter);
        setTextColor(lblP[size_t(p)], Ink);
        place(lblP[size_t(p)], SideLeft, top, SideWidth, 375);
        lblMatch[size_t(p)] = new QLabel(this);
        makeCard(lblMatch[size_t(p)], counterFont, Ink);
        place(lblMatch[size_t(p)], CounterLeft, top + 375, CounterWidth, 735);
    }

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(SideLeft, 4020, SideWidth, 1290),
                                                             .first = QRect(120, 240, 1320, 435),
                                                             .columns = 2,
                                                             .step = {1440, 495},
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

void frmMem::Form_Load() {
    ModeWindow::Form_Load();
    WowWave = FullPath(QStringLiteral("wow.wav"));
    BoingWave = FullPath(QStringLiteral("boing.wav"));
    Items.loadPictures(Pairs, picHidden[1]->size());
    ShowSecondCounter();
}

// The second counter counts the guesses with one player and the second player's pairs with two: its
// caption and its number change together, the number that of the last game.
void frmMem::ShowSecondCounter() {
    const bool one = Players() == 1;
    lblP[2]->setText(one ? QStringLiteral("Guesses") : QStringLiteral("Player 2 Matches"));
    if (Played) {
        lblMatch[2]->setText(QString::number(one ? Guesses : Matches[2]));
    }
}

int frmMem::Players() const {
    return clampSetting(settings().MemPlayers, 1, 2);
}

void frmMem::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    cmdOptions->setEnabled(false);
    for (int b = 1; b <= Boxes; ++b) {
        BoxOpen[size_t(b)] = false;
        picHidden[size_t(b)]->hide();
        picHidden[size_t(b)]->setPicture(Picture());
    }
    Shuffle(Boxes, ItemInBox);
    for (int b = 1; b <= Boxes; ++b) {
        if (ItemInBox[size_t(b)] > Pairs) {
            ItemInBox[size_t(b)] = qint16(ItemInBox[size_t(b)] - Pairs);
        }
    }
    Items.type = ItemType(settingOr(settings().MemItemType, 0, 2, 0));
    Items.chooseFixed();
    CoverColor[1] = RandomCoverColor();
    CoverColor[2] = RandomCoverColor(CoverColor[1]);
    for (int b = 1; b <= Boxes; ++b) {
        picHidden[size_t(b)]->show();
        CoverBox(b);
    }
    Played = true;
    Guesses = 0;
    Matches = {0, 0, 0};
    lblMatch[1]->setText(QStringLiteral("0"));
    ShowSecondCounter();
    Remaining = Boxes;
    Say(QStringLiteral("Pick a Box"));
    Player = 1;
    PickStep = 1;
}

void frmMem::picHidden_Click(int Index) {
    if (!running() || Index < 1 || Index > Boxes || BoxOpen[size_t(Index)]) {
        return;
    }
    // The second click of a child's double-click must not land as the turn's second pick.
    ignoreRestOfDoubleClick();
    ++Guesses;
    if (Players() == 1) {
        lblMatch[2]->setText(formatNumber(Guesses, QStringLiteral("##")));
        lblMatch[2]->repaint();
    }
    ShowItem(*picHidden[size_t(Index)], ItemInBox[size_t(Index)], Items);
    if (PickStep == 1) {
        FirstPick(Index);
    } else {
        SecondPick(Index);
    }
}

void frmMem::FirstPick(int Index) {
    BoxOpen[size_t(Index)] = true;
    Picks[1] = Index;
    PickStep = 2;
    Say(QStringLiteral("Pick Another Box"));
}

void frmMem::SecondPick(int Index) {
    Picks[2] = Index;
    PickStep = 1;
    if (ItemInBox[size_t(Picks[1])] == ItemInBox[size_t(Index)]) {
        PlayWave(WowWave, 1);
        Pause(1);
        BoxOpen[size_t(Index)] = true;
        Remaining -= 2;
        TakeBox(Picks[1]);
        TakeBox(Picks[2]);
        ++Matches[size_t(Player)];
        lblMatch[size_t(Player)]->setText(formatNumber(Matches[size_t(Player)], QStringLiteral("#")));
        lblMatch[size_t(Player)]->repaint();
        if (Remaining == 0) {
            StopMode();
            PlayWave(TadaWave, 0);
        } else {
            Say(Players() == 1 ? QStringLiteral("Pick A Box") : QStringLiteral("Pick Again"));
        }
    } else {
        PlayWave(BoingWave, 1);
        Pause(1);
        for (int b : {Picks[1], Picks[2]}) {
            BoxOpen[size_t(b)] = false;
            CoverBox(b);
        }
        if (Players() == 2) {
            Player = Player % 2 + 1;
        }
        Say(QStringLiteral("Pick a Box"));
    }
}

// The message under whose turn it is: the player's name with two players, an empty line with one.
void frmMem::Say(const QString& what) {
    const QString who = Players() == 1 ? QString() : QStringLiteral("Player") + plainNumber(Player);
    lblMessage->setText(who + Line + what);
}

// A closed box: filled whole in one of the two colours of the checkerboard.
void frmMem::CoverBox(int b) {
    PictureBox& box = *picHidden[size_t(b)];
    box.setPicture(Picture());
    box.setScaleMode(PictureBox::ScaleMode::Pixels);
    box.setForeColor(QBColor(0));
    box.setFillColor(QBColor(CoverColor[firstColour(b) ? 1 : 2]));
    box.setFillStyle(PictureBox::FillStyle::Solid);
    // The outline's last pixels lie inside the box, so all four edges show.
    box.Box(0, 0, box.scaleWidth() - 1, box.scaleHeight() - 1);
    box.setFillStyle(PictureBox::FillStyle::Transparent);
    box.setScaleMode(PictureBox::ScaleMode::Twips);
}

// A pair leaves the board: its boxes take the window's colour.
void frmMem::TakeBox(int b) {
    PictureBox& box = *picHidden[size_t(b)];
    box.setPicture(Picture());
    box.setBackColor(palette().color(QPalette::Window));
    box.Cls();
    box.repaint();
}

void frmMem::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optMem>(this);
    ShowSecondCounter();
}

// The game ends: the buttons come back, and a finished game of two names its winner.
void frmMem::StopMode() {
    endMode();
    cmdNew->setEnabled(true);
    cmdOptions->setEnabled(true);
    QString message = QStringLiteral("Game Over") + Line;
    if (Players() == 2 && Remaining == 0) {
        if (Matches[1] > Matches[2]) {
            message += QStringLiteral("Player 1 Wins!");
        } else if (Matches[2] > Matches[1]) {
            message += QStringLiteral("Player 2 Wins!");
        } else {
            message += QStringLiteral("It's a Tie!");
        }
    }
    lblMessage->setText(message);
}

} // namespace nibsy
