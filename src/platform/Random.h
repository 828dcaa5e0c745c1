// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The uniform random number generator of the suite: values in [0, 1).

#include <QList>
#include <random>

namespace nibsy {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds from the time of day; each window does this when it loads.
    virtual void seedFromTimer() = 0;
    virtual void seed(quint32 value) = 0;
    virtual double next() = 0;
    // A whole number from 1 to n: Int(Rnd * n) + 1.
    int upTo(int n);
    // A whole number from 0 to n - 1: Int(Rnd * n).
    int below(int n);
};

class SystemRandom : public RandomSource {
public:
    void seedFromTimer() override;
    void seed(quint32 value) override { m_engine.seed(value); }
    double next() override;

private:
    std::mt19937 m_engine{12345};
};

} // namespace nibsy
