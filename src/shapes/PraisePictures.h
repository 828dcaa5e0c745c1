// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pictures that show while a right answer is praised, on a transparent ground.

#include "platform/Picture.h"

namespace nibsy {

Picture starPicture();
Picture smileyPicture();

} // namespace nibsy
