// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Controls the activity windows make the same way: labels, outlines, letter and number cards, command
// buttons and the frame of New Game, Options, Help and Exit, clickable labels, a key filter for text
// boxes, the red arrow over a box to fill, and pictures fitted to a cell.

#include "platform/Picture.h"

#include <QFont>
#include <QLabel>
#include <functional>
#include <optional>

class QFrame;
class QGroupBox;
class QRadioButton;

namespace nibsy {

class ActivityWindow;
class SSCommand;

// A label with its text, font and alignment.
QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, Qt::Alignment align);

// A plain border drawn in the colour given; clicks go through it to what lies below.
QFrame* makeOutline(QWidget* parent, const QColor& color, int lineWidth);

// A 3-D command button with its caption and font.
SSCommand* makeButton(QWidget* parent, const QString& caption, const QFont& font);
// The same, placed at a rectangle given in twips, running onClick when it is clicked.
SSCommand* makeButton(QWidget* parent, const QString& caption, const QFont& font, const QRect& twips,
                      std::function<void()> onClick);

// An option button of a control array, placed at a rectangle given in twips, running onClick when the
// child picks it.
QRadioButton* makeOption(QWidget* parent, const QString& caption, const QFont& font, const QRect& twips,
                         std::function<void()> onClick);

// Where a game window's New Game, Options, Help and Exit buttons go, and which it has: Help and Exit
// always, New Game and Options where their handlers are given. The buttons go in that order, across
// the columns and then down; when they do not fill the rows evenly, the first spans the first row.
struct CommandLayout {
    // The frame around the buttons, in twips; without one the buttons lie on the window.
    std::optional<QRect> frame = {};
    QRect first = {}; // the first button, in twips, in the frame or the window
    int columns = 1;
    QPoint step = {}; // from one button to the next across (x) and down (y), in twips
    QFont font = {};
    std::function<void()> onNew = {};
    std::function<void()> onOptions = {};
};

// The buttons made; those the window does not have are null. Help and Exit run the window's
// cmdHelp_Click and cmdExit_Click.
struct CommandButtons {
    QGroupBox* frame = nullptr;
    SSCommand* cmdNew = nullptr;
    SSCommand* cmdOptions = nullptr;
    SSCommand* cmdHelp = nullptr;
    SSCommand* cmdExit = nullptr;
};
CommandButtons makeCommandButtons(ActivityWindow* window, const CommandLayout& layout);

// Makes a label a white card with a dark border, holding its text big and centred in the colour given.
void makeCard(QLabel* card, const QFont& font, const QColor& color);

// A label that reports a left click, as a card to click on needs.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Hands the keys that type a character (Backspace and Enter among them) to a handler that drops one by
// setting it to 0. Other characters (accented letters and the like) reach the handler as 0x7F (Delete),
// never a digit, so a handler that takes only digits drops them; Tab moves the focus as ever.
void filterKeyPresses(QWidget* box, std::function<void(int&)> handler);

// A red arrow pointing down, on the background colour given, at size (in pixels).
Picture downArrowPicture(QSize size, const QColor& background);

// The picture drawn as large as fits at the given size without stretching it out of shape, centred, with
// a small margin.
Picture fittedPicture(const Picture& picture, QSize size);

} // namespace nibsy
