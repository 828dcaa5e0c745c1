// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Nibsy Math's modes played from its choice screen: the tutor's counters answered digit by digit,
// practice with its score, and the fact table.

#include "MathFixture.h"
#include "shell/Palette.h"

#include <QApplication>
#include <QClipboard>

using namespace nibsy;
using namespace nibsy::test;

using NibsyMath = MathFixture;

namespace {

// The counters the child sees: cells of the five-by-five grid whose middle is not blank.
int countersShown(frmEMath& w) {
    int shown = 0;
    for (int cell = 0; cell < 25; ++cell) {
        const QPointF at =
            w.picTutor->toPixels((cell % 5 + 0.5) * w.shapeWidth(), (cell / 5 + 0.5) * w.shapeHeight());
        shown += w.picTutor->image().pixelColor(at.toPoint()) != QColor(Qt::white);
    }
    return shown;
}

// Whether the line between the two groups of counters shows.
bool lineShown(frmEMath& w) {
    return w.picTutor->grab().toImage().pixelColor(w.linTutor->geometry().center()) != QColor(Qt::white);
}

// The tutor's written problem as it reads: top, sign, bottom, "=", answer.
QString written(frmEMath& w) {
    QStringList out;
    for (int i : {1, 0, 2, 4, 3}) {
        out << w.lblTutor[size_t(i)]->text();
    }
    return out.join(u' ');
}

} // namespace

TEST_F(NibsyMath, TutorProblemsStayInRangeAndShowOneCounterPerUnit) {
    struct Case {
        int type, size, maxTop, maxResult;
    };
    for (const Case c : {Case{0, 0, 9, 9}, Case{0, 1, 10, 20}, Case{1, 0, 9, 9}, Case{1, 1, 20, 20}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", size " << c.size);
        open();
        click(w->cmdChoice[1]);
        click(w->optType[size_t(c.type)]);
        click(w->optSize[size_t(c.size)]);
        fake.random.seed(quint32(17 + c.type * 2 + c.size));
        int maxTop = 0, maxResult = 0;
        QSet<QRgb> colours;
        for (int i = 0; i < 300; ++i) {
            click(w->cmdAnswer); // the next problem
            const int top = number(w->lblTutor[1]), bottom = number(w->lblTutor[2]);
            const int shown = countersShown(*w);
            colours << w->picTutor->image().pixel(
                w->picTutor->toPixels(0.5 * w->shapeWidth(), 0.5 * w->shapeHeight()).toPoint());
            const QStringList sounds = heard();
            click(w->cmdAnswer); // see the answer
            const int result = number(w->lblTutor[3]);
            ASSERT_EQ(result, c.type == 0 ? top + bottom : top - bottom) << i;
            ASSERT_TRUE(bottom >= 0 && result >= 0 && top <= c.maxTop && result <= c.maxResult) << i;
            ASSERT_EQ(shown, result);
            ASSERT_EQ(sounds.count("boing.wav"), c.type == 0 ? result : top);
            ASSERT_EQ(sounds.count("zipecho.wav"), c.type == 0 ? 0 : bottom);
            maxTop = std::max(maxTop, top);
            maxResult = std::max(maxResult, result);
        }
        EXPECT_EQ(lineShown(*w), c.type == 0); // between the two groups of an addition
        EXPECT_EQ(maxTop, c.maxTop);
        EXPECT_TRUE(c.type == 1 || maxResult == c.maxResult); // sums reach the largest
        // Counters come in red, light cyan, light green and yellow (a cell left empty is white).
        colours -= QColor(Qt::white).rgb();
        EXPECT_EQ(colours,
                  (QSet<QRgb>{QBColor(12).rgb(), QBColor(11).rgb(), QBColor(10).rgb(), QBColor(14).rgb()}));
    }
}

