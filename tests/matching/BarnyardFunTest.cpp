// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Barnyard Fun, played as a child plays it: the peek, doors opened, animals found by picture and by name,
// and the options window.

#include "matching/MatchingFixture.h"
#include "matching/frmBarn.h"
#include "matching/optbarn.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/Palette.h"

#include <QLabel>

using namespace nibsy;
using namespace nibsy::test;

namespace {

constexpr std::array<const char*, 9> AnimalPicture{
    "", "cat.wmf", "dog.wmf", "sheep.wmf", "horse.wmf", "cow.wmf", "rooster.wmf", "duck.wmf", "pig.wmf"};
const QStringList AnimalName{"", "Cat", "Dog", "Sheep", "Horse", "Cow", "Rooster", "Duck", "Pig"};
const QStringList AnimalSound{"",        "catsnd.wav",  "dogsnd.wav", "sheep.wav", "horse.wav",
                              "cow.wav", "rooster.wav", "duck.wav",   "pig.wav"};

class BarnyardFun : public WindowFixture<frmBarn> {
protected:
    void open(int peek, int findBy, int count) {
        writePictures(fake.appDir(), AnimalPicture, 8);
        settings().BarnPeek = qint16(peek);
        settings().BarnFindBy = qint16(findBy);
        settings().BarnAnimalCount = qint16(count);
        WindowFixture::open();
    }
    PictureBox* door(int d) { return w->picHidden[size_t(d)]; }
    // A closed door is yellow between its braces.
    bool closed(int d) { return colourAt(door(d), 0.5, 0.25) == QBColor(14); }
    bool showsAnimal(int d) { return colourAt(door(d)) == pictureColour(w->animalInBox(d)); }
    int guesses() { return number(w->lblGuess); }
    int wrongDoor(int count) {
        for (int d = 1; d <= count; ++d) {
            if (d != w->target() && closed(d)) {
                return d;
            }
        }
        return 0;
    }
    // Dark pixels in the display box: a name printed there.
    int displayInk() {
        const QImage& image = w->picDisplay->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += qGray(image.pixel(x, y)) < 60;
            }
        }
        return count;
    }
};

} // namespace

TEST_F(BarnyardFun, OnlyTheDoorsInUseAppearWithARandomChoiceOfAnimals) {
    for (const auto& [stored, doors] : {std::pair{2, 2}, {8, 8}, {12, 8}, {0, 2}}) {
        SCOPED_TRACE(stored);
        open(0, 0, stored);
        click(w->cmdNew);
        QList<int> animals;
        for (int d = 1; d <= 8; ++d) {
            EXPECT_EQ(door(d)->isVisible(), d <= doors) << d;
            animals << w->animalInBox(d);
        }
        std::sort(animals.begin(), animals.end());
        EXPECT_EQ(animals, QList<int>({1, 2, 3, 4, 5, 6, 7, 8})); // a shuffle of all eight
        for (int d = 1; d <= doors; ++d) {
            EXPECT_TRUE(closed(d)) << d;
            EXPECT_EQ(colourAt(door(d), 0.5, 0.05), QBColor(6)) << d; // the frame
        }
        EXPECT_GE(w->target(), 1);
        EXPECT_LE(w->target(), doors);
    }
}

TEST_F(BarnyardFun, APeekOpensEveryDoorWithItsNameUntilCloseDoorsAndDoorClicksWait) {
    open(1, 1, 4);
    click(w->cmdNew);
    EXPECT_TRUE(w->cmdClose->isVisible());
    for (int d = 1; d <= 4; ++d) {
        EXPECT_TRUE(showsAnimal(d)) << d;
        EXPECT_TRUE(w->lblName[size_t(d)]->isVisible());
        EXPECT_EQ(w->lblName[size_t(d)]->text(), AnimalName[w->animalInBox(d)]);
    }
    heard();
    click(door(1));
    EXPECT_EQ(guesses(), 0);
    EXPECT_TRUE(heard().isEmpty());
    EXPECT_EQ(displayInk(), 0);

    click(w->cmdClose);
    EXPECT_FALSE(w->cmdClose->isVisible());
    for (int d = 1; d <= 4; ++d) {
        EXPECT_TRUE(closed(d)) << d;
        EXPECT_FALSE(w->lblName[size_t(d)]->isVisible());
    }
    EXPECT_GT(displayInk(), 30); // the wanted animal's name
    EXPECT_EQ(colourAt(w->picDisplay, 0.05, 0.05), QBColor(15));
}

