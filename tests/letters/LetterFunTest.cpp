// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/frmLet.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/WindowTimer.h"
#include "support/WindowFixture.h"

#include <QGroupBox>
#include <QRadioButton>

using namespace nibsy;
using namespace nibsy::test;

namespace {

const char* const Words[] = {"APPLE",  "BALL",  "CAT",       "DOG",     "ELEPHANT", "FISH",   "GRAPES",
                             "HOUSE",  "IGLOO", "JET",       "KITE",    "LEMON",    "MONKEY", "NEST",
                             "ORANGE", "PIANO", "QUARTER",   "RACCOON", "SUN",      "TREE",   "UMBRELLA",
                             "VIOLIN", "WAGON", "XYLOPHONE", "YOYO",    "ZEBRA"};

QString wordOf(int letter) {
    return QString::fromLatin1(Words[letter - 1]);
}

// The letter's name and its word, as said together.
QStringList said(int letter) {
    return {QChar(64 + letter) + QStringLiteral(".wav"),
            letter == 24 ? QStringLiteral("xylo.wav") : wordOf(letter) + ".wav"};
}

// The value that makes Int(Rnd * n) + 1 come out as k.
double pick(int k, int n) {
    return (k - 0.5) / n;
}

class LetterFun : public WindowFixture<frmLet> {
protected:
    void SetUp() override {
        settings() = Settings{};
        // Each letter's picture is a plain colour whose red part tells the letter.
        for (int i = 1; i <= 26; ++i) {
            savePicture(i == 24 ? QStringLiteral("xylo.bmp") : wordOf(i) + ".wmf", QColor(i * 9, 40, 200));
        }
    }
    void start(int mode) { click(w->cmdChoice[size_t(mode - 1)]); }
    // The letter (1 to 26) whose picture a picture place shows; 0 when it shows none.
    int pictureIn(int place) const {
        const QColor c = colourAt(w->imgDisplay[size_t(place)]);
        return c.green() == 40 ? c.red() / 9 : 0;
    }
    // The letter (1 to 26) of a one-letter text in either case.
    static int letterOf(const QString& text) {
        return text.isEmpty() ? 0 : text.at(0).toUpper().unicode() - 64;
    }
    bool onChoiceScreen() const {
        return w->fraChoices->isVisible() && w->cmdExit->text() == "E&xit" && !w->Timer1->isEnabled() &&
               !w->cmdScreen->isVisible() && !w->fraClick->isVisible() && !w->imgArrow->isVisible() &&
               !w->imgDisplay[2]->isVisible() && !w->lblBlank[0]->isVisible() &&
               !w->lblDisplay[2]->isVisible() && w->lblTitle->text().isEmpty() &&
               w->lblWord->text().isEmpty();
    }
};

} // namespace

