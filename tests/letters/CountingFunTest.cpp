// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/frmCount.h"
#include "letters/optCount.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

#include <QRadioButton>
#include <functional>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The cells are light cyan (no shape ever is).
const QColor CellColour(0, 255, 255);

// Item pictures are solid squares, one colour per kind, so a cell's middle tells which kind it holds.
QColor pictureColour(int kind) {
    return QColor(QColor::fromHsv((kind - 1) * 40, 255, 230).rgb());
}
QColor dinoColour(int kind) {
    return QColor(QColor::fromHsv((kind - 1) * 40 + 20, 200, 120).rgb());
}

QString N(int n) {
    return QString("N%1.wav").arg(n);
}

// Press a Number's counting out: one to n, then n and the item word.
QStringList countedTo(int n) {
    QStringList expected;
    for (int i = 1; i <= n; ++i) {
        expected << N(i);
    }
    return expected << N(n) << (n == 1 ? "picture.wav" : "pictures.wav");
}

class CountingFun : public WindowFixture<frmCount> {
protected:
    void open(int countItems = 1, int biggest = 20) {
        const QStringList names{"apple.wmf", "ball.wmf", "house.wmf", "igloo.wmf", "jet.wmf",
                                "sun.wmf",   "tree.wmf", "wagon.wmf", "xylo.bmp"};
        for (int k = 1; k <= 9; ++k) {
            savePicture(names[k - 1], pictureColour(k));
            savePicture(QString("dino%1.wmf").arg(k), dinoColour(k));
        }
        settings().CountItems = qint16(countItems);
        settings().BiggestNumber = qint16(biggest);
        WindowFixture::open();
    }
    QColor cell(int n, double fx = 0.5, double fy = 0.5) {
        return colourAt(w->picDisplay[size_t(n)], fx, fy);
    }
    QColor sample() { return colourAt(w->picShow); }
    int cellsOf(const QColor& c) {
        int count = 0;
        for (int n = 1; n <= 20; ++n) {
            count += cell(n) == c;
        }
        return count;
    }
    int filledCells() { return 20 - cellsOf(CellColour); }
    bool onChoiceScreen() {
        return w->fraChoices->isVisible() && !w->picDisplay[1]->isVisible() && !w->lblBlank[0]->isVisible() &&
               !w->imgArrow->isVisible() && w->cmdExit->text() == "E&xit" && w->cmdOptions->isEnabled();
    }
    void expectNothingRunning() {
        EXPECT_TRUE(onChoiceScreen());
        expectSilence("12\r");
    }
};

} // namespace

TEST_F(CountingFun, TheSongFillsTheFirstAndThirdRowsAndEndsByItself) {
    open();
    click(w->cmdChoice[0]);
    // Lets the clock run (timer ticks and all) until done() holds.
    const auto runUntil = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 400 && !done(); ++i) {
            fake.clock.advance(500);
            QCoreApplication::processEvents();
        }
        return done();
    };
    ASSERT_TRUE(runUntil([&] { return fake.sound.names().contains("N6.wav"); }));
    const QColor item = cell(1, 0.2, 0.2);
    EXPECT_NE(item, CellColour);
    for (int n : {2, 3, 4, 5, 11}) {
        EXPECT_EQ(cell(n, 0.2, 0.2), item) << n;
        EXPECT_NE(w->picDisplay[size_t(n)]->image(), w->picDisplay[1]->image()) << n; // its own number
    }
    for (int n : {6, 10, 16, 20}) {
        EXPECT_EQ(cell(n, 0.2, 0.2), CellColour) << n;
    }
    ASSERT_TRUE(runUntil([&] { return fake.sound.names().contains("N10.wav"); }));
    EXPECT_TRUE(onChoiceScreen()); // at once after the tenth verse
    QStringList song;
    for (int n = 1; const int verse : {1, 1, 2, 3, 3, 4, 1, 1, 2, 5}) {
        song << N(n++) << QString("cnt%1.wav").arg(verse);
    }
    EXPECT_EQ(heard(), song);
    expectNothingRunning();
}

