// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Barnyard Fun, played as a child plays it: the peek, doors opened, animals found by picture and by name,
// and the options window.

#include "matching/MatchingFixture.h"
#include "matching/frmBarn.h"
#include "matching/optbarn.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

constexpr std::array<const char*, 9> AnimalPicture{
    "", "cat.wmf", "dog.wmf", "sheep.wmf", "horse.wmf", "cow.wmf", "rooster.wmf", "duck.wmf", "pig.wmf"};
const QStringList AnimalName{"", "Cat", "Dog", "Sheep", "Horse", "Cow", "Rooster", "Duck", "Pig"};
// The call of animal a: its name, the cat's and the dog's with "snd".
QString call(int a) {
    return AnimalName[a].toLower() + (a <= 2 ? "snd.wav" : ".wav");
}

class BarnyardFun : public WindowFixture<frmBarn> {
protected:
    void open(int peek, int findBy, int count) {
        writePictures(AnimalPicture, 8);
        settings().BarnPeek = qint16(peek);
        settings().BarnFindBy = qint16(findBy);
        settings().BarnAnimalCount = qint16(count);
        WindowFixture::open();
        click(w->cmdNew);
    }
    PictureBox* door(int d) { return w->picHidden[size_t(d)]; }
    // A closed door is yellow between its braces.
    bool closed(int d) { return colourAt(door(d), 0.5, 0.25) == QBColor(14); }
    bool framed(int d) {
        const QImage image = door(d)->image();
        const int r = image.width() - 1, b = image.height() - 1;
        const QColor brown = QBColor(6), black = QBColor(0);
        return colourAt(door(d), 0.5, 0.05) == brown && colourAt(door(d), 0.5, 0.95) == brown &&
               colourAt(door(d), 0.05, 0.5) == brown && colourAt(door(d), 0.95, 0.5) == brown &&
               image.pixelColor(0, b / 2) == black && image.pixelColor(r, b / 2) == black &&
               image.pixelColor(r / 2, 0) == black && image.pixelColor(r / 2, b) == black;
    }
    bool showsAnimal(int d) { return colourAt(door(d)) == pictureColour(w->animalInBox(d)); }
    bool named(int d) { return w->lblName[size_t(d)]->isVisible(); }
    int guesses() { return number(w->lblGuess); }
    int displayInk() { return pixelsOf(w->picDisplay, QBColor(0)); }
};

} // namespace

// Found by name, after a peek: a wrong door closes again and a new animal is wanted among those not found.
// Then the options choose a peek at pictures, and a game without a peek is found by picture.
TEST_F(BarnyardFun, APeekOpensTheDoorsUntilCloseDoorsAndTheChildFindsTheAnimalsByNameOrPicture) {
    fake.random.script(QList<double>(8, 0.0)); // the first animal wanted is behind the first door
    open(1, 1, 3);
    for (int d = 1; d <= 3; ++d) {
        EXPECT_TRUE(showsAnimal(d) && w->lblName[size_t(d)]->text() == AnimalName[w->animalInBox(d)]) << d;
    }
    heard();
    click(door(1)); // doors wait for Close Doors, which has the focus: Enter closes them
    EXPECT_TRUE(guesses() == 0 && heard().isEmpty() && displayInk() == 0);
    ASSERT_EQ(QApplication::focusWidget(), w->cmdClose);
    QTest::keyClick(w->cmdClose, Qt::Key_Return);
    // The button shows itself pressed for a moment first.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->cmdClose->isVisible(); }));
    EXPECT_TRUE(closed(1) && closed(3) && !named(3));
    EXPECT_GT(displayInk(), 30); // the wanted animal's name
    EXPECT_EQ(colourAt(w->picDisplay, 0.05, 0.05), QBColor(15));

    ASSERT_EQ(w->target(), 1);
    fake.random.script({0.0}); // then the first door of those left
    click(door(1));
    EXPECT_EQ(fake.sound.played.value(0).mode, 0); // heard whole before the next animal is wanted
    EXPECT_EQ(heard(), QStringList{call(w->animalInBox(1))});
    EXPECT_TRUE(showsAnimal(1) && named(1));
    ASSERT_EQ(w->target(), 2);

    // A miss on door 3: it closes, its name goes, and the second door left (door 3) is wanted now.
    fake.random.script({0.9});
    click(door(3));
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    EXPECT_TRUE(closed(3) && !named(3));
    EXPECT_EQ(w->target(), 3);
    EXPECT_EQ(guesses(), 2);

    click(door(1)); // found: no guess, no sound
    EXPECT_TRUE(guesses() == 2 && heard().isEmpty() && showsAnimal(1));
    fake.random.script({0.9});
    doubleClick(door(2)); // one more guess, not two
    EXPECT_EQ(guesses(), 3);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(door(3));
    EXPECT_EQ(w->target(), 2); // the only one left
    heard();
    click(door(2));
    EXPECT_EQ(guesses(), 5);
    EXPECT_EQ(heard(), QStringList({call(w->animalInBox(2)), "barnyard.wav"}));
    EXPECT_GT(displayInk(), 30); // "Game Over"

    // The options then choose a peek at the pictures of eight; Stop during the peek leaves them open.
    withModal<optbarn>(w->cmdOptions, [&](optbarn& o) {
        EXPECT_TRUE(o.optPeek[0]->isChecked() && o.optNames[1]->isChecked());
        EXPECT_EQ(o.lblNumber->text(), "3");
        click(o.optPeek[1]);
        click(o.optPeek[0]);
        click(o.optNames[0]);
        for (int i = 0; i < 5; ++i) {
            click(o.SpinButton1->upButton());
        }
        click(o.cmdOK);
    });
    EXPECT_EQ(QList<int>({settings().BarnPeek, settings().BarnFindBy, settings().BarnAnimalCount}),
              QList<int>({1, 0, 8}));
    click(w->cmdNew);
    EXPECT_TRUE(showsAnimal(8) && !named(8));
    click(w->cmdExit);
    EXPECT_FALSE(w->cmdClose->isVisible());

    // No peek, and a number of doors below the least: two doors, the animal wanted shown on the sky.
    settings().BarnPeek = 0;
    settings().BarnAnimalCount = 0;
    click(w->cmdNew);
    for (int d = 1; d <= 8; ++d) {
        EXPECT_EQ(door(d)->isVisible(), d <= 2) << d;
        // A door in use is closed in its brown frame, outlined in black on all four edges.
        EXPECT_TRUE(d > 2 || (closed(d) && framed(d))) << d;
    }
    EXPECT_EQ(colourAt(w->picDisplay), pictureColour(w->animalInBox(w->target())));
    EXPECT_NE(colourAt(w->picDisplay, 0.02, 0.02), QBColor(15));
    const int right = w->target();
    click(door(right));
    EXPECT_TRUE(showsAnimal(right) && !named(right));
    click(w->cmdExit);
    EXPECT_EQ(colourAt(w->picDisplay, 0.02, 0.02), QBColor(15)); // "Game Over" on white
}
