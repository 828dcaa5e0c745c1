// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Top-level windows stand in the middle of their screen, frame and all: activity windows, options
// windows, the menu and the help window alike.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace nibsy {

// Where a window's frame goes to stand centred in area, for a client of the given size in that frame.
QPoint centredFramePosition(const QRect& area, const QSize& client, const QMargins& frame);
// Centres a top-level window, frame and all, on its screen. A window not yet shown has no frame to
// measure: it is given the frame of the windows already shown, and is centred once more when the window
// manager has framed it.
void centreOnScreen(QWidget* window);

} // namespace nibsy
