// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls options windows are made of, each bound to one setting: an array of option buttons that
// stand for its values, and a number card with a spin button. A click stores the new value at once. A
// stored value the controls have no place for is shown as the value the game uses instead, and stays
// stored until the user changes it.

#include "platform/Fonts.h"

#include <QButtonGroup>
#include <QFont>
#include <QList>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class SpinButton;

class OptionButtons : public QButtonGroup {
    Q_OBJECT
public:
    struct Choices {
        QList<const char*> captions = {}; // one button each, in order
        QRect first = {};                 // the first button's place in twips, in its frame
        QPoint step = {};                 // from one button to the next, in twips
        QFont font = arialFont(11, true);
        int offset = 0;         // button i stands for the value i + offset,
        QList<int> values = {}; // or for values[i] where these are given
        // Shown for a stored value no button stands for; without it, the nearest value a button stands
        // for is shown (the first of two as near).
        std::optional<int> fallback = {};
        std::function<void()> onClick = {}; // runs after a click has stored its button's value
    };

    OptionButtons(QWidget* frame, qint16& setting, Choices choices);

    // The value button i stands for.
    int valueOf(int index) const;
    // The value the game takes for what is stored.
    int valueInUse() const;
    // Checks the button of the value in use; stores nothing.
    void load();

    QRadioButton* button(int index) const;
    // The buttons as a window's control array.
    template <size_t N> std::array<QRadioButton*, N> array() const {
        std::array<QRadioButton*, N> controls{};
        for (size_t i = 0; i < N; ++i) {
            controls[i] = button(int(i));
        }
        return controls;
    }

private:
    void store(int index);

    qint16& m_setting;
    Choices m_choices;
};

// A card showing a number, with a spin button beside it, in a frame; the number is a setting kept within
// lo..hi. Each arrow stores the next number up or down, stopping at the ends.
class NumberSpin : public QObject {
    Q_OBJECT
public:
    NumberSpin(QGroupBox* frame, qint16& setting, int lo, int hi);

    // Shows the number in use; stores nothing.
    void load();
    void step(int by);

    QLabel* card;
    SpinButton* spin;

private:
    qint16& m_setting;
    int m_lo;
    int m_hi;
};

} // namespace nibsy
