// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/frmBug.h"

#include "math/frmResults.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/WindowTimer.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace nibsy {

namespace {

constexpr int FormWidth = 9600;
constexpr int FormHeight = 7200;
// Stops that are hits: r < HitChance for a uniform r in [0, 1).
constexpr double HitChance = 0.65;
// The parts in the order they are built, 1 to 6.
constexpr std::array<const char*, 7> PartName{"", "a body", "a head", "a face", "feelers", "legs", "spots"};

const QColor Grass(150, 204, 120);

QString lines(const QString& text) {
    return QtDialogs::plainLines(text);
}

// A smiling face of the given size centred at c.
void drawFace(QPainter& p, QPointF c, double r, bool smiling) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(c + QPointF(-0.35 * r, -0.25 * r), 0.12 * r, 0.16 * r);
    p.drawEllipse(c + QPointF(0.35 * r, -0.25 * r), 0.12 * r, 0.16 * r);
    p.setPen(QPen(QColor(40, 40, 40), std::max(2.0, 0.1 * r), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    if (smiling) {
        p.drawArc(QRectF(c.x() - 0.5 * r, c.y() - 0.3 * r, r, 0.8 * r), 200 * 16, 140 * 16);
    } else {
        p.drawEllipse(c + QPointF(0, 0.35 * r), 0.15 * r, 0.12 * r);
    }
}

// The hit: a big smiling yellow star on a sky of little sparkles.
Picture hitPicture(QSize size) {
    return Picture::fromDrawing(size, [size](QPainter& p) {
        p.fillRect(QRect(QPoint(), size), QColor(255, 255, 255));
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        const double outer = 0.47 * std::min(size.width(), size.height());
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? outer : outer * 0.45;
            const double a = -M_PI / 2 + i * M_PI / 5;
            star << c + QPointF(r * std::cos(a), r * std::sin(a));
        }
        p.setPen(QPen(QColor(224, 128, 0), std::max(2.0, outer / 20)));
        p.setBrush(QColor(255, 215, 0));
        p.drawPolygon(star);
        drawFace(p, c + QPointF(0, 0.05 * outer), 0.4 * outer, true);
    });
}

// The miss: a soft grey cloud puffing "oh".
Picture missPicture(QSize size) {
    return Picture::fromDrawing(size, [size](QPainter& p) {
        p.fillRect(QRect(QPoint(), size), QColor(255, 255, 255));
        const double w = size.width();
        const double h = size.height();
        QPainterPath cloud;
        cloud.setFillRule(Qt::WindingFill);
        cloud.addEllipse(QPointF(0.5 * w, 0.45 * h), 0.26 * w, 0.24 * h);
        cloud.addEllipse(QPointF(0.27 * w, 0.58 * h), 0.2 * w, 0.17 * h);
        cloud.addEllipse(QPointF(0.73 * w, 0.58 * h), 0.2 * w, 0.17 * h);
        cloud.addEllipse(QPointF(0.5 * w, 0.66 * h), 0.3 * w, 0.14 * h);
        p.setPen(QPen(QColor(96, 112, 144), std::max(2.0, w / 60)));
        p.setBrush(QColor(200, 208, 224));
        p.drawPath(cloud.simplified());
        drawFace(p, QPointF(0.5 * w, 0.55 * h), 0.22 * w, false);
    });
}

} // namespace

const ActivityDescriptor frmBug::Activity{
    .menuIndex = 12,
    .caption = "Bug Builder",
    .helpContext = 12,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmBug(opener); },
    .background = QColor(255, 255, 208)};

