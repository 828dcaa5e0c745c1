// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityList.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/Activities.h"
#include "shell/AppFatal.h"
#include "shell/ModeWindow.h"
#include "shell/OpenWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/Settings.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"
#include "shell/frmMenu.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <qpa/qwindowsysteminterface.h>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class TestOptions : public OptionsDialog {
public:
    static inline int opened = 0;
    explicit TestOptions(QWidget* owner) : OptionsDialog(owner, "Test Options", 3000, 2000) {}
    void Form_Load() { ++opened; }
};

// An activity with a mode (Go gives way to an answer button in its place), options on "o" and a long wait.
class TestActivity : public ModeWindow {
public:
    static inline int loads = 0;
    static const ActivityDescriptor Activity;
    explicit TestActivity(QWidget* opener) : ModeWindow(opener, Activity) {
        cmdExit = makeButton(this, "E&xit", font());
        place(cmdExit, 120, 1200, 1200, 495);
        connect(cmdExit, &QPushButton::clicked, this, &TestActivity::cmdExit_Click);
        setExitButton(cmdExit);
        cmdGo = makeButton(this, "&Go", font());
        cmdAnswer = makeButton(this, "Answer", font());
        place(cmdGo, 120, 120, 1200, 495);
        place(cmdAnswer, 120, 120, 1200, 495);
        connect(cmdGo, &QPushButton::clicked, this, [this] {
            beginMode(1);
            cmdGo->hide();
            cmdAnswer->show();
        });
        connect(cmdAnswer, &QPushButton::clicked, this, [this] { ++answers; });
        StopMode();
        setKeyPreview(true);
    }
    void Form_Load() override {
        ModeWindow::Form_Load();
        ++loads;
    }
    void StopMode() override {
        cmdAnswer->hide();
        cmdGo->show();
        endMode();
    }
    void Form_KeyPress(int& KeyAscii) override {
        if (KeyAscii == 'o') {
            KeyAscii = 0;
            QTimer::singleShot(0, [] {
                if (auto* o = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget())) {
                    o->cmdOK_Click();
                }
            });
            openModal<TestOptions>(this);
        }
    }
    void longHandler() {
        Pause(0.3);
        finishedAfterWait = true; // the window must still be alive here
    }
    SSCommand* cmdExit;
    SSCommand* cmdGo;
    SSCommand* cmdAnswer;
    int answers = 0;
    bool finishedAfterWait = false;
};

const ActivityDescriptor TestActivity::Activity{
    .menuIndex = 1,
    .caption = "Test Activity",
    .helpContext = 7,
    .widthTwips = 3000,
    .heightTwips = 2000,
    .create = [](QWidget* opener) -> ActivityWindow* { return new TestActivity(opener); }};

const QByteArray kDefaults = formatSettings(Settings{});

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestActivity::loads = 0;
        Activities::add(TestActivity::Activity);
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
    static TestActivity* shownActivity() {
        TestActivity* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            shown = w->isVisible() && dynamic_cast<TestActivity*>(w) ? static_cast<TestActivity*>(w) : shown;
        }
        return shown;
    }
    void expectOneCritical(const QString& text) {
        ASSERT_EQ(fake.dialogs.shown.size(), 1);
        EXPECT_EQ(fake.dialogs.shown[0].kind, test::FakeDialogs::Critical);
        EXPECT_EQ(fake.dialogs.shown[0].text, text);
    }

    test::FakePlatform fake;
};

} // namespace

TEST_F(MenuTest, ShowsSixteenButtonsAndDisablesThoseWithoutAWindow) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    EXPECT_EQ(menu.windowTitle(), "Nibsy Learning, Version 5.0");
    const std::map<int, QString> captions{
        {0, ""}, {1, "Letter Fun"}, {7, "Colors && Shapes"}, {15, "Balloon Popper"}};
    for (const auto& [i, caption] : captions) {
        EXPECT_EQ(menu.cmdChoice(i)->text(), caption);
    }
    EXPECT_FALSE(menu.cmdChoice(2)->isEnabled());
    // Three columns of five rows.
    EXPECT_EQ(menu.cmdChoice(2)->x(), menu.cmdChoice(1)->x());
    EXPECT_EQ(menu.cmdChoice(5)->y(), menu.cmdChoice(1)->y());
    EXPECT_LT(menu.cmdChoice(1)->x(), menu.cmdChoice(5)->x());
    EXPECT_LT(menu.cmdChoice(5)->x(), menu.cmdChoice(11)->x());
    // The title picture is drawn over the yellow background.
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
    QPointer<TestActivity> first = shownActivity();
    ASSERT_TRUE(first);
    EXPECT_EQ(TestActivity::loads, 1);

    // Exit doubles as Stop while a mode runs.
    QTest::mouseClick(first->cmdGo, Qt::LeftButton);
    EXPECT_EQ(first->cmdExit->text(), "&Stop");
    QTest::mouseClick(first->cmdExit, Qt::LeftButton);
    EXPECT_EQ(first->cmdExit->text(), "E&xit");
    EXPECT_TRUE(first->cmdGo->isVisible());
    EXPECT_FALSE(menu.isVisible());

    QTest::mouseClick(first->cmdExit, Qt::LeftButton);
    EXPECT_TRUE(menu.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first); // gone, so opening it again loads it afresh
    QTest::mouseClick(menu.cmdChoice(1), Qt::LeftButton);
    ASSERT_TRUE(shownActivity());
    EXPECT_EQ(TestActivity::loads, 2);
    shownActivity()->close();
}

