// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activities of the suite, by menu button.

namespace nibsy {

// Puts every activity window of the suite on its menu button.
void registerActivities();

} // namespace nibsy
