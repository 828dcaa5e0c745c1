// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/Worksheet.h"

#include "platform/Numbers.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "shell/Settings.h"

#include <QStringList>

namespace nibsy {

namespace {

// The page in hundredths of an inch, portrait.
constexpr int PageWidth = 850;
constexpr int PageHeight = 1100;
constexpr int Margin = 50;
constexpr int GridTop = 110;
constexpr int Columns = 5;
constexpr int Rows = 20;
constexpr int CellWidth = 150;
constexpr int RowHeight = 48; // 47.5, rounded to even
constexpr int GridRight = Margin + Columns * CellWidth;
constexpr int GridBottom = GridTop + Rows * RowHeight;
// How far before 60 % of the cell's width a problem ends.
constexpr double ProblemGap = 6;

int worksheetFactor(int factor) {
    const int f = clampSetting(factor, -1, 10);
    return f < 0 ? 10 : f;
}

// Prints text with its top left corner at (x, y); returns where the text ends.
double printAt(Surface& page, double x, double y, const QString& text) {
    page.currentX = x;
    page.currentY = y;
    page.Print(text);
    return x + page.TextWidth(text);
}

} // namespace

QString WorksheetTitle(int problemType, int factor) {
    const bool subtraction = settingOr(problemType, 0, 1, 0) == 1;
    return QString(subtraction ? "Subtraction (-) Problems" : "Addition (+) Problems") +
           ", Highest Factor =" + plainNumber(worksheetFactor(factor));
}

QString AnswerKeyTitle(int problemType, int factor) {
    return WorksheetTitle(problemType, factor) + QStringLiteral(" — Answer Key");
}

std::vector<WorksheetProblem> WorksheetProblems(int problemType, int factor) {
    const int h = worksheetFactor(factor);
    const bool subtraction = settingOr(problemType, 0, 1, 0) == 1;
    std::vector<WorksheetProblem> problems;
    problems.reserve(Rows * Columns);
    for (int i = 0; i < Rows * Columns; ++i) {
        const int a = rnd().below(11);
        const int b = rnd().below(h + 1);
        problems.push_back(subtraction ? WorksheetProblem{a + b, b, a} : WorksheetProblem{a, b, a + b});
    }
    return problems;
}

namespace {

// One page of the sheet: the header line, the title, the grid and every problem in its cell, ending a
// little before 60 % of the cell's width; with answers, each answer follows its "=".
void printSheet(PrintJob& page, const QString& header, const QString& title, bool subtraction,
                const std::vector<WorksheetProblem>& problems, bool withAnswers) {
    page.setScale(0, 0, PageWidth, PageHeight);
    page.setFont("Courier New", 12);
    const double lineHeight = page.TextHeight("X");

    printAt(page, Margin, Margin, header);
    printAt(page, Margin, Margin + lineHeight, title);

    page.Box(Margin, GridTop, GridRight, GridBottom);
    for (int i = 1; i < Rows; ++i) {
        page.Line(Margin, GridTop + RowHeight * i, GridRight, GridTop + RowHeight * i);
    }
    for (int i = 1; i < Columns; ++i) {
        page.Line(Margin + CellWidth * i, GridTop, Margin + CellWidth * i, GridBottom);
    }

    const QString sign = subtraction ? "-" : "+";
    for (int i = 0; i < int(problems.size()); ++i) {
        const WorksheetProblem& problem = problems[size_t(i)];
        const double x = Margin + CellWidth * (i % Columns);
        const double y = GridTop + RowHeight * (i / Columns);
        const QStringList pieces{formatNumber(problem.first, "#0"), sign, formatNumber(problem.second, "#0"),
                                 "="};
        const double width = page.TextWidth(pieces.join(QString()));
        double at = x + 0.6 * CellWidth - ProblemGap - width;
        const double top = y + (RowHeight - lineHeight) / 2;
        for (const QString& piece : pieces) {
            at = printAt(page, at, top, piece);
        }
        if (withAnswers) {
            printAt(page, at, top, formatNumber(problem.answer, "#0"));
        }
    }
}

} // namespace

PrintOutcome PrintWorksheet(QWidget* parent, int problemType, int factor) {
    const bool subtraction = settingOr(problemType, 0, 1, 0) == 1;
    const QString title = WorksheetTitle(problemType, factor);
    if (!dialogs().okCancel(parent, "Printing " + title + "\r\rMake sure printer is on-line and ready.",
                            "Print Worksheet")) {
        return {};
    }
    std::unique_ptr<PrintJob> job = printer().begin(parent, "Nibsy Math Worksheet");
    if (!job) {
        return {}; // cancelled, or already told why not
    }
    // Drawn once: the key must hold the very problems of the sheet.
    const std::vector<WorksheetProblem> problems = WorksheetProblems(problemType, factor);
    printSheet(*job, "Nibsy Math  Score_________  Time_________", title, subtraction, problems, false);
    if (dialogs().okCancel(parent, "Print the answer key too?", "Print Worksheet")) {
        job->newPage();
        printSheet(*job, "Nibsy Math", AnswerKeyTitle(problemType, factor), subtraction, problems, true);
    }
    return job->end();
}

} // namespace nibsy
