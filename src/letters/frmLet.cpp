// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/frmLet.h"

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/WindowTimer.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>
#include <functional>

namespace nibsy {

namespace {

// The picture word of each letter, A to Z (element 0 is not used).
constexpr std::array<const char*, 27> Words{
    "",        "APPLE", "BALL", "CAT",      "DOG",    "ELEPHANT", "FISH",      "GRAPES", "HOUSE",
    "IGLOO",   "JET",   "KITE", "LEMON",    "MONKEY", "NEST",     "ORANGE",    "PIANO",  "QUARTER",
    "RACCOON", "SUN",   "TREE", "UMBRELLA", "VIOLIN", "WAGON",    "XYLOPHONE", "YOYO",   "ZEBRA"};
constexpr int LetterX = 24;

constexpr std::array<const char*, 9> ModeCaptions{"ABC Song",       "Learn Letters",  "Press a Letter",
                                                  "What Letter?",   "What Picture?",  "Missing Letter",
                                                  "Spell the Word", "Fill In Blanks", "Lower/Upper Case"};
// The step button's caption in a mode; none in the song and in Press a Letter.
QString stepCaption(LetterMode mode) {
    if (mode == LetterMode::LearnLetters) {
        return QStringLiteral("&Next Letter");
    }
    return mode >= LetterMode::WhatLetter ? QStringLiteral("Correct &Answer") : QString();
}

// Places in twips. The three picture places stand side by side under the title.
constexpr int PictureTop = 720, PictureWidth = 2655, PictureHeight = 2775;
constexpr std::array<int, 4> PictureLeft{0, 360, 3405, 6450};
constexpr int BlankTop = 1560, BlankSize = 1800, BlankStep = 2040, BlankLeft = 772;
constexpr int ArrowWidth = 900, ArrowHeight = 690, ArrowTop = 780;

QString word(int i) {
    return QString::fromLatin1(Words[size_t(i)]);
}

// The capital letter i (1 to 26) stands for.
QString capital(int i) {
    return QString(QChar(char16_t(64 + i)));
}

QString pictureFile(int i) {
    return i == LetterX ? QStringLiteral("xylo.bmp") : word(i) + QStringLiteral(".wmf");
}

QString wordSoundFile(int i) {
    return i == LetterX ? QStringLiteral("xylo.wav") : word(i) + QStringLiteral(".wav");
}

// The letter (1 to 26) at position pos (from 1) of letter i's word.
int letterOfWord(int i, int pos) {
    return word(i).at(pos - 1).unicode() - 64;
}

} // namespace

const ActivityDescriptor frmLet::Activity{
    .menuIndex = 1,
    .caption = "Letter Fun",
    .helpContext = 1,
    .widthTwips = 9465,
    .heightTwips = 6615,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmLet(opener); },
    .background = QColor(224, 224, 224)};

