// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet printed from Practice Math Facts and its answer key, read back as laid-out text from the
// PDF they make.

#include "MathFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class Worksheet : public MathFixture {
protected:
    // Prints from Practice Math Facts with that type and factor, answering the message boxes in turn
    // (OK to print, Cancel to the answer key unless told otherwise); returns each page's lines of text.
    QList<QStringList> print(int type, int factor, QList<bool> answers = {true, false}) {
        settings().MathProblemType = qint16(type);
        settings().MathFactor = qint16(factor);
        open();
        fake.dialogs.shown.clear();
        fake.dialogs.answers = answers;
        QFile::remove(pdf);
        click(w->cmdChoice[3]);
        click(w->cmdPrint);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        text.waitForFinished(30000);
        QList<QStringList> pages;
        for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split(u'\f'))
            if (const QStringList lines = page.split(u'\n').filter(QRegularExpression(R"(\S)"));
                !lines.isEmpty())
                pages << lines;
        return pages;
    }
    const QString pdf = fake.scratch() + "/printout.pdf";
};

} // namespace

TEST_F(Worksheet, PrintsTwentyRowsOfFiveProblemsOfTypeAndFactorAndCancelPrintsNothing) {
    struct Case {
        int type, factor, largest;
        const char* title;
    };
    static const QRegularExpression fact(R"((\d+)([+-])(\d+)=)");
    for (const Case c : {Case{1, 4, 4, "Subtraction (-) Problems, Highest Factor = 4"},
                         Case{0, -1, 10, "Addition (+) Problems, Highest Factor = 10"},
                         Case{0, 42, 10, "Addition (+) Problems, Highest Factor = 10"}}) {
        const QList<QStringList> pages = print(c.type, c.factor);
        ASSERT_EQ(fake.dialogs.shown.size(), 2); // asked first, and then about the key
        ASSERT_EQ(pages.size(), 1);
        const QStringList& lines = pages[0];
        ASSERT_EQ(lines.size(), 22);
        EXPECT_EQ(lines[0].simplified(), "Nibsy Math Score_________ Time_________");
        EXPECT_EQ(lines[1].simplified(), c.title);
        // Twenty rows of five, each problem ending where the one above it ends.
        QList<qsizetype> firstEnds;
        int largest = 0;
        for (const QString& line : lines.mid(2)) {
            QList<qsizetype> ends;
            for (auto it = fact.globalMatch(line); it.hasNext();) {
                const auto m = it.next();
                const int top = m.captured(1).toInt(), bottom = m.captured(3).toInt();
                EXPECT_EQ(m.captured(2), c.type ? "-" : "+");
                const int other = c.type ? top - bottom : top;
                EXPECT_TRUE(other >= 0 && other <= 10 && bottom <= c.largest) << top << " " << bottom;
                largest = std::max(largest, bottom);
                ends << m.capturedEnd();
            }
            firstEnds = firstEnds.isEmpty() ? ends : firstEnds;
            EXPECT_EQ(ends, firstEnds) << qPrintable(line);
        }
        EXPECT_EQ(firstEnds.size(), 5);
        EXPECT_GE(largest, c.largest == 10 ? 5 : c.largest) << c.factor;
    }
    print(0, 3, {false});
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

// Asked for once the sheet is laid out, the answer key is the second page of the same document: the
// sheet's very problems in the very same places, each followed by its right answer, in the same grid.
TEST_F(Worksheet, TheAnswerKeyShowsTheSheetsProblemsWhereTheyStandWithTheirAnswers) {
    static const QRegularExpression fact(R"(^(\d+)([+-])(\d+)=(\d*)$)");
    for (const int type : {1, 0}) {
        const QList<QStringList> pages = print(type, -1, {true, true});
        ASSERT_EQ(fake.dialogs.shown.size(), 2);
        EXPECT_EQ(
            std::tuple(fake.dialogs.shown[1].kind, fake.dialogs.shown[1].text, fake.dialogs.shown[1].title),
            std::tuple(FakeDialogs::OkCancel, "Print the answer key too?", "Print Worksheet"));
        ASSERT_EQ(pages.size(), 2);
        EXPECT_EQ(pages[1].size(), 22);
        EXPECT_EQ(pages[1].value(0).simplified(), "Nibsy Math");
        EXPECT_EQ(pages[1].value(1).simplified(), pages[0][1].simplified() + " — Answer Key");

        // Each problem as a word on its page, with where it starts, in reading order.
        QProcess bbox;
        bbox.start("pdftotext", {"-bbox", pdf, "-"});
        bbox.waitForFinished(30000);
        static const QRegularExpression word(
            R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)<)re");
        QList<QList<std::tuple<double, double, QRegularExpressionMatch>>> facts;
        for (auto it = word.globalMatch(QString::fromUtf8(bbox.readAllStandardOutput())); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(1).isEmpty())
                facts.emplace_back();
            else if (const auto f = fact.match(m.captured(3)); f.hasMatch() && !facts.isEmpty())
                facts.last().append({m.captured(1).toDouble(), m.captured(2).toDouble(), f});
        }
        ASSERT_EQ(facts.size(), 2);
        ASSERT_EQ(std::tuple(facts[0].size(), facts[1].size()), std::tuple(100, 100));
        for (qsizetype i = 0; i < 100; ++i) {
            const auto& [x, y, asked] = facts[0][i];
            const auto& [keyX, keyY, answered] = facts[1][i];
            EXPECT_EQ(asked.captured(4), ""); // no answers on the sheet
            EXPECT_EQ(answered.captured(0).chopped(answered.captured(4).size()), asked.captured(0)) << i;
            EXPECT_TRUE(std::abs(keyX - x) < 0.1 && std::abs(keyY - y) < 0.1) << i;
            const int top = answered.captured(1).toInt(), bottom = answered.captured(3).toInt();
            EXPECT_EQ(answered.captured(4), QString::number(type ? top - bottom : top + bottom))
                << qPrintable(answered.captured(0));
        }
    }
    // Both pages at 100 dots to the inch, a dot to each hundredth of an inch of the page: a grid of 21
    // lines across and 6 down, and the cells clear to the right of their problems.
    for (const QString n : {"1", "2"}) {
        QProcess::execute("pdftoppm", {"-r", "100", "-gray", "-f", n, "-l", n, "-singlefile", pdf,
                                       fake.scratch() + "/page"});
        const QImage page(fake.scratch() + "/page.pgm");
        ASSERT_EQ(page.size(), QSize(850, 1100));
        const auto dark = [&](int x, int y) {
            int found = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    found += qGray(page.pixel(x + dx, y + dy)) < 128;
            return found > 0;
        };
        QStringList missing, stray;
        for (int i = 0; i <= 20; ++i)
            for (int x = 55; x < 800; x += 15)
                if (!dark(x, 110 + 48 * i))
                    missing << QString("across %1 at %2").arg(i).arg(x);
        for (int i = 0; i <= 5; ++i)
            for (int y = 115; y < 1070; y += 15)
                if (!dark(50 + 150 * i, y))
                    missing << QString("down %1 at %2").arg(i).arg(y);
        for (int row = 0; row < 20; ++row)
            for (int col = 0; col < 5; ++col)
                if (dark(50 + 150 * col + 130, 110 + 48 * row + 24))
                    stray << QString("cell %1,%2").arg(row).arg(col);
        EXPECT_EQ(missing, QStringList()) << qPrintable(n);
        EXPECT_EQ(stray, QStringList()) << qPrintable(n);
    }
}
