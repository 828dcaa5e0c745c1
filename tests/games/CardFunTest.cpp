// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Card Fun played as a child plays it, with decks dealt by scripted random numbers.

#include "games/frmCards.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>
#include <numeric>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The draws with which the shuffle of 1 to n leaves want[p] at position p.
QList<double> shuffleTo(const std::vector<int>& want) {
    std::vector<int> now(want.size());
    std::iota(now.begin(), now.end(), 0);
    QList<double> draws;
    for (int j = int(want.size()) - 1; j >= 2; --j) {
        const int k = int(std::find(now.begin() + 1, now.end(), want[size_t(j)]) - now.begin());
        draws << (k - 0.5) / j;
        std::swap(now[size_t(k)], now[size_t(j)]);
    }
    return draws;
}

QList<double> inOrder(int n) {
    return QList<double>(n - 1, 0.999);
}

class CardFun : public WindowFixture<frmCards> {
protected:
    void open(CardGame game, CardDeck deck) {
        settings().CardGame = qint16(game);
        settings().CardDeck = qint16(deck);
        WindowFixture::open();
    }
    // Compare with Numbers: places 1-10 the child's pile, 11-20 the computer's, top card first.
    void dealCompare(const std::vector<int>& values) {
        open(CardGame::Compare, CardDeck::Numbers);
        std::vector<int> list(21);
        std::array<int, 6> used{};
        for (int place = 1; place <= 20; ++place) {
            const int v = values[size_t(place - 1)];
            list[size_t(4 * (v - 1) + 1 + used[size_t(v)]++)] = place;
        }
        fake.random.script(shuffleTo(list) + inOrder(20));
        click(w->cmdNew);
        heard();
    }
    void clickAt(QPoint at) { QTest::mouseClick(w->picCard, Qt::LeftButton, {}, at); }
    void turn(int place) { clickAt(w->placeRect(place).center()); }
    void clickPile(int times = 1) {
        for (int i = 0; i < times; ++i) {
            clickAt(w->pileRect(1).center());
        }
    }
    QColor at(const QRect& r, double fx, double fy) {
        return w->picCard->image().pixelColor(r.left() + int(r.width() * fx), r.top() + int(r.height() * fy));
    }
    // A card's back: blue, with a yellow sun in the middle.
    bool showsBack(const QRect& r) {
        return at(r, 0.06, 0.06) == QBColor(1) && at(r, 0.5, 0.5) == QBColor(14);
    }
    bool showsFace(const QRect& r) { return at(r, 0.06, 0.06) == QColor(Qt::white); }
    // Pixels of a colour on a card, inside its edge.
    int pixelsOn(const QRect& r, const QColor& c) {
        return pixelsOf(w->picCard->image().copy(
                            r.adjusted(r.width() / 5, r.height() / 5, -r.width() / 5, -r.height() / 5)),
                        c);
    }
    QString counters() { return w->lblMatch[1]->text() + "/" + w->lblMatch[2]->text(); }
    QString labels() { return w->lblGame->text() + ": " + w->lblP[1]->text() + " " + w->lblP[2]->text(); }
    QString state() { return w->lblMessage->text() + "|" + w->cmdNew->text(); }
    // Every card once, each side's count its cards in hand and on the table.
    void expectAllCardsOnce() {
        std::vector<int> all;
        for (int side = 1; side <= 2; ++side) {
            const auto hand = w->cardsOf(side);
            const auto table = w->cardsOnTable(side);
            EXPECT_EQ(int(hand.size() + table.size()), w->pileCount(side)) << side;
            all.insert(all.end(), hand.begin(), hand.end());
            all.insert(all.end(), table.begin(), table.end());
        }
        std::sort(all.begin(), all.end());
        std::vector<int> expected(20);
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(all, expected);
    }
};

} // namespace

TEST_F(CardFun, ThePerfectMatchGameTakesTwentyGuessesAndTenMatches) {
    open(CardGame::Match, CardDeck::UpperCase);
    EXPECT_EQ(labels(), "Match: Matches Guesses");
    turn(1); // no game yet
    EXPECT_TRUE(heard().isEmpty());
    fake.random.script(inOrder(20) + inOrder(26));
    click(w->cmdNew);
    EXPECT_EQ(w->cmdNew->text(), "&Stop");
    EXPECT_EQ(counters(), "0/");
    EXPECT_TRUE(showsBack(w->placeRect(1)));
    turn(1);
    turn(1);               // the card already up
    clickAt(QPoint(1, 1)); // between the cards
    EXPECT_EQ(heard(), QStringList{"A.wav"});
    EXPECT_EQ(w->lblMessage->text(), "Pick Another\nCard");
    EXPECT_TRUE(showsFace(w->placeRect(1)));
    EXPECT_EQ(counters(), "0/1");
    turn(2);
    EXPECT_EQ(heard().first(), "A.wav");
    EXPECT_EQ(counters() + " " + w->lblMessage->text(), "1/2 Pick A Card");
    for (int place = 3; place <= 20; ++place) {
        turn(place);
    }
    EXPECT_EQ(counters() + " " + heard().last(), "10/20 tada.wav");
    EXPECT_EQ(state(), "Game Over|&New Game");
    EXPECT_TRUE(showsFace(w->placeRect(20)));
}