frmLet::frmLet(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmLet"));

    // The choice screen.
    Shape2 = makeOutline(this, QColor(0, 0, 128), 4);
    place(Shape2, 240, 120, 8985, 4920);

    fraChoices = new QGroupBox(QStringLiteral("Choices"), this);
    fraChoices->setFont(comicFont(12, true));
    place(fraChoices, 480, 360, 8505, 4440);
    for (int i = 0; i < 9; ++i) {
        auto* button = new SSCommand(QString::fromLatin1(ModeCaptions[size_t(i)]), fraChoices);
        button->setFont(comicFont(14, true));
        place(button, 240 + 2745 * (i % 3), 480 + 1080 * (i / 3), 2535, 900);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdChoice_Click(i); });
        cmdChoice[size_t(i)] = button;
    }
    const char* caseCaptions[] = {"Lower Case Letters", "Upper Case Letters"};
    for (int i = 0; i < 2; ++i) {
        auto* option = makeOption(fraChoices, QString::fromLatin1(caseCaptions[i]), comicFont(12, true),
                                  QRect(960 + 3600 * i, 3720, 3240, 480), [this, i] { optType_Click(i); });
        optType[size_t(i)] = option;
    }

    // The running screen.
    lblTitle = new QLabel(this);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setFont(comicFont(24, true));
    setTextColor(lblTitle, QColor(0, 0, 128));
    place(lblTitle, 120, 60, 9225, 600);

    for (int k = 1; k <= 3; ++k) {
        auto* box = new PictureBox(this);
        box->setBackColor(Qt::white);
        place(box, PictureLeft[size_t(k)], PictureTop, PictureWidth, PictureHeight);
        connect(box, &PictureBox::Click, this, [this, k] { imgDisplay_Click(k); });
        imgDisplay[size_t(k)] = box;
    }
    for (int k = 1; k <= 3; ++k) {
        auto* outline = makeOutline(this, QColor(255, 0, 0), 5);
        place(outline, PictureLeft[size_t(k)], PictureTop, PictureWidth, PictureHeight);
        Shape1[size_t(k)] = outline;
    }

    lblLetter = new QLabel(this);
    lblLetter->setAlignment(Qt::AlignCenter);
    lblLetter->setFont(comicFont(96, true));
    lblLetter->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextColor(lblLetter, QColor(0, 0, 192));
    place(lblLetter, PictureLeft[1], PictureTop, PictureWidth, PictureHeight);

    lblWord = new QLabel(this);
    lblWord->setAlignment(Qt::AlignCenter);
    QFont wordFont = comicFont(52, true);
    wordFont.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    lblWord->setFont(wordFont);
    lblWord->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextColor(lblWord, QColor(128, 0, 0));
    place(lblWord, 120, 3780, 9225, 1260);

    for (int k = 1; k <= 3; ++k) {
        auto* clickable = new ClickLabel(this);
        makeCard(clickable, comicFont(88, true), QColor(0, 0, 192));
        clickable->setCursor(Qt::PointingHandCursor);
        clickable->onClick = [this, k] { lblDisplay_Click(k); };
        place(clickable, PictureLeft[size_t(k)], PictureTop, PictureWidth, PictureHeight);
        lblDisplay[size_t(k)] = clickable;
    }
    for (int k = 0; k < 4; ++k) {
        auto* box = new QLabel(this);
        makeCard(box, comicFont(64, true), QColor(0, 0, 192));
        place(box, BlankLeft + BlankStep * k, BlankTop, BlankSize, BlankSize);
        lblBlank[size_t(k)] = box;
    }
    imgArrow = new PictureBox(this);
    imgArrow->setBackColor(QColor(224, 224, 224));
    place(imgArrow, BlankLeft + (BlankSize - ArrowWidth) / 2, ArrowTop, ArrowWidth, ArrowHeight);
    imgArrow->setPicture(downArrowPicture(imgArrow->size(), QColor(224, 224, 224)));

    // The letter buttons: four to a row, Y and Z centred in the seventh.
    fraClick = new QFrame(this);
    fraClick->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fraClick->setLineWidth(2);
    place(fraClick, 7200, 120, 2175, 3615);
    for (int k = 0; k < 26; ++k) {
        auto* button = new SSCommand(fraClick);
        button->setFont(comicFont(14, true));
        button->setFocusPolicy(Qt::NoFocus);
        if (k < 24) {
            place(button, 120 + 480 * (k % 4), 120 + 480 * (k / 4), 495, 495);
        } else {
            place(button, k == 24 ? 600 : 1080, 3000, 495, 495);
        }
        connect(button, &QPushButton::clicked, this, [this, k] { cmdClick_Click(k); });
        cmdClick[size_t(k)] = button;
    }

    cmdScreen = new SSCommand(this);
    cmdScreen->setFont(comicFont(16, true));
    place(cmdScreen, 3232, 5400, 3000, 900);
    connect(cmdScreen, &QPushButton::clicked, this, &frmLet::cmdScreen_Click);

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(6960, 5160, 2385, 1335),
                                                             .first = QRect(120, 240, 1020, 900),
                                                             .columns = 2,
                                                             .step = {1125, 0},
                                                             .font = comicFont(12, true)});
    fraChoice = buttons.frame;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp);

    Timer1 = new WindowTimer(this, 300);
    Timer1->onTick([this] { Timer1_Timer(); });

    StopMode();
    setKeyPreview(true);
}

frmLet::~frmLet() = default;

void frmLet::Form_Load() {
    ModeWindow::Form_Load();
    for (int i = 1; i <= 26; ++i) {
        LetterWave[size_t(i)] = FullPath(capital(i) + QStringLiteral(".wav"));
        WordWave[size_t(i)] = FullPath(wordSoundFile(i));
        SongWave[size_t(i)] = FullPath(capital(i) + QStringLiteral("sing.wav"));
    }
    for (int i = 1; i <= 26; ++i) {
        imgHide[size_t(i)] = pictures().load(pictureFile(i));
    }
    optType[size_t(Case())]->setChecked(true);
}

