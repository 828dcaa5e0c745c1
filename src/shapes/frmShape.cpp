// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/frmShape.h"

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "shapes/PraisePictures.h"
#include "shapes/ShapeItems.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <cmath>

namespace nibsy {

namespace {

// The window, in twips: 720 x 560 pixels at 96 dpi.
constexpr int FormWidth = 10800;
constexpr int FormHeight = 8400;

// The item boxes are squares: the model (or the item to name) in the middle of the top row, the three
// choices in a row below it, or in the top row themselves where there is no model.
constexpr int BoxSize = 2400;
constexpr int TopRow = 1680;
constexpr int LowRow = TopRow + BoxSize + 240;
constexpr std::array<int, 3> ChoiceLeft{900, 4200, 7500};

const QColor Cream(255, 248, 220);
// The boxes' ground: neither white nor black, so items of both colours show, in a thin darker outline.
const QColor BoxGround(204, 212, 222);
const QColor BoxOutline(96, 104, 116);

const std::array<const char*, 5> ChoiceWords{"Learn ", "Name ", "Find ", "Same ", "Different "};
const std::array<const char*, 7> ColorFiles{"blue.wav",   "red.wav",   "yellow.wav", "green.wav",
                                            "purple.wav", "white.wav", "black.wav"};
const std::array<const char*, 7> Objects{"sky", "apple", "sun", "tree", "grapes", "igloo", "bat"};
const std::array<const char*, 7> ObjectFiles{"sky.wav",    "apple.wav", "sun.wav", "tree.wav",
                                             "grapes.wav", "igloo.wav", "bat.wav"};
const std::array<const char*, 7> ColorPictures{"",           "apple.wmf", "sun.wmf", "tree.wmf",
                                               "grapes.wmf", "igloo.wmf", "bat.wmf"};
const std::array<const char*, 7> ShapeFiles{"square.wav",   "rectang.wav", "circle.wav", "oval.wav",
                                            "triangle.wav", "diamond.wav", "star.wav"};
const std::array<const char*, 7> ShapePictures{"block.wmf",    "gift.wmf", "ball.wmf",    "egg.wmf",
                                               "sandwich.wmf", "kite.wmf", "starfish.wmf"};
const std::array<const char*, 7> Hints{
    "It has four equal sides.  Find a square in this picture.",
    "It has two short sides and two long sides.  Find a rectangle in this picture.",
    "It is round.  Find a circle in this picture.",
    "It is kind of round.  Find an oval in this picture.",
    "It has three sides.  Find a triangle in this picture.",
    "It looks like a baseball field.  Find a diamond in this picture.",
    "It has five or more points.  Find a star in this picture."};

// A blue sky with a few white clouds.
Picture skyPicture() {
    return Picture::fromDrawing({240, 240}, [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 240);
        sky.setColorAt(0, QColor(40, 110, 230));
        sky.setColorAt(1, QColor(130, 190, 250));
        p.fillRect(QRect(0, 0, 240, 240), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const auto cloud = [&p](double x, double y, double s) {
            p.drawEllipse(QPointF(x, y), 22 * s, 14 * s);
            p.drawEllipse(QPointF(x + 20 * s, y - 8 * s), 20 * s, 16 * s);
            p.drawEllipse(QPointF(x + 40 * s, y), 22 * s, 14 * s);
        };
        cloud(30, 60, 1.0);
        cloud(140, 40, 0.8);
        cloud(100, 170, 1.1);
    });
}

PictureBox* makeItemBox(QWidget* parent) {
    auto* box = new PictureBox(parent);
    box->setBackColor(BoxGround);
    return box;
}

QString swatchStyle(const QColor& c) {
    return QStringLiteral("QLabel { background-color: %1; border: 2px solid rgb(64, 64, 64); }")
        .arg(c.name());
}

} // namespace

const ActivityDescriptor frmShape::Activity{
    .menuIndex = NoMenuButton,
    .caption = "Colors & Shapes",
    .helpContext = 18,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmShape(opener); },
    .background = Cream};

