// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Math Tutor: problems drawn as counters, answered digit by digit.

#include "MathFixture.h"

#include <QFrame>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// The counters the child sees: cells of the five-by-five grid whose middle is not blank.
int countersShown(frmEMath& w) {
    int shown = 0;
    for (int cell = 0; cell < 25; ++cell) {
        const QPointF at =
            w.picTutor->toPixels((cell % 5 + 0.5) * w.ShapeWidth, (cell / 5 + 0.5) * w.ShapeHeight);
        shown += w.picTutor->image().pixelColor(at.toPoint()) != QColor(Qt::white);
    }
    return shown;
}

} // namespace

TEST(MathTutor, ProblemsStayInRangeAndShowOneCounterPerUnit) {
    struct Case {
        int type, size, maxTop, maxResult;
    };
    for (const Case c : {Case{0, 0, 9, 9}, Case{0, 1, 10, 20}, Case{1, 0, 9, 9}, Case{1, 1, 20, 20}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", size " << c.size);
        MathWindow m;
        click(m.w->cmdChoice[1]);
        click(m.w->optType[size_t(c.type)]);
        click(m.w->optSize[size_t(c.size)]);
        m.fake.random.seed(quint32(17 + c.type * 2 + c.size));
        int maxTop = 0, maxResult = 0;
        for (int i = 0; i < 400; ++i) {
            m.fake.sound.clear();
            click(m.w->cmdAnswer); // the next problem
            const int top = number(m.w->lblTutor[1]), bottom = number(m.w->lblTutor[2]);
            const int shown = countersShown(*m.w);
            const QStringList sounds = m.fake.sound.names();
            click(m.w->cmdAnswer); // see the answer
            const int result = number(m.w->lblTutor[3]);
            ASSERT_EQ(result, c.type == 0 ? top + bottom : top - bottom) << i;
            ASSERT_GE(bottom, 0);
            ASSERT_GE(result, 0);
            ASSERT_LE(top, c.maxTop);
            ASSERT_LE(result, c.maxResult);
            ASSERT_EQ(shown, result);
            ASSERT_EQ(sounds.count("boing.wav"), c.type == 0 ? result : top);
            ASSERT_EQ(sounds.count("zipecho.wav"), c.type == 0 ? 0 : bottom);
            maxTop = std::max(maxTop, top);
            maxResult = std::max(maxResult, result);
        }
        EXPECT_EQ(maxTop, c.maxTop);
        EXPECT_EQ(maxResult, c.type == 0 ? c.maxResult : maxResult);
    }
}

TEST(MathTutor, SubtractionDrawsThenTakesAwayAndIsAnsweredDigitByDigit) {
    MathWindow m;
    click(m.w->cmdChoice[1]);
    click(m.w->optType[1]);
    m.fake.random.script({0.87, 0.38, 0.1, 0.6}); // 18 - 7, light green boxes
    click(m.w->cmdAnswer);
    EXPECT_EQ(m.fake.sound.names(), QStringList(18, "boing.wav") + QStringList(7, "zipecho.wav"));
    const auto written = [&] {
        QString out;
        for (int i : {1, 0, 2, 4, 3}) {
            out += m.w->lblTutor[size_t(i)]->text() + " ";
        }
        return out.trimmed();
    };
    EXPECT_EQ(written(), "18 - 7 = ??");
    EXPECT_FALSE(m.w->linTutor->isVisible());
    EXPECT_FALSE(m.w->Frame1->isEnabled());
    EXPECT_EQ(countersShown(*m.w), 11);
    const QPointF tenth = m.w->picTutor->toPixels(4.5 * m.w->ShapeWidth, 1.5 * m.w->ShapeHeight);
    EXPECT_EQ(m.w->picTutor->image().pixelColor(tenth.toPoint()), QColor(0, 255, 0));
    EXPECT_LT(tenth.x(), m.w->lblTutor[0]->x()); // the fifth of a row stands clear of the written sum

    m.fake.sound.clear();
    for (const auto& [key, shown] : {std::pair{Qt::Key_X, "??"}, {Qt::Key_1, "1?"}, {Qt::Key_2, "1?"}}) {
        QTest::keyClick(m.w, key);
        EXPECT_EQ(m.w->lblTutor[3]->text(), shown);
    }
    EXPECT_EQ(m.fake.sound.beeps, 1);
    QTest::keyClick(m.w, Qt::Key_1);
    EXPECT_EQ(written(), "18 - 7 = 11");
    EXPECT_EQ(m.fake.sound.names(), (QStringList{"uhoh.wav", "tada.wav"}));
    EXPECT_EQ(m.w->cmdAnswer->text(), "&Next Problem");
    EXPECT_TRUE(m.w->Frame1->isEnabled());

    // Choosing addition after the answer and showing the window again repaints the same subtraction,
    // silently.
    click(m.w->optType[0]);
    const QImage before = m.w->picTutor->image().copy();
    m.fake.sound.clear();
    m.w->hide();
    m.w->show();
    EXPECT_TRUE(m.fake.sound.played.isEmpty());
    EXPECT_EQ(m.w->picTutor->image(), before);
}