void frmLet::cmdChoice_Click(int Index) {
    if (Index < 0 || Index > 8) {
        return;
    }
    if (running()) {
        StopMode();
    }
    beginMode(Index + 1);
    fraChoices->hide();
    Shape2->hide();
    lblTitle->setText(cmdChoice[size_t(Index)]->text());
    const QString step = stepCaption(Mode());
    cmdScreen->setText(step);
    cmdScreen->setVisible(!step.isEmpty());
    lblLetter->show();

    switch (Mode()) {
    case LetterMode::AbcSong:
        LetterNo = 1;
        imgDisplay[2]->show();
        lblLetter->clear();
        Timer1->setEnabled(true);
        break;
    case LetterMode::LearnLetters:
        LetterNo = 1;
        ShowLetter(LetterNo);
        SayLetter(LetterNo);
        break;
    case LetterMode::PressLetter:
        lblWord->clear();
        lblLetter->clear();
        SetKeyCaptions();
        setFocus();
        break;
    default:
        NewQuestion();
        break;
    }
}

void frmLet::Timer1_Timer() {
    // The timer rests while a line is sung, so the next line starts one interval after this one ends.
    Timer1->setEnabled(false);
    if (!running() || Mode() != LetterMode::AbcSong) {
        return;
    }
    const int i = std::clamp(LetterNo, 1, 26);
    imgDisplay[2]->setPicture(imgHide[size_t(i)]);
    imgDisplay[2]->repaint();
    lblLetter->setText(Shown(i));
    lblLetter->repaint();
    PlayWave(SongWave[size_t(i)], 0);
    ++LetterNo;
    if (LetterNo > 26) {
        Pause(1);
        StopMode();
        return;
    }
    Timer1->setEnabled(true);
}

void frmLet::cmdScreen_Click() {
    if (!running()) {
        return;
    }
    Answered = false;
    switch (Mode()) {
    case LetterMode::LearnLetters:
        ++LetterNo;
        if (LetterNo > 26) {
            StopMode();
            return;
        }
        ShowLetter(LetterNo);
        SayLetter(LetterNo);
        break;
    case LetterMode::WhatLetter:
    case LetterMode::WhatPicture:
    case LetterMode::MissingLetter:
    case LetterMode::LowerUpperCase:
        ShowAnswer();
        nextQuestionAfter(1.5);
        break;
    case LetterMode::SpellWord:
        ShowAnswer();
        PlayWave(LetterWave[size_t(Expected)], 0);
        ++WordPos;
        if (WordPos > word(Target).size()) {
            Pause(0.5);
            SayLetter(Target);
            nextQuestionAfter(1.5);
        } else {
            Expected = letterOfWord(Target, WordPos);
        }
        break;
    case LetterMode::FillInBlanks:
        ShowAnswer();
        if (BlankNo > 3) {
            nextQuestionAfter(2);
        }
        break;
    default:
        break;
    }
}

void frmLet::Form_KeyPress(int& KeyAscii) {
    if (!running()) {
        return; // the choice screen's controls have the keys
    }
    int key = KeyAscii;
    KeyAscii = 0;
    if (key >= 'a' && key <= 'z') {
        key -= 32;
    }
    if (key < 'A' || key > 'Z') {
        sound().beep();
        return;
    }
    const int L = key - 64;
    switch (Mode()) {
    case LetterMode::PressLetter:
        Target = L;
        ShowAnswer();
        break;
    case LetterMode::WhatLetter:
    case LetterMode::MissingLetter:
        if (L == Expected) {
            RightAnswer();
        } else {
            PlayWave(UhohWave, 0);
        }
        break;
    case LetterMode::SpellWord:
        if (L != Expected) {
            PlayWave(UhohWave, 0);
            break;
        }
        Answered = true;
        ShowAnswer();
        PlayWave(LetterWave[size_t(L)], 0);
        if (WordPos >= word(Target).size()) {
            PlayWave(TadaWave, 0);
            SayLetter(Target);
            nextQuestionAfter(1.5);
        } else {
            ++WordPos;
            Expected = letterOfWord(Target, WordPos);
        }
        break;
    case LetterMode::FillInBlanks:
        if (BlankNo <= 3 && L == BlankLetters[size_t(BlankNo)]) {
            Answered = true;
            ShowAnswer();
            if (BlankNo > 3) {
                cheerThenNext(2);
            }
        } else {
            PlayWave(UhohWave, 0);
        }
        break;
    default:
        break; // the song, the walk and the clicking quizzes take no letters
    }
}

void frmLet::cmdClick_Click(int Index) {
    if (Index < 0 || Index > 25) {
        return;
    }
    int key = Index + 65;
    Form_KeyPress(key);
    setFocus();
}

