// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/BalloonRules.h"

#include "platform/Numbers.h"
#include "platform/Random.h"
#include "platform/Services.h"

#include <algorithm>

namespace nibsy {

BalloonRules::BalloonRules(const Sizes& sizes) : m_sizes(sizes) {
    BalloonX = lanes(sizes.fieldWidth, sizes.balloonWidth);
    for (int i = 0; i < Balloons; ++i) {
        BalloonY[size_t(i)] = -sizes.balloonHeight;
        BalloonSpeed[size_t(i)] = MinSpeed;
    }
    centreArrow();
}

std::array<int, BalloonRules::Balloons> BalloonRules::lanes(int fieldWidth, int balloonWidth) {
    const int gap = near((fieldWidth - Balloons * balloonWidth) / double(Balloons + 1));
    std::array<int, Balloons> x{};
    for (int i = 0; i < Balloons; ++i) {
        x[size_t(i)] = near(double(gap + balloonWidth) * i + gap);
    }
    return x;
}

void BalloonRules::NewBalloon(int i) {
    BalloonY[size_t(i)] = -m_sizes.balloonHeight;
    BalloonSpeed[size_t(i)] = rnd().below(MaxSpeed - MinSpeed + 1) + MinSpeed;
    BalloonColor[size_t(i)] = rnd().below(Colors);
}

std::array<BalloonRules::Fate, BalloonRules::Balloons> BalloonRules::step() {
    std::array<Fate, Balloons> fates{};
    for (int i = 0; i < Balloons; ++i) {
        BalloonY[size_t(i)] += BalloonSpeed[size_t(i)];
        if (BalloonY[size_t(i)] + m_sizes.balloonHeight > m_sizes.fieldHeight) {
            fates[size_t(i)] = Fate::Left;
            NewBalloon(i);
        } else if (pops(i)) {
            fates[size_t(i)] = Fate::Popped;
            NewBalloon(i);
        }
    }
    return fates;
}

bool BalloonRules::pops(int i) const {
    const int x = BalloonX[size_t(i)];
    const int bottom = BalloonY[size_t(i)] + m_sizes.balloonHeight;
    return ArrowY() < bottom && x < ArrowX && ArrowX + m_sizes.arrowWidth < x + m_sizes.balloonWidth;
}

void BalloonRules::centreArrow() {
    ArrowX = near((m_sizes.fieldWidth - m_sizes.arrowWidth) * 0.5);
}

void BalloonRules::moveArrowLeft() {
    ArrowX = std::max(ArrowX - ArrowStep, 0);
}

void BalloonRules::moveArrowRight() {
    ArrowX = std::min(ArrowX + ArrowStep, m_sizes.fieldWidth - m_sizes.arrowWidth);
}

} // namespace nibsy