frmBug::frmBug(QWidget* opener) : ModeWindow(opener, Activity) {
    for (int p = 1; p <= 4; ++p) {
        auto* pic = new PictureBox(this);
        pic->setBackColor(Grass);
        place(pic, 120 + (p - 1) * 2370, 120, 2250, 2520);
        pic->Cls();
        picBug[size_t(p)] = pic;
        auto* name = new QLineEdit(this);
        name->setFont(comicFont(12, true));
        name->setAlignment(Qt::AlignCenter);
        makeNameBox(name);
        place(name, 120 + (p - 1) * 2370, 2700, 2250, 420);
        // A name is kept as it is typed, so nothing typed is lost however the window is left; a box
        // left empty shows the name the game gives that player.
        connect(name, &QLineEdit::textEdited, this, [this, p] { txtName_LostFocus(p); });
        connect(name, &QLineEdit::editingFinished, this, [this, p] { ShowName(p); });
        txtName[size_t(p)] = name;
    }

    Frame1 = new QGroupBox(QStringLiteral("Players?"), this);
    Frame1->setFont(comicFont(12, true));
    place(Frame1, 120, 3300, 2400, 2220);
    const std::array<const char*, 4> counts{"One (1)", "Two (2)", "Three (3)", "Four (4)"};
    for (int i = 0; i < 4; ++i) {
        auto* option = makeOption(Frame1, QString::fromLatin1(counts[size_t(i)]), comicFont(12),
                                  QRect(240, 360 + i * 450, 2040, 390), [this, i] { optNum_Click(i); });
        optNum[size_t(i)] = option;
    }

    picFlash = new PictureBox(this);
    place(picFlash, 2760, 3300, 2880, 2880);
    picFlash->setScaleMode(PictureBox::ScaleMode::Pixels);
    picFlash->setDrawWidth(6);
    picFlash->setFocusPolicy(Qt::StrongFocus);
    picFlash->Cls();
    connect(picFlash, &PictureBox::Click, this, &frmBug::picFlash_Click);
    filterKeyPresses(picFlash, [this](int& k) { picFlash_KeyPress(k); });
    Timer1 = new WindowTimer(this, 20);
    Timer1->onTick([this] { Timer1_Timer(); });

    for (int i = 0; i < 2; ++i) {
        picResults[size_t(i)] = new PictureBox(this);
        place(picResults[size_t(i)], 2760, 3300, 2880, 2880);
        picResults[size_t(i)]->hide();
    }

    lblMessage = makeLabel(this, QString(), comicFont(16, true), Qt::AlignCenter);
    setTextColor(lblMessage, QColor(128, 0, 0));
    place(lblMessage, 5880, 3300, 3600, 2280);

    const QFont buttons = comicFont(12, true);
    cmdNew = makeButton(this, QStringLiteral("&New Game"), buttons, QRect(120, 5700, 2400, 600),
                        [this] { cmdNew_Click(); });
    cmdHelp = makeButton(this, QStringLiteral("&Help"), buttons, QRect(5880, 5820, 1740, 540),
                         [this] { cmdHelp_Click(); });
    cmdExit = makeButton(this, QStringLiteral("E&xit"), buttons, QRect(7740, 5820, 1740, 540),
                         [this] { cmdExit_Click(); });
    setFrameButtons(cmdExit, cmdHelp, cmdNew);
}

frmBug::~frmBug() {
    // The window's going takes the focus from a name box; the box must not call back into it then.
    for (int p = 1; p <= 4; ++p) {
        disconnect(txtName[size_t(p)], &QLineEdit::editingFinished, this, nullptr);
    }
}

void frmBug::Form_Load() {
    ModeWindow::Form_Load();
    BugWave = FullPath(QStringLiteral("bug.wav"));
    picResults[0]->setPicture(hitPicture(picResults[0]->size()));
    picResults[1]->setPicture(missPicture(picResults[1]->size()));
    const int players = clampSetting(settings().BugPlayers, 1, 4);
    optNum[size_t(players - 1)]->setChecked(true);
    for (int p = 1; p <= 4; ++p) {
        ShowName(p);
    }
    ShowPlayers(players);
    ShowIdleMessage();
}

void frmBug::ShowIdleMessage() {
    lblMessage->setText(lines(QStringLiteral("Choose Number of\rPlayers, Enter Names\rClick New Game")));
}

// Name box and bug picture of the players in the game; the others are hidden.
void frmBug::ShowPlayers(int count) {
    for (int p = 1; p <= 4; ++p) {
        txtName[size_t(p)]->setVisible(p <= count);
        picBug[size_t(p)]->setVisible(p <= count);
    }
}

void frmBug::optNum_Click(int Index) {
    if (running() || Index < 0 || Index > 3) {
        return;
    }
    settings().BugPlayers = qint16(Index + 1);
    ShowPlayers(Index + 1);
}