TEST_F(NibsyMath, TutorSubtractionDrawsThenTakesAwayAndIsAnsweredDigitByDigit) {
    open();
    click(w->cmdChoice[1]);
    click(w->optType[1]);
    fake.random.script({0.87, 0.38, 0.1, 0.6}); // 18 - 7, light green boxes
    click(w->cmdAnswer);
    EXPECT_EQ(heard(), QStringList(18, "boing.wav") + QStringList(7, "zipecho.wav"));
    EXPECT_EQ(written(*w), "18 - 7 = ??");
    EXPECT_FALSE(w->Frame1->isEnabled() || w->Frame2->isEnabled());
    EXPECT_EQ(countersShown(*w), 11);
    const QPoint tenth = w->picTutor->toPixels(4.5 * w->shapeWidth(), 1.5 * w->shapeHeight()).toPoint();
    EXPECT_EQ(w->picTutor->image().pixelColor(tenth), QColor(0, 255, 0));
    EXPECT_LT(tenth.x(), w->lblTutor[0]->x()); // the fifth of a row stands clear of the written sum

    for (const auto& [key, shown] : {std::pair{Qt::Key_X, "??"}, {Qt::Key_1, "1?"}, {Qt::Key_2, "1?"}}) {
        QTest::keyClick(w, key);
        EXPECT_EQ(w->lblTutor[3]->text(), shown);
    }
    EXPECT_EQ(fake.sound.beeps, 1);
    QTest::keyClick(w, Qt::Key_1);
    EXPECT_EQ(written(*w), "18 - 7 = 11");
    EXPECT_EQ(heard(), (QStringList{"uhoh.wav", "tada.wav"}));
    EXPECT_EQ(w->cmdAnswer->text(), "&Next Problem");
    EXPECT_TRUE(w->Frame1->isEnabled() && w->Frame2->isEnabled());
    QTest::keyClick(w, Qt::Key_1); // answered: keys do nothing
    EXPECT_EQ(heard(), QStringList());

    // Choosing addition after the answer, then showing the window again, repaints the same sum silently.
    click(w->optType[0]);
    const QImage before = w->picTutor->image().copy();
    w->picTutor->Cls();
    w->hide();
    w->show();
    EXPECT_EQ(heard(), QStringList());
    EXPECT_EQ(w->picTutor->image(), before);
}