TEST_F(CountingFun, LearnNumbersCountsUpToTheBiggestAndPressANumberCountsOutAnyNumber) {
    open(1, 2);
    click(w->cmdChoice[1]);
    EXPECT_EQ(w->lblNumber->text(), "1");
    EXPECT_EQ(filledCells(), 1);
    EXPECT_EQ(cell(1), sample());
    EXPECT_EQ(heard(), QStringList({"N1.wav", "N1.wav", "picture.wav"}));
    click(w->cmdScreen);
    EXPECT_EQ(w->lblNumber->text() + " " + QString::number(filledCells()), "2 2");
    EXPECT_EQ(heard(), QStringList({"N1.wav", "N2.wav", "N2.wav", "pictures.wav"}));
    click(w->cmdScreen);
    expectNothingRunning();

    settings().BiggestNumber = 20; // Press a Number goes beyond the biggest number
    click(w->cmdChoice[2]);
    EXPECT_EQ(w->lblNumber->text(), "--");
    // The framed place the items show in, emptied of Learn Numbers' apple.
    EXPECT_TRUE(w->picShow->isVisible() && w->Shape1->isVisible() && sample() == CellColour);
    // Each number is counted out and the grid cleared for the next; no number starts with 0.
    const struct {
        const char* keys;
        QStringList sounds;
        const char* shown;
        int beeps;
    } steps[] = {{"3", countedTo(3), "--", 0},
                 {"1", {}, "1-", 0},
                 {"5", countedTo(15), "--", 0},
                 {"25x", {}, "2-", 2},
                 {"0", countedTo(20), "--", 2},
                 {"1\r", countedTo(1), "--", 2},
                 {"0", {}, "--", 3}};
    for (const auto& step : steps) {
        type(step.keys);
        EXPECT_EQ(heard(), step.sounds) << step.keys;
        EXPECT_EQ(w->lblNumber->text(), step.shown) << step.keys;
        EXPECT_EQ(fake.sound.beeps, step.beeps) << step.keys;
        EXPECT_EQ(filledCells(), 0) << step.keys;
    }
    click(w->cmdClick[7]);
    EXPECT_EQ(heard(), countedTo(7));

    type("2");
    click(w->cmdExit);
    expectNothingRunning();
}

TEST_F(CountingFun, WhatNumberTakesTheCountTypedOrClicked) {
    open(1, 12);
    // 12 apples, 12 again, then 4 and 1.
    fake.random.script({0.0, 0.0, 0.99, 0.0, 0.0, 0.99, 0.0, 0.0, 0.3, 0.0, 0.0, 0.0});
    click(w->cmdChoice[3]);
    EXPECT_EQ(cellsOf(pictureColour(1)), 12);
    EXPECT_EQ(heard(), QStringList(12, "boing.wav"));
    EXPECT_EQ(w->lblNumber->text(), "-");
    type("x2"); // not a digit: a beep; a wrong digit: "uh oh"
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    type("1");
    EXPECT_EQ(w->lblNumber->text(), "1");
    click(w->cmdScreen); // Correct Answer after the first digit: shown and said, no cheer
    const QStringList sounds = heard();
    EXPECT_EQ(sounds.mid(0, 2), QStringList({"N12.wav", "pictures.wav"}));
    EXPECT_FALSE(sounds.contains("tada.wav"));
    type("12"); // the next answer starts afresh
    EXPECT_EQ(heard().mid(0, 3), QStringList({"N12.wav", "pictures.wav", "tada.wav"}));
    EXPECT_EQ(filledCells(), 4);
    click(w->cmdClick[5]);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(w->cmdClick[4]);
    EXPECT_EQ(heard().mid(0, 3), QStringList({"N4.wav", "pictures.wav", "tada.wav"}));
    EXPECT_EQ(filledCells(), 1);
    type("1");
    click(w->cmdExit);
    expectNothingRunning();
}

TEST_F(CountingFun, DrawANumberByClickingCells) {
    open(2, 20);
    fake.random.script({0.5, 0.0, 0.1}); // three dinosaurs of kind 5
    click(w->cmdChoice[4]);
    EXPECT_EQ(w->lblNumber->text(), "3");
    EXPECT_EQ(heard(), QStringList({"N3.wav", "dinos.wav"}));
    for (int n : {1, 8, 20, 8}) {
        click(w->picDisplay[size_t(n)]); // the second click on 8 takes its dinosaur away
    }
    EXPECT_EQ(heard(), QStringList(4, "boing.wav"));
    EXPECT_EQ(cellsOf(dinoColour(5)), 2);
    EXPECT_EQ(cell(8), CellColour);
    click(w->cmdDone);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    for (int n : {13, 14}) {
        click(w->picDisplay[size_t(n)]); // one too many
    }
    heard();
    click(w->cmdDone);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(w->picDisplay[14]);
    heard();
    fake.random.script({0.0, 0.0, 0.0}); // then one
    click(w->cmdDone);
    EXPECT_EQ(heard(), QStringList({"tada.wav", "N3.wav", "dinos.wav", "N1.wav", "dino.wav"}));
    EXPECT_EQ(filledCells(), 0);
    click(w->cmdScreen); // Correct Answer draws the one dinosaur
    EXPECT_EQ(heard().mid(0, 3), QStringList({"boing.wav", "N1.wav", "dino.wav"}));

    click(w->picDisplay[4]);
    click(w->cmdExit);
    expectNothingRunning();
}

