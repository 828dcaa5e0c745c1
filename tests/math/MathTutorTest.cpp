// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Math Tutor: problems drawn as counters, answered digit by digit.

#include "MathFixture.h"

#include <QFrame>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

using MathTutor = MathFixture;

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

} // namespace

TEST_F(MathTutor, ProblemsStayInRangeAndShowOneCounterPerUnit) {
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
        for (int i = 0; i < 400; ++i) {
            fake.sound.clear();
            click(w->cmdAnswer); // the next problem
            const int top = number(w->lblTutor[1]), bottom = number(w->lblTutor[2]);
            const int shown = countersShown(*w);
            const QStringList sounds = fake.sound.names();
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
        EXPECT_EQ(maxTop, c.maxTop);
        EXPECT_EQ(maxResult, c.type == 0 ? c.maxResult : maxResult);
    }
}

TEST_F(MathTutor, SubtractionDrawsThenTakesAwayAndIsAnsweredDigitByDigit) {
    open();
    click(w->cmdChoice[1]);
    click(w->optType[1]);
    fake.random.script({0.87, 0.38, 0.1, 0.6}); // 18 - 7, light green boxes
    click(w->cmdAnswer);
    EXPECT_EQ(fake.sound.names(), QStringList(18, "boing.wav") + QStringList(7, "zipecho.wav"));
    const auto written = [&] {
        QString out;
        for (int i : {1, 0, 2, 4, 3}) {
            out += w->lblTutor[size_t(i)]->text() + " ";
        }
        return out.trimmed();
    };
    EXPECT_EQ(written(), "18 - 7 = ??");
    EXPECT_FALSE(w->linTutor->isVisible());
    EXPECT_FALSE(w->Frame1->isEnabled());
    EXPECT_EQ(countersShown(*w), 11);
    const QPointF tenth = w->picTutor->toPixels(4.5 * w->shapeWidth(), 1.5 * w->shapeHeight());
    EXPECT_EQ(w->picTutor->image().pixelColor(tenth.toPoint()), QColor(0, 255, 0));
    EXPECT_LT(tenth.x(), w->lblTutor[0]->x()); // the fifth of a row stands clear of the written sum

    fake.sound.clear();
    for (const auto& [key, shown] : {std::pair{Qt::Key_X, "??"}, {Qt::Key_1, "1?"}, {Qt::Key_2, "1?"}}) {
        QTest::keyClick(w, key);
        EXPECT_EQ(w->lblTutor[3]->text(), shown);
    }
    EXPECT_EQ(fake.sound.beeps, 1);
    QTest::keyClick(w, Qt::Key_1);
    EXPECT_EQ(written(), "18 - 7 = 11");
    EXPECT_EQ(fake.sound.names(), (QStringList{"uhoh.wav", "tada.wav"}));
    EXPECT_EQ(w->cmdAnswer->text(), "&Next Problem");
    EXPECT_TRUE(w->Frame1->isEnabled());

    // Choosing addition after the answer, then showing the window again, repaints the same sum silently.
    click(w->optType[0]);
    const QImage before = w->picTutor->image().copy();
    fake.sound.clear();
    w->hide();
    w->show();
    EXPECT_TRUE(fake.sound.played.isEmpty());
    EXPECT_EQ(w->picTutor->image(), before);
}