void frmBug::txtName_LostFocus(int Index) {
    if (Index >= 1 && Index <= 4) {
        settings().BugPlayerName[size_t(Index)] = txtName[size_t(Index)]->text();
    }
}

// The player's name in its box as the game uses it: "Player n" for an empty name.
void frmBug::ShowName(int p) {
    QLineEdit* box = txtName[size_t(p)];
    const QString name = PlayerName(settings().BugPlayerName, p);
    if (box->text() != name) {
        box->setText(name);
    }
}

void frmBug::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    Frame1->setEnabled(false);
    cmdNew->setEnabled(false);
    Players = clampSetting(settings().BugPlayers, 1, 4);
    for (int p = 1; p <= 4; ++p) {
        ShowName(p);
        txtName[size_t(p)]->setReadOnly(true);
        PartsBuilt[size_t(p)] = 0;
        picBug[size_t(p)]->Cls();
    }
    CurrentPlayer = 1;
    NewBugTurn();
}

// The message of the turn: whose it is, then what the player should do or what came of the stop.
void frmBug::SayToPlayer(const QString& what) {
    lblMessage->setText(turnMessage(settings().BugPlayerName, CurrentPlayer, lblMessage, what));
}

void frmBug::NewBugTurn() {
    SayToPlayer(QStringLiteral("Your Turn\rClick Circles"));
    Timer1->setEnabled(true);
    picFlash->setFocus();
}

// One flash: rings of random colours from the edge of the target inwards.
void frmBug::Timer1_Timer() {
    const double W = picFlash->scaleWidth();
    const double H = picFlash->scaleHeight();
    const int step = picFlash->drawWidth();
    picFlash->setFillStyle(PictureBox::FillStyle::Transparent);
    for (double r = 0.45 * W; r > 0; r -= step) {
        picFlash->Circle(0.5 * W, 0.5 * H, r, QBColor(rnd().below(16)));
    }
}

void frmBug::picFlash_Click() {
    TakeTurn();
}

void frmBug::picFlash_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        TakeTurn();
    }
}

// A stop counts only while the target flashes for the player whose turn it is.
void frmBug::TakeTurn() {
    if (!running() || !Timer1->isEnabled()) {
        return;
    }
    Timer1->setEnabled(false);
    const size_t p = size_t(CurrentPlayer);
    // While the hit or the miss shows, the message says what it was, not to click.
    if (rnd().next() >= HitChance) {
        picFlash->setPicture(picResults[1]->picture());
        SayToPlayer(QStringLiteral("Sorry ...\rA Miss"));
        PlayWave(UhohWave, 0);
        Pause(0.5);
    } else {
        picFlash->setPicture(picResults[0]->picture());
        PartsBuilt[p] = std::min(PartsBuilt[p] + 1, 6);
        SayToPlayer(QStringLiteral("A Hit!\rYou get ") + QLatin1String(PartName[size_t(PartsBuilt[p])]));
        PlayWave(TadaWave, 0);
        DrawBugPart(CurrentPlayer, PartsBuilt[p]);
    }
    Pause(1);
    picFlash->setPicture(Picture());
    if (running() && !closeAsked()) {
        NextTurn();
    }
}

void frmBug::NextTurn() {
    CurrentPlayer += 1;
    if (CurrentPlayer <= Players) {
        NewBugTurn();
        return;
    }
    // The round is over.
    CurrentPlayer = 1;
    FinishedFlags finished{};
    bool anyFinished = false;
    for (size_t p = 1; p <= 4; ++p) {
        finished[p] = PartsBuilt[p] >= 6;
        anyFinished = anyFinished || finished[p];
    }
    if (!anyFinished) {
        NewBugTurn();
        return;
    }
    PlayWave(BugWave, 0);
    Pause(1);
    if (closeAsked()) {
        return;
    }
    ShowResults(this, QStringLiteral("Bug Builder Results"), QStringLiteral("The game is over."),
                QStringLiteral("These player(s) finished their bugs:"), 4, finished, settings().BugPlayerName,
                Activity.helpContext);
    StopMode();
}

void frmBug::StopMode() {
    endMode();
    Timer1->setEnabled(false);
    picFlash->setPicture(Picture());
    Frame1->setEnabled(true);
    cmdNew->setEnabled(true);
    for (int p = 1; p <= 4; ++p) {
        txtName[size_t(p)]->setReadOnly(false);
    }
    ShowIdleMessage();
}