frmShape::frmShape(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmShape"));

    lblTitle = makeLabel(this, QString(), comicFont(24, true), Qt::AlignCenter);
    setTextColor(lblTitle, QColor(0, 0, 128));
    place(lblTitle, 1800, 90, 7200, 720);
    lblMain = makeLabel(this, QString(), comicFont(22, true), Qt::AlignCenter);
    place(lblMain, 1800, 840, 7200, 720);
    lblDescribe = makeLabel(this, QString(), comicFont(20, true), Qt::AlignCenter);
    lblDescribe->setWordWrap(true);
    place(lblDescribe, 600, 5520, 9600, 1320);

    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    fraChoices->setFont(comicFont(12, true));
    place(fraChoices, 2400, 960, 6000, 5940);
    const std::array<const char*, 2> kinds{"Colors", "Shapes"};
    for (int i = 0; i < 2; ++i) {
        optWhich[size_t(i)] = makeOption(fraChoices, QString::fromLatin1(kinds[size_t(i)]),
                                         comicFont(16, true), QRect(900 + i * 2400, 420, 2100, 540), [] {});
        connect(optWhich[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                optWhich_Click(i);
            }
        });
    }
    for (int i = 0; i < 5; ++i) {
        cmdChoice[size_t(i)] =
            makeButton(fraChoices, QString(), comicFont(18, true), QRect(600, 1140 + i * 930, 4800, 780),
                       [this, i] { cmdChoice_Click(i); });
    }

    picDisplay = makeItemBox(this);
    place(picDisplay, ChoiceLeft[1], TopRow, BoxSize, BoxSize);
    for (int i = 0; i < 3; ++i) {
        picChoice[size_t(i)] = makeItemBox(this);
        place(picChoice[size_t(i)], ChoiceLeft[size_t(i)], LowRow, BoxSize, BoxSize);
        connect(picChoice[size_t(i)], &PictureBox::Click, this, [this, i] { picChoice_Click(i); });
        lblChoice[size_t(i)] = new ClickLabel(this);
        makeCard(lblChoice[size_t(i)], comicFont(26, true), QColor(0, 0, 128));
        place(lblChoice[size_t(i)], 450 + i * 3450, LowRow + 240, 3000, 1080);
        lblChoice[size_t(i)]->onClick = [this, i] { lblChoice_Click(i); };
    }

    picLearn = makeItemBox(this);
    place(picLearn, 900, 1800, 3600, 3600);
    lblColor = new QLabel(this);
    place(lblColor, 900, 1800, 3600, 3600);
    picMain = new PictureBox(this);
    picMain->setBackColor(Cream);
    place(picMain, 6300, 1800, 3600, 3600);
    // Made after picMain, so it lies over it.
    picSky = new PictureBox(this);
    place(picSky, 6300, 1800, 3600, 3600);
    picSky->setPicture(skyPicture());
    cmdNext = makeButton(this, QString(), comicFont(16, true), QRect(600, 7080, 3000, 840),
                         [this] { cmdNext_Click(); });

    const std::array<Picture, 2> praise{starPicture(), smileyPicture()};
    for (int i = 0; i < 2; ++i) {
        imgGood[size_t(i)] = new PictureBox(this);
        imgGood[size_t(i)]->setBackColor(Cream);
        place(imgGood[size_t(i)], i == 0 ? 240 : FormWidth - 240 - 1440, 120, 1440, 1440);
        imgGood[size_t(i)]->setPicture(praise[size_t(i)]);
    }

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(6960, 6900, 3600, 1260),
                                                             .first = QRect(150, 300, 1560, 780),
                                                             .columns = 2,
                                                             .step = {1740, 0},
                                                             .font = comicFont(12, true)});
    fraChoice = buttons.frame;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);

    hideModeControls();
}

void frmShape::Form_Load() {
    ModeWindow::Form_Load();
    DisplayTop = picDisplay->y();
    ChoiceTop = picChoice[0]->y();
    for (size_t i = 0; i < 7; ++i) {
        ColorSound[i] = FullPath(QString::fromLatin1(ColorFiles[i]));
        ObjectSound[i] = FullPath(QString::fromLatin1(ObjectFiles[i]));
        ShapeSound[i] = FullPath(QString::fromLatin1(ShapeFiles[i]));
    }
    // The file may hold any number: the kind falls back to shapes, and choosing it stores what is used.
    optWhich[size_t(settingOr(settings().ShapeMode, 0, 1, 1))]->setChecked(true);
}

void frmShape::optWhich_Click(int Index) {
    if (running()) {
        return;
    }
    settings().ShapeMode = qint16(Index);
    Kind_ = ShapeKind(Index);
    const QString plural = Kind_ == ShapeKind::Colors ? QStringLiteral("Colors") : QStringLiteral("Shapes");
    for (size_t i = 0; i < cmdChoice.size(); ++i) {
        cmdChoice[i]->setText(QString::fromLatin1(ChoiceWords[i]) + plural);
    }
    setHelpContext(Kind_ == ShapeKind::Colors ? 6 : 18);
    const auto& files = Kind_ == ShapeKind::Colors ? ColorPictures : ShapePictures;
    for (size_t i = 0; i < imgColor.size(); ++i) {
        const QString name = QString::fromLatin1(files[i]);
        imgColor[i] = name.isEmpty() ? Picture() : pictures().load(name);
    }
}

