// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/frmCards.h"

#include "platform/Fonts.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

namespace nibsy {

namespace {

constexpr int WindowWidth = 9600;
constexpr int WindowHeight = 7200;

// The table, right of the choices.
constexpr int TableLeft = 2640;
constexpr int TableTop = 120;
constexpr int TableWidth = 6840;
constexpr int TableHeight = 6960;

// Match: five columns by four rows of cards.
constexpr int MatchWidth = 1260;
constexpr int MatchHeight = 1620;
constexpr int MatchGapX = (TableWidth - 5 * MatchWidth) / 6;
constexpr int MatchGapY = (TableHeight - 4 * MatchHeight) / 5;

// Compare: each side's row holds its pile and then table positions 1 to 5.
constexpr int CompareWidth = 1050;
constexpr int CompareHeight = 1440;
constexpr int CompareLeft = 60;
constexpr int ComparePitch = 1110;
constexpr std::array<int, 3> RowTop{0, 600, 3960};
constexpr std::array<int, 3> RowTitleTop{0, 180, 3540};

// Cards are white with a navy edge; backs are blue with a yellow sun; a pair found is edged in green.
const QColor WindowGrey(224, 224, 224);
const QColor Felt(0, 112, 64);
const QColor Ink(0, 0, 128);
constexpr int BackColor = 1;
constexpr int BackTrim = 9;
constexpr int SunColor = 14;
constexpr int DotColor = 12;
constexpr int TakenEdge = 10;

constexpr std::array<const char*, 4> DeckCaption{"Upper Case", "Lower Case", "Numbers", "Objects"};

// How many different items a set has.
int ItemsIn(CardDeck deck) {
    return deck == CardDeck::UpperCase || deck == CardDeck::LowerCase ? 26
           : deck == CardDeck::Numbers                                ? 20
                                                                      : 10;
}

// A lower-case code counts as its capital.
int Reduced(int code) {
    return code >= 47 ? code - 26 : code;
}

} // namespace

const ActivityDescriptor frmCards::Activity{
    .menuIndex = 6,
    .caption = "Card Fun",
    .helpContext = 5,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmCards(opener); },
    .background = WindowGrey};

frmCards::frmCards(QWidget* opener) : ModeWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmCards"));

    lblGame = makeLabel(this, QString(), comicFont(22, true), Qt::AlignCenter);
    setTextColor(lblGame, Ink);
    place(lblGame, 120, 120, 2400, 600);

    const QFont frameFont = arialFont(10, true);
    const QFont choiceFont = arialFont(12, true);
    fraGame = new QGroupBox(QStringLiteral("Game"), this);
    fraGame->setFont(frameFont);
    place(fraGame, 120, 780, 2400, 1020);
    for (int i = 0; i < 2; ++i) {
        auto* option =
            new QRadioButton(i == 0 ? QStringLiteral("Match") : QStringLiteral("Compare"), fraGame);
        option->setFont(choiceFont);
        place(option, 240, 300 + i * 330, 2040, 330);
        connect(option, &QRadioButton::clicked, this, [this, i] { optGame_Click(i); });
        optGame[size_t(i)] = option;
    }
    fraCards = new QGroupBox(QStringLiteral("Cards"), this);
    fraCards->setFont(frameFont);
    place(fraCards, 120, 1920, 2400, 1680);
    for (int i = 0; i < 4; ++i) {
        auto* option = makeOption(fraCards, QString::fromLatin1(DeckCaption[size_t(i)]), choiceFont,
                                  QRect(240, 300 + i * 330, 2040, 330), [this, i] { optCards_Click(i); });
        optCards[size_t(i)] = option;
    }

    const QFont titleFont = arialFont(11, true);
    const QFont counterFont = arialFont(24, true);
    for (int n = 1; n <= 2; ++n) {
        const int left = n == 1 ? 120 : 1380;
        lblP[size_t(n)] = makeLabel(this, QString(), titleFont, Qt::AlignCenter);
        place(lblP[size_t(n)], left, 3720, 1140, 360);
        lblMatch[size_t(n)] = makeLabel(this, QString(), counterFont, Qt::AlignCenter);
        makeCard(lblMatch[size_t(n)], counterFont, Ink);
        place(lblMatch[size_t(n)], left, 4080, 1140, 660);
    }
    lblMessage = makeLabel(this, QString(), comicFont(16, true), Qt::AlignCenter);
    setTextColor(lblMessage, Ink);
    place(lblMessage, 120, 4860, 2400, 900);

    const CommandButtons buttons = makeCommandButtons(this, {.first = QRect(120, 5880, 1140, 495),
                                                             .columns = 2,
                                                             .step = {1260, 600},
                                                             .font = choiceFont,
                                                             .onNew = [this] { cmdNew_Click(); }});
    cmdNew = buttons.cmdNew;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;
    setFrameButtons(cmdExit, cmdHelp, cmdNew, StopButton::Other);

    picCard = new PictureBox(this);
    picCard->setObjectName(QStringLiteral("picCard"));
    place(picCard, TableLeft, TableTop, TableWidth, TableHeight);
    picCard->setBackColor(Felt);
    connect(picCard, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) { Form_MouseDown(x, y); });
}

