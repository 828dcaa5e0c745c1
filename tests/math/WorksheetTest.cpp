// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet printed from Practice Math Facts, read back as laid-out text from the PDF it makes.

#include "MathFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class Worksheet : public MathFixture {
protected:
    // Prints from Practice Math Facts with that type and factor, answering the message box with ok or
    // not; returns the page's lines of text.
    QStringList print(int type, int factor, bool ok = true) {
        settings().MathProblemType = qint16(type);
        settings().MathFactor = qint16(factor);
        open();
        fake.dialogs.shown.clear();
        fake.dialogs.answerOk = ok;
        QFile::remove(pdf);
        click(w->cmdChoice[3]);
        click(w->cmdPrint);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        text.waitForFinished(30000);
        return QString::fromUtf8(text.readAllStandardOutput())
            .split(u'\n')
            .filter(QRegularExpression(R"(\S)"));
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
        const QStringList lines = print(c.type, c.factor);
        ASSERT_EQ(fake.dialogs.shown.size(), 1); // asked first
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
    print(0, 3, false);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
}
