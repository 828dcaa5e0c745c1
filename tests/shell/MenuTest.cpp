// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
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
        setFrameButtons(cmdExit, nullptr);
        cmdGo = makeButton(this, "&Go", font());
        cmdAnswer = makeButton(this, "&Answer", font());
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

// A sub-menu: its one choice opens the test activity in its place, and it comes back when that closes.
class TestSubMenu : public ActivityWindow {
public:
    static const ActivityDescriptor Activity;
    explicit TestSubMenu(QWidget* opener) : ActivityWindow(opener, Activity) {
        cmdChoice = makeButton(this, "Go", font());
        place(cmdChoice, 120, 120, 1200, 495);
        connect(cmdChoice, &QPushButton::clicked, this, [this] {
            hide();
            openActivity(TestActivity::Activity, this);
        });
    }
    void Form_Activate() override { ++activations; }
    SSCommand* cmdChoice;
    int activations = 0;
};

const ActivityDescriptor TestSubMenu::Activity{
    7,    "Test Sub-menu",
    9,    3000,
    2000, [](QWidget* opener) -> ActivityWindow* { return new TestSubMenu(opener); }};

const QByteArray kDefaults = formatSettings(Settings{});

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestActivity::loads = 0;
        Activities::add(TestActivity::Activity);
        Activities::add(TestSubMenu::Activity);
        writeSettings(kDefaults);
    }
    void TearDown() override {
        Activities::remove(1);
        Activities::remove(7);
    }

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
    // The picture buttons say what they are when the pointer rests on them.
    EXPECT_EQ(menu.cmdChoice(0)->toolTip() + "/" + menu.cmdExit()->toolTip(), "Sound Editor/Exit");
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
    click(activity->cmdAnswer); // a click of its own counts, a double-click once
    doubleClick(activity->cmdAnswer);
    EXPECT_EQ(activity->answers, 2);
    activity->close();
}

TEST_F(MenuTest, ASubMenuHidesForItsActivityAndComesBackOneWindowAtATime) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    click(menu.cmdChoice(7));
    TestSubMenu* sub = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        sub = w->isVisible() && dynamic_cast<TestSubMenu*>(w) ? static_cast<TestSubMenu*>(w) : sub;
    }
    ASSERT_TRUE(sub);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        click(sub->cmdChoice);
        TestActivity* activity = shownActivity();
        ASSERT_TRUE(activity);
        EXPECT_FALSE(sub->isVisible());
        EXPECT_FALSE(menu.isVisible());
        QTest::keyClick(activity, Qt::Key_F1);
        click(activity->cmdExit);
        settle();
        EXPECT_TRUE(sub->isVisible());
        EXPECT_FALSE(menu.isVisible());
        QTest::keyClick(sub, Qt::Key_F1);
        // The sub-menu is told each time it comes back, so it can put the focus on its first choice.
        EXPECT_GE(sub->activations, round + 1);
    }
    EXPECT_EQ(fake.help.asked, (QList<int>{7, 9, 7, 9}));
    QPointer<TestSubMenu> gone = sub;
    sub->cmdExit_Click();
    settle();
    EXPECT_FALSE(gone);
    EXPECT_TRUE(menu.isVisible());
}

