// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed worksheet of Nibsy Math: 100 addition or subtraction facts on one page, ruled in a grid
// of 20 rows by 5 columns, with room for a score and a time.

#include <QString>

class QWidget;

namespace nibsy {

// The worksheet's title for problem type 0 (addition) or 1 (subtraction) and a factor from -1
// ("Random", printed as 10) to 10; values outside are brought into range.
QString WorksheetTitle(int problemType, int factor);

// Asks with an OK/Cancel box, then prints the page. False when cancelled or nothing could be printed.
bool PrintWorksheet(QWidget* parent, int problemType, int factor);

} // namespace nibsy
