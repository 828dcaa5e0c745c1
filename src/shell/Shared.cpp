// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Shared.h"

#include "platform/AppFiles.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Services.h"

#include <cmath>
#include <utility>

namespace nibsy {

QString FullPath(const QString& fileName) {
    return AppFiles::resolve(fileName);
}

void PlayWave(const QString& path, int mode) {
    if (path.isEmpty()) {
        return;
    }
    sound().play(path, mode);
}

void Shuffle(int n, std::vector<qint16>& list) {
    if (n < 1) {
        return;
    }
    if (list.size() < size_t(n) + 1) {
        list.resize(size_t(n) + 1);
    }
    for (int i = 1; i <= n; ++i) {
        list[size_t(i)] = qint16(i);
    }
    for (int j = n; j >= 2; --j) {
        std::swap(list[size_t(rnd().upTo(j))], list[size_t(j)]);
    }
}

void Pause(double seconds) {
    // Single precision, as the timer reading it is compared with.
    const float s = float(seconds);
    if (s > 0) {
        clock().wait(qint64(std::ceil(double(s) * 1000.0)));
    }
}

} // namespace nibsy
