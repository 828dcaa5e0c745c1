// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/Activities.h"
#include "shell/ActivityWindow.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/frmMenu.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

// A small activity: an Exit button that stops a run first, and a handler that waits.
class TestActivity : public ActivityWindow {
public:
    static inline int loads = 0;
    explicit TestActivity(QWidget* opener) : ActivityWindow(opener, 7, "Test Activity", 3000, 2000) {
        cmdExit = new SSCommand(this);
        cmdExit->setText("E&xit");
        place(cmdExit, 120, 1200, 1200, 495);
        connect(cmdExit, &QPushButton::clicked, this, &TestActivity::cmdExit_Click);
    }
    void Form_Load() override {
        ActivityWindow::Form_Load();
        ++loads;
    }
    void cmdExit_Click() override {
        if (running) {
            running = false;
            cmdExit->setText("E&xit");
            return;
        }
        unload();
    }
    void longHandler() {
        Pause(0.3);
        finishedAfterWait = true; // the window must still be alive here
    }
    SSCommand* cmdExit;
    bool running = false;
    bool finishedAfterWait = false;
};

const QByteArray kDefaults = formatSettings(Settings{});

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestActivity::loads = 0;
        Activities::add(1, [](QWidget* opener) { return new TestActivity(opener); });
        writeSettings(kDefaults);
    }
    void TearDown() override { Activities::remove(1); }

    void writeSettings(const QByteArray& bytes) {
        QFile f(fake.appDir() + "nibsy51.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readSettings() {
        QFile f(fake.appDir() + "nibsy51.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static TestActivity* openActivity() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* a = dynamic_cast<TestActivity*>(w); a && a->isVisible()) {
                return a;
            }
        }
        return nullptr;
    }

    test::FakePlatform fake;
};

} // namespace

TEST_F(MenuTest, ShowsSixteenButtonsAndDisablesThoseWithoutAWindow) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    EXPECT_EQ(menu.windowTitle(), "Nibsy Learning, Version 5.0");
    EXPECT_EQ(menu.cmdChoice(1)->text(), "Letter Fun");
    EXPECT_EQ(menu.cmdChoice(7)->text(), "Colors && Shapes");
    EXPECT_EQ(menu.cmdChoice(15)->text(), "Balloon Popper");
    EXPECT_TRUE(menu.cmdChoice(0)->text().isEmpty());
    EXPECT_TRUE(menu.cmdChoice(1)->isEnabled());
    for (int i : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        EXPECT_FALSE(menu.cmdChoice(i)->isEnabled()) << i;
    }
    // The buttons stand in three columns of five rows.
    EXPECT_EQ(menu.cmdChoice(2)->x(), menu.cmdChoice(1)->x());
    EXPECT_EQ(menu.cmdChoice(5)->y(), menu.cmdChoice(1)->y());
    EXPECT_LT(menu.cmdChoice(1)->x(), menu.cmdChoice(5)->x());
    EXPECT_LT(menu.cmdChoice(5)->x(), menu.cmdChoice(11)->x());
    // The title picture is drawn: the picture box is not just its yellow background.
    QImage title = menu.Image1()->image();
    int notYellow = 0;
    for (int y = 0; y < title.height(); y += 4) {
        for (int x = 0; x < title.width(); x += 4) {
            notYellow += title.pixelColor(x, y) != QColor(255, 255, 128);
        }
    }
    EXPECT_GT(notYellow, 100);
}

TEST_F(MenuTest, ActivityOpensHidesMenuAndReturnsOnExit) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    QTest::mouseClick(menu.cmdChoice(1), Qt::LeftButton);
    EXPECT_FALSE(menu.isVisible());
    QPointer<TestActivity> first = openActivity();
    ASSERT_TRUE(first);
    EXPECT_EQ(TestActivity::loads, 1);

    // Exit doubles as Stop while a run is under way.
    first->running = true;
    QTest::mouseClick(first->cmdExit, Qt::LeftButton);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(menu.isVisible());

    QTest::mouseClick(first->cmdExit, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first); // the window is gone, and opening it again loads it afresh

    QTest::mouseClick(menu.cmdChoice(1), Qt::LeftButton);
    ASSERT_TRUE(openActivity());
    EXPECT_EQ(TestActivity::loads, 2);
    // Closing by the frame also returns to the menu.
    openActivity()->close();
    EXPECT_TRUE(menu.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openActivity(), nullptr);
}

