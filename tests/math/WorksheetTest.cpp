// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet printed from Practice Math Facts, read back from the PDF it makes.

#include "MathFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// A word of the page, placed in hundredths of an inch from the top left corner.
struct Word {
    double left, top, right, bottom;
    QString text;
};

QList<Word> words(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    const auto size = page.match(html);
    const double x = size.captured(1).toDouble() / 850, y = size.captured(2).toDouble() / 1100;
    QList<Word> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto w = it.next();
        out.append({w.captured(1).toDouble() / x, w.captured(2).toDouble() / y, w.captured(3).toDouble() / x,
                    w.captured(4).toDouble() / y, w.captured(5)});
    }
    return out;
}

// A line of text rebuilt from its words: the type is fixed-pitch, so a gap tells how many blanks it holds.
QString line(const QList<Word>& page, int index) {
    QStringList lines;
    for (int i = 0; i < page.size(); ++i) {
        const Word& w = page[i];
        if (i > 0 && std::abs(w.top - page[i - 1].top) < 1) {
            const Word& before = page[i - 1];
            const double advance = (before.right - before.left) / double(before.text.size());
            lines.last() += QString(qRound((w.left - before.right) / advance), u' ') + w.text;
        } else {
            lines << w.text;
        }
    }
    return lines.value(index);
}

struct Problem {
    int top, bottom;
    QString sign;
    const Word* at;
};

QList<Problem> problems(const QList<Word>& page) {
    static const QRegularExpression fact(R"(^(\d+)([+-])(\d+)=$)");
    QList<Problem> out;
    for (const Word& w : page) {
        if (const auto m = fact.match(w.text); m.hasMatch()) {
            out.append({m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2), &w});
        }
    }
    return out;
}

class Worksheet : public MathFixture {
protected:
    struct Printed {
        QString pdf;
        QList<Word> page;
        QList<FakeDialogs::Shown> asked;
    };
    // Prints with the given type and factor, answering the message box with ok or not.
    Printed print(int type, int factor, bool ok = true) {
        settings().MathProblemType = qint16(type);
        settings().MathFactor = qint16(factor);
        open();
        fake.dialogs.shown.clear();
        fake.dialogs.answerOk = ok;
        const QString pdf = fake.scratch() + "/printout.pdf";
        QFile::remove(pdf);
        click(w->cmdChoice[3]);
        click(w->cmdPrint);
        return {pdf, words(pdf), fake.dialogs.shown};
    }
};

} // namespace

TEST_F(Worksheet, PrintsAHundredProblemsOfTypeAndFactorInTheirCellsAndCancelPrintsNothing) {
    struct Case {
        int type, factor, largest;
        const char* title;
    };
    for (const Case c : {Case{1, 4, 4, "Subtraction (-) Problems, Highest Factor = 4"},
                         Case{0, -1, 10, "Addition (+) Problems, Highest Factor = 10"},
                         Case{0, 0, 0, "Addition (+) Problems, Highest Factor = 0"}}) {
        const Printed p = print(c.type, c.factor);
        ASSERT_EQ(p.asked.size(), 1);
        EXPECT_EQ(p.asked[0].kind, FakeDialogs::OkCancel);
        EXPECT_EQ(p.asked[0].title + "|" + p.asked[0].text,
                  QString("Print Worksheet|Printing ") + c.title +
                      "\r\rMake sure printer is on-line and ready.");
        EXPECT_EQ(line(p.page, 0), "Nibsy Math  Score_________  Time_________");
        EXPECT_EQ(line(p.page, 1), c.title);
        ASSERT_FALSE(p.page.isEmpty());
        EXPECT_NEAR(p.page[0].left, 50, 1);
        QSet<int> cells;
        int largest = 0;
        for (const Problem& f : problems(p.page)) {
            EXPECT_EQ(f.sign, c.type ? "-" : "+");
            const int other = c.type ? f.top - f.bottom : f.top;
            EXPECT_TRUE(other >= 0 && other <= 10) << f.top << " " << f.bottom;
            EXPECT_LE(f.bottom, c.largest);
            largest = std::max(largest, f.bottom);
            // Ending a little before 60 % of its cell, inside its row.
            const int column = int((f.at->left - 50) / 150), row = int((f.at->top - 110) / 48);
            EXPECT_TRUE(column >= 0 && column < 5 && row >= 0 && row < 20);
            EXPECT_GT(f.at->right, 50 + 150 * column + 70);
            EXPECT_LT(f.at->right, 50 + 150 * column + 90);
            EXPECT_LT(f.at->bottom, 110 + 48 * (row + 1));
            cells.insert(row * 5 + column);
        }
        EXPECT_EQ(cells.size(), 100);
        EXPECT_GE(largest, c.largest == 10 ? 5 : c.largest) << c.factor;
    }
    const Printed cancelled = print(0, 3, false);
    ASSERT_EQ(cancelled.asked.size(), 1);
    EXPECT_FALSE(QFile::exists(cancelled.pdf));
}
