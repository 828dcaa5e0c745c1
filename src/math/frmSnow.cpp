// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/frmSnow.h"

#include "math/frmResults.h"
#include "math/optSnow.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
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

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace nibsy {

namespace {

constexpr int FormWidth = 9600;
constexpr int FormHeight = 7200;

// The largest number of each number size, 1 to 5.
constexpr std::array<int, 6> SizeTable{0, 5, 9, 15, 25, 49};
// The parts in the order they are earned, 1 to 6.
constexpr std::array<const char*, 7> PartName{"", "a body", "a head", "arms", "a face", "buttons", "a hat"};

const QColor Sky(112, 176, 232);

QString lines(const QString& text) {
    return QtDialogs::plainLines(text);
}

// Lines drawn one after the other, each from where the last ended.
void polyline(PictureBox& pic, std::initializer_list<QPointF> points) {
    const QPointF* last = nullptr;
    for (const QPointF& p : points) {
        if (last) {
            pic.Line(last->x(), last->y(), p.x(), p.y());
        }
        last = &p;
    }
}

} // namespace

const ActivityDescriptor frmSnow::Activity{
    .menuIndex = 4,
    .caption = "Snowman Math",
    .helpContext = 4,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmSnow(opener); },
    .background = QColor(224, 240, 255)};

frmSnow::frmSnow(QWidget* opener) : ModeWindow(opener, Activity) {
    for (int p = 1; p <= 4; ++p) {
        auto* pic = new PictureBox(this);
        pic->setBackColor(Sky);
        place(pic, 120 + (p - 1) * 2370, 120, 2250, 2760);
        pic->Cls();
        picSnow[size_t(p)] = pic;
        auto* name = new QLineEdit(this);
        name->setFont(comicFont(12, true));
        name->setAlignment(Qt::AlignCenter);
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        place(name, 120 + (p - 1) * 2370, 2940, 2250, 420);
        txtName[size_t(p)] = name;
    }

    const QFont numbers = comicFont(36, true);
    lblNumber[0] = makeLabel(this, QString(), numbers, Qt::AlignRight | Qt::AlignVCenter);
    place(lblNumber[0], 1080, 3480, 1500, 840);
    Label1[0] = makeLabel(this, QString(), numbers, Qt::AlignCenter);
    place(Label1[0], 360, 4320, 720, 840);
    lblNumber[1] = makeLabel(this, QString(), numbers, Qt::AlignRight | Qt::AlignVCenter);
    place(lblNumber[1], 1080, 4320, 1500, 840);
    Label1[1] = new QLabel(this);
    Label1[1]->setAutoFillBackground(true);
    QPalette rule = Label1[1]->palette();
    rule.setColor(QPalette::Window, Qt::black);
    Label1[1]->setPalette(rule);
    place(Label1[1], 480, 5220, 2160, 60);

    txtAnswer = new QLineEdit(this);
    txtAnswer->setFont(numbers);
    txtAnswer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtAnswer->setMaxLength(3);
    // What is pasted or dropped into the box must be digits too.
    txtAnswer->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtAnswer));
    place(txtAnswer, 1080, 5400, 1500, 900);
    filterKeyPresses(txtAnswer, [this](int& k) { txtAnswer_KeyPress(k); });

    lblMessage = makeLabel(this, QString(), comicFont(18, true), Qt::AlignCenter);
    setTextColor(lblMessage, QColor(0, 0, 128));
    place(lblMessage, 2880, 3480, 3840, 2280);

    const QFont buttons = comicFont(12, true);
    cmdOK = makeButton(this, QStringLiteral("Next &Player"), buttons, QRect(3600, 5880, 2400, 660),
                       [this] { cmdOK_Click(); });
    cmdOK->hide();
    cmdNew = makeButton(this, QStringLiteral("&New Game"), buttons, QRect(6960, 3480, 2520, 540),
                        [this] { cmdNew_Click(); });
    cmdOptions = makeButton(this, QStringLiteral("&Options"), buttons, QRect(6960, 4140, 2520, 540),
                            [this] { cmdOptions_Click(); });
    cmdErase = makeButton(this, QStringLiteral("&Erase Answer"), buttons, QRect(6960, 4800, 2520, 540),
                          [this] { cmdErase_Click(); });
    cmdHelp = makeButton(this, QStringLiteral("&Help"), buttons, QRect(6960, 5820, 1200, 540),
                         [this] { cmdHelp_Click(); });
    cmdExit = makeButton(this, QStringLiteral("E&xit"), buttons, QRect(8280, 5820, 1200, 540),
                         [this] { cmdExit_Click(); });
    setFrameButtons(cmdExit, cmdHelp, cmdNew);
}

void frmSnow::Form_Load() {
    ModeWindow::Form_Load();
    WowWave = FullPath(QStringLiteral("wow.wav"));
    SnowmanWave = FullPath(QStringLiteral("snowman.wav"));
    PartsEarned.fill(0);
    for (QLabel* label : {lblNumber[0], lblNumber[1], Label1[0]}) {
        label->clear();
    }
    txtAnswer->clear();
    ShowPlayers();
    lblMessage->setText(lines(QStringLiteral("Choose Players\rwith Options,\rClick New Game")));
}