TEST_F(MenuTest, HelpButtonsAskForContentsOrTheWindowsContext) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    QTest::mouseClick(menu.cmdHelp(), Qt::LeftButton);
    menu.cmdChoice_Click(1);
    openActivity()->cmdHelp_Click();
    EXPECT_EQ(fake.help.asked, (QList<int>{0, 7}));
    openActivity()->close();
}

TEST_F(MenuTest, CloseDuringAWaitIsHeldUntilTheHandlerHasReturned) {
    services().clock = std::make_unique<SystemClock>();
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.cmdChoice_Click(1);
    QPointer<TestActivity> activity = openActivity();
    ASSERT_TRUE(activity);
    QTimer::singleShot(50, activity, [&] { activity->close(); });
    activity->longHandler();
    ASSERT_TRUE(activity);
    EXPECT_TRUE(activity->finishedAfterWait);
    EXPECT_FALSE(menu.isVisible());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(activity);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MenuTest, ExitAndClosingTheFrameSaveTheSettingsByteForByte) {
    const QByteArray custom = QByteArray(kDefaults).replace("\"Player 2\",3,1", "\"Anna, Ben\",1,2");
    writeSettings(custom);
    {
        frmMenu menu;
        QSignalSpy ended(&menu, &frmMenu::suiteEnded);
        ASSERT_TRUE(menu.Form_Load());
        QFile::remove(fake.appDir() + "nibsy51.ini"); // proves that Exit writes the file anew
        menu.show();
        QTest::mouseClick(menu.cmdExit(), Qt::LeftButton);
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(readSettings(), custom);
    }
    {
        frmMenu menu;
        QSignalSpy ended(&menu, &frmMenu::suiteEnded);
        ASSERT_TRUE(menu.Form_Load());
        settings().LetterCase = 1;
        menu.show();
        menu.close();
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(readSettings(), QByteArray(custom).replace("\r\n0\r\n1,6", "\r\n1\r\n1,6"));
    }
}

TEST_F(MenuTest, ExitWithAReadOnlySettingsFileSaysSoAndLeavesItAlone) {
    frmMenu menu;
    QSignalSpy ended(&menu, &frmMenu::suiteEnded);
    ASSERT_TRUE(menu.Form_Load());
    settings().LetterCase = 1;
    const QString path = fake.appDir() + "nibsy51.ini";
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    menu.show();
    QTest::mouseClick(menu.cmdExit(), Qt::LeftButton);
    EXPECT_EQ(ended.count(), 1);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(fake.dialogs.shown[0].kind, test::FakeDialogs::Critical);
    EXPECT_EQ(fake.dialogs.shown[0].text,
              "The settings could not be saved in nibsy51.ini. The last saved settings are kept.");
    EXPECT_EQ(readSettings(), kDefaults);
    EXPECT_FALSE(QFile::permissions(path) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(MenuTest, ShortOrCorruptSettingsStopTheSuiteAndLeaveTheFileAlone) {
    for (const QByteArray& bad :
         {kDefaults.left(kDefaults.size() - 5), QByteArray(kDefaults).replace("2,20", "2,x"),
          QByteArray(kDefaults).replace("2,20", "2,99999")}) {
        writeSettings(bad);
        fake.dialogs.shown.clear();
        frmMenu menu;
        QSignalSpy ended(&menu, &frmMenu::suiteEnded);
        EXPECT_FALSE(menu.Form_Load());
        ASSERT_EQ(fake.dialogs.shown.size(), 1);
        EXPECT_EQ(fake.dialogs.shown[0].kind, test::FakeDialogs::Critical);
        EXPECT_EQ(fake.dialogs.shown[0].text, "File missing/incomplete - Reinstall program");
        EXPECT_FALSE(menu.isVisible());
        menu.close(); // even closing the window now writes nothing
        EXPECT_EQ(ended.count(), 0);
        EXPECT_EQ(readSettings(), bad);
    }
    QFile::remove(fake.appDir() + "nibsy51.ini");
    frmMenu menu;
    EXPECT_FALSE(menu.Form_Load());
    EXPECT_FALSE(QFile::exists(fake.appDir() + "nibsy51.ini"));
}