// A child's double-click: the first click stops the game, and the second would press what now stands
// there (Exit, which leaves), or land in the window the first click opened.
TEST_F(MenuTest, TheRestOfADoubleClickPressesNothingThatTheFirstClickBroughtUp) {
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.cmdChoice_Click(1);
    QPointer<TestActivity> activity = shownActivity();
    click(activity->cmdGo);
    ASSERT_TRUE(activity->running());
    doubleClick(activity->cmdExit);
    settle();
    ASSERT_TRUE(activity);
    EXPECT_FALSE(activity->running());
    EXPECT_TRUE(activity->isVisible());

    // The same from the window system, the second click coming once the first has been handled: it
    // presses nothing, and gives no focus to the Exit that took Stop's place.
    click(activity->cmdGo);
    const QPointF exitAt =
        activity->cmdExit->mapTo(activity.data(), QPointF(activity->cmdExit->rect().center()));
    const ulong t = ulong(QTest::lastMouseTimestamp) + 10'000;
    for (const auto& [type, after] : {std::pair{QEvent::MouseButtonPress, 0},
                                      {QEvent::MouseButtonRelease, 1},
                                      {QEvent::MouseButtonPress, 120},
                                      {QEvent::MouseButtonRelease, 121}}) {
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
            activity->windowHandle(), t + ulong(after), exitAt, activity->mapToGlobal(exitAt),
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
        settle();
    }
    QTest::lastMouseTimestamp = int(t + 10'000);
    ASSERT_TRUE(activity);
    EXPECT_FALSE(activity->running());
    EXPECT_NE(QApplication::focusWidget(), activity->cmdExit);

    // The first click opens a modal window; the rest of the double-click falls on its OK button.
    auto* options = new SSCommand("&Options", activity);
    options->resize(80, 30);
    options->show();
    const ulong at = ulong(QTest::lastMouseTimestamp) + 10'000;
    auto send = [](QWidget* to, QEvent::Type type, ulong when) {
        QMouseEvent e(type, QPointF(40, 15), to->mapToGlobal(QPointF(40, 15)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        e.setTimestamp(when);
        QApplication::sendEvent(to, &e);
    };
    int oks = 0;
    QObject::connect(options, &QPushButton::clicked, activity, [&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            auto* ok = new SSCommand("OK", dialog);
            ok->resize(80, 30);
            ok->show();
            QObject::connect(ok, &QPushButton::clicked, dialog, [&] { ++oks; });
            send(ok, QEvent::MouseButtonDblClick, at + 150);
            send(ok, QEvent::MouseButtonRelease, at + 151);
            dialog->close();
        });
        openModal<TestOptions>(activity.data());
    });
    send(options, QEvent::MouseButtonPress, at);
    send(options, QEvent::MouseButtonRelease, at + 1);
    QTest::lastMouseTimestamp = int(at + 10'000);
    EXPECT_EQ(oks, 0);
    activity->close();
}

// With the real wait and the window system's own delivery: the child clicks the answer and Stop while
// the activity waits. The answer belonged to the wait and is dropped; Stop still stops, once it is over.
TEST_F(MenuTest, StopClickedOrKeyedDuringAWaitStopsAfterItAndAllElseIsDropped) {
    services().clock = std::make_unique<SystemClock>();
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    menu.cmdChoice_Click(1);
    QPointer<TestActivity> activity = shownActivity();
    auto clickAt = [&](QWidget* control) {
        const QPointF at = control->mapTo(activity, control->rect().center());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                activity->windowHandle(), at, activity->mapToGlobal(at),
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
        }
    };
    for (int round = 1; round <= 2; ++round) { // and so again in the next game, by its shortcut
        SCOPED_TRACE(round);
        click(activity->cmdGo);
        QTimer::singleShot(50, activity, [&] { clickAt(activity->cmdAnswer); });
        QTimer::singleShot(70, activity, [&] { // the answer's shortcut, Alt+A
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    activity->windowHandle(), type, Qt::Key_A, Qt::AltModifier, QStringLiteral("a"));
            }
        });
        QTimer::singleShot(100, activity, [&] {
            if (round == 1) {
                clickAt(activity->cmdExit);
                return;
            }
            for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    activity->windowHandle(), type, Qt::Key_S, Qt::AltModifier, QStringLiteral("s"));
            }
        });
        activity->longHandler();
        EXPECT_TRUE(activity->running()); // nothing acts inside the handler
        settle();
        QTest::qWait(200); // a shortcut presses its button as a click would look, for a moment
        EXPECT_EQ(activity->answers, 0);
        EXPECT_FALSE(activity->running());
        EXPECT_TRUE(activity->isVisible());
    }
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
    QTimer::singleShot(50, activity, [&] {
        // The child asks for the options window, and then the window is closed by its frame.
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                activity->windowHandle(), type, Qt::Key_O, Qt::NoModifier, "o");
        }
        activity->close();
    });
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