// Letters and words show in the case chosen on the choice screen; a value the file should not hold shows
// lower case and stays until the child chooses.
TEST_F(LetterFun, LearnLettersAndPressALetterShowAndSayTheLettersInTheCaseChosen) {
    settings().LetterCase = 5;
    open();
    EXPECT_TRUE(onChoiceScreen());
    EXPECT_TRUE(w->optType[0]->isChecked());
    expectSilence("ab1 "); // keys belong to the controls here
    start(2);
    for (int i = 1; i <= 26; ++i) {
        EXPECT_EQ(heard(), said(i));
        EXPECT_EQ(pictureIn(2), i);
        EXPECT_EQ(w->lblLetter->text() + " " + w->lblWord->text(),
                  QChar(96 + i) + (" " + wordOf(i).toLower()));
        click(w->cmdScreen);
    }
    EXPECT_TRUE(onChoiceScreen()); // past Z
    EXPECT_EQ(settings().LetterCase, 5);
    click(w->optType[1]);
    EXPECT_EQ(settings().LetterCase, 1);

    start(3);
    EXPECT_FALSE(w->cmdScreen->isVisible());
    EXPECT_EQ(w->cmdClick[25]->text(), "Z");
    type("q");
    EXPECT_EQ(heard(), said(17));
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "QUARTER Q");
    EXPECT_EQ(pictureIn(2), 17);
    click(w->cmdClick[23]);
    EXPECT_EQ(heard(), said(24));
    EXPECT_EQ(pictureIn(2), 24);
    EXPECT_EQ(QApplication::focusWidget(), w.data());
    type("7");
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(LetterFun, SongSingsAToZAtItsPaceAndEndsByItself) {
    open();
    start(1);
    for (int i = 1; i <= 26; ++i) {
        const qint64 waited = fake.clock.totalWaited();
        fake.clock.advance(299);
        ASSERT_TRUE(heard().isEmpty()) << i; // the next line starts one interval after the last ends
        fake.clock.advance(1);
        EXPECT_EQ(heard(), QStringList{QChar(64 + i) + QString("sing.wav")});
        if (i < 26) {
            EXPECT_EQ(pictureIn(2), i);
            EXPECT_EQ(w->lblLetter->text(), QString(QChar(96 + i)));
            EXPECT_FALSE(w->fraChoices->isVisible());
        } else {
            EXPECT_EQ(fake.clock.totalWaited() - waited, fake.sound.lengthMs + 1000); // Z, then a second
            EXPECT_TRUE(onChoiceScreen());
        }
    }
    expectSilence({});
}

TEST_F(LetterFun, WhatLetterTakesEitherCaseAndAnswersWithoutTada) {
    open();
    fake.random.script({0.0, 0.0, 0.0, pick(3, 26)});
    start(4);
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "-pple ?");
    EXPECT_EQ(pictureIn(2), 1);
    click(w->imgDisplay[2]); // a picture answers only What Picture?
    type("p");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    for (const QString key : {"a", "A"}) {
        type(key);
        EXPECT_EQ(heard(), QStringList{"tada.wav"} + said(1));
        EXPECT_EQ(w->lblWord->text(), "-pple"); // the next question
    }
    click(w->cmdScreen);
    EXPECT_EQ(heard(), said(1));
    EXPECT_EQ(w->lblWord->text(), "-at");
    EXPECT_EQ(pictureIn(2), 3);
}

// What Picture? and Lower/Upper Case are answered by a click on one of three different choices; Correct
// Answer brings no cheer.
TEST_F(LetterFun, ClickingQuizzesOfferThreeChoicesAndLeaveTheRightOneInTheMiddle) {
    open();
    for (const int mode : {5, 9}) {
        SCOPED_TRACE(mode);
        const auto place = [&](int k) -> QWidget* {
            return mode == 5 ? static_cast<QWidget*>(w->imgDisplay[size_t(k)]) : w->lblDisplay[size_t(k)];
        };
        const auto choice = [&](int k) {
            return mode == 5 ? pictureIn(k) : letterOf(w->lblDisplay[size_t(k)]->text());
        };
        start(mode);
        EXPECT_EQ(w->lblLetter->isVisible(), mode == 9);
        int target = 0, right = 0;
        for (int q = 0; q < 30; ++q) {
            target = letterOf(w->lblWord->text());
            const int a = choice(1), b = choice(2), c = choice(3);
            ASSERT_TRUE(a && b && c && a != b && b != c && a != c) << a << " " << b << " " << c;
            right = a == target ? 1 : b == target ? 2 : c == target ? 3 : 0;
            ASSERT_NE(right, 0);
            if (q < 29) {
                click(w->cmdScreen);
            }
        }
        EXPECT_TRUE(w->lblWord->text()[0].isLower());
        if (mode == 9) {
            EXPECT_TRUE(w->lblDisplay[1]->text()[0].isUpper());
            expectSilence("abc"); // this mode takes no letters
        }
        heard();
        click(place(right % 3 + 1));
        EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
        click(place(right));
        const QStringList letter{QChar(64 + target) + QStringLiteral(".wav")};
        EXPECT_EQ(heard(), QStringList{"tada.wav"} + (mode == 5 ? said(target) : letter));

        click(w->cmdScreen); // Correct Answer: no cheer
        EXPECT_FALSE(heard().contains("tada.wav"));
        click(w->cmdExit);
    }
}

