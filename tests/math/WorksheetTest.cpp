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

class Worksheet : public MathFixture {
protected:
    // Prints from Practice Math Facts with that type and factor, answering the message box with ok or not.
    QList<Word> print(int type, int factor, bool ok = true) {
        settings().MathProblemType = qint16(type);
        settings().MathFactor = qint16(factor);
        open();
        fake.dialogs.shown.clear();
        fake.dialogs.answerOk = ok;
        QFile::remove(pdf);
        click(w->cmdChoice[3]);
        click(w->cmdPrint);
        return words(pdf);
    }
    const QString pdf = fake.scratch() + "/printout.pdf";
};

} // namespace

TEST_F(Worksheet, PrintsAHundredProblemsOfTypeAndFactorInTheirCellsAndCancelPrintsNothing) {
    struct Case {
        int type, factor, largest;
        const char* title;
    };
    static const QRegularExpression fact(R"(^(\d+)([+-])(\d+)=$)");
    for (const Case c : {Case{1, 4, 4, "Subtraction (-) Problems, Highest Factor = 4"},
                         Case{0, -1, 10, "Addition (+) Problems, Highest Factor = 10"},
                         Case{0, 0, 0, "Addition (+) Problems, Highest Factor = 0"}}) {
        const QList<Word> page = print(c.type, c.factor);
        ASSERT_EQ(fake.dialogs.shown.size(), 1);
        const FakeDialogs::Shown& asked = fake.dialogs.shown[0];
        EXPECT_EQ(asked.kind, FakeDialogs::OkCancel);
        EXPECT_EQ(asked.title + "|" + asked.text, QString("Print Worksheet|Printing ") + c.title +
                                                      "\r\rMake sure printer is on-line and ready.");
        QStringList text;
        for (const Word& word : page) {
            text << word.text;
        }
        EXPECT_TRUE(
            text.join(u' ').startsWith(QString("Nibsy Math Score_________ Time_________ ") + c.title + " "));
        EXPECT_NEAR(page.value(0).left, 50, 1);
        QSet<int> cells;
        int largest = 0;
        for (const Word& f : page) {
            const auto m = fact.match(f.text);
            if (!m.hasMatch()) {
                continue;
            }
            const int top = m.captured(1).toInt(), bottom = m.captured(3).toInt();
            EXPECT_EQ(m.captured(2), c.type ? "-" : "+");
            const int other = c.type ? top - bottom : top;
            EXPECT_TRUE(other >= 0 && other <= 10 && bottom <= c.largest) << top << " " << bottom;
            largest = std::max(largest, bottom);
            // Ending a little before 60 % of its cell, inside its row.
            const int column = int((f.left - 50) / 150), row = int((f.top - 110) / 48);
            EXPECT_TRUE(column >= 0 && column < 5 && row >= 0 && row < 20);
            EXPECT_TRUE(f.right > 50 + 150 * column + 70 && f.right < 50 + 150 * column + 90) << f.right;
            EXPECT_LT(f.bottom, 110 + 48 * (row + 1));
            cells.insert(row * 5 + column);
        }
        EXPECT_EQ(cells.size(), 100);
        EXPECT_GE(largest, c.largest == 10 ? 5 : c.largest) << c.factor;
    }
    print(0, 3, false);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}