TEST_F(CountingFun, MixAndCountPutsExactlyTheAnswerOfTheSampleKindInTheGrid) {
    open(1, 20);
    fake.random.seed(7);
    click(w->cmdChoice[5]);
    for (int question = 0; question < 40; ++question) {
        const int asked = cellsOf(sample());
        ASSERT_GE(asked, 1);
        ASSERT_LE(filledCells(), 20);
        heard();
        if (question % 2) {
            click(w->cmdClick[size_t(asked)]);
        } else {
            type(QString::number(asked));
        }
        ASSERT_TRUE(std::none_of(fake.sound.played.begin(), fake.sound.played.end(),
                                 [](const PlayedSound& p) { return p.name == "tada.wav" && p.mode != 0; }))
            << "the cheer is cut short by the next question";
        ASSERT_EQ(heard().mid(0, 2), QStringList({N(asked), "tada.wav"})) << question;
    }
    click(w->cmdExit);
    expectNothingRunning();
}

TEST_F(CountingFun, FillInBlanksTakesDigitsOneByOneAndStaysWithinItsRange) {
    open(1, 20);
    // Boxes 10 to 13 with the first one given.
    fake.random.script({0.0, 0.0, 0.0, 0.54, 0.0});
    click(w->cmdChoice[6]);
    const auto arrowOver = [&](int box) { return pointsAt(w->imgArrow, w->lblBlank[size_t(box)]); };
    const auto boxes = [&] { return texts(w->lblBlank); };
    EXPECT_EQ(boxes(), "10|||");
    EXPECT_TRUE(arrowOver(1));
    type("2");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    type("1");
    EXPECT_EQ(boxes(), "10|1||");
    type("1");
    EXPECT_TRUE(arrowOver(2));
    click(w->cmdScreen); // Correct Answer fills the box under the arrow
    EXPECT_EQ(boxes(), "10|11|12|");
    heard();
    type("13");
    EXPECT_EQ(heard().mid(0, 2), QStringList({"N13.wav", "tada.wav"}));

    // The runs reach the biggest number, and 1 to 4 when it is smaller.
    for (const auto& [biggest, draws, shown, typed, said] :
         {std::tuple{5, QList<double>{0.0, 0.0, 0.999, 0.999, 0.0}, "2|||", "345",
                     QStringList{"N3.wav", "N4.wav", "N5.wav", "tada.wav"}},
          std::tuple{1, QList<double>{0.0, 0.0, 0.0, 0.999, 0.999}, "|||4", "123",
                     QStringList{"N1.wav", "N2.wav", "N3.wav", "tada.wav"}}}) {
        click(w->cmdExit);
        settings().BiggestNumber = qint16(biggest);
        fake.random.script(draws);
        click(w->cmdChoice[6]);
        EXPECT_EQ(boxes(), shown);
        heard();
        type(typed);
        EXPECT_EQ(heard(), said);
    }
    click(w->cmdExit);
    expectNothingRunning();
}

// Settings the file should not hold are taken as the nearest that makes sense, and the options window
// shows them so.
TEST_F(CountingFun, OptionsAndOddSettingsChooseTheItemsAndTheBiggestNumber) {
    open(7, 99);
    fake.random.script({0.0, 0.0, 0.9999});
    click(w->cmdChoice[3]);
    EXPECT_EQ(cellsOf(dinoColour(1)), 20);
    click(w->cmdExit);
    withModal<optCount>(w->cmdOptions, [](optCount& options) {
        click(options.optType[0]);
        for (int i = 0; i < 21; ++i) {
            QTest::mouseClick(options.SpinButton1->downButton(), Qt::LeftButton);
        }
        click(options.cmdOK);
    });
    EXPECT_EQ(settings().CountItems, 0);
    EXPECT_EQ(settings().BiggestNumber, 1);
    // One shape now, not a dinosaur: a square whose colour comes out light cyan, which would hardly show
    // on the cells, and is drawn again as light blue.
    fake.random.script({0.0, 0.34, 0.0, 0.9999});
    click(w->cmdChoice[3]);
    EXPECT_EQ(filledCells(), 1);
    EXPECT_EQ(cell(1), QBColor(9));
    EXPECT_EQ(cell(1, 0.5, 0.02), CellColour); // the square leaves a margin of the cell
    heard();
    type("1");
    EXPECT_EQ(heard().mid(0, 3), QStringList({"N1.wav", "shape.wav", "tada.wav"}));
}