// Lower case pairs a capital with its small letter; Objects a numeral with its dots.
TEST_F(CardFun, LowerCaseAndObjectsPairTwoFormsAndMissesTurnBack) {
    open(CardGame::Match, CardDeck::LowerCase);
    // Pair 2 (places 3 and 4, the letter B) shows its small form on its first card.
    fake.random.script(inOrder(20) + inOrder(26) + QList<double>{0.1, 0.9});
    click(w->cmdNew);
    EXPECT_EQ(QList<int>({w->cardValue(1), w->cardValue(2), w->cardValue(3), w->cardValue(4)}),
              QList<int>({21, 21 + 26, 22 + 26, 22}));
    int small = 0; // each pair shows one capital and one small letter
    for (int place = 1; place <= 20; ++place) {
        small += w->cardValue(place) > 46;
    }
    EXPECT_EQ(small, 10);
    heard();
    turn(1);
    turn(3);
    EXPECT_EQ(heard(), QStringList({"A.wav", "B.wav", "uhoh.wav"}));
    EXPECT_TRUE(showsBack(w->placeRect(3)));
    EXPECT_EQ(w->lblMessage->text(), "Pick a Card");
    turn(3);
    turn(4);
    EXPECT_EQ(counters(), "1/4");
    EXPECT_GT(pixelsOn(w->placeRect(3), QColor(0, 0, 128)), 50);
    EXPECT_EQ(pixelsOn(w->placeRect(3), QBColor(12)), 0);
    const QString praise = heard().last();
    EXPECT_TRUE(praise == "conwin.wav" || praise == "wow.wav");

    // Objects show the numeral on one card of a pair and the dots on the other.
    open(CardGame::Match, CardDeck::Objects);
    fake.random.script(inOrder(20) + inOrder(10) + QList<double>{0.1, 0.9});
    click(w->cmdNew);
    turn(3);
    turn(4);
    EXPECT_EQ(heard().mid(0, 2), QStringList({"N2.wav", "N2.wav"}));
    const QRect dots = w->placeRect(3);
    EXPECT_EQ(at(dots, 0.32, 0.5), QBColor(12));
    EXPECT_EQ(at(dots, 0.68, 0.5), QBColor(12));
    EXPECT_EQ(at(dots, 0.5, 0.5), QColor(Qt::white));
    // The numeral is red like the dots; a letter is navy.
    EXPECT_GT(pixelsOn(w->placeRect(4), QBColor(12)), 50);
    EXPECT_EQ(pixelsOn(w->placeRect(4), QColor(0, 0, 128)), 0);
    // Three dots: two on the first row, the third alone in the middle of the second.
    turn(5);
    turn(6);
    const QRect three = at(w->placeRect(5), 0.32, 0.42) == QBColor(12) ? w->placeRect(5) : w->placeRect(6);
    EXPECT_EQ(QList<QColor>({at(three, 0.32, 0.42), at(three, 0.5, 0.58), at(three, 0.32, 0.58)}),
              QList<QColor>({QBColor(12), QBColor(12), Qt::white}));
}

TEST_F(CardFun, CompareAPlainWinATieAndTheTableTakenByTheNextWin) {
    dealCompare({5, 3, 1, 1, 1, 1, 2, 2, 2, 2, 4, 3, 3, 3, 4, 4, 4, 5, 5, 5});
    EXPECT_EQ(labels(), "Compare: You Computer");
    EXPECT_EQ(counters() + " " + w->lblMessage->text(), "10/10 Click\nTop Pile");
    EXPECT_TRUE(showsBack(w->pileRect(1)));
    clickAt(w->tableRect(1, 1).center()); // not the pile
    EXPECT_TRUE(heard().isEmpty());
    clickPile();
    const QStringList sounds = heard();
    EXPECT_EQ(sounds.mid(0, 4), QStringList({"ding.wav", "N5.wav", "ding.wav", "N4.wav"}));
    EXPECT_TRUE(sounds.value(4) == "conwin.wav" || sounds.value(4) == "wow.wav");
    EXPECT_EQ(counters(), "11/9");
    EXPECT_EQ(at(w->tableRect(1, 1), 0.5, 0.5), at(w->tableRect(1, 2), 0.5, 0.5)); // the table cleared
    clickPile();
    EXPECT_EQ(heard(), QStringList({"ding.wav", "N3.wav", "ding.wav", "N3.wav", "chimes.wav"}));
    EXPECT_EQ(counters() + " " + QString::number(w->tableDepth()), "11/9 2");
    EXPECT_TRUE(showsFace(w->tableRect(1, 1)) && showsFace(w->tableRect(2, 1)));
    expectAllCardsOnce();
    clickPile();
    EXPECT_EQ(heard().last(), "boing.wav");
    EXPECT_EQ(counters() + " " + QString::number(w->tableDepth()) + w->lblMessage->text(),
              "9/11 1Click\nTop Pile");
    expectAllCardsOnce();
}

