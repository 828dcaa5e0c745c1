// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/frmBarn.h"

#include "matching/optbarn.h"
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

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace nibsy {

namespace {

// The window, in twips.
constexpr int WindowWidth = 9720;
constexpr int WindowHeight = 6360;

// The doors: two rows of four, a name under each.
constexpr int DoorWidth = 1572;
constexpr int DoorHeight = 1452;
constexpr std::array<int, 4> DoorLeft{240, 2040, 3840, 5640};
constexpr std::array<int, 2> DoorTop{2400, 4320};
constexpr int NameHeight = 420;

// The column beside the barn.
constexpr int SideLeft = 7560;
constexpr int SideWidth = 1920;

constexpr int Animals = 8;

const QColor WindowGrey(224, 224, 224);
const QColor Ink(0, 0, 128);
const QColor BarnRed(168, 40, 32);
const QColor Straw(255, 240, 200); // inside an open door
const QColor Sky(200, 230, 255);   // the display box when it shows a picture

struct Animal {
    const char* name;
    const char* picture;
    const char* sound;
};
constexpr std::array<Animal, 9> AnimalTable{{{"", "", ""},
                                             {"Cat", "cat.wmf", "catsnd.wav"},
                                             {"Dog", "dog.wmf", "dogsnd.wav"},
                                             {"Sheep", "sheep.wmf", "sheep.wav"},
                                             {"Horse", "horse.wmf", "horse.wav"},
                                             {"Cow", "cow.wmf", "cow.wav"},
                                             {"Rooster", "rooster.wmf", "rooster.wav"},
                                             {"Duck", "duck.wmf", "duck.wav"},
                                             {"Pig", "pig.wmf", "pig.wav"}}};

QString animalName(int animal) {
    return QString::fromLatin1(AnimalTable[size_t(animal)].name);
}

} // namespace

const ActivityDescriptor frmBarn::Activity{
    .menuIndex = 9,
    .caption = "Barnyard Fun",
    .helpContext = 9,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmBarn(opener); },
    .background = WindowGrey};

frmBarn::frmBarn(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmBarn"));

    // The barn wall with a white trim above and below, behind the doors.
    Shape1 = new QFrame(this);
    Shape1->setAutoFillBackground(true);
    QPalette wall = Shape1->palette();
    wall.setColor(QPalette::Window, BarnRed);
    Shape1->setPalette(wall);
    place(Shape1, 120, 2220, 7212, 4020);
    for (int i = 0; i < 2; ++i) {
        Line1[size_t(i)] = makeOutline(this, Qt::white, 2);
        place(Line1[size_t(i)], 120, i == 0 ? 2280 : 6165, 7212, 30);
    }

    const QFont nameFont = comicFont(14, true);
    for (int d = 1; d <= Animals; ++d) {
        const int left = DoorLeft[size_t((d - 1) % 4)];
        const int top = DoorTop[size_t((d - 1) / 4)];
        auto* door = new PictureBox(this);
        door->setObjectName(QStringLiteral("picHidden%1").arg(d));
        place(door, left, top, DoorWidth, DoorHeight);
        door->setBackColor(Straw);
        door->hide();
        connect(door, &PictureBox::Click, this, [this, d] { picHidden_Click(d); });
        picHidden[size_t(d)] = door;
        lblName[size_t(d)] = makeLabel(this, QString(), nameFont, Qt::AlignCenter);
        setTextColor(lblName[size_t(d)], Qt::white);
        place(lblName[size_t(d)], left - 60, top + DoorHeight, DoorWidth + 120, NameHeight);
        lblName[size_t(d)]->hide();
    }

    picDisplay = new PictureBox(this);
    picDisplay->setObjectName(QStringLiteral("picDisplay"));
    place(picDisplay, (DoorLeft[0] + DoorLeft[3] + DoorWidth) / 2 - 1500, 120, 3000, 1980);
    picDisplay->setBackColor(Sky);
    picDisplay->setForeColor(QBColor(0));
    picDisplay->setFontSpec(comicFont(30, true));

    fraGuess = new QGroupBox(this);
    place(fraGuess, SideLeft, 120, SideWidth, 1680);
    Label1 = makeLabel(fraGuess, QStringLiteral("Guesses"), comicFont(14, true), Qt::AlignCenter);
    setTextColor(Label1, Ink);
    place(Label1, 60, 120, SideWidth - 120, 420);
    lblGuess = new QLabel(fraGuess);
    makeCard(lblGuess, arialFont(32, true), Ink);
    place(lblGuess, 240, 600, SideWidth - 480, 900);

    const QFont buttonFont = arialFont(12, true);
    cmdClose = makeButton(this, QStringLiteral("&Close Doors"), arialFont(14, true),
                          QRect(SideLeft, 2400, SideWidth, 735), [this] { cmdClose_Click(); });
    cmdClose->hide();

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(SideLeft, 3480, SideWidth, 2760),
                                                             .first = QRect(120, 240, 1680, 495),
                                                             .step = {0, 615},
                                                             .font = buttonFont,
                                                             .onNew = [this] { cmdNew_Click(); },
                                                             .onOptions = [this] { cmdOptions_Click(); }});
    fraChoice = buttons.frame;
    cmdNew = buttons.cmdNew;
    cmdOptions = buttons.cmdOptions;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp, cmdNew);
}

