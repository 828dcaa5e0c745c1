// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fonts the suite's windows ask for by name are common on other desktops but not here; each is
// mapped to a free font of the same metrics or spirit that the system carries.

#include <QFont>

class QColor;
class QWidget;

namespace nibsy {

// The suite's friendly face, "Comic Sans MS", in points.
QFont comicFont(int points, bool bold = false);
// The suite's plain face, "Arial", in points.
QFont arialFont(int points, bool bold = false);

// The colour a label's text or a frame's border is drawn in.
void setTextColor(QWidget* widget, const QColor& color);

// Registers the substitutions with QFont; call once after the QApplication exists.
void installFontSubstitutions();

} // namespace nibsy
