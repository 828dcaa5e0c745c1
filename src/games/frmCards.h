// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Card Fun: two games with one deck of 20 cards drawn on the table. Match is a memory game: pairs are
// found among 20 face-down cards. Compare is played against the computer: each side lays the top card of
// its pile, the higher card takes the table, a tie is played out beside it, and whoever holds all 20
// cards wins. The cards show capital or small letters, numbers, or numerals and dots.

#include "shell/ModeWindow.h"

#include <QRect>
#include <QString>
#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;

// The games, numbered as optGame.
enum class CardGame { Match, Compare };
// The card sets, numbered as optCards.
enum class CardDeck { UpperCase, LowerCase, Numbers, Objects };

class frmCards : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmCards(QWidget* opener);
    ~frmCards() override;

    void Form_Load() override;

    QGroupBox* fraGame;
    std::array<QRadioButton*, 2> optGame{};
    QGroupBox* fraCards;
    std::array<QRadioButton*, 4> optCards{};
    // The table, on which every card is drawn.
    PictureBox* picCard;
    QLabel* lblGame;
    // Counter titles and counters 1 and 2 (element 0 is not used).
    std::array<QLabel*, 3> lblP{};
    std::array<QLabel*, 3> lblMatch{};
    QLabel* lblMessage;
    SSCommand* cmdNew;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // Where cards lie on picCard, in its pixels: a Match place 1 to 20; a Compare side's face-down pile
    // and its card at table position 1 to 5.
    QRect placeRect(int place) const;
    QRect pileRect(int side) const;
    QRect tableRect(int side, int position) const;

    // For tests: the face code of the card at a place, whether it is up, the Compare counts, and every
    // card (by place) that a side holds or that lies on the table.
    int cardValue(int place) const { return CardValue[size_t(place)]; }
    bool cardUp(int place) const { return CardUp[size_t(place)] != 0; }
    int pileCount(int side) const { return PileCount[size_t(side)]; }
    int tableDepth() const { return TableDepth; }
    std::vector<int> cardsOf(int side) const;
    std::vector<int> cardsOnTable(int side) const;

public slots:
    void optGame_Click(int Index);
    void optCards_Click(int Index);
    void cmdNew_Click();
    void Form_MouseDown(double X, double Y);

private:
    CardGame Game() const;
    CardDeck Deck() const;
    void Deal();
    void MatchClick(int place);
    void CompareClick();
    void ShowMessage(const QString& text);
    void ShowCounters();
    // Drawing.
    void DrawCardFace(const QRectF& card, int code);
    void DrawDotCard(const QRectF& card, int n);
    void DrawFace(const QRectF& card, int place);
    void DrawBack(const QRectF& card);
    void ClearSpot(const QRectF& card);
    void DrawTable();
    void DrawPiles();
    void TurnUp(int place);
    void TurnBack(int place);
    void TakePair();
    void LayCard(int side);
    // Compare piles.
    int NextPileCard(int side);
    bool CanLay(int side) const;
    void Refill();
    void WinTable(int winner);
    void SwapTable();
    void SettleRound(int winner);
    void EndCompare(int winner);
    void StopMode() override;
    void PlayPraise();
    QRectF placeArea(int place) const;
    QRectF tableArea(int side, int position) const;

    std::array<qint16, 21> CardValue{};
    std::array<qint16, 21> CardUp{};
    std::array<qint16, 21> CardForm{};
    int PickState = 1;
    int FirstCard = 0;
    int SecondCard = 0;
    int Guesses = 0;
    int Matches = 0;
    int CardsLeft = 0;
    std::array<int, 3> PileCount{};
    int TableDepth = 1;
    // The piles hold places 1 to 20 (a place stands for its card); element 0 of each is not used.
    std::array<std::array<int, 21>, 3> PlayPile{};
    std::array<int, 3> PlayCount{};
    std::array<int, 3> NextCard{};
    std::array<std::array<int, 21>, 3> WonPile{};
    std::array<int, 3> WonCount{};
    // The cards laid on the table, by side and position 1 to 5.
    std::array<std::array<int, 6>, 3> TableCard{};
    // The game being played (the option buttons are locked while it runs).
    CardGame Playing = CardGame::Match;
    CardDeck PlayingDeck = CardDeck::UpperCase;

    // Faces: text and sound of each code 1 to 72.
    std::array<QString, 73> FaceText;
    std::array<QString, 73> FaceWave;
    QString ConwinWave;
    QString WowWave;
    QString BoingWave;
    QString DingWave;
    QString ChimesWave;
};

} // namespace nibsy
