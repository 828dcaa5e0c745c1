// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "letters/frmLet.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/WindowTimer.h"
#include "support/WindowFixture.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <functional>

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

// Passes every sound on to the fake and lets the test look at the window as each one starts.
class SoundWatch : public SoundPlayer {
public:
    SoundWatch(std::unique_ptr<SoundPlayer> inner, std::function<void(const QString&)> look)
        : m_inner(std::move(inner)), m_look(std::move(look)) {}
    void play(const QString& path, int mode) override {
        m_look(QFileInfo(path).fileName());
        m_inner->play(path, mode);
    }
    void stop() override { m_inner->stop(); }
    void beep() override { m_inner->beep(); }

private:
    std::unique_ptr<SoundPlayer> m_inner;
    std::function<void(const QString&)> m_look;
};

class LetterFun : public WindowFixture<frmLet> {
protected:
    void SetUp() override {
        settings() = Settings{};
        // Each letter's picture is a plain colour whose red part tells the letter.
        for (int i = 1; i <= 26; ++i) {
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(QColor(i * 9, 40, 200));
            const QString name = i == 24 ? QStringLiteral("xylo.bmp") : wordOf(i) + ".wmf";
            ASSERT_TRUE(image.save(fake.appDir() + name, "BMP"));
        }
    }
    void start(int mode) { click(w->cmdChoice[size_t(mode - 1)]); }
    // The letter (1 to 26) whose picture a picture place shows; 0 when it shows none.
    int pictureIn(int place) const {
        PictureBox* box = w->imgDisplay[size_t(place)];
        const QColor c = box->image().pixelColor(box->width() / 2, box->height() / 2);
        return c.green() == 40 ? c.red() / 9 : 0;
    }
    // The letter (1 to 26) of a one-letter text in either case.
    static int letterOf(const QString& text) {
        return text.isEmpty() ? 0 : text.at(0).toUpper().unicode() - 64;
    }
    void watchSounds(std::function<void(const QString&)> look) {
        services().sound = std::make_unique<SoundWatch>(std::move(services().sound), std::move(look));
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

TEST_F(LetterFun, OpensOnTheChoiceScreenAndTheCaseChoiceSetsTheLetters) {
    settings().LetterCase = 1;
    open();
    EXPECT_TRUE(onChoiceScreen());
    EXPECT_EQ(w->cmdChoice[8]->text(), "Lower/Upper Case");
    EXPECT_TRUE(w->optType[1]->isChecked());
    EXPECT_TRUE(fake.fatal.messages.isEmpty());
    expectSilence("ab1 "); // keys belong to the controls here

    start(2);
    EXPECT_EQ(w->lblLetter->text() + " " + w->lblWord->text(), "A APPLE");
    click(w->cmdExit);
    start(3);
    EXPECT_EQ(w->cmdClick[1]->text(), "B");
    click(w->cmdExit);
    click(w->optType[0]);
    EXPECT_EQ(settings().LetterCase, 0);
    start(2);
    EXPECT_EQ(w->lblLetter->text(), "a");
    click(w->cmdExit);

    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{1});
    exitToMenu();
}

TEST_F(LetterFun, SongSingsAToZAtItsPaceAndEndsByItself) {
    open();
    start(1);
    EXPECT_EQ(w->lblTitle->text(), "ABC Song");
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

TEST_F(LetterFun, LearnLettersWalksToZThenStops) {
    open();
    start(2);
    EXPECT_EQ(w->cmdScreen->text(), "&Next Letter");
    for (int i = 1; i <= 26; ++i) {
        EXPECT_EQ(heard(), said(i));
        EXPECT_EQ(pictureIn(2), i);
        EXPECT_EQ(w->lblWord->text(), wordOf(i).toLower());
        click(w->cmdScreen);
    }
    EXPECT_TRUE(onChoiceScreen());
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(LetterFun, PressALetterByKeyOrByButton) {
    open();
    start(3);
    EXPECT_FALSE(w->cmdScreen->isVisible());
    EXPECT_EQ(w->cmdClick[25]->text(), "z");
    EXPECT_EQ(w->cmdClick[24]->geometry().top(), w->cmdClick[25]->geometry().top());
    type("q");
    EXPECT_EQ(heard(), said(17));
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "quarter q");
    EXPECT_EQ(pictureIn(2), 17);
    click(w->cmdClick[23]);
    EXPECT_EQ(heard(), said(24));
    EXPECT_EQ(pictureIn(2), 24);
    EXPECT_EQ(QApplication::focusWidget(), w.data());
    type("7");
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(LetterFun, WhatLetterTakesEitherCaseAndAnswersWithoutTada) {
    open();
    QStringList wordsWhileTada;
    watchSounds([&](const QString& name) {
        if (name == "tada.wav") {
            wordsWhileTada << w->lblWord->text() + "/" + w->lblLetter->text();
        }
    });
    fake.random.script({0.0, 0.0, 0.0, pick(3, 26)});
    start(4);
    EXPECT_EQ(w->cmdScreen->text(), "Correct &Answer");
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "-pple ?");
    EXPECT_EQ(pictureIn(2), 1);
    type("p");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    for (const QString key : {"a", "A"}) {
        type(key);
        EXPECT_EQ(heard(), QStringList{"tada.wav"} + said(1));
        EXPECT_EQ(w->lblWord->text(), "-pple"); // the next question
    }
    EXPECT_EQ(wordsWhileTada, (QStringList{"apple/a", "apple/a"}));
    click(w->cmdScreen);
    EXPECT_EQ(heard(), said(1));
    EXPECT_EQ(w->lblWord->text(), "-at");
    EXPECT_EQ(pictureIn(2), 3);
    type("1");
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(LetterFun, WhatPictureShowsThreeDifferentPicturesAndMarksTheRightOne) {
    open();
    // A double-click on the mode button: the second click, landing on a picture, answers nothing.
    doubleClick(w->cmdChoice[4], w->imgDisplay[2]);
    EXPECT_EQ(heard(), QStringList());
    EXPECT_FALSE(w->lblLetter->isVisible());
    for (int q = 0; q < 30; ++q) {
        const int a = pictureIn(1), b = pictureIn(2), c = pictureIn(3);
        ASSERT_TRUE(a && b && c && a != b && b != c && a != c) << a << " " << b << " " << c;
        ASSERT_TRUE(QList<int>({a, b, c}).contains(letterOf(w->lblWord->text())));
        click(w->cmdScreen);
    }
    heard();

    const int target = letterOf(w->lblWord->text()), right = pictureIn(1) == target   ? 1
                                                             : pictureIn(2) == target ? 2
                                                                                      : 3;
    click(w->imgDisplay[size_t(right % 3 + 1)]);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(w->imgDisplay[size_t(right)]);
    EXPECT_EQ(heard(), QStringList{"tada.wav"} + said(target));

    // Asking for the answer marks the right picture alone in the middle, without "tada".
    QString seen;
    watchSounds([&](const QString&) {
        if (seen.isEmpty()) {
            const int shown = letterOf(w->lblLetter->text());
            seen = QString("%1 %2 %3 %4 %5")
                       .arg(w->imgDisplay[1]->isVisible())
                       .arg(w->imgDisplay[3]->isVisible())
                       .arg(w->Shape1[2]->isVisible())
                       .arg(pictureIn(2) == shown)
                       .arg(w->lblWord->text() == wordOf(shown).toLower());
        }
    });
    click(w->cmdScreen);
    EXPECT_EQ(seen, "0 0 1 1 1");
    EXPECT_FALSE(heard().contains("tada.wav"));
}

TEST_F(LetterFun, MissingLetterIsNeverTheFirst) {
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

    for (int q = 0; q < 200; ++q) {
        const QString shown = w->lblWord->text();
        const QString word = wordOf(pictureIn(2)).toLower();
        ASSERT_EQ(shown.size(), word.size());
        ASSERT_NE(shown[0], '-') << shown.toStdString();
        ASSERT_EQ(shown.count('-'), 1) << shown.toStdString();
        const int dash = int(shown.indexOf('-'));
        ASSERT_EQ(QString(shown).replace(dash, 1, word[dash]), word);
        click(w->cmdScreen);
    }
}

TEST_F(LetterFun, SpellTheWordLetterByLetterAndCorrectAnswerSpellsItToTheEnd) {
    open();
    QStringList progress;
    watchSounds([&](const QString& name) {
        if (name.size() == 5) { // a letter's name
            progress << w->lblWord->text();
        }
    });
    fake.random.script({pick(25, 26), pick(25, 26)});
    start(7);
    EXPECT_EQ(w->lblWord->text() + " " + w->lblLetter->text(), "---- y");
    EXPECT_EQ(pictureIn(2), 25);
    type("yox");
    EXPECT_EQ(heard(), (QStringList{"Y.wav", "O.wav", "uhoh.wav"}));
    type("YO");
    EXPECT_EQ(heard(), QStringList({"Y.wav", "O.wav", "tada.wav"}) + said(25));
    EXPECT_EQ(progress, (QStringList{"y---", "yo--", "yoy-", "yoyo", "yoyo"}));

    // Asking for the answer spells the word one letter a click, without "tada".
    EXPECT_EQ(w->lblWord->text(), "----");
    for (int i = 0; i < 3; ++i) {
        click(w->cmdScreen);
    }
    EXPECT_EQ(w->lblWord->text(), "yoy-");
    fake.random.script({pick(3, 26)});
    type("o");
    EXPECT_EQ(heard(), QStringList({"Y.wav", "O.wav", "Y.wav", "O.wav", "tada.wav"}) + said(25));
    EXPECT_EQ(pictureIn(2), 3);
    for (const char* shown : {"c--", "ca-"}) {
        click(w->cmdScreen);
        EXPECT_EQ(w->lblWord->text(), shown);
    }
    fake.random.script({pick(2, 26)});
    click(w->cmdScreen); // the last letter, the word said, and the next word
    EXPECT_EQ(heard(), QStringList({"C.wav", "A.wav", "T.wav"}) + said(3));
    EXPECT_EQ(w->lblWord->text(), "----");
    EXPECT_EQ(pictureIn(2), 2);
}

TEST_F(LetterFun, FillInBlanksRunsNeverPassZ) {
    open();
    // Either way of choosing the run can give W X Y Z, and A B C D.
    fake.random.script({0.0, 0.999, 0.0});
    start(8);
    auto boxes = [&] {
        QString s;
        for (QLabel* box : w->lblBlank) {
            s += box->text().isEmpty() ? QString("_") : box->text();
        }
        return s;
    };
    auto arrowOver = [&](int box) {
        return w->imgArrow->geometry().center().x() == w->lblBlank[size_t(box)]->geometry().center().x() &&
               w->imgArrow->geometry().bottom() < w->lblBlank[size_t(box)]->geometry().top();
    };
    EXPECT_EQ(boxes(), "w___");
    EXPECT_TRUE(arrowOver(1));
    type("y");
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    type("X");
    EXPECT_EQ(boxes(), "wx__");
    EXPECT_TRUE(arrowOver(2));
    fake.random.script({0.9, 0.999, 0.99});
    type("yz");
    EXPECT_EQ(heard(), (QStringList{"X.wav", "Y.wav", "Z.wav", "tada.wav"}));
    EXPECT_EQ(boxes(), "___z");
    EXPECT_TRUE(arrowOver(0));
    fake.random.script({0.6, 0.0, 0.5});
    click(w->cmdScreen);
    click(w->cmdScreen);
    EXPECT_EQ(boxes(), "wx_z");
    click(w->cmdScreen);
    EXPECT_EQ(heard(), (QStringList{"W.wav", "X.wav", "Y.wav"}));
    EXPECT_EQ(boxes(), "__c_");
    EXPECT_TRUE(arrowOver(0));

    fake.random.seed(7);
    for (int q = 0; q < 300; ++q) {
        const QString shown = boxes();
        const int given = int(shown.indexOf(QRegularExpression("[a-z]")));
        ASSERT_GE(given, 0);
        ASSERT_GE(shown[given].unicode() - given, 'a') << shown.toStdString();
        ASSERT_LE(shown[given].unicode() + 3 - given, 'z') << shown.toStdString();
        for (int i = 0; i < 3; ++i) {
            click(w->cmdScreen);
        }
    }
}

TEST_F(LetterFun, LowerUpperCaseIsAnsweredByClickingTheLetter) {
    open();
    start(9);
    const QString target = w->lblWord->text();
    ASSERT_EQ(target.size(), 1);
    EXPECT_TRUE(target[0].isLower());
    int right = 0;
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(w->lblDisplay[size_t(k)]->text()[0].isUpper());
        right = w->lblDisplay[size_t(k)]->text() == target.toUpper() ? k : right;
    }
    ASSERT_NE(right, 0);
    expectSilence("abc"); // this mode takes no letters
    click(w->lblDisplay[size_t(right % 3 + 1)]);
    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
    click(w->lblDisplay[size_t(right)]);
    EXPECT_EQ(heard(), (QStringList{"tada.wav", target.toUpper() + ".wav"}));

    QString seen;
    watchSounds([&](const QString&) {
        seen = QString("%1 %2 %3 %4")
                   .arg(w->lblDisplay[1]->isVisible())
                   .arg(w->lblDisplay[3]->isVisible())
                   .arg(w->lblDisplay[2]->text(), w->lblLetter->text());
    });
    const QString next = w->lblWord->text();
    click(w->cmdScreen);
    EXPECT_EQ(seen, QString("0 0 %1 %2").arg(next.toUpper(), next));
    EXPECT_EQ(heard(), QStringList{next.toUpper() + ".wav"});
}

TEST_F(LetterFun, StopInAnyModeLeavesNothingRunningAndClicksCountOnlyInTheirMode) {
    open();
    for (int mode = 1; mode <= 9; ++mode) {
        start(mode);
        if (mode == 6) {
            EXPECT_TRUE(w->lblLetter->isVisible()); // What Picture? hid it
        }
        fake.clock.advance(300);
        type("b");
        if (w->cmdScreen->isVisible()) {
            click(w->cmdScreen);
        }
        heard();
        if (mode != 5) {
            click(w->imgDisplay[2]);
            w->imgDisplay_Click(1);
        }
        if (mode != 9) {
            w->lblDisplay_Click(1);
        }
        EXPECT_TRUE(heard().isEmpty()) << mode;
        ASSERT_EQ(w->cmdExit->text(), "&Stop") << mode;
        click(w->cmdExit);
        EXPECT_TRUE(onChoiceScreen()) << mode;
        expectSilence("bq9");
    }
    EXPECT_EQ(fake.sound.beeps, 0);
    exitToMenu();
}

TEST_F(LetterFun, LetterCaseOutOfRangeShowsLowerCase) {
    for (qint16 value : {qint16(5), qint16(-1), qint16(32767)}) {
        settings().LetterCase = value;
        open();
        EXPECT_TRUE(w->optType[0]->isChecked());
        start(2);
        EXPECT_EQ(w->lblLetter->text() + " " + w->lblWord->text(), "a apple");
        click(w->cmdExit);
        fake.random.script({pick(2, 26)});
        start(4);
        EXPECT_EQ(w->lblWord->text(), "-all");
        click(w->cmdExit);
        EXPECT_EQ(settings().LetterCase, value); // kept as it was until the child chooses
        delete w.data();
    }
}