TEST_F(MenuTest, HelpButtonsAskForContentsOrTheWindowsContext) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    QTest::mouseClick(menu.cmdHelp(), Qt::LeftButton);
    QTest::keyClick(menu.cmdChoice(1), Qt::Key_F1); // on whatever has the focus
    menu.cmdChoice_Click(1);
    TestActivity* activity = shownActivity();
    activity->cmdHelp_Click();
    QTest::keyClick(activity->cmdExit, Qt::Key_F1);
    // From its options window, F1 asks for the activity's help.
    QTimer::singleShot(0, [] {
        auto* options = QApplication::activeModalWidget();
        QTest::keyClick(options, Qt::Key_F1);
        QTest::keyClick(options, Qt::Key_Escape);
    });
    type(activity, "o");
    EXPECT_EQ(fake.help.asked, (QList<int>{0, 0, 7, 7, 7}));
    activity->close();
}

TEST_F(MenuTest, TheSecondClickOfADoubleClickThatStartedAModeIsIgnored) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.cmdChoice_Click(1);
    TestActivity* activity = shownActivity();
    doubleClick(activity->cmdGo, activity->cmdAnswer);
    EXPECT_TRUE(activity->running());
    EXPECT_EQ(activity->answers, 0);
    click(activity->cmdAnswer); // a click of its own counts
    doubleClick(activity->cmdAnswer);
    EXPECT_EQ(activity->answers, 3);
    activity->close();
}

TEST_F(MenuTest, CloseDuringAWaitIsHeldUntilTheHandlerReturnsAndLaterInputIsDropped) {
    services().clock = std::make_unique<SystemClock>();
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.cmdChoice_Click(1);
    QPointer<TestActivity> activity = shownActivity();
    ASSERT_TRUE(activity);
    TestOptions::opened = 0;
    QTimer::singleShot(50, activity, [&] { activity->close(); });
    activity->longHandler();
    ASSERT_TRUE(activity);
    EXPECT_TRUE(activity->finishedAfterWait);
    EXPECT_FALSE(menu.isVisible());
    // A key typed meanwhile may reach the window before the held close has run.
    QTest::keyClick(activity, Qt::Key_O);
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(activity);
    EXPECT_EQ(TestOptions::opened, 0);
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MenuTest, TheExitStatusSaysWhetherTheSuiteEndedCleanly) {
    // Exit; a fatal end; Exit with a folder in the settings file's place; Exit with a read-only file.
    const QString path = fake.appDir() + "nibsy51.ini";
    for (const int way : {0, 1, 2, 3}) {
        SCOPED_TRACE(way);
        writeSettings(kDefaults);
        fake.dialogs.shown.clear();
        frmMenu menu;
        ASSERT_TRUE(menu.Form_Load());
        QSignalSpy ended(&menu, &frmMenu::suiteEnded);
        settings().LetterCase = 1;
        if (way == 1) {
            AppFatal(&menu).fail("The picture file is missing.");
        } else {
            if (way == 2) {
                QFile::remove(path);
                ASSERT_TRUE(QDir(fake.appDir()).mkdir("nibsy51.ini"));
            }
            if (way == 3) {
                QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            }
            menu.show();
            QTest::mouseClick(menu.cmdExit(), Qt::LeftButton);
        }
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended[0][0].toInt(), way == 0 ? 0 : 1);
        QDir(fake.appDir()).rmdir("nibsy51.ini");
        if (way == 3) {
            expectOneCritical(
                "The settings could not be saved in nibsy51.ini. The last saved settings are kept.");
            EXPECT_EQ(readSettings(), kDefaults);
            EXPECT_FALSE(QFile::permissions(path) &
                         (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

TEST_F(MenuTest, EveryActivityOfTheSuiteOpensFromItsButton) {
    Activities::remove(1);
    registerActivities();
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    const std::map<int, QString> captions{{1, "Letter Fun"},   {2, "Counting Fun"}, {3, "Nibsy Math"},
                                          {4, "Snowman Math"}, {6, "Card Fun"},     {8, "Matching Fun"},
                                          {9, "Barnyard Fun"}, {10, "Memory Game"}, {12, "Bug Builder"},
                                          {13, "Tic Tac Toe"}};
    for (int i = 0; i < MenuButtons; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(menu.cmdChoice(i)->isEnabled(), captions.count(i) == 1);
        if (!menu.cmdChoice(i)->isEnabled()) {
            continue;
        }
        click(menu.cmdChoice(i));
        QWidget* opened = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            opened = top->isVisible() && qobject_cast<ActivityWindow*>(top) ? top : opened;
        }
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->windowTitle(), captions.at(i));
        EXPECT_FALSE(menu.isVisible());
        opened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu.isVisible());
    }
    for (const auto& entry : captions) {
        Activities::remove(entry.first);
    }
}

TEST_F(MenuTest, ExitAndClosingTheFrameSaveTheSettingsByteForByte) {
    const QByteArray custom = QByteArray(kDefaults).replace("\"Player 2\",3,1", "\"Anna, Ben\",1,2");
    for (const bool byExit : {true, false}) {
        writeSettings(custom);
        frmMenu menu;
        QSignalSpy ended(&menu, &frmMenu::suiteEnded);
        ASSERT_TRUE(menu.Form_Load());
        QFile::remove(fake.appDir() + "nibsy51.ini"); // the file is written anew
        settings().LetterCase = byExit ? 0 : 1;
        menu.show();
        if (byExit) {
            QTest::mouseClick(menu.cmdExit(), Qt::LeftButton);
        } else {
            menu.close();
        }
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(readSettings(),
                  byExit ? custom : QByteArray(custom).replace("\r\n0\r\n1,6", "\r\n1\r\n1,6"));
    }
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
        expectOneCritical("File missing/incomplete - Reinstall program");
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
