// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The colours, shapes and patterns menu: each choice opens its activity in the menu's place, the menu
// comes back with the focus on Colors when the activity closes, and its own Exit and frame go back to
// the main menu.

#include "platform/SSCommand.h"
#include "shapes/frmCSPMenu.h"
#include "shapes/frmPatt.h"
#include "shapes/frmShape.h"
#include "support/WindowFixture.h"

#include <QGroupBox>

using namespace nibsy;
using namespace nibsy::test;

TEST(ColorsShapesMenu, EachChoiceOpensItsActivityInItsPlaceAndTheMenusComeBackInTurn) {
    FakePlatform fake(builtAppDir());
    QWidget menu;
    for (const bool byFrame : {false, true}) {
        SCOPED_TRACE(byFrame);
        settings().ShapeMode = 1;
        QPointer<ActivityWindow> opened = openActivity(frmCSPMenu::Activity, &menu);
        auto* sub = qobject_cast<frmCSPMenu*>(opened.data());
        ASSERT_TRUE(sub);
        fake.help.asked.clear();
        click(sub->cmdHelp);
        EXPECT_EQ(fake.help.asked, QList<int>{20});
        for (const auto& [choice, mode, help] : {std::tuple{0, 0, 6}, {1, 1, 18}, {2, 1, 7}}) {
            SCOPED_TRACE(choice);
            sub->cmdChoice[size_t(choice)]->setFocus();  // as Tab would
            doubleClick(sub->cmdChoice[size_t(choice)]); // the rest of it presses nothing in the activity
            settle();
            EXPECT_FALSE(sub->isVisible());
            EXPECT_EQ(settings().ShapeMode, mode);
            auto* shape = shownWindow<frmShape>();
            auto* patt = shownWindow<frmPatt>();
            ASSERT_TRUE(choice == 2 ? patt && !shape : shape && !patt);
            ActivityWindow* activity = patt ? static_cast<ActivityWindow*>(patt) : shape;
            EXPECT_TRUE((patt ? patt->fraChoices : shape->fraChoices)->isVisible())
                << "a choice of the activity was pressed";
            QTest::keyClick(activity, Qt::Key_F1);
            EXPECT_EQ(fake.help.asked.value(fake.help.asked.size() - 1), help);
            if (byFrame) {
                activity->close();
            } else {
                activity->cmdExit_Click();
            }
            settle();
            EXPECT_TRUE(sub->isVisible() && !menu.isVisible());
            EXPECT_EQ(QApplication::focusWidget(), sub->cmdChoice[0]);
        }
        if (byFrame) {
            sub->close();
        } else {
            sub->cmdExit_Click();
        }
        settle();
        EXPECT_FALSE(opened);
        EXPECT_TRUE(menu.isVisible());
        menu.hide();
    }
}
