// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed worksheet of Nibsy Math: 100 addition or subtraction facts on one page, ruled in a grid
// of 20 rows by 5 columns, with room for a score and a time.

#include "platform/Services.h"

#include <QString>

class QWidget;

namespace nibsy {

// The worksheet's title for problem type 0 (addition) or 1 (subtraction) and a factor from -1
// ("Random", printed as 10) to 10; values outside are brought into range.
QString WorksheetTitle(int problemType, int factor);

// Asks with an OK/Cancel box, then prints the page. What became of it (nothing printed when cancelled)
// is for the caller to tell the user (reportPrinting).
[[nodiscard]] PrintOutcome PrintWorksheet(QWidget* parent, int problemType, int factor);

} // namespace nibsy
