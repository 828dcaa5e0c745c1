// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The praise of a right answer: two pictures on a transparent ground, shown while a cheer plays.

#include "platform/Picture.h"

#include <array>

namespace nibsy {

class PictureBox;

Picture starPicture();
Picture smileyPicture();

// Shows the pictures while one of the three cheers, chosen at random, plays to its end; hides them after.
void Praise(const std::array<PictureBox*, 2>& pictures);

} // namespace nibsy