void frmBug::Form_Unload() {
    Timer1->setEnabled(false);
}

void frmBug::DrawBugPart(int p, int k) {
    if (p < 1 || p > 4) {
        return;
    }
    PictureBox& pic = *picBug[size_t(p)];
    const double W = pic.scaleWidth();
    const double H = pic.scaleHeight();
    pic.setFillStyle(PictureBox::FillStyle::Solid);
    // Circles are filled in their outline colour.
    const auto disc = [&](double x, double y, double r, int colour) {
        pic.setFillColor(QBColor(colour));
        pic.Circle(x * W, y * H, r * H, QBColor(colour));
    };
    const auto path = [&](int colour, std::initializer_list<QPointF> points) {
        pic.setForeColor(QBColor(colour));
        std::vector<QPointF> scaled;
        for (const QPointF& q : points) {
            scaled.emplace_back(q.x() * W, q.y() * H);
        }
        for (size_t i = 1; i < scaled.size(); ++i) {
            pic.Line(scaled[i - 1].x(), scaled[i - 1].y(), scaled[i].x(), scaled[i].y());
        }
    };
    switch (k) {
    case 1: // the body
        disc(0.5, 0.625, 0.3, 12);
        break;
    case 2: // the head
        disc(0.5, 0.225, 0.125, 12);
        break;
    case 3: // the face
        pic.setDrawWidth(2);
        path(0, {{0.5, 0.225}, {0.525, 0.25}});
        path(0, {{0.5, 0.225}, {0.475, 0.25}});
        path(0, {{0.425, 0.275}, {0.45, 0.3}, {0.55, 0.3}, {0.575, 0.275}});
        pic.setDrawWidth(1);
        for (const double x : {0.45, 0.55}) {
            disc(x, 0.175, 0.04, 15);
            disc(x, 0.175, 0.01, 0);
        }
        break;
    case 4: // the feelers
        pic.setDrawWidth(3);
        path(13, {{0.385, 0.135}, {0.3, 0.05}, {0.2, 0.05}, {0.1, 0.125}});
        path(13, {{0.615, 0.135}, {0.7, 0.05}, {0.8, 0.05}, {0.9, 0.125}});
        pic.setDrawWidth(1);
        disc(0.1, 0.125, 0.02, 13);
        disc(0.9, 0.125, 0.02, 13);
        break;
    case 5: // six legs, each with two toes from its end
        pic.setDrawWidth(3);
        for (const double side : {-1.0, 1.0}) {
            const auto x = [side](double fromMiddle) { return 0.5 + side * fromMiddle; };
            path(14, {{x(0.19), 0.47}, {x(0.4), 0.4}, {x(0.4), 0.325}, {x(0.45), 0.275}});
            path(14, {{x(0.4), 0.325}, {x(0.35), 0.275}});
            path(14, {{x(0.225), 0.625}, {x(0.4), 0.625}, {x(0.45), 0.575}});
            path(14, {{x(0.4), 0.625}, {x(0.45), 0.675}});
            path(14, {{x(0.19), 0.78}, {x(0.4), 0.85}, {x(0.4), 0.925}, {x(0.45), 0.975}});
            path(14, {{x(0.4), 0.925}, {x(0.35), 0.975}});
        }
        pic.setDrawWidth(1);
        break;
    case 6: // four spots
        for (const QPointF& at :
             {QPointF(0.5, 0.475), QPointF(0.4, 0.625), QPointF(0.6, 0.625), QPointF(0.5, 0.775)}) {
            disc(at.x(), at.y(), 0.05, 10);
        }
        break;
    default:
        break;
    }
}

void frmBug::picBug_Paint(int Index) {
    if (Index < 1 || Index > 4) {
        return;
    }
    picBug[size_t(Index)]->Cls();
    for (int k = 1; k <= PartsBuilt[size_t(Index)]; ++k) {
        DrawBugPart(Index, k);
    }
}

void frmBug::showEvent(QShowEvent* event) {
    ActivityWindow::showEvent(event);
    for (int p = 1; p <= 4; ++p) {
        picBug_Paint(p);
    }
}

} // namespace nibsy