TEST_F(BarnyardFun, AWrongDoorClosesAgainAndANewAnimalIsWantedAmongThoseNotFound) {
    open(0, 1, 3);
    // The first animal wanted is behind the first door.
    fake.random.script({0, 0, 0, 0, 0, 0, 0, 0.0});
    click(w->cmdNew);
    ASSERT_EQ(w->target(), 1);
    heard();
    fake.random.script({0.0}); // then the first door of those left
    click(door(1));
    EXPECT_EQ(heard(), QStringList{AnimalSound[w->animalInBox(1)]});
    EXPECT_TRUE(showsAnimal(1));
    EXPECT_TRUE(w->lblName[1]->isVisible());
    ASSERT_EQ(w->target(), 2);

    // A miss on door 3: it closes, its name goes, and the second door left (door 3) is wanted now.
    fake.random.script({0.9});
    click(door(3));
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_TRUE(closed(3));
    EXPECT_FALSE(w->lblName[3]->isVisible());
    EXPECT_EQ(w->target(), 3);
    EXPECT_EQ(guesses(), 2);

    // A found door ignores clicks and counts no guess.
    click(door(1));
    EXPECT_EQ(guesses(), 2);
    EXPECT_TRUE(heard().isEmpty());
    EXPECT_TRUE(showsAnimal(1));

    fake.random.script({0.9});
    doubleClick(door(2)); // one more guess, not two
    EXPECT_EQ(guesses(), 3);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(door(3));
    EXPECT_EQ(w->target(), 2); // the only one left
    heard();
    click(door(2));
    EXPECT_EQ(guesses(), 5);
    EXPECT_EQ(heard(), QStringList({AnimalSound[w->animalInBox(2)], "barnyard.wav"}));
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_GT(displayInk(), 30); // "Game Over"
}

TEST_F(BarnyardFun, FindingByPictureShowsTheAnimalAndNoNames) {
    open(0, 0, 8);
    click(w->cmdNew);
    const int wanted = w->animalInBox(w->target());
    EXPECT_EQ(colourAt(w->picDisplay), pictureColour(wanted));
    EXPECT_NE(colourAt(w->picDisplay, 0.02, 0.02), QBColor(15)); // its own background
    const int wrong = wrongDoor(8);
    click(door(wrong));
    EXPECT_FALSE(w->lblName[size_t(wrong)]->isVisible());
    const int right = w->target();
    click(door(right));
    EXPECT_TRUE(showsAnimal(right));
    for (int d = 1; d <= 8; ++d) {
        EXPECT_FALSE(w->lblName[size_t(d)]->isVisible());
    }
    click(w->cmdExit);
    EXPECT_EQ(colourAt(w->picDisplay, 0.02, 0.02), QBColor(15));
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{9});
    exitToMenu();
}

TEST_F(BarnyardFun, StopDuringThePeekPutsCloseDoorsAwayAndOptionsChangeTheSettings) {
    open(1, 0, 5);
    click(w->cmdNew);
    click(w->cmdExit);
    EXPECT_FALSE(w->cmdClose->isVisible());
    EXPECT_TRUE(showsAnimal(1)); // the doors stay open
    withOptions<optbarn>(w->cmdOptions, [&](optbarn& o) {
        EXPECT_EQ(o.windowTitle(), "Barnyard Fun Options");
        EXPECT_TRUE(o.optPeek[0]->isChecked());
        EXPECT_TRUE(o.optNames[0]->isChecked());
        EXPECT_EQ(o.lblNumber->text(), "5");
        click(o.optPeek[1]);
        click(o.optNames[1]);
        for (int i = 0; i < 5; ++i) {
            click(o.SpinButton1->upButton());
        }
        EXPECT_EQ(o.lblNumber->text(), "8");
        click(o.cmdOK);
    });
    EXPECT_EQ(settings().BarnPeek, 0);
    EXPECT_EQ(settings().BarnFindBy, 1);
    EXPECT_EQ(settings().BarnAnimalCount, 8);
    settings().BarnAnimalCount = 3;
    withOptions<optbarn>(w->cmdOptions, [&](optbarn& o) {
        for (int i = 0; i < 3; ++i) {
            click(o.SpinButton1->downButton());
        }
        EXPECT_EQ(o.lblNumber->text(), "2");
        o.close();
    });
    EXPECT_EQ(settings().BarnAnimalCount, 2);
    // Values the file should not hold are shown as the defaults the game uses: a peek, by name.
    settings().BarnPeek = 5;
    settings().BarnFindBy = -2;
    withOptions<optbarn>(w->cmdOptions, [&](optbarn& o) {
        EXPECT_TRUE(o.optPeek[0]->isChecked());
        EXPECT_TRUE(o.optNames[1]->isChecked());
        click(o.cmdOK);
    });
}
