// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Practice Math Facts with its score, Review Math Facts with its table, and settings out of range.

#include "MathFixture.h"
#include "platform/HelpWindow.h"
#include "platform/Services.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

using MathPractice = MathFixture;
using MathReview = MathFixture;
using NibsyMath = MathFixture;

namespace {

// A fake clock that notes what the answer box shows whenever the activity waits.
class WatchingClock : public FakeClock {
public:
    void wait(qint64 ms) override {
        if (ms > 0 && box) {
            seen.append({ms, box->text()});
        }
        FakeClock::wait(ms);
    }
    QLineEdit* box = nullptr;
    QList<QPair<qint64, QString>> seen;
};

} // namespace

TEST_F(MathPractice, ScoresTenAtFirstTryFiveAtSecondAndShowsTheAnswerAfterTwoMisses) {
    open([](Settings& s) { s.MathFactor = 3; });
    auto clock = std::make_unique<WatchingClock>();
    WatchingClock& watch = *clock;
    services().clock = std::move(clock);
    watch.box = w->txtAnswer;
    fake.sound.lengthMs = 0;

    fake.random.script({0.1, 0.5, 0.0, 0.9}); // the problems 1, 5, 0 and 9 + 3
    click(w->cmdChoice[3]);
    EXPECT_EQ(w->lblScoreN->text() + " " + w->lblProblem->text(), "0 1 + 3 =");
    answer(w->txtAnswer, "4");
    EXPECT_EQ(w->lblScoreN->text(), "100");
    answer(w->txtAnswer, "7");
    EXPECT_EQ(w->txtAnswer->text() + w->lblProblem->text(), "5 + 3 ="); // emptied for a second try
    answer(w->txtAnswer, "8");
    EXPECT_EQ(w->lblScoreN->text(), "75");
    EXPECT_EQ(w->pnlScore->floodPercent(), 75);
    answer(w->txtAnswer, "1");
    answer(w->txtAnswer, "2");
    EXPECT_EQ(watch.seen, (QList<QPair<qint64, QString>>{{2000, "3"}})); // the answer, for 2 seconds
    EXPECT_EQ(w->lblScoreN->text() + " " + w->lblProblem->text(), "50 9 + 3 =");
    answer(w->txtAnswer, "12");
    EXPECT_EQ(w->lblScoreN->text(), "63"); // 25 points over 4 problems: 62.5 rounds up
    EXPECT_EQ(fake.sound.names(),
              (QStringList{"tada.wav", "uhoh.wav", "tada.wav", "uhoh.wav", "uhoh.wav", "tada.wav"}));
}

TEST_F(MathPractice, EmptyBoxAnswersZeroAndChangesGiveANewProblemAtNoCost) {
    open([](Settings& s) {
        s.MathProblemType = 1;
        s.MathFactor = 2;
    });
    fake.random.script({0.0, 0.4, 0.3, 0.1, 0.9, 0.5, 0.25});
    click(w->cmdChoice[3]);
    EXPECT_EQ(w->lblProblem->text(), "2 - 2 =");
    QTest::keyClick(w->txtAnswer, Qt::Key_Return);
    EXPECT_EQ(w->lblProblem->text(), "6 - 2 =");
    QTest::keyClick(w->txtAnswer, Qt::Key_Enter); // 0 is wrong here
    EXPECT_EQ(fake.sound.names(), (QStringList{"tada.wav", "uhoh.wav"}));

    click(w->optType[0]); // after a miss, given up
    EXPECT_EQ(w->lblProblem->text(), "3 + 2 =");
    answer(w->txtAnswer, "5");
    EXPECT_EQ(w->lblScoreN->text(), "100"); // 20 points over 2 problems
    click(w->optFactor[6]);
    EXPECT_EQ(settings().MathFactor, 5);
    EXPECT_EQ(w->lblProblem->text(), "9 + 5 =");
    click(w->optFactor[0]); // Random draws the factor after the other number
    EXPECT_EQ(w->lblProblem->text(), "5 + 2 =");
    EXPECT_EQ(settings().MathFactor, -1);

    fake.sound.clear();
    QTest::keyClicks(w->txtAnswer, "1a2");
    QTest::keyClick(w->txtAnswer, Qt::Key_Backspace);
    EXPECT_EQ(w->txtAnswer->text(), "1");
    EXPECT_EQ(fake.sound.beeps, 1);
}

TEST_F(MathPractice, TheAnswerBoxTakesDigitsOnlyAndTabMovesOn) {
    open();
    click(w->cmdChoice[3]);
    for (const auto& [key, text] : {std::pair{Qt::Key_1, u"1"},
                                    {Qt::Key_Eacute, u"\u00e9"},
                                    {Qt::Key_2, u"2"},
                                    {Qt::Key_Udiaeresis, u"\u00fc"}}) {
        QTest::sendKeyEvent(QTest::Click, w->txtAnswer, key, QString::fromUtf16(text), Qt::NoModifier);
    }
    EXPECT_EQ(w->txtAnswer->text(), "12");
    EXPECT_EQ(fake.sound.beeps, 2);
    for (const auto& [pasted, shown] : {std::pair{"3x", "12"}, {"\u00e9", "12"}, {"34", "1234"}}) {
        QApplication::clipboard()->setText(QString::fromUtf8(pasted));
        w->txtAnswer->paste();
        EXPECT_EQ(w->txtAnswer->text(), shown) << pasted;
    }
    QTest::keyClick(w->txtAnswer, Qt::Key_Tab);
    EXPECT_FALSE(w->txtAnswer->hasFocus());
    EXPECT_EQ(fake.sound.beeps, 2);
    EXPECT_TRUE(fake.sound.played.isEmpty());
}

