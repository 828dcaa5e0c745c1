// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Routines every activity window uses: data file names, wave sounds, shuffling and pausing.

#include <QString>
#include <QtGlobal>
#include <vector>

namespace nibsy {

// The full path of a data file in the application directory (matched without regard to case).
QString FullPath(const QString& fileName);

// Stops the sound that plays, then plays the named file: mode 0 returns when it has ended, mode 1 at once.
// An empty name does nothing at all.
void PlayWave(const QString& path, int mode);

// Elements 1 to n of list become a random arrangement of 1 to n: one random number is drawn for each
// position from n down to 2, and that position is exchanged with the one drawn. The list grows to n + 1
// elements if it is shorter; element 0 is not used.
void Shuffle(int n, std::vector<qint16>& list);

// Holds the activity for that many seconds (the window keeps repainting).
void Pause(double seconds);

} // namespace nibsy