// The pictures and names of the players in the game; the others are hidden.
void frmSnow::ShowPlayers() {
    Players = clampSetting(settings().SnowPlayers, 1, 4);
    for (int p = 1; p <= 4; ++p) {
        picSnow[size_t(p)]->setVisible(p <= Players);
        txtName[size_t(p)]->setVisible(p <= Players);
        txtName[size_t(p)]->setText(fittedName(PlayerName(settings().SnowPlayerName, p), txtName[size_t(p)]));
    }
}

void frmSnow::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    cmdOptions->setEnabled(false);
    for (int p = 1; p <= 4; ++p) {
        picSnow[size_t(p)]->Cls();
        PartsEarned[size_t(p)] = 0;
    }
    ShowPlayers();
    CurrentPlayer = 1;
    NewSnowProblem();
}

void frmSnow::NewSnowProblem() {
    const size_t p = size_t(CurrentPlayer);
    const int m = SizeTable[size_t(clampSetting(settings().SnowPlayerSize[p], 1, 5))];
    int a = rnd().below(m + 1);
    int b = rnd().below(m + 1);
    const auto type = SnowType(settingOr(settings().SnowPlayerType[p], 1, 3, 3));
    const bool subtract = type == SnowType::Subtraction || (type == SnowType::Both && rnd().next() >= 0.5);
    if (subtract) {
        if (a < b) {
            std::swap(a, b);
        }
        Answer = a - b;
    } else {
        Answer = a + b;
    }
    lblNumber[0]->setText(formatNumber(a, QStringLiteral("#0")));
    lblNumber[1]->setText(formatNumber(b, QStringLiteral("#0")));
    Label1[0]->setText(subtract ? QStringLiteral("-") : QStringLiteral("+"));
    lblMessage->setText(turnMessage(settings().SnowPlayerName, CurrentPlayer, lblMessage,
                                    QStringLiteral("Type Answer\rPress Enter")));
    TurnOpen = true;
    cmdErase_Click();
}

void frmSnow::txtAnswer_KeyPress(int& KeyAscii) {
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit && KeyAscii != 8 && KeyAscii != 13) {
        KeyAscii = 0;
        sound().beep();
        return;
    }
    // No game, the answer shown after a miss, or an answer being cheered: the box takes nothing.
    if (!TurnOpen) {
        KeyAscii = 0;
        return;
    }
    // Backspace only edits; a digit is an answer only when the box is already full.
    if (KeyAscii == 8 || (digit && txtAnswer->text().size() < 3)) {
        return;
    }
    if (KeyAscii == 13 && txtAnswer->text().isEmpty()) {
        KeyAscii = 0;
        return;
    }
    KeyAscii = 0;
    CheckAnswer();
}

void frmSnow::CheckAnswer() {
    TurnOpen = false;
    const size_t p = size_t(CurrentPlayer);
    // The value of the leading digits; an empty box counts as 0.
    int value = 0;
    for (QChar c : txtAnswer->text()) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    if (value == Answer) {
        const int k = std::min(PartsEarned[p] + 1, 6);
        PartsEarned[p] = k;
        lblMessage->setText(lines(QStringLiteral("\rGood!\rYou get ") + QLatin1String(PartName[size_t(k)])));
        DrawSnowPart(CurrentPlayer, k);
        PlayWave(WowWave, 0);
        Pause(1);
        if (running() && !closeAsked()) {
            NextTurn();
        }
    } else {
        PlayWave(UhohWave, 0);
        lblMessage->setText(lines(QStringLiteral("Sorry ...\rHere's the answer ..")));
        txtAnswer->setText(formatNumber(Answer, QStringLiteral("##0")));
        txtAnswer->setReadOnly(true);
        cmdOK->show();
        cmdOK->setFocus();
    }
}

void frmSnow::cmdOK_Click() {
    if (!running() || !cmdOK->isVisible()) {
        return;
    }
    txtAnswer->setReadOnly(false);
    cmdOK->hide();
    NextTurn();
}

void frmSnow::cmdErase_Click() {
    // The answer shown after a miss stays until Next Player.
    if (txtAnswer->isReadOnly()) {
        return;
    }
    txtAnswer->clear();
    txtAnswer->repaint();
    txtAnswer->setFocus();
}

void frmSnow::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optSnow>(this);
    ShowPlayers();
}