TEST_F(MathReview, FactTableFollowsTypeAndFactorAndRandomGivesWayToZero) {
    open([](Settings& s) { s.MathFactor = -1; });
    click(w->cmdChoice[1]);
    click(w->cmdAnswer); // a tutor problem left waiting must not lock the choices nor take keys
    click(w->cmdExit);
    click(w->cmdChoice[2]);
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_TRUE(w->optFactor[1]->isChecked());
    EXPECT_FALSE(w->optFactor[0]->isEnabled());
    const auto fact = [&](int i) { return w->lblFactor[size_t(i)]->text(); };
    EXPECT_EQ(QStringList({fact(0), fact(1), fact(3)}), (QStringList{"0+0=0", "1+0=1", "3+0=3"}));
    click(w->optFactor[5]);
    EXPECT_EQ(fact(3) + " " + fact(10), "3+4=7 10+4=14");
    click(w->optType[1]);
    EXPECT_EQ(fact(0) + " " + fact(10), "4-4=0 14-4=10");
    fake.sound.clear();
    QTest::keyClick(w, Qt::Key_7);
    EXPECT_TRUE(fake.sound.played.isEmpty());
    EXPECT_EQ(fake.sound.beeps, 0);

    click(w->cmdExit);
    EXPECT_TRUE(w->optFactor[0]->isEnabled());
    exitToMenu();
}

TEST_F(NibsyMath, SettingsOutOfRangeAreBroughtIntoRange) {
    open([](Settings& s) {
        s.MathFactor = 42;
        s.MathProblemType = 2;
        s.MathNumberSize = 9;
    });
    EXPECT_TRUE(w->optFactor[11]->isChecked() && w->optType[0]->isChecked() && w->optSize[1]->isChecked());
    fake.random.script({0.0});
    click(w->cmdChoice[3]);
    EXPECT_EQ(w->lblProblem->text(), "0 + 10 =");
    click(w->cmdExit);

    settings().MathProblemType = 7;
    settings().MathNumberSize = -2;
    click(w->cmdChoice[1]);
    for (int i = 0; i < 50; ++i) {
        click(w->cmdAnswer);
        click(w->cmdAnswer);
        ASSERT_EQ(w->lblTutor[0]->text(), "+");
        ASSERT_LE(number(w->lblTutor[3]), 20);
    }
}

// What the help's first paragraph names in bold is on the first screen; what a list item names is on
// the window once that item's mode has started (and its own button been clicked once).
TEST_F(NibsyMath, HelpNamesEachChoiceWhereTheChildFindsIt) {
    QFile file(builtAppDir() + "/nibsy.hlp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString topic =
        HelpFile::section(QString::fromUtf8(file.readAll()), HelpFile::topicId(3)).value_or("");
    const auto bolds = [](const QString& html) {
        QStringList names;
        static const QRegularExpression bold("<b>(.*?)</b>", QRegularExpression::DotMatchesEverythingOption);
        for (auto it = bold.globalMatch(html); it.hasNext();) {
            names << it.next().captured(1).simplified();
        }
        return names;
    };
    const auto shown = [this] {
        QStringList captions;
        for (auto* b : w->findChildren<QAbstractButton*>()) {
            if (b->isVisible()) {
                captions << b->text().remove('&');
            }
        }
        for (auto* g : w->findChildren<QGroupBox*>()) {
            if (g->isVisible()) {
                captions << g->title();
            }
        }
        return captions;
    };
    open();
    const int list = topic.indexOf("<ul>");
    ASSERT_GT(list, 0);
    for (const QString& name : bolds(topic.left(list))) {
        EXPECT_TRUE(shown().contains(name)) << name.toStdString() << " is not on the first screen";
    }
    static const QRegularExpression item("<li>(.*?)</li>", QRegularExpression::DotMatchesEverythingOption);
    for (auto it = item.globalMatch(topic.mid(list, topic.indexOf("</ul>") - list)); it.hasNext();) {
        const QStringList names = bolds(it.next().captured(1));
        ASSERT_FALSE(names.isEmpty());
        const int mode = int(std::find_if(w->cmdChoice.begin(), w->cmdChoice.end(),
                                          [&](SSCommand* b) { return b->text() == names[0]; }) -
                             w->cmdChoice.begin());
        ASSERT_LT(mode, 4) << names[0].toStdString();
        if (mode == 0) {
            continue; // the number scale has a topic of its own
        }
        click(w->cmdChoice[size_t(mode)]);
        QStringList captions = shown();
        if (w->cmdAnswer->isVisible()) {
            click(w->cmdAnswer);
            captions += shown();
        }
        for (const QString& name : names.mid(1)) {
            EXPECT_TRUE(captions.contains(name))
                << name.toStdString() << " is not in " << names[0].toStdString();
        }
        click(w->cmdExit);
    }
}
