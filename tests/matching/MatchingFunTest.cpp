// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Matching Fun, played as a child plays it: New Game, clicks on the boxes and the options window, checking
// the boxes and the display box drawn, the guess counter and the sounds asked for.

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
    int guesses() { return number(w->lblGuess); }
    QColor coverOf(int b) { return colourAt(w->picHidden[size_t(b)]); }
    // A box that is neither the one asked for nor found yet.
    int wrongBox(int count) {
        for (int b = 1; b <= count; ++b) {
            if (b != w->targetBox() && coverOf(b) == QBColor(w->coverColor())) {
                return b;
            }
        }
        return 0;
    }
    // Pixels of the end banner's light blue in the display box.
    int bannerInk() {
        const QImage& image = w->picDisplay->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == QBColor(9);
            }
        }
        return count;
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
            // The display box shows the picture hidden in the box asked for.
            EXPECT_EQ(colourAt(w->picDisplay), pictureColour(w->itemInBox(target)));
            click(w->picHidden[size_t(target)]);
            EXPECT_EQ(guesses(), found);
            EXPECT_EQ(coverOf(target), pictureColour(w->itemInBox(target))); // it stays open
        }
        QStringList expected(count, "space.wav");
        EXPECT_EQ(heard(), expected << "tada.wav");
        EXPECT_EQ(w->cmdExit->text(), "E&xit");
        EXPECT_TRUE(w->cmdNew->isEnabled() && w->cmdOptions->isEnabled());
        EXPECT_GT(bannerInk(), 50);
    }
}

TEST_F(MatchingFun, AFoundBoxIgnoresClicksAndAWrongOneClosesAgainAndCountsEachTime) {
    open(0, 4);
    click(w->cmdNew);
    const int first = w->targetBox();
    click(w->picHidden[size_t(first)]);
    heard();
    click(w->picHidden[size_t(first)]);
    EXPECT_EQ(guesses(), 1);
    EXPECT_TRUE(heard().isEmpty());

    const int wrong = wrongBox(4);
    ASSERT_NE(wrong, 0);
    for (int time = 2; time <= 3; ++time) {
        click(w->picHidden[size_t(wrong)]);
        EXPECT_EQ(guesses(), time);
        EXPECT_EQ(heard(), QStringList{"boing.wav"});
        EXPECT_EQ(coverOf(wrong), QBColor(w->coverColor()));
    }
    // The second click of a double-click on a box counts no second guess.
    doubleClick(w->picHidden[size_t(wrong)]);
    EXPECT_EQ(guesses(), 4);
    EXPECT_EQ(heard(), QStringList{"boing.wav"});
}

TEST_F(MatchingFun, TheCoverIsNeverWhiteWhileAShapesGameMayDrawItsItemsWhite) {
    open(1, 2);
    // Two shuffles (8 and 1 numbers), the shape, the colour (white), then the cover: white, drawn again.
    fake.random.script({0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5, 0.0, 0.0, 0.15});
    click(w->cmdNew);
    EXPECT_EQ(w->coverColor(), 14);
    EXPECT_EQ(coverOf(1), QBColor(14));
    EXPECT_EQ(coverOf(2), QBColor(14));
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
    fake.random.script({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0.5, 0.15});
    click(w->cmdNew);
    EXPECT_EQ(w->items().FixedShape, 1); // the square fills the box's middle
    for (int found = 1; found <= 3; ++found) {
        const int target = w->targetBox();
        const QColor shown = colourAt(w->picDisplay);
        EXPECT_EQ(shown, QBColor(ColorTable[size_t(w->itemInBox(target))]));
        click(w->picHidden[size_t(target)]);
        EXPECT_EQ(coverOf(target), shown);
    }
}

TEST_F(MatchingFun, StopLeavesTheOpenBoxesAndSaysGameOverAndNewGameDrawsAllAgain) {
    open(2, 3);
    click(w->cmdNew);
    const int first = w->targetBox();
    click(w->picHidden[size_t(first)]);
    click(w->cmdExit);
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_GT(bannerInk(), 50);
    EXPECT_EQ(coverOf(first), pictureColour(w->itemInBox(first)));
    heard();
    click(w->picHidden[size_t(first == 1 ? 2 : 1)]);
    EXPECT_TRUE(heard().isEmpty());
    EXPECT_EQ(guesses(), 1);

    click(w->cmdNew);
    EXPECT_EQ(guesses(), 0);
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(coverOf(b), QBColor(w->coverColor())) << b;
    }
    EXPECT_EQ(bannerInk(), 0);
    click(w->cmdExit);
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{8});
    exitToMenu();
}

TEST_F(MatchingFun, OptionsChangeTheSettingsAndValuesOutOfRangeAreUsedAsTheNearestEnd) {
    for (const auto& [stored, shown, boxes] : {std::tuple{40, "9", 9}, {-3, "2", 2}, {3, "3", 3}}) {
        SCOPED_TRACE(stored);
        open(7, stored);
        click(w->cmdNew);
        int visible = 0;
        for (int b = 1; b <= 9; ++b) {
            visible += w->picHidden[size_t(b)]->isVisible();
        }
        EXPECT_EQ(visible, boxes);
        EXPECT_EQ(w->items().type, ItemType::Pictures); // an unknown kind is pictures
        click(w->cmdExit);
        const QString expected = shown;
        withOptions<optMatch>(w->cmdOptions, [&](optMatch& o) {
            EXPECT_EQ(o.windowTitle(), "Matching Fun Options");
            EXPECT_EQ(o.lblNumber->text(), expected);
            EXPECT_TRUE(o.optType[2]->isChecked());
            click(o.SpinButton1->upButton());
            click(o.SpinButton1->upButton());
            click(o.optType[1]);
            click(o.cmdOK);
        });
        EXPECT_EQ(settings().MatchItemCount, std::min(boxes + 2, 9));
        EXPECT_EQ(settings().MatchItemType, 1);
    }
    withOptions<optMatch>(w->cmdOptions, [&](optMatch& o) {
        for (int i = 0; i < 10; ++i) {
            click(o.SpinButton1->downButton());
        }
        EXPECT_EQ(o.lblNumber->text(), "2");
        o.close();
    });
    EXPECT_EQ(settings().MatchItemCount, 2);
}