void frmSnow::NextTurn() {
    CurrentPlayer += 1;
    if (CurrentPlayer <= Players) {
        NewSnowProblem();
        return;
    }
    // The round is over.
    CurrentPlayer = 1;
    FinishedFlags finished{};
    bool anyFinished = false;
    for (size_t p = 1; p <= 4; ++p) {
        finished[p] = PartsEarned[p] >= 6;
        anyFinished = anyFinished || finished[p];
    }
    if (!anyFinished) {
        NewSnowProblem();
        return;
    }
    PlayWave(SnowmanWave, 0);
    Pause(1);
    if (closeAsked()) {
        return;
    }
    ShowResults(this, QStringLiteral("Snowman Math Results"), QStringLiteral("The game is over."),
                QStringLiteral("These player(s) finished snowmen:"), 4, finished, settings().SnowPlayerName,
                Activity.helpContext);
    StopMode();
}

void frmSnow::StopMode() {
    endMode();
    TurnOpen = false;
    // A revealed answer goes with its game: the next game starts with an empty box that takes keys.
    cmdOK->hide();
    txtAnswer->setReadOnly(false);
    txtAnswer->clear();
    for (QLabel* label : {lblNumber[0], lblNumber[1], Label1[0]}) {
        label->clear();
    }
    lblMessage->setText(lines(QStringLiteral("\rGame Over\rClick New Game")));
    cmdNew->setEnabled(true);
    cmdOptions->setEnabled(true);
}

void frmSnow::DrawSnowPart(int p, int k) {
    if (p < 1 || p > 4) {
        return;
    }
    PictureBox& pic = *picSnow[size_t(p)];
    const double W = pic.scaleWidth();
    const double H = pic.scaleHeight();
    const QColor white = QBColor(15);
    const QColor black = QBColor(0);
    pic.setFillStyle(PictureBox::FillStyle::Solid);
    switch (k) {
    case 1: // a body
        pic.setFillColor(white);
        pic.Circle(0.5 * W, 0.7 * H, 0.25 * H, white);
        break;
    case 2: // a head
        pic.setFillColor(white);
        pic.Circle(0.5 * W, 0.31 * H, 0.15 * H, white);
        break;
    case 3: // arms
        pic.setForeColor(white);
        pic.setDrawWidth(3);
        polyline(pic, {{0.5 * W, 0.7 * H},
                       {0.1 * W, 0.45 * H},
                       {0.1 * W, 0.35 * H},
                       {0.07 * W, 0.3 * H},
                       {0.1 * W, 0.35 * H},
                       {0.13 * W, 0.3 * H}});
        polyline(pic, {{0.5 * W, 0.7 * H},
                       {0.9 * W, 0.45 * H},
                       {0.9 * W, 0.35 * H},
                       {0.93 * W, 0.3 * H},
                       {0.9 * W, 0.35 * H},
                       {0.87 * W, 0.3 * H}});
        pic.setDrawWidth(1);
        break;
    case 4: { // a face
        pic.setFillColor(black);
        pic.Circle(0.42 * W, 0.26 * H, 0.02 * H, black);
        pic.Circle(0.58 * W, 0.26 * H, 0.02 * H, black);
        pic.Circle(0.5 * W, 0.31 * H, 0.02 * H, black);
        // The mouth: an arc about the middle of the head, angles counted anticlockwise from the right.
        pic.setForeColor(black);
        pic.setDrawWidth(2);
        const double r = 0.07 * H;
        constexpr int Steps = 24;
        for (int i = 0; i < Steps; ++i) {
            const double t0 = 3.54 + (5.88 - 3.54) * i / Steps;
            const double t1 = 3.54 + (5.88 - 3.54) * (i + 1) / Steps;
            pic.Line(0.5 * W + r * std::cos(t0), 0.31 * H - r * std::sin(t0), 0.5 * W + r * std::cos(t1),
                     0.31 * H - r * std::sin(t1));
        }
        pic.setDrawWidth(1);
        break;
    }
    case 5: { // buttons
        const QColor blue = QBColor(9);
        pic.setFillColor(blue);
        for (const double y : {0.55, 0.7, 0.85}) {
            pic.Circle(0.5 * W, y * H, 0.04 * H, blue);
        }
        break;
    }
    case 6: { // a hat
        const QColor red = QBColor(12);
        const QColor yellow = QBColor(14);
        pic.setFillColor(red);
        pic.Box(0.3 * W, 0.14 * H, 0.7 * W, 0.18 * H, red);
        pic.Box(0.4 * W, 0.14 * H, 0.6 * W, 0.045 * H, red);
        pic.setFillColor(yellow);
        pic.Box(0.4 * W, 0.14 * H, 0.6 * W, 0.1 * H, yellow);
        break;
    }
    default:
        break;
    }
}

void frmSnow::picSnow_Paint(int Index) {
    if (Index < 1 || Index > Players) {
        return;
    }
    picSnow[size_t(Index)]->Cls();
    for (int k = 1; k <= PartsEarned[size_t(Index)]; ++k) {
        DrawSnowPart(Index, k);
    }
}

void frmSnow::showEvent(QShowEvent* event) {
    ActivityWindow::showEvent(event);
    for (int p = 1; p <= 4; ++p) {
        picSnow_Paint(p);
    }
}

} // namespace nibsy
