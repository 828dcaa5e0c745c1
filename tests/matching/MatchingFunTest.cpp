// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Matching Fun, played as a child plays it: the boxes and the display box drawn, the guess counter and the
// sounds asked for.

#include "matching/MatchingFixture.h"
#include "matching/frmMatch.h"
#include "matching/optMatch.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/Palette.h"

#include <QAbstractButton>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class MatchingFun : public WindowFixture<frmMatch> {
protected:
    void open(int type = 2, int count = 9) {
        writePictures(fake.appDir(), ItemPictureFile, 9);
        settings().MatchItemType = qint16(type);
        settings().MatchItemCount = qint16(count);
        WindowFixture::open();
    }
    void pick(int b) { click(w->picHidden[size_t(b)]); }
    int guesses() { return number(w->lblGuess); }
    QColor coverOf(int b) { return colourAt(w->picHidden[size_t(b)]); }
    bool covered(int b) { return coverOf(b) == QBColor(w->coverColor()); }
    // The end banner's light blue in the display box.
    int bannerInk() {
        return pixelsWhere(w->picDisplay, [](QColor c) { return c == QBColor(9); });
    }
};

} // namespace

TEST_F(MatchingFun, APerfectGameEndsWithAsManyGuessesAsBoxes) {
    for (const int count : {2, 5, 9}) {
        SCOPED_TRACE(count);
        open(2, count);
        EXPECT_FALSE(w->picDisplay->isVisible());
        click(w->cmdNew);
        EXPECT_EQ(w->cmdExit->text(), "&Stop");
        EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdOptions->isEnabled());
        for (int b = 1; b <= 9; ++b) {
            EXPECT_EQ(w->picHidden[size_t(b)]->isVisible(), b <= count) << b;
            EXPECT_GE(w->itemInBox(b), 1); // hidden boxes hold items too
        }
        EXPECT_EQ(w->lblGuess->text(), "0");
        heard();
        for (int found = 1; found <= count; ++found) {
            const int target = w->targetBox();
            const QColor picture = pictureColour(w->itemInBox(target));
            EXPECT_EQ(colourAt(w->picDisplay), picture); // the picture hidden in the box asked for
            pick(target);
            EXPECT_EQ(guesses(), found);
            EXPECT_EQ(coverOf(target), picture); // it stays open
        }
        EXPECT_EQ(heard(), QStringList(count, "space.wav") << "tada.wav");
        EXPECT_EQ(w->cmdExit->text(), "E&xit");
        EXPECT_TRUE(w->cmdNew->isEnabled() && w->cmdOptions->isEnabled());
        EXPECT_GT(bannerInk(), 50);
    }
}

TEST_F(MatchingFun, AFoundBoxIgnoresClicksAndAWrongOneClosesAgainAndCountsEachTime) {
    open(0, 4);
    click(w->cmdNew);
    const int first = w->targetBox();
    pick(first);
    heard();
    pick(first);
    EXPECT_EQ(guesses(), 1);
    EXPECT_TRUE(heard().isEmpty());

    int wrong = 1;
    while (wrong == first || wrong == w->targetBox()) {
        ++wrong;
    }
    for (int time = 2; time <= 3; ++time) {
        pick(wrong);
        EXPECT_EQ(guesses(), time);
        EXPECT_EQ(heard(), QStringList{"boing.wav"});
        EXPECT_TRUE(covered(wrong));
    }
    doubleClick(w->picHidden[size_t(wrong)]); // the second click counts no second guess
    EXPECT_EQ(guesses(), 4);
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
}

TEST_F(MatchingFun, TheCoverIsNeverWhiteWhileAShapesGameMayDrawItsItemsWhite) {
    open(1, 2);
    // Two shuffles (8 and 1 numbers), the shape, the colour (white), then the cover: white, drawn again.
    fake.random.script({0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0.0, 0.0, 0.15});
    click(w->cmdNew);
    EXPECT_EQ(w->coverColor(), 14);
    EXPECT_TRUE(covered(1) && covered(2));
    // The display shows its item's shape filled white, known on the white box by its dark outline.
    EXPECT_EQ(w->items().FixedColor, 1);
    PictureBox* display = w->picDisplay;
    EXPECT_EQ(colourAt(display), QBColor(15));
    int black = 0;
    for (int x = 0; x < display->width(); ++x) {
        black += qGray(colourAt(display, double(x) / display->width(), 0.5).rgb()) < 80;
    }
    EXPECT_GE(black, 2);
}

TEST_F(MatchingFun, AColoursGameShowsOneShapeInTheColourOfEachItem) {
    open(0, 9);
    QList<double> script(16, 0.0);
    fake.random.script(script << 0.0 << 0.5 << 0.15);
    click(w->cmdNew);
    EXPECT_EQ(w->items().FixedShape, 1); // the square fills the box's middle
    for (int found = 1; found <= 3; ++found) {
        const int target = w->targetBox();
        const QColor shown = colourAt(w->picDisplay);
        EXPECT_EQ(shown, QBColor(ColorTable[size_t(w->itemInBox(target))]));
        pick(target);
        EXPECT_EQ(coverOf(target), shown);
    }
}

TEST_F(MatchingFun, StopLeavesTheOpenBoxesAndSaysGameOverAndNewGameDrawsAllAgain) {
    open(2, 3);
    click(w->cmdNew);
    const int first = w->targetBox();
    pick(first);
    click(w->cmdExit);
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_GT(bannerInk(), 50);
    EXPECT_EQ(coverOf(first), pictureColour(w->itemInBox(first)));
    heard();
    pick(first == 1 ? 2 : 1);
    EXPECT_TRUE(heard().isEmpty());
    EXPECT_EQ(guesses(), 1);

    click(w->cmdNew);
    EXPECT_EQ(guesses(), 0);
    EXPECT_TRUE(covered(1) && covered(2) && covered(3));
    EXPECT_EQ(bannerInk(), 0);
    click(w->cmdExit);
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{8});
    exitToMenu();
}

TEST_F(MatchingFun, OptionsChangeTheSettingsAndValuesOutOfRangeAreUsedAsTheNearestEnd) {
    for (const auto& [stored, boxes] : {std::pair{40, 9}, {-3, 2}, {3, 3}}) {
        SCOPED_TRACE(stored);
        open(7, stored);
        click(w->cmdNew);
        EXPECT_TRUE(w->picHidden[size_t(boxes)]->isVisible());
        EXPECT_TRUE(boxes == 9 || !w->picHidden[size_t(boxes + 1)]->isVisible());
        EXPECT_EQ(w->items().type, ItemType::Pictures); // an unknown kind is pictures
        click(w->cmdExit);
        withOptions<optMatch>(w->cmdOptions, [&, boxes = boxes](optMatch& o) {
            EXPECT_EQ(o.lblNumber->text(), QString::number(boxes));
            EXPECT_TRUE(o.optType[2]->isChecked());
            click(o.SpinButton1->upButton());
            click(o.SpinButton1->upButton());
            click(o.optType[1]);
            click(o.cmdOK);
        });
        EXPECT_EQ(settings().MatchItemCount, std::min(boxes + 2, 9));
        EXPECT_EQ(settings().MatchItemType, 1);
    }
}
