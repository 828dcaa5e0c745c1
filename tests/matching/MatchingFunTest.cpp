// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Matching Fun, played as a child plays it: the boxes and the display box drawn, the guess counter and the
// sounds asked for.

#include "matching/MatchingFixture.h"
#include "matching/frmMatch.h"
#include "matching/optMatch.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

class MatchingFun : public WindowFixture<frmMatch> {
protected:
    void start(int type, int count) {
        writePictures(ItemPictureFile, 9);
        settings().MatchItemType = qint16(type);
        settings().MatchItemCount = qint16(count);
        WindowFixture::open();
        EXPECT_FALSE(w->picDisplay->isVisible());
        click(w->cmdNew);
    }
    void pick(int b) { click(w->picHidden[size_t(b)]); }
    int guesses() { return number(w->lblGuess); }
    QColor coverOf(int b) { return colourAt(w->picHidden[size_t(b)]); }
    bool covered(int b) { return coverOf(b) == QBColor(w->coverColor()); }
    // The end banner's light blue in the display box.
    int bannerInk() { return pixelsOf(w->picDisplay, QBColor(9)); }
};

} // namespace

// A number out of range is used as the nearest end, an unknown kind of item as pictures.
TEST_F(MatchingFun, APerfectGameEndsWithAsManyGuessesAsBoxes) {
    start(7, 40);
    EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdOptions->isEnabled());
    for (int b = 1; b <= 9; ++b) {
        EXPECT_TRUE(w->picHidden[size_t(b)]->isVisible() && covered(b)) << b;
    }
    heard();
    for (int found = 1; found <= 9; ++found) {
        const int target = w->targetBox();
        const QColor picture = pictureColour(w->itemInBox(target));
        EXPECT_EQ(colourAt(w->picDisplay), picture); // the picture hidden in the box asked for
        const qint64 waited = fake.clock.totalWaited();
        pick(target);
        EXPECT_GE(fake.clock.totalWaited() - waited, 1000); // a moment to see it
        EXPECT_EQ(guesses(), found);
        EXPECT_EQ(coverOf(target), picture); // it stays open
    }
    EXPECT_EQ(heard(), QStringList(9, "space.wav") << "tada.wav");
    EXPECT_TRUE(w->cmdNew->isEnabled() && w->cmdOptions->isEnabled());
    EXPECT_GT(bannerInk(), 50);
    EXPECT_GT(pixelsOf(w->lblGuess, Navy), 20);
}

// Colours: one shape in each item's colour. Stopped, the game leaves its boxes as they are; the options
// then choose the next game's items: shapes, each in the game's one colour, under a cover never white.
TEST_F(MatchingFun, AFoundBoxIgnoresClicksAWrongOneClosesAgainAndStopLeavesTheBoxesAsTheyAre) {
    start(0, 3);
    const int first = w->targetBox();
    const QColor colour = QBColor(ColorTable[size_t(w->itemInBox(first))]);
    pick(first);
    EXPECT_EQ(coverOf(first), colour);
    heard();
    pick(first);
    EXPECT_EQ(guesses(), 1);
    EXPECT_TRUE(heard().isEmpty());

    int wrong = 1;
    while (wrong == first || wrong == w->targetBox()) {
        ++wrong;
    }
    pick(wrong);
    EXPECT_EQ(guesses(), 2);
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
    EXPECT_TRUE(covered(wrong));
    doubleClick(w->picHidden[size_t(wrong)]); // the second click counts no second guess
    EXPECT_EQ(guesses(), 3);
    EXPECT_EQ(heard(), QStringList{"boing.wav"});

    click(w->cmdExit);
    EXPECT_GT(bannerInk(), 50);
    pick(wrong); // the game is over
    EXPECT_EQ(guesses(), 3);

    settings().MatchItemCount = -3; // shown as the least
    withModal<optMatch>(w->cmdOptions, [&](optMatch& o) {
        EXPECT_EQ(o.lblNumber->text(), "2");
        EXPECT_TRUE(o.optType[0]->isChecked());
        click(o.SpinButton1->upButton());
        click(o.SpinButton1->upButton());
        click(o.optType[1]);
        click(o.cmdOK);
    });
    EXPECT_EQ(QList<int>({settings().MatchItemCount, settings().MatchItemType}), QList<int>({4, 1}));
    // Two shuffles (8 and 3 numbers), the shape, the colour, then the cover: white, drawn again.
    fake.random.script(QList<double>(11, 0.0) << 0.5 << 0.5 << 0.0 << 0.15);
    click(w->cmdNew);
    EXPECT_EQ(guesses(), 0);
    EXPECT_EQ(bannerInk(), 0);
    EXPECT_EQ(w->coverColor(), 14);
    EXPECT_TRUE(covered(1) && covered(2) && covered(3) && covered(4) && !w->picHidden[5]->isVisible());
    EXPECT_EQ(colourAt(w->picDisplay), QBColor(ColorTable[5]));
    const int target = w->targetBox();
    pick(target);
    EXPECT_EQ(coverOf(target), QBColor(ColorTable[5]));
}