void frmBarn::Form_Load() {
    ModeWindow::Form_Load();
    for (int a = 1; a <= Animals; ++a) {
        AnimalWave[size_t(a)] = FullPath(QString::fromLatin1(AnimalTable[size_t(a)].sound));
    }
    BarnyardWave = FullPath(QStringLiteral("barnyard.wav"));
    DisplayBack = picDisplay->backColor();
    for (int a = 1; a <= Animals; ++a) {
        const Picture picture = pictures().load(QString::fromLatin1(AnimalTable[size_t(a)].picture));
        picChoice[size_t(a)] = fittedPicture(picture, picHidden[1]->size());
        picWanted[size_t(a)] = fittedPicture(picture, picDisplay->size());
    }
}

FindBy frmBarn::FindMode() const {
    return FindBy(settingOr(settings().BarnFindBy, 0, 1, 1));
}

bool frmBarn::Peeking() const {
    return !cmdClose->isHidden();
}

void frmBarn::cmdNew_Click() {
    if (running()) {
        return;
    }
    beginMode(1);
    cmdNew->setEnabled(false);
    cmdOptions->setEnabled(false);
    picDisplay->setBackColor(FindMode() == FindBy::Picture ? DisplayBack : QBColor(15));
    for (int d = 1; d <= Animals; ++d) {
        Found[size_t(d)] = false;
        lblName[size_t(d)]->hide();
        picHidden[size_t(d)]->hide();
        picHidden[size_t(d)]->setPicture(Picture());
    }
    Shuffle(Animals, AnimalInBox);
    Doors = clampSetting(settings().BarnAnimalCount, 2, Animals);
    for (int d = 1; d <= Doors; ++d) {
        picHidden[size_t(d)]->show();
        CloseDoor(d);
    }
    picDisplay->setPicture(Picture());
    picDisplay->Cls();
    Guesses = 0;
    lblGuess->setText(QStringLiteral("0"));
    Remaining = Doors;
    if (settingOr(settings().BarnPeek, 0, 1, 1) == 1) {
        PeekAll(Doors);
    } else {
        Next_One(Remaining);
    }
}

// Every door opens for a look until Close Doors is pressed.
void frmBarn::PeekAll(int n) {
    for (int d = 1; d <= n; ++d) {
        ShowAnimal(picHidden[size_t(d)], AnimalInBox[size_t(d)], d);
    }
    cmdClose->show();
    cmdClose->setFocus();
}

void frmBarn::cmdClose_Click() {
    if (!running() || !Peeking()) {
        return;
    }
    ignoreRestOfDoubleClick();
    for (int d = 1; d <= Doors; ++d) {
        lblName[size_t(d)]->hide();
        CloseDoor(d);
    }
    cmdClose->hide();
    Next_One(Remaining);
}

// The next animal wanted: one behind a door not yet found, shown or named in the display box.
void frmBarn::Next_One(int remaining) {
    Target = PickNext(remaining);
    if (Target == 0) {
        return;
    }
    if (FindMode() == FindBy::Name) {
        ShowName(AnimalInBox[size_t(Target)]);
    } else {
        picDisplay->setPicture(Picture());
        ShowAnimal(picDisplay, AnimalInBox[size_t(Target)], Target);
    }
}

// The k-th door not yet found, k drawn from 1 to n: every door not found is as likely.
int frmBarn::PickNext(int n) {
    const int k = rnd().upTo(n);
    int count = 0;
    for (int d = 1; d <= Doors; ++d) {
        if (!Found[size_t(d)] && ++count == k) {
            return d;
        }
    }
    return 0;
}

