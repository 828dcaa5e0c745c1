// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/frmBalloons.h"

#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SSPanel.h"
#include "platform/Services.h"
#include "platform/WindowTimer.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace nibsy {

namespace {

constexpr int FormWidth = 12000;
constexpr int FormHeight = 8520;
// The field, in twips; the rules work in its pixels.
constexpr QRect FieldTwips(120, 120, 8400, 8280);
// The pictures, in pixels.
constexpr QSize BalloonSize(80, 100);
constexpr QSize ArrowSize(40, 60);

const QColor Sky(190, 228, 255);
constexpr std::array<QRgb, BalloonRules::Colors> BalloonColors{
    qRgb(235, 40, 40), qRgb(30, 110, 235), qRgb(255, 205, 0), qRgb(40, 185, 60), qRgb(165, 70, 215)};

// A round balloon with a smiling face and its knot, on a transparent ground.
QImage balloonPicture(const QColor& colour) {
    QImage image = deviceImage(BalloonSize, screenRatio());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor edge = colour.darker(150);
    p.setPen(QPen(edge, 2));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{QPointF(32, 99), QPointF(48, 99), QPointF(40, 84)});
    p.drawEllipse(QRectF(3, 2, 74, 86));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QRectF(16, 12, 14, 22));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(29, 40), 4, 5.5);
    p.drawEllipse(QPointF(51, 40), 4, 5.5);
    p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(26, 44, 28, 20), 200 * 16, 140 * 16);
    return image;
}

// A bold arrow pointing up, filling its picture.
QImage arrowPicture() {
    QImage image = deviceImage(ArrowSize, screenRatio());
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(130, 30, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 110, 20));
    p.drawPolygon(QPolygonF{QPointF(20, 1), QPointF(39, 27), QPointF(28, 27), QPointF(28, 59),
                            QPointF(12, 59), QPointF(12, 27), QPointF(1, 27)});
    return image;
}

// The two arrow keys that move the arrow, as keycaps, on the window's ground.
QPixmap keysPicture(QSize size, const QColor& ground) {
    QPixmap pixmap(size * screenRatio());
    pixmap.setDevicePixelRatio(screenRatio());
    pixmap.fill(ground);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(size.height() - 4.0, (size.width() - 24.0) / 2);
    const double top = (size.height() - side) / 2;
    for (const int k : {0, 1}) {
        const double left = size.width() / 2.0 + (k == 0 ? -12 - side : 12);
        const QRectF cap(left, top, side, side);
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.setBrush(QColor(250, 250, 250));
        p.drawRoundedRect(cap, side / 6, side / 6);
        const QPointF c = cap.center();
        const double r = side * 0.3;
        const double dir = k == 0 ? -1 : 1;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 110, 20));
        p.drawPolygon(QPolygonF{c + QPointF(dir * r, 0), c + QPointF(0, -r), c + QPointF(0, -r / 2.5),
                                c + QPointF(-dir * r, -r / 2.5), c + QPointF(-dir * r, r / 2.5),
                                c + QPointF(0, r / 2.5), c + QPointF(0, r)});
    }
    return pixmap;
}

} // namespace

const ActivityDescriptor frmBalloons::Activity{
    .menuIndex = 15,
    .caption = "Balloon Popper",
    .helpContext = 17,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmBalloons(opener); },
    .background = QColor(255, 248, 220)};

frmBalloons::frmBalloons(QWidget* opener) : ModeWindow(opener, Activity) {
    for (size_t i = 0; i < picBalloons.size(); ++i) {
        auto* field = new PictureBox(this);
        place(field, FieldTwips.x(), FieldTwips.y(), FieldTwips.width(), FieldTwips.height());
        field->setScaleMode(PictureBox::ScaleMode::Pixels);
        field->setBackColor(Sky); // and cleared to it
        picBalloons[i] = field;
    }
    picBalloons[1]->hide();
    picBalloons[0]->setTakesFocus(true);
    connect(picBalloons[0], &PictureBox::KeyDown, this, &frmBalloons::picBalloons_KeyDown);

    const int right = FieldTwips.right() + 1 + 240;
    const int column = FormWidth - 120 - right;
    Label1 = makeLabel(this, QStringLiteral("Balloons Popped"), comicFont(14, true), Qt::AlignCenter);
    place(Label1, right, 240, column, 480);
    lblScore = makeLabel(this, QStringLiteral("0"), comicFont(36, true), Qt::AlignCenter);
    makeCard(lblScore, comicFont(36, true), QColor(200, 0, 60));
    place(lblScore, right + 360, 780, column - 720, 1140);
    Label2 = makeLabel(this, QStringLiteral("Time Left"), comicFont(14, true), Qt::AlignCenter);
    place(Label2, right, 2400, column, 480);
    pnlTime = new SSPanel(this);
    pnlTime->setFloodColor(QColor(0, 176, 80));
    place(pnlTime, right, 2940, column, 540);

    // What moves the arrow, for a child who cannot read yet.
    picKeys = new QLabel(this);
    place(picKeys, right, 4200, column, 1200);
    picKeys->setPixmap(keysPicture(picKeys->size(), Activity.background));
    picKeys->installEventFilter(this);

    const QFont buttons = comicFont(12, true);
    cmdNew = makeButton(this, QStringLiteral("&New Game"), buttons, QRect(right, 6480, column, 720),
                        [this] { cmdNew_Click(); });
    const int half = (column - 120) / 2;
    cmdHelp = makeButton(this, QStringLiteral("&Help"), buttons, QRect(right, 7680, half, 720),
                         [this] { cmdHelp_Click(); });
    cmdExit = makeButton(this, QStringLiteral("E&xit"), buttons, QRect(right + half + 120, 7680, half, 720),
                         [this] { cmdExit_Click(); });
    setFrameButtons(cmdExit, cmdHelp, cmdNew);

    timBalloons = new WindowTimer(this, 100);
    timBalloons->onTick([this] { timBalloons_Timer(); });
    timGame = new WindowTimer(this, GameMs);
    timGame->onTick([this] { timGame_Timer(); });
}