void frmShape::hideModeControls() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblTitle, lblMain, lblDescribe, lblColor, picSky, picLearn, picMain,
                                         picDisplay, cmdNext, imgGood[0], imgGood[1]}) {
        w->hide();
    }
    for (size_t i = 0; i < 3; ++i) {
        picChoice[i]->hide();
        lblChoice[i]->hide();
    }
}

void frmShape::placeChoices(int top) {
    for (PictureBox* box : picChoice) {
        box->move(box->x(), top);
        box->show();
    }
}

void frmShape::cmdChoice_Click(int Index) {
    if (running() || Index < 0 || Index > 4) {
        return;
    }
    beginMode(Index + 1);
    fraChoices->hide();
    const bool colors = Kind() == ShapeKind::Colors;
    lblTitle->setText(QString::fromLatin1(ChoiceWords[size_t(Index)]) +
                      (colors ? QStringLiteral("Colors") : QStringLiteral("Shapes")));
    lblTitle->show();
    Choices = {};
    // Every question but Learn's is centred under the title; Learn's starts at the window's left edge.
    place(lblMain, 1800, 840, 7200, 720);
    lblMain->setAlignment(Qt::AlignCenter);
    lblMain->clear();
    lblMain->show();
    switch (Mode()) {
    case ShapeActivity::Learn:
        place(lblMain, 120, 840, FormWidth - 240, 720);
        lblMain->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lblDescribe->show();
        picMain->show();
        (colors ? static_cast<QWidget*>(lblColor) : picLearn)->show();
        cmdNext->setText(colors ? QStringLiteral("Next Color") : QStringLiteral("Next Shape"));
        cmdNext->show();
        ColorIndex = ShapeIndex = 0;
        ShowLearn();
        break;
    case ShapeActivity::Name:
        lblMain->setText(colors ? QStringLiteral("What color?") : QStringLiteral("What shape?"));
        picDisplay->show();
        for (QLabel* label : lblChoice) {
            label->show();
        }
        AskName();
        break;
    case ShapeActivity::Find:
        placeChoices(DisplayTop);
        AskFind();
        break;
    case ShapeActivity::Same:
        lblMain->setText(QStringLiteral("Which is the same?"));
        placeChoices(ChoiceTop);
        picDisplay->show();
        AskSame();
        break;
    case ShapeActivity::Different:
        lblMain->setText(QStringLiteral("Which is different?"));
        placeChoices(DisplayTop);
        AskDifferent();
        break;
    default:
        break;
    }
}

void frmShape::DrawItem(PictureBox& box, int shape, const QColor& colour) {
    box.Cls();
    box.setScaleMode(PictureBox::ScaleMode::Pixels);
    const int W = int(box.scaleWidth());
    box.setFillStyle(PictureBox::FillStyle::Transparent);
    box.Box(0, 0, W - 1, box.scaleHeight() - 1, BoxOutline);
    box.setScaleMode(PictureBox::ScaleMode::Twips);
    DrawItemIn(box, 0, W, shape, colour);
}

void frmShape::NewQuestion() {
    switch (Mode()) {
    case ShapeActivity::Name:
        AskName();
        break;
    case ShapeActivity::Find:
        AskFind();
        break;
    case ShapeActivity::Same:
        AskSame();
        break;
    case ShapeActivity::Different:
        AskDifferent();
        break;
    default:
        break;
    }
}

// Colours vary over the choices in colors mode (all in the question's shape), shapes in shapes mode (all
// in the question's colour).
void frmShape::showChoices() {
    for (size_t k = 0; k < 3; ++k) {
        const int item = Choices.items[k];
        if (Kind() == ShapeKind::Colors) {
            DrawItem(*picChoice[k], ShapeIndex, ItemColor(item));
        } else {
            DrawItem(*picChoice[k], item, ItemColor(ColorIndex));
        }
    }
}

int frmShape::target() const {
    return Kind() == ShapeKind::Colors ? ColorIndex : ShapeIndex;
}

void frmShape::AskName() {
    ColorIndex = rnd().below(ItemCount);
    ShapeIndex = rnd().below(ItemCount);
    DrawItem(*picDisplay, ShapeIndex, ItemColor(ColorIndex));
    Choices = ThreeDifferent(target());
    for (size_t k = 0; k < 3; ++k) {
        const int item = Choices.items[k];
        lblChoice[k]->setText(Kind() == ShapeKind::Colors ? ColorName(item) : ShapeName(item));
    }
}