void frmBarn::ShowName(int animal) {
    const QString name = animalName(animal);
    picDisplay->Cls();
    picDisplay->currentY = 0.3 * picDisplay->scaleHeight();
    picDisplay->currentX = (picDisplay->scaleWidth() - picDisplay->TextWidth(name)) / 2;
    picDisplay->Print(name);
    picDisplay->repaint();
}

// An animal in a door (named under it when finding by name) or in the display box.
void frmBarn::ShowAnimal(PictureBox* box, int animal, int door) {
    const bool inDisplay = box == picDisplay;
    box->setPicture(inDisplay ? picWanted[size_t(animal)] : picChoice[size_t(animal)]);
    if (FindMode() == FindBy::Name && !inDisplay) {
        lblName[size_t(door)]->setText(animalName(animal));
        lblName[size_t(door)]->show();
    }
    box->repaint();
}

void frmBarn::picHidden_Click(int Index) {
    if (!running() || Peeking() || Index < 1 || Index > Doors || Found[size_t(Index)]) {
        return;
    }
    // The second click of a child's double-click must not open the door a second time.
    ignoreRestOfDoubleClick();
    ++Guesses;
    lblGuess->setText(formatNumber(Guesses, QStringLiteral("##")));
    lblGuess->repaint();
    ShowAnimal(picHidden[size_t(Index)], AnimalInBox[size_t(Index)], Index);
    Pause(1);
    if (Index == Target) {
        PlayWave(AnimalWave[size_t(AnimalInBox[size_t(Index)])], 0);
        Found[size_t(Index)] = true;
        --Remaining;
        if (Remaining == 0) {
            StopMode();
            PlayWave(BarnyardWave, 0);
        } else {
            Next_One(Remaining);
        }
    } else {
        PlayWave(UhohWave, 1);
        lblName[size_t(Index)]->hide();
        CloseDoor(Index);
        Next_One(Remaining);
    }
}

// A closed barn door: yellow boards in a brown frame, crossed by two brown braces.
void frmBarn::CloseDoor(int d) {
    PictureBox& door = *picHidden[size_t(d)];
    door.setPicture(Picture());
    door.setScaleMode(PictureBox::ScaleMode::Pixels);
    // The last row and column of pixels lie inside the door, so its outline shows on all four edges.
    const int W = int(door.scaleWidth()) - 1;
    const int H = int(door.scaleHeight()) - 1;
    door.setForeColor(QBColor(0));
    door.setFillStyle(PictureBox::FillStyle::Solid);
    door.setFillColor(QBColor(14));
    door.Box(0, 0, W, H);
    door.setFillColor(QBColor(6));
    const double w = 0.1 * W;
    const double h = 0.1 * H;
    door.Box(0, 0, W, h);
    door.Box(0, H - h, W, H);
    door.Box(0, 0, w, H);
    door.Box(W - w, 0, W, H);
    const auto at = [&](double fx, double fy) { return QPoint(near(fx * W), near(fy * H)); };
    door.Polygon(
        QPolygon({at(0.1, 0.18), at(0.1, 0.1), at(0.18, 0.1), at(0.9, 0.82), at(0.9, 0.9), at(0.82, 0.9)}));
    door.Polygon(
        QPolygon({at(0.1, 0.82), at(0.1, 0.9), at(0.18, 0.9), at(0.9, 0.18), at(0.9, 0.1), at(0.82, 0.1)}));
    door.setFillStyle(PictureBox::FillStyle::Transparent);
    door.setScaleMode(PictureBox::ScaleMode::Twips);
    door.repaint();
}

void frmBarn::cmdOptions_Click() {
    if (running()) {
        return;
    }
    openModal<optbarn>(this);
}

// The game ends: the buttons come back and the display box says "Game Over"; open doors stay open.
void frmBarn::StopMode() {
    endMode();
    cmdClose->hide();
    cmdNew->setEnabled(true);
    cmdOptions->setEnabled(true);
    picDisplay->setPicture(Picture());
    picDisplay->setBackColor(QBColor(15));
    picDisplay->Cls();
    picDisplay->currentY = 0.2 * picDisplay->scaleHeight();
    for (const QString& word : {QStringLiteral("Game"), QStringLiteral("Over")}) {
        picDisplay->currentX = (picDisplay->scaleWidth() - picDisplay->TextWidth(word)) / 2;
        picDisplay->Print(word);
    }
    picDisplay->repaint();
}

} // namespace nibsy