void frmLet::imgDisplay_Click(int Index) {
    if (!running() || Mode() != LetterMode::WhatPicture || Index < 1 || Index > 3) {
        return;
    }
    if (ChoiceLetters[size_t(Index)] == Target) {
        RightAnswer();
    } else {
        PlayWave(UhohWave, 0);
    }
}

void frmLet::lblDisplay_Click(int Index) {
    if (!running() || Mode() != LetterMode::LowerUpperCase || Index < 1 || Index > 3) {
        return;
    }
    if (ChoiceLetters[size_t(Index)] == Target) {
        RightAnswer();
    } else {
        PlayWave(UhohWave, 0);
    }
}

void frmLet::optType_Click(int Index) {
    if (Index == 0 || Index == 1) {
        settings().LetterCase = qint16(Index);
    }
}

void frmLet::Form_Unload() {
    Timer1->setEnabled(false);
    endMode();
}

void frmLet::RightAnswer() {
    Answered = true;
    ShowAnswer();
    nextQuestionAfter(1.5);
}

void frmLet::NewQuestion() {
    switch (Mode()) {
    case LetterMode::WhatLetter:
        Target = rnd().upTo(26);
        ShowOnePicture(Target);
        lblWord->setText(QStringLiteral("-") + ShownWord(Target).mid(1));
        lblLetter->setText(QStringLiteral("?"));
        Expected = Target;
        break;
    case LetterMode::WhatPicture:
        Shuffle(26, ChoiceLetters);
        Target = ChoiceLetters[size_t(rnd().upTo(3))];
        for (int k = 1; k <= 3; ++k) {
            imgDisplay[size_t(k)]->setPicture(imgHide[size_t(ChoiceLetters[size_t(k)])]);
            imgDisplay[size_t(k)]->show();
            Shape1[size_t(k)]->hide();
        }
        lblLetter->hide();
        lblWord->setText(Shown(Target));
        break;
    case LetterMode::MissingLetter: { // any letter but the first
        Target = rnd().upTo(26);
        ShowOnePicture(Target);
        const int p = rnd().upTo(int(word(Target).size()) - 1) + 1;
        QString shown = ShownWord(Target);
        shown[p - 1] = QLatin1Char('-');
        lblWord->setText(shown);
        lblLetter->setText(Shown(Target));
        Expected = letterOfWord(Target, p);
        break;
    }
    case LetterMode::SpellWord:
        Target = rnd().upTo(26);
        ShowOnePicture(Target);
        lblWord->setText(QString(word(Target).size(), QLatin1Char('-')));
        lblLetter->setText(Shown(Target));
        WordPos = 1;
        Expected = letterOfWord(Target, 1);
        break;
    case LetterMode::FillInBlanks:
        FillInBlanks();
        break;
    case LetterMode::LowerUpperCase:
        Shuffle(26, ChoiceLetters);
        Target = ChoiceLetters[size_t(rnd().upTo(3))];
        for (int k = 1; k <= 3; ++k) {
            lblDisplay[size_t(k)]->setText(OtherCase(ChoiceLetters[size_t(k)]));
            lblDisplay[size_t(k)]->show();
        }
        lblLetter->clear();
        lblWord->setText(Shown(Target));
        break;
    default:
        break;
    }
}

// Four letters in a row, A B C D to W X Y Z; one of them is given and the child types the others.
void frmLet::FillInBlanks() {
    int first;
    if (rnd().next() < 0.5) {
        first = rnd().upTo(23);
    } else {
        const int last = rnd().upTo(23) + 3;
        first = last - 3;
    }
    for (int k = 0; k < 4; ++k) {
        BlankLetters[size_t(k)] = first + k;
        lblBlank[size_t(k)]->clear();
        lblBlank[size_t(k)]->show();
    }
    const int given = rnd().below(4);
    lblBlank[size_t(given)]->setText(Shown(BlankLetters[size_t(given)]));
    BlankLetters[size_t(given)] = 0;
    BlankNo = 0;
    while (BlankNo <= 3 && BlankLetters[size_t(BlankNo)] == 0) {
        ++BlankNo;
    }
    lblWord->clear();
    lblLetter->clear();
    PlaceArrow();
    imgArrow->show();
}

void frmLet::PlaceArrow() {
    if (BlankNo <= 3) {
        place(imgArrow, BlankLeft + BlankStep * BlankNo + (BlankSize - ArrowWidth) / 2, ArrowTop, ArrowWidth,
              ArrowHeight);
    }
}