void frmShape::AskFind() {
    ColorIndex = rnd().below(ItemCount);
    ShapeIndex = rnd().below(ItemCount);
    const bool colors = Kind() == ShapeKind::Colors;
    lblMain->setText(colors ? QStringLiteral("Which is ") + ColorName(ColorIndex) + QStringLiteral("?")
                            : QStringLiteral("Which is a ") + ShapeName(ShapeIndex) + QStringLiteral("?"));
    Choices = ThreeDifferent(target());
    showChoices();
    PlayWave(colors ? ColorSound[size_t(ColorIndex)] : ShapeSound[size_t(ShapeIndex)], 0);
}

void frmShape::AskSame() {
    ColorIndex = rnd().below(ItemCount);
    ShapeIndex = rnd().below(ItemCount);
    DrawItem(*picDisplay, ShapeIndex, ItemColor(ColorIndex));
    Choices = ThreeDifferent(target());
    showChoices();
}

void frmShape::AskDifferent() {
    ShapeIndex = rnd().below(ItemCount);
    ColorIndex = rnd().below(ItemCount);
    Choices = OddOneOut(target());
    showChoices();
}

void frmShape::picChoice_Click(int Index) {
    const ShapeActivity m = Mode();
    if (m == ShapeActivity::Find || m == ShapeActivity::Same || m == ShapeActivity::Different) {
        CheckAnswer(Index);
    }
}

void frmShape::lblChoice_Click(int Index) {
    if (Mode() == ShapeActivity::Name) {
        CheckAnswer(Index);
    }
}

void frmShape::CheckAnswer(int Index) {
    if (!running() || Choices.answer < 0) {
        return;
    }
    // The rest of a double-click on the right answer must not land on the next question's boxes.
    ignoreRestOfDoubleClick();
    if (Index != Choices.answer) {
        PlayWave(UhohWave, 0);
        return;
    }
    // Find spoke the name with the question.
    if (Mode() != ShapeActivity::Find) {
        PlayWave(
            Kind() == ShapeKind::Colors ? ColorSound[size_t(ColorIndex)] : ShapeSound[size_t(ShapeIndex)], 0);
    }
    if (!running() || closeAsked()) {
        return;
    }
    Praise(imgGood);
    if (running() && !closeAsked()) {
        NewQuestion();
    }
}

void frmShape::ShowLearn() {
    const auto stillHere = [this] { return running() && !closeAsked(); };
    if (Kind() == ShapeKind::Colors) {
        const size_t c = size_t(ColorIndex);
        lblMain->setText(QStringLiteral("    This is ") + ColorName(ColorIndex) + QStringLiteral("."));
        lblColor->setStyleSheet(swatchStyle(ItemColor(ColorIndex)));
        lblDescribe->setText(QStringLiteral("\n") + ColorName(ColorIndex) + QStringLiteral(" ") +
                             QString::fromLatin1(Objects[c]));
        if (c == 0) {
            picMain->setPicture(Picture());
            picSky->show();
        } else {
            picMain->setPicture(fittedPicture(imgColor[c], picMain->size()));
        }
        Pause(0.2);
        if (stillHere()) {
            PlayWave(ColorSound[c], 0);
        }
        if (stillHere()) {
            Pause(0.5);
        }
        if (stillHere()) {
            PlayWave(ColorSound[c], 0);
        }
        if (stillHere()) {
            PlayWave(ObjectSound[c], 0);
        }
    } else {
        const size_t s = size_t(ShapeIndex);
        lblMain->setText(QStringLiteral("    This is a ") + ShapeName(ShapeIndex) + QStringLiteral("."));
        ColorIndex = rnd().below(ItemCount);
        DrawItem(*picLearn, ShapeIndex, ItemColor(ColorIndex));
        lblDescribe->setText(QString::fromLatin1(Hints[s]));
        picMain->setPicture(fittedPicture(imgColor[s], picMain->size()));
        PlayWave(ShapeSound[s], 0);
    }
    if (stillHere()) {
        cmdNext->setFocus();
    }
}

void frmShape::cmdNext_Click() {
    if (!running() || Mode() != ShapeActivity::Learn) {
        return;
    }
    if (Kind() == ShapeKind::Shapes) {
        ShapeIndex = (ShapeIndex + 1) % ItemCount;
    } else {
        if (ColorIndex == 0) {
            picSky->hide();
        }
        ColorIndex = (ColorIndex + 1) % ItemCount;
    }
    ShowLearn();
}

void frmShape::StopMode() {
    endMode();
    Choices = {};
    hideModeControls();
    fraChoices->show();
}

} // namespace nibsy