frmCards::~frmCards() = default;

void frmCards::Form_Load() {
    ModeWindow::Form_Load();
    ConwinWave = FullPath(QStringLiteral("conwin.wav"));
    WowWave = FullPath(QStringLiteral("wow.wav"));
    BoingWave = FullPath(QStringLiteral("boing.wav"));
    DingWave = FullPath(QStringLiteral("ding.wav"));
    ChimesWave = FullPath(QStringLiteral("chimes.wav"));
    for (int code = 1; code <= 20; ++code) {
        FaceText[size_t(code)] = formatNumber(code, QStringLiteral("#0"));
        FaceWave[size_t(code)] = FullPath(QStringLiteral("N%1.wav").arg(code));
    }
    for (int letter = 0; letter < 26; ++letter) {
        const QChar capital = QChar(u'A' + letter);
        FaceText[size_t(21 + letter)] = capital;
        FaceText[size_t(47 + letter)] = capital.toLower();
        FaceWave[size_t(21 + letter)] = FullPath(QString(capital) + QStringLiteral(".wav"));
        FaceWave[size_t(47 + letter)] = FaceWave[size_t(21 + letter)];
    }
    optGame[size_t(Game())]->setChecked(true);
    optCards[size_t(Deck())]->setChecked(true);
    optGame_Click(int(Game()));
    Playing = Game();
    DrawTable();
    ShowMessage(QString());
}

CardGame frmCards::Game() const {
    return CardGame(settingOr(settings().CardGame, 0, 1, 1));
}

CardDeck frmCards::Deck() const {
    return CardDeck(settingOr(settings().CardDeck, 0, 3, 0));
}

void frmCards::optGame_Click(int Index) {
    if (running()) {
        return;
    }
    settings().CardGame = qint16(Index);
    const bool match = Game() == CardGame::Match;
    lblGame->setText(match ? QStringLiteral("Match") : QStringLiteral("Compare"));
    lblP[1]->setText(match ? QStringLiteral("Matches") : QStringLiteral("You"));
    lblP[2]->setText(match ? QStringLiteral("Guesses") : QStringLiteral("Computer"));
}

void frmCards::optCards_Click(int Index) {
    if (!running()) {
        settings().CardDeck = qint16(Index);
    }
}