void frmBalloons::Form_Load() {
    ModeWindow::Form_Load();
    PopWave = FullPath(QStringLiteral("whizpop.wav"));
    for (size_t c = 0; c < picBalloon.size(); ++c) {
        picBalloon[c] = balloonPicture(QColor(BalloonColors[c]));
    }
    picBalloonMask = PictureBox::MaskOf(picBalloon[0]);
    picArrow = arrowPicture();
    picArrowMask = PictureBox::MaskOf(picArrow);
    PictureBox& field = *picBalloons[0];
    Rules.emplace(BalloonRules::Sizes{.fieldWidth = int(field.scaleWidth()),
                                      .fieldHeight = int(field.scaleHeight()),
                                      .balloonWidth = BalloonSize.width(),
                                      .balloonHeight = BalloonSize.height(),
                                      .arrowWidth = ArrowSize.width(),
                                      .arrowHeight = ArrowSize.height()});
    DrawScene();
}

void frmBalloons::Form_Activate() {
    picBalloons[0]->setFocus();
}

void frmBalloons::NewBalloon(int i) {
    Rules->NewBalloon(i);
}

// The scene is put together in the buffer (the arrow, then the balloons over it, each through its mask),
// then copied to the field in one piece.
void frmBalloons::DrawScene() {
    PictureBox& buffer = *picBalloons[1];
    buffer.Cls();
    const BalloonRules& r = *Rules;
    buffer.MaskedBlt(r.ArrowX, r.ArrowY(), ArrowSize.width(), ArrowSize.height(), picArrow, picArrowMask, 0,
                     0);
    for (size_t i = 0; i < BalloonRules::Balloons; ++i) {
        const QImage& picture = picBalloon[size_t(r.BalloonColor[i])];
        buffer.MaskedBlt(r.BalloonX[i], r.BalloonY[i], BalloonSize.width(), BalloonSize.height(), picture,
                         picBalloonMask, 0, 0);
    }
    picBalloons[0]->BitBlt(0, 0, buffer.width(), buffer.height(), buffer, 0, 0);
}

void frmBalloons::picBalloons_KeyDown(int& KeyCode, Qt::KeyboardModifiers) {
    if (KeyCode == Qt::Key_Left) {
        Rules->moveArrowLeft();
    } else if (KeyCode == Qt::Key_Right) {
        Rules->moveArrowRight();
    } else {
        return;
    }
    KeyCode = 0;
    DrawScene();
}

void frmBalloons::picKeys_MouseDown(int x) {
    int key = x < picKeys->width() / 2 ? Qt::Key_Left : Qt::Key_Right;
    picBalloons_KeyDown(key, Qt::NoModifier);
}

bool frmBalloons::eventFilter(QObject* watched, QEvent* event) {
    // Each tap counts, the second of a quick pair too (it comes as a double-click).
    if (watched == picKeys &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        picKeys_MouseDown(int(static_cast<QMouseEvent*>(event)->position().x()));
        return true;
    }
    return ModeWindow::eventFilter(watched, event);
}

void frmBalloons::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    Score = 0;
    lblScore->setText(formatNumber(Score, QStringLiteral("##0")));
    Rules->centreArrow();
    for (int i = 0; i < BalloonRules::Balloons; ++i) {
        NewBalloon(i);
    }
    DrawScene();
    picBalloons[0]->setFocus();
    StartMs = clock().monotonicMs();
    pnlTime->setFloodPercent(100);
    timBalloons->setEnabled(true);
    timGame->setEnabled(true);
}

void frmBalloons::timBalloons_Timer() {
    // Once the minute is over nothing moves and nothing counts, even a tick that came late.
    if (!running() || clock().monotonicMs() - StartMs >= GameMs) {
        return;
    }
    const auto fates = Rules->step();
    for (const BalloonRules::Fate fate : fates) {
        if (fate == BalloonRules::Fate::Popped) {
            PlayWave(PopWave, 1);
            Score += 1;
            lblScore->setText(formatNumber(Score, QStringLiteral("##0")));
        }
    }
    DrawScene();
    ShowTimeLeft();
}

// The gauge shows the part of the minute that is left, measured on the monotonic clock.
void frmBalloons::ShowTimeLeft() {
    const qint64 left = std::clamp<qint64>(GameMs - (clock().monotonicMs() - StartMs), 0, GameMs);
    pnlTime->setFloodPercent(int(100 * left / GameMs));
}

void frmBalloons::timGame_Timer() {
    timGame->setEnabled(false);
    // A balloon tick held during the sound below must not move or score after the time is up.
    timBalloons->setEnabled(false);
    pnlTime->setFloodPercent(0);
    PlayWave(TadaWave, 0);
    if (running() && !closeAsked()) {
        StopMode();
    }
}

// Stop: the game ends and the score stays shown.
void frmBalloons::StopMode() {
    cmdNew->setEnabled(true);
    timBalloons->setEnabled(false);
    timGame->setEnabled(false);
    endMode();
}

void frmBalloons::Form_Unload() {
    timBalloons->setEnabled(false);
    timGame->setEnabled(false);
}

} // namespace nibsy