TEST_F(NibsyMath, PracticeScoresTenAtFirstTryFiveAtSecondAndAChangeGivesANewProblemAtNoCost) {
    settings().MathFactor = 3;
    open();
    QList<QPair<qint64, QString>> seen; // what the box shows while the window waits
    auto* clock = &PeekingClock::install();
    clock->peek = [&](qint64 ms) {
        if (ms > 0) {
            seen.append({ms, w->txtAnswer->text()});
        }
    };
    fake.sound.lengthMs = 0;
    const auto shown = [&] { return w->lblScoreN->text() + " " + w->lblProblem->text(); };

    // The problems 1, 5, 0, 9 and 0 + 3; then 3 - 3, 7 - 3, 14 - 5, 3 + 5, 0 + 5, and 5 + 2 with Random.
    fake.random.script({0.1, 0.5, 0.0, 0.9, 0.0, 0.0, 0.4, 0.9, 0.3, 0.0, 0.5, 0.25});
    click(w->cmdChoice[3]);
    EXPECT_EQ(shown(), "0 1 + 3 =");
    EXPECT_TRUE(w->txtAnswer->hasFocus());
    answer(w->txtAnswer, "4");
    EXPECT_EQ(w->lblScoreN->text(), "100");
    answer(w->txtAnswer, "7");
    EXPECT_EQ(w->txtAnswer->text() + w->lblProblem->text(), "5 + 3 ="); // emptied for a second try
    answer(w->txtAnswer, "8");
    EXPECT_EQ(w->lblScoreN->text(), "75");
    EXPECT_EQ(w->pnlScore->floodPercent(), 75);
    answer(w->txtAnswer, "1");
    answer(w->txtAnswer, "2");
    EXPECT_EQ(seen, (QList<QPair<qint64, QString>>{{2000, "3"}})); // the answer, for 2 seconds
    EXPECT_EQ(shown(), "50 9 + 3 =");
    answer(w->txtAnswer, "12");
    EXPECT_EQ(w->lblScoreN->text(), "63"); // 25 points over 4 problems: 62.5 rounds up

    click(w->optType[1]);
    EXPECT_EQ(w->lblProblem->text(), "3 - 3 =");
    QTest::keyClick(w->txtAnswer, Qt::Key_Return); // an empty box answers 0
    EXPECT_EQ(shown(), "70 7 - 3 =");
    QTest::keyClick(w->txtAnswer, Qt::Key_Enter);
    click(w->optFactor[6]); // after a miss, given up
    EXPECT_EQ(settings().MathFactor, 5);
    EXPECT_EQ(w->lblProblem->text(), "14 - 5 =");
    click(w->optType[0]);
    EXPECT_EQ(w->lblProblem->text(), "3 + 5 =");
    answer(w->txtAnswer, "8");
    EXPECT_EQ(w->lblScoreN->text(), "75"); // 45 points over 6 problems
    click(w->optFactor[0]);                // Random draws the factor after the other number
    EXPECT_EQ(w->lblProblem->text(), "5 + 2 =");
    EXPECT_EQ(settings().MathFactor, -1);
    EXPECT_EQ(heard(), (QStringList{"tada.wav", "uhoh.wav", "tada.wav", "uhoh.wav", "uhoh.wav", "tada.wav",
                                    "tada.wav", "uhoh.wav", "tada.wav"}));

    // Letters are refused with a beep, typed or pasted; backspace edits.
    test::type(w->txtAnswer, "1a2\b");
    QApplication::clipboard()->setText("3x");
    w->txtAnswer->paste();
    EXPECT_EQ(w->txtAnswer->text(), "1");
    EXPECT_EQ(fake.sound.beeps, 1);
    EXPECT_EQ(heard(), QStringList());
}

TEST_F(NibsyMath, TheFactTableFollowsTypeAndFactorAndATutorProblemLeftWaitingLocksNothing) {
    settings().MathFactor = -1;
    settings().MathProblemType = 2; // out of range: addition
    settings().MathNumberSize = -9; // out of range: large
    open();
    EXPECT_TRUE(w->optType[0]->isChecked() && w->optSize[1]->isChecked());
    click(w->cmdChoice[1]);
    click(w->cmdAnswer);
    click(w->cmdExit);
    click(w->cmdChoice[2]);
    EXPECT_EQ(w->lbltitle->text(), "Review Math Facts");
    EXPECT_TRUE(w->optFactor[1]->isChecked()); // Random gives way to 0
    EXPECT_FALSE(w->optFactor[0]->isEnabled());
    const auto fact = [&](int i) { return w->lblFactor[size_t(i)]->text(); };
    EXPECT_EQ(QStringList({fact(0), fact(1), fact(3)}), (QStringList{"0+0=0", "1+0=1", "3+0=3"}));
    click(w->optFactor[5]);
    EXPECT_EQ(fact(3) + " " + fact(10), "3+4=7 10+4=14");
    click(w->optType[1]);
    EXPECT_EQ(fact(0) + " " + fact(10), "4-4=0 14-4=10");

    click(w->cmdExit);
    EXPECT_TRUE(w->optFactor[0]->isEnabled());
    EXPECT_EQ(w->lbltitle->text(), "Nibsy Math");
    // The tutor opens afresh: no problem, the choices free, Next Problem ready for Enter.
    click(w->cmdChoice[1]);
    EXPECT_TRUE(w->cmdAnswer->hasFocus());
    EXPECT_EQ(written(*w), QString(4, u' '));
    EXPECT_EQ(w->cmdAnswer->text(), "&Next Problem");
    EXPECT_TRUE(w->Frame1->isEnabled() && w->Frame2->isEnabled());
}