TEST_F(LetterFun, MissingLetterIsAnyButTheFirst) {
    open();
    fake.random.script({pick(10, 26), 0.0, pick(10, 26), 0.99});
    start(6);
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "j-t j");
    type("t");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    type("E");
    EXPECT_EQ(heard(), QStringList({"E.wav", "tada.wav"}) + said(10));
    EXPECT_EQ(w->lblWord->text(), "je-");
    click(w->cmdScreen);
    EXPECT_EQ(heard(), QStringList{"T.wav"} + said(10));
}

TEST_F(LetterFun, SpellTheWordLetterByLetterAndCorrectAnswerSpellsItToTheEnd) {
    open();
    fake.random.script({pick(25, 26), pick(25, 26)});
    start(7);
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "---- y");
    EXPECT_EQ(pictureIn(2), 25);
    type("yox");
    EXPECT_EQ(heard(), (QStringList{"Y.wav", "O.wav", "uhoh.wav"}));
    type("Y");
    EXPECT_EQ(w->lblWord->text(), "yoy-");
    type("O");
    EXPECT_EQ(heard(), QStringList({"Y.wav", "O.wav", "tada.wav"}) + said(25));

    // Asking for the answer spells the word one letter a click, then says it without "tada".
    EXPECT_EQ(w->lblWord->text(), "----");
    for (int i = 0; i < 3; ++i) {
        click(w->cmdScreen);
    }
    EXPECT_EQ(w->lblWord->text(), "yoy-");
    fake.random.script({pick(2, 26)});
    click(w->cmdScreen); // the last letter, the word said, and the next word
    EXPECT_EQ(heard(), QStringList({"Y.wav", "O.wav", "Y.wav", "O.wav"}) + said(25));
    EXPECT_EQ(w->lblWord->text(), "----"); // BALL
    EXPECT_EQ(pictureIn(2), 2);
}

TEST_F(LetterFun, FillInBlanksRunsNeverPassZ) {
    open();
    // Either way of choosing the run can give W X Y Z, and A B C D.
    fake.random.script({0.0, 0.999, 0.0});
    start(8);
    auto boxes = [&] { return texts(w->lblBlank); };
    auto arrowOver = [&](int box) { return pointsAt(w->imgArrow, w->lblBlank[size_t(box)]); };
    EXPECT_EQ(boxes(), "w|||");
    EXPECT_TRUE(arrowOver(1));
    type("y");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    type("X");
    EXPECT_EQ(boxes(), "w|x||");
    EXPECT_TRUE(arrowOver(2));
    fake.random.script({0.9, 0.999, 0.99});
    type("yz");
    EXPECT_EQ(heard(), (QStringList{"X.wav", "Y.wav", "Z.wav", "tada.wav"}));
    EXPECT_EQ(boxes(), "|||z");
    EXPECT_TRUE(arrowOver(0));
    fake.random.script({0.6, 0.0, 0.5});
    click(w->cmdScreen);
    click(w->cmdScreen);
    EXPECT_EQ(boxes(), "w|x||z");
    click(w->cmdScreen);
    EXPECT_EQ(heard(), (QStringList{"W.wav", "X.wav", "Y.wav"}));
    EXPECT_EQ(boxes(), "||c|");
    EXPECT_TRUE(arrowOver(0));
}

TEST_F(LetterFun, StopInAnyModeLeavesNothingRunning) {
    open();
    for (int mode = 1; mode <= 9; ++mode) {
        start(mode);
        fake.clock.advance(300);
        type("b");
        ASSERT_EQ(w->cmdExit->text(), "&Stop") << mode;
        click(w->cmdExit);
        EXPECT_TRUE(onChoiceScreen()) << mode;
        expectSilence("bq9");
    }
}
