// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityList.h"

#include "letters/frmCount.h"
#include "letters/frmLet.h"
#include "math/frmEMath.h"
#include "shell/Activities.h"

namespace nibsy {

void registerActivities() {
    // One line an activity.
    Activities::add(frmLet::Activity);
    Activities::add(frmCount::Activity);
    Activities::add(frmEMath::Activity);
}

} // namespace nibsy