TEST_F(CardFun, FiveTiesInARowSwapTheTableAndKeepThePiles) {
    dealCompare({1, 2, 3, 4, 5, 1, 1, 2, 2, 3, 1, 2, 3, 4, 5, 3, 4, 4, 5, 5});
    for (int tie = 1; tie <= 5; ++tie) {
        clickPile();
        EXPECT_EQ(heard().last(), "chimes.wav");
    }
    EXPECT_EQ(counters() + " " + QString::number(w->tableDepth()), "10/10 1");
    EXPECT_TRUE(w->cardsOnTable(1).empty() && w->cardsOnTable(2).empty());
    EXPECT_EQ(w->cardsOf(1), std::vector<int>({6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(w->cardsOf(2), std::vector<int>({16, 17, 18, 19, 20, 1, 2, 3, 4, 5}));
}

TEST_F(CardFun, AWonPileIsShuffledIntoPlayWhenThePlayPileIsUsedUp) {
    dealCompare({5, 5, 5, 5, 4, 4, 4, 4, 3, 1, 3, 3, 1, 1, 1, 2, 2, 2, 2, 3});
    // Nine wins of the child (one draw each for the praise), then the two won piles in the order won.
    fake.random.script(QList<double>(9, 0.1) + inOrder(18) + inOrder(2));
    clickPile(10);
    EXPECT_EQ(counters(), "18/2");
    EXPECT_EQ(w->cardsOf(1),
              std::vector<int>({1, 11, 2, 12, 3, 13, 4, 14, 5, 15, 6, 16, 7, 17, 8, 18, 9, 19}));
    EXPECT_EQ(w->cardsOf(2), std::vector<int>({10, 20}));
    EXPECT_TRUE(showsBack(w->pileRect(1)) && showsBack(w->pileRect(2)));
    heard();
    clickPile();
    EXPECT_EQ(heard().mid(0, 4), QStringList({"ding.wav", "N5.wav", "ding.wav", "N1.wav"}));
    EXPECT_EQ(counters(), "19/1");
}

// The game ends when one side holds all twenty cards; a tie on a side's last card loses it the table too.
TEST_F(CardFun, TheGameEndsWhenOneSideHoldsAllTwentyCards) {
    const std::vector<int> wins{5, 5, 5, 5, 4, 4, 4, 4, 3, 3, 3, 3, 1, 1, 1, 1, 2, 2, 2, 2};
    const std::vector<int> lastTied{1, 1, 1, 1, 2, 2, 2, 2, 3, 5, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5};
    for (const auto& [deal, before, after, sounds] :
         {std::tuple{wins, "19/1", "20/0", QStringList{"tada.wav"}},
          {lastTied, "1/19", "0/20", QStringList{"chimes.wav", "boing.wav", "tada.wav"}}}) {
        dealCompare(deal);
        clickPile(9);
        EXPECT_EQ(counters(), before);
        EXPECT_TRUE(w->running());
        heard();
        clickPile();
        const QStringList last = heard();
        EXPECT_EQ(last.mid(last.size() - sounds.size()).join(' '), sounds.join(' '));
        EXPECT_EQ(counters() + " " + state(), QString(after) + " Game Over|&New Game");
        EXPECT_FALSE(w->running());
        expectAllCardsOnce();
    }
    EXPECT_FALSE(showsBack(w->pileRect(2)) || showsFace(w->tableRect(2, 1)));
    clickPile(); // over
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(CardFun, StopAndExitEndAGameWhoseChoicesAreGreyedWhileItIsPlayed) {
    open(CardGame::Compare, CardDeck::UpperCase);
    click(w->cmdNew);
    clickPile();
    EXPECT_EQ(heard().value(1).size(), 5); // a capital's own sound, "B.wav"
    // The game cannot be changed while it is played: its choices are greyed and take no click.
    EXPECT_FALSE(w->optGame[0]->isEnabled() || w->fraCards->isEnabled());
    click(w->optGame[0]);
    EXPECT_EQ(settings().CardGame, qint16(CardGame::Compare));
    click(w->cmdNew);
    EXPECT_EQ(state(), "Game Over|&New Game");
    click(w->optGame[0]);
    EXPECT_EQ(settings().CardGame, 0);
    click(w->cmdNew);
    click(w->cmdExit);
    EXPECT_FALSE(w->running());
    EXPECT_EQ(w->lblMessage->text(), "Game Over");
}