void frmLet::ShowAnswer() {
    switch (Mode()) {
    case LetterMode::PressLetter:
        ShowLetter(Target);
        SayLetter(Target);
        break;
    case LetterMode::WhatLetter:
        lblWord->setText(ShownWord(Target));
        lblLetter->setText(Shown(Target));
        if (Answered) {
            PlayWave(TadaWave, 0);
        }
        SayLetter(Target);
        break;
    case LetterMode::WhatPicture:
        for (int k = 1; k <= 3; ++k) {
            imgDisplay[size_t(k)]->hide();
            Shape1[size_t(k)]->hide();
        }
        imgDisplay[2]->setPicture(imgHide[size_t(Target)]);
        imgDisplay[2]->show();
        Shape1[2]->show();
        lblLetter->setText(Shown(Target));
        lblLetter->show();
        lblWord->setText(ShownWord(Target));
        if (Answered) {
            PlayWave(TadaWave, 0);
        }
        SayLetter(Target);
        break;
    case LetterMode::MissingLetter:
        lblWord->setText(ShownWord(Target));
        PlayWave(LetterWave[size_t(Expected)], 0);
        Pause(0.5);
        if (Answered) {
            PlayWave(TadaWave, 0);
        }
        SayLetter(Target);
        break;
    case LetterMode::SpellWord: {
        const int length = int(word(Target).size());
        const int shown = std::clamp(WordPos, 0, length);
        lblWord->setText(ShownWord(Target).left(shown) + QString(length - shown, QLatin1Char('-')));
        break;
    }
    case LetterMode::FillInBlanks: {
        if (BlankNo > 3) {
            break;
        }
        const int letter = BlankLetters[size_t(BlankNo)];
        lblBlank[size_t(BlankNo)]->setText(Shown(letter));
        PlayWave(LetterWave[size_t(letter)], 0);
        do {
            ++BlankNo;
        } while (BlankNo <= 3 && BlankLetters[size_t(BlankNo)] == 0);
        PlaceArrow();
        break;
    }
    case LetterMode::LowerUpperCase:
        lblDisplay[1]->hide();
        lblDisplay[3]->hide();
        lblDisplay[2]->setText(OtherCase(Target));
        lblDisplay[2]->show();
        lblLetter->setText(Shown(Target));
        if (Answered) {
            PlayWave(TadaWave, 0);
        }
        PlayWave(LetterWave[size_t(Target)], 0);
        break;
    default:
        break;
    }
}

void frmLet::SayLetter(int i) {
    PlayWave(LetterWave[size_t(i)], 0);
    PlayWave(WordWave[size_t(i)], 0);
}

void frmLet::SetKeyCaptions() {
    for (int k = 0; k < 26; ++k) {
        cmdClick[size_t(k)]->setText(Shown(k + 1));
    }
    fraClick->show();
}

void frmLet::ShowLetter(int i) {
    ShowOnePicture(i);
    lblWord->setText(ShownWord(i));
    lblLetter->setText(Shown(i));
}

void frmLet::ShowOnePicture(int i) {
    for (int k = 1; k <= 3; ++k) {
        Shape1[size_t(k)]->hide();
        imgDisplay[size_t(k)]->setVisible(k == 2);
    }
    imgDisplay[2]->setPicture(imgHide[size_t(i)]);
}

void frmLet::StopMode() {
    Timer1->setEnabled(false);
    for (QLabel* box : lblBlank) {
        box->clear();
        box->hide();
    }
    fraClick->hide();
    imgArrow->hide();
    cmdScreen->hide();
    for (int k = 1; k <= 3; ++k) {
        imgDisplay[size_t(k)]->hide();
        imgDisplay[size_t(k)]->setPicture(Picture());
        Shape1[size_t(k)]->hide();
        lblDisplay[size_t(k)]->hide();
    }
    lblTitle->clear();
    lblWord->clear();
    lblLetter->clear();
    fraChoices->show();
    Shape2->show();
    endMode();
}

int frmLet::Case() const {
    return settingOr(settings().LetterCase, 0, 1, 0);
}

QString frmLet::Shown(int i) const {
    return QString(QChar(char16_t(64 + i + 32 * (1 - Case()))));
}

QString frmLet::OtherCase(int i) const {
    return QString(QChar(char16_t(64 + i + 32 * Case())));
}

QString frmLet::ShownWord(int i) const {
    return Case() == 0 ? word(i).toLower() : word(i);
}

} // namespace nibsy
