// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of Balloon Popper without its window: five lanes across the field, balloons that fall at their
// own speeds and start again at the top, the arrow along the bottom, and the test of a pop. All positions
// are in the field's units (pixels), y growing downwards; random numbers come from rnd().

#include <array>

namespace nibsy {

class BalloonRules {
public:
    static constexpr int Balloons = 5;
    static constexpr int Colors = 5;
    static constexpr int MinSpeed = 3;
    static constexpr int MaxSpeed = 11;
    static constexpr int ArrowStep = 10;

    struct Sizes {
        int fieldWidth, fieldHeight;
        int balloonWidth, balloonHeight;
        int arrowWidth, arrowHeight;
    };
    // What became of a balloon in one step.
    enum class Fate { Falling, Left, Popped };

    explicit BalloonRules(const Sizes& sizes);

    // The left edges of the five lanes: six equal gaps, near((W - 5w) / 6) each, around five balloons.
    static std::array<int, Balloons> lanes(int fieldWidth, int balloonWidth);

    // Balloon i starts again just above the field with a new speed (3 to 11) and colour (0 to 4).
    void NewBalloon(int i);
    // Every balloon moves down by its speed, in order; one that has left the field or popped starts again.
    std::array<Fate, Balloons> step();
    // Whether balloon i, where it is now, comes down onto the arrow: its bottom has passed the arrow's top
    // and the arrow lies wholly within its width (both side tests strict).
    bool pops(int i) const;

    // The arrow in the middle of the bottom edge, and moved by a step left or right within the field.
    void centreArrow();
    void moveArrowLeft();
    void moveArrowRight();

    const Sizes& sizes() const { return m_sizes; }
    int ArrowY() const { return m_sizes.fieldHeight - m_sizes.arrowHeight; }

    std::array<int, Balloons> BalloonX{};
    std::array<int, Balloons> BalloonY{};
    std::array<int, Balloons> BalloonSpeed{};
    std::array<int, Balloons> BalloonColor{};
    int ArrowX = 0;

private:
    Sizes m_sizes;
};

} // namespace nibsy
