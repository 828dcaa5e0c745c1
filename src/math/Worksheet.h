// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed worksheet of Nibsy Math: 100 addition or subtraction facts on one page, ruled in a grid
// of 20 rows by 5 columns, with room for a score and a time; and, if asked for, its answer key on a
// second page: the same facts in the same places, each with its answer.

#include "platform/Services.h"

#include <QString>
#include <vector>

class QWidget;

namespace nibsy {

// The worksheet's title for problem type 0 (addition) or 1 (subtraction) and a factor from -1
// ("Random", printed as 10) to 10; values outside are brought into range.
QString WorksheetTitle(int problemType, int factor);
// The answer key's title: the worksheet's, marked as the key.
QString AnswerKeyTitle(int problemType, int factor);

// One fact of the sheet: first - second or first + second, and what it comes to.
struct WorksheetProblem {
    int first = 0;
    int second = 0;
    int answer = 0;
};
// The sheet's 100 facts, row by row, with the random numbers drawn as for the printed page: for each
// a = 0..10, then b = 0..the highest factor; a subtraction takes a + b away, so it never goes below 0.
std::vector<WorksheetProblem> WorksheetProblems(int problemType, int factor);

// Asks with an OK/Cancel box, then prints the page; once it is laid out, asks whether to print the
// answer key too, and if so adds it as a second page of the same document. What became of it (nothing
// printed when cancelled) is for the caller to tell the user (reportPrinting).
[[nodiscard]] PrintOutcome PrintWorksheet(QWidget* parent, int problemType, int factor);

} // namespace nibsy