void frmCards::ShowMessage(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void frmCards::ShowCounters() {
    if (Playing == CardGame::Match) {
        lblMatch[1]->setText(formatNumber(Matches, QStringLiteral("#0")));
        lblMatch[2]->setText(formatNumber(Guesses, QStringLiteral("###")));
    } else {
        lblMatch[1]->setText(formatNumber(PileCount[1], QStringLiteral("#0")));
        lblMatch[2]->setText(formatNumber(PileCount[2], QStringLiteral("#0")));
    }
    lblMatch[1]->repaint();
    lblMatch[2]->repaint();
}

// ---- Where the cards lie ----

QRectF frmCards::placeArea(int place) const {
    const int col = (place - 1) % 5;
    const int row = (place - 1) / 5;
    return {double(MatchGapX + col * (MatchWidth + MatchGapX)),
            double(MatchGapY + row * (MatchHeight + MatchGapY)), double(MatchWidth), double(MatchHeight)};
}

// Position 0 is the side's pile.
QRectF frmCards::tableArea(int side, int position) const {
    return {double(CompareLeft + position * ComparePitch), double(RowTop[size_t(side)]), double(CompareWidth),
            double(CompareHeight)};
}

QRect frmCards::placeRect(int place) const {
    const QRectF r = placeArea(place);
    return QRectF(picCard->toPixels(r.left(), r.top()), picCard->toPixels(r.right(), r.bottom())).toRect();
}

QRect frmCards::pileRect(int side) const {
    return tableRect(side, 0);
}

QRect frmCards::tableRect(int side, int position) const {
    const QRectF r = tableArea(side, position);
    return QRectF(picCard->toPixels(r.left(), r.top()), picCard->toPixels(r.right(), r.bottom())).toRect();
}

// ---- Drawing ----

void frmCards::ClearSpot(const QRectF& card) {
    picCard->BoxFilled(card.left(), card.top(), card.right(), card.bottom(), Felt);
}

// A white card with a navy edge and its numeral or letter large in the middle.
void frmCards::DrawCardFace(const QRectF& card, int code) {
    picCard->setDrawWidth(3);
    picCard->setFillStyle(PictureBox::FillStyle::Solid);
    picCard->setFillColor(Qt::white);
    picCard->Box(card.left(), card.top(), card.right(), card.bottom(), Ink);
    if (code < 1 || code > 72) {
        return;
    }
    const QString text = FaceText[size_t(code)];
    picCard->setFontSpec(arialFont(code <= 20 && code >= 10 ? 30 : 40, true));
    picCard->setForeColor(code <= 20 ? QBColor(DotColor) : Ink);
    picCard->currentX = card.center().x() - picCard->TextWidth(text) / 2;
    picCard->currentY = card.center().y() - picCard->TextHeight(text) / 2;
    picCard->Print(text);
}

// n red dots in two columns, the odd one centred on the last row, as a child counts them.
void frmCards::DrawDotCard(const QRectF& card, int n) {
    DrawCardFace(card, 0);
    const int rows = (n + 1) / 2;
    const double pitchY = card.height() / 6;
    const double radius = std::min(card.width() / 7, pitchY * 0.4);
    const double top = card.center().y() - (rows - 1) * pitchY / 2;
    picCard->setFillColor(QBColor(DotColor));
    for (int i = 0; i < n; ++i) {
        const int row = i / 2;
        const bool alone = i == n - 1 && n % 2 == 1;
        const double x = alone ? card.center().x() : card.left() + card.width() * (i % 2 == 0 ? 0.32 : 0.68);
        picCard->Circle(x, top + row * pitchY, radius, QBColor(DotColor));
    }
}

void frmCards::DrawFace(const QRectF& card, int place) {
    const int code = CardValue[size_t(place)];
    if (PlayingDeck == CardDeck::Objects && CardForm[size_t(place)] == 1) {
        DrawDotCard(card, code);
    } else {
        DrawCardFace(card, code);
    }
}

// A blue back with a light trim and a yellow sun in the middle.
void frmCards::DrawBack(const QRectF& card) {
    picCard->setDrawWidth(3);
    picCard->setFillStyle(PictureBox::FillStyle::Solid);
    picCard->setFillColor(QBColor(BackColor));
    picCard->Box(card.left(), card.top(), card.right(), card.bottom(), Ink);
    const double inset = card.width() * 0.14;
    picCard->setFillStyle(PictureBox::FillStyle::Transparent);
    picCard->Box(card.left() + inset, card.top() + inset, card.right() - inset, card.bottom() - inset,
                 QBColor(BackTrim));
    picCard->setFillStyle(PictureBox::FillStyle::Solid);
    picCard->setFillColor(QBColor(SunColor));
    picCard->Circle(card.center().x(), card.center().y(), card.width() * 0.18, QBColor(SunColor));
}

// The whole table as the game stands.
void frmCards::DrawTable() {
    picCard->Cls();
    if (Playing == CardGame::Match) {
        for (int place = 1; place <= 20; ++place) {
            if (CardUp[size_t(place)]) {
                DrawFace(placeArea(place), place);
            } else {
                DrawBack(placeArea(place));
            }
        }
    } else {
        picCard->setFontSpec(comicFont(14, true));
        picCard->setForeColor(Qt::white);
        for (int side = 1; side <= 2; ++side) {
            picCard->currentX = CompareLeft;
            picCard->currentY = RowTitleTop[size_t(side)];
            picCard->Print(side == 1 ? QStringLiteral("You") : QStringLiteral("Computer"));
        }
        DrawPiles();
    }
    picCard->repaint();
}

void frmCards::DrawPiles() {
    for (int side = 1; side <= 2; ++side) {
        const QRectF pile = tableArea(side, 0);
        ClearSpot(pile);
        if (running() && CanLay(side)) {
            DrawBack(pile);
        }
    }
}

void frmCards::TurnUp(int place) {
    CardUp[size_t(place)] = 1;
    DrawFace(placeArea(place), place);
    picCard->repaint();
    PlayWave(FaceWave[size_t(CardValue[size_t(place)])], 0);
}

void frmCards::TurnBack(int place) {
    CardUp[size_t(place)] = 0;
    DrawBack(placeArea(place));
}

// The pair found stays face up, edged in green.
void frmCards::TakePair() {
    for (int place : {FirstCard, SecondCard}) {
        const QRectF card = placeArea(place);
        picCard->setDrawWidth(4);
        picCard->setFillStyle(PictureBox::FillStyle::Transparent);
        picCard->Box(card.left(), card.top(), card.right(), card.bottom(), QBColor(TakenEdge));
    }
    picCard->repaint();
}

void frmCards::PlayPraise() {
    PlayWave(rnd().next() < 0.5 ? ConwinWave : WowWave, 1);
}

// ---- Dealing ----

void frmCards::cmdNew_Click() {
    if (running()) {
        // The rest of a double-click on Stop must not deal a new game at once.
        ignoreRestOfDoubleClick();
        StopMode();
        return;
    }
    beginMode(1);
    cmdNew->setText(QStringLiteral("&Stop"));
    fraGame->setEnabled(false);
    fraCards->setEnabled(false);
    Playing = Game();
    PlayingDeck = Deck();
    Deal();
    DrawTable();
    ShowCounters();
    ShowMessage(Playing == CardGame::Match ? QStringLiteral("Pick a Card")
                                           : QStringLiteral("Click\nTop Pile"));
}

void frmCards::Deal() {
    CardUp.fill(1);
    std::vector<qint16> placeOrder;
    std::vector<qint16> itemOrder;
    Shuffle(20, placeOrder);
    Shuffle(ItemsIn(PlayingDeck), itemOrder);
    const bool match = Playing == CardGame::Match;
    const bool twoForms = match && (PlayingDeck == CardDeck::LowerCase || PlayingDeck == CardDeck::Objects);
    for (int p = 1; p <= 20; ++p) {
        const int place = placeOrder[size_t(p)];
        const int item = itemOrder[size_t(match ? (p - 1) / 2 + 1 : (p - 1) / 4 + 1)];
        const bool letters = PlayingDeck == CardDeck::UpperCase || PlayingDeck == CardDeck::LowerCase;
        CardValue[size_t(place)] = qint16(letters ? item + 20 : item);
        CardForm[size_t(place)] = 0;
        if (!match) {
            // Compare: every card of the set alike, small letters or dots.
            CardForm[size_t(place)] =
                qint16(PlayingDeck == CardDeck::LowerCase || PlayingDeck == CardDeck::Objects);
        }
    }
    if (twoForms) {
        // One draw per pair decides which of its two cards shows the second form.
        for (int pair = 1; pair <= 10; ++pair) {
            const bool firstPlain = rnd().next() < 0.5;
            CardForm[size_t(placeOrder[size_t(2 * pair - 1)])] = qint16(firstPlain ? 0 : 1);
            CardForm[size_t(placeOrder[size_t(2 * pair)])] = qint16(firstPlain ? 1 : 0);
        }
    }
    for (int place = 1; place <= 20; ++place) {
        if (PlayingDeck == CardDeck::LowerCase && CardForm[size_t(place)] == 1) {
            CardValue[size_t(place)] = qint16(CardValue[size_t(place)] + 26);
        }
    }
    CardUp.fill(0);
    if (match) {
        Guesses = 0;
        Matches = 0;
        CardsLeft = 20;
    } else {
        for (int side = 1; side <= 2; ++side) {
            for (int j = 1; j <= 10; ++j) {
                PlayPile[size_t(side)][size_t(j)] = (side - 1) * 10 + j;
            }
            PlayCount[size_t(side)] = 10;
            NextCard[size_t(side)] = 1;
            WonCount[size_t(side)] = 0;
            PileCount[size_t(side)] = 10;
        }
        TableCard = {};
    }
    PickState = 1;
    TableDepth = 1;
}

// ---- Clicks on the table ----

void frmCards::Form_MouseDown(double X, double Y) {
    if (!running()) {
        return;
    }
    if (Playing == CardGame::Match) {
        for (int place = 1; place <= 20; ++place) {
            if (placeArea(place).contains(X, Y)) {
                if (!CardUp[size_t(place)]) {
                    MatchClick(place);
                }
                return;
            }
        }
    } else if (PickState == 1 && tableArea(1, 0).contains(X, Y) && CanLay(1)) {
        CompareClick();
    }
}

void frmCards::MatchClick(int place) {
    Guesses += 1;
    ShowCounters();
    TurnUp(place);
    if (PickState == 1) {
        FirstCard = place;
        PickState = 2;
        ShowMessage(QStringLiteral("Pick Another\nCard"));
        return;
    }
    SecondCard = place;
    if (Reduced(CardValue[size_t(FirstCard)]) != Reduced(CardValue[size_t(SecondCard)])) {
        PlayWave(UhohWave, 1);
        Pause(1);
        TurnBack(FirstCard);
        TurnBack(SecondCard);
        picCard->repaint();
        ShowMessage(QStringLiteral("Pick a Card"));
        PickState = 1;
        return;
    }
    PlayPraise();
    Pause(1);
    TakePair();
    CardsLeft -= 2;
    Matches += 1;
    ShowCounters();
    if (CardsLeft == 0) {
        PlayWave(TadaWave, 0);
        if (running()) {
            StopMode();
        }
        return;
    }
    ShowMessage(QStringLiteral("Pick A Card"));
    PickState = 1;
}

// ---- Compare ----

// A side can lay a card while its play pile or its won pile holds one.
bool frmCards::CanLay(int side) const {
    return NextCard[size_t(side)] <= PlayCount[size_t(side)] || WonCount[size_t(side)] > 0;
}

int frmCards::NextPileCard(int side) {
    const int card = PlayPile[size_t(side)][size_t(NextCard[size_t(side)])];
    NextCard[size_t(side)] += 1;
    return card;
}

// A side whose play pile is used up plays on with its won pile, shuffled.
void frmCards::Refill() {
    for (int side = 1; side <= 2; ++side) {
        if (NextCard[size_t(side)] <= PlayCount[size_t(side)] || WonCount[size_t(side)] == 0) {
            continue;
        }
        std::vector<qint16> order;
        Shuffle(WonCount[size_t(side)], order);
        for (int i = 1; i <= WonCount[size_t(side)]; ++i) {
            PlayPile[size_t(side)][size_t(i)] = WonPile[size_t(side)][size_t(order[size_t(i)])];
        }
        PlayCount[size_t(side)] = WonCount[size_t(side)];
        NextCard[size_t(side)] = 1;
        WonCount[size_t(side)] = 0;
    }
    DrawPiles();
}

// The side's next card, face up at the table position of this round, with its own sound.
void frmCards::LayCard(int side) {
    PlayWave(DingWave, 0);
    const int card = NextPileCard(side);
    TableCard[size_t(side)][size_t(TableDepth)] = card;
    DrawFace(tableArea(side, TableDepth), card);
    DrawPiles();
    picCard->repaint();
    PlayWave(FaceWave[size_t(CardValue[size_t(card)])], 0);
}

void frmCards::CompareClick() {
    PickState = 2;
    LayCard(1);
    ShowMessage(QStringLiteral("Computer's\nCard"));
    Pause(0.25);
    LayCard(2);
    Pause(1);
    const int mine = CardValue[size_t(TableCard[1][size_t(TableDepth)])];
    const int theirs = CardValue[size_t(TableCard[2][size_t(TableDepth)])];
    if (mine != theirs) {
        SettleRound(mine > theirs ? 1 : 2);
        return;
    }
    PlayWave(ChimesWave, 1);
    if (TableDepth < 5) {
        TableDepth += 1;
        Refill();
        // A side with no card left to lay cannot play the tie out: it loses the table, and with it the
        // last of its cards.
        for (int side = 1; side <= 2; ++side) {
            if (!CanLay(side)) {
                TableDepth -= 1;
                SettleRound(3 - side);
                return;
            }
        }
    } else {
        SwapTable();
        Refill();
    }
    ShowMessage(QStringLiteral("Click\nTop Pile"));
    PickState = 1;
}

// The winner takes the pairs on the table.
void frmCards::SettleRound(int winner) {
    if (winner == 1) {
        PlayPraise();
    } else {
        PlayWave(BoingWave, 1);
    }
    Pause(1);
    const int loser = 3 - winner;
    PileCount[size_t(winner)] += TableDepth;
    PileCount[size_t(loser)] -= TableDepth;
    WinTable(winner);
    TableDepth = 1;
    ShowCounters();
    if (PileCount[size_t(loser)] == 0) {
        EndCompare(winner);
        return;
    }
    Refill();
    DrawTable();
    ShowMessage(QStringLiteral("Click\nTop Pile"));
    PickState = 1;
}

// Table positions 1 to TableDepth, the child's card and then the computer's, go under the winner's won
// pile.
void frmCards::WinTable(int winner) {
    for (int i = 1; i <= TableDepth; ++i) {
        for (int side = 1; side <= 2; ++side) {
            WonCount[size_t(winner)] += 1;
            WonPile[size_t(winner)][size_t(WonCount[size_t(winner)])] = TableCard[size_t(side)][size_t(i)];
            TableCard[size_t(side)][size_t(i)] = 0;
        }
    }
}

// The fifth tie in a row: the ten cards on the table change sides, each in table order.
void frmCards::SwapTable() {
    for (int i = 1; i <= 5; ++i) {
        for (int side = 1; side <= 2; ++side) {
            const int other = 3 - side;
            WonCount[size_t(other)] += 1;
            WonPile[size_t(other)][size_t(WonCount[size_t(other)])] = TableCard[size_t(side)][size_t(i)];
        }
    }
    for (int side = 1; side <= 2; ++side) {
        TableCard[size_t(side)].fill(0);
    }
    TableDepth = 1;
    DrawTable();
}

void frmCards::EndCompare(int winner) {
    PileCount[size_t(winner)] = 20;
    PileCount[size_t(3 - winner)] = 0;
    ShowCounters();
    PlayWave(TadaWave, 0);
    if (running()) {
        StopMode();
    }
}

void frmCards::StopMode() {
    endMode();
    cmdNew->setText(QStringLiteral("&New Game"));
    fraGame->setEnabled(true);
    fraCards->setEnabled(true);
    if (Playing == CardGame::Compare) {
        DrawTable(); // the table is cleared, the piles put away
    }
    ShowMessage(QStringLiteral("Game Over"));
}

std::vector<int> frmCards::cardsOf(int side) const {
    std::vector<int> cards;
    for (int j = NextCard[size_t(side)]; j <= PlayCount[size_t(side)]; ++j) {
        cards.push_back(PlayPile[size_t(side)][size_t(j)]);
    }
    for (int j = 1; j <= WonCount[size_t(side)]; ++j) {
        cards.push_back(WonPile[size_t(side)][size_t(j)]);
    }
    return cards;
}

std::vector<int> frmCards::cardsOnTable(int side) const {
    std::vector<int> cards;
    for (int i = 1; i <= 5; ++i) {
        if (TableCard[size_t(side)][size_t(i)] != 0) {
            cards.push_back(TableCard[size_t(side)][size_t(i)]);
        }
    }
    return cards;
}

} // namespace nibsy
