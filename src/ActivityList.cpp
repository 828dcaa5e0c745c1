// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityList.h"

#include "arcade/frmBalloons.h"
#include "arcade/frmMaze.h"
#include "arcade/frmPuz.h"
#include "clock/frmTime.h"
#include "games/frmCards.h"
#include "games/frmTic.h"
#include "letters/frmCount.h"
#include "letters/frmLet.h"
#include "matching/frmBarn.h"
#include "matching/frmMatch.h"
#include "matching/frmMem.h"
#include "math/frmBug.h"
#include "math/frmEMath.h"
#include "math/frmSnow.h"
#include "shapes/frmCSPMenu.h"
#include "shell/Activities.h"
#include "soundedit/frmSEdit.h"

namespace nibsy {

void registerActivities() {
    // One line an activity.
    Activities::add(frmLet::Activity);
    Activities::add(frmCount::Activity);
    Activities::add(frmTime::Activity);
    Activities::add(frmEMath::Activity);
    Activities::add(frmCards::Activity);
    Activities::add(frmTic::Activity);
    Activities::add(frmMatch::Activity);
    Activities::add(frmBarn::Activity);
    Activities::add(frmMem::Activity);
    Activities::add(frmSnow::Activity);
    Activities::add(frmBug::Activity);
    Activities::add(frmCSPMenu::Activity);
    Activities::add(frmPuz::Activity);
    Activities::add(frmMaze::Activity);
    Activities::add(frmBalloons::Activity);
    Activities::add(frmSEdit::Activity);
}

} // namespace nibsy
