// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu and the rules every activity window follows, met through a small activity of the test's own:
// opening and leaving, Stop, help, double-clicks, input and closes during a wait, and what
// the suite leaves in its settings file when it ends.
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "shell/AppFatal.h"
#include "shell/GrownUpGate.h"
#include "shell/ModeWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"
#include "shell/frmMenu.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
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

// New Game starts a mode and gives way to an answer button in its place; Help and Exit share the row
// under it. Digits typed anywhere are the window's, "o" opens its options; a long wait.
class TestActivity : public ModeWindow {
public:
    static inline int loads = 0;
    static const ActivityDescriptor Activity;
    explicit TestActivity(QWidget* opener) : ModeWindow(opener, Activity) {
        const CommandButtons frame = makeCommandButtons(this, {.frame = QRect(120, 120, 2760, 1500),
                                                               .first = QRect(120, 240, 1200, 450),
                                                               .columns = 2,
                                                               .step = {1320, 600},
                                                               .font = font(),
                                                               .onNew = [this] {
                                                                   beginMode(1);
                                                                   cmdNew->hide();
                                                                   cmdAnswer->show();
                                                               }});
        cmdNew = frame.cmdNew;
        cmdHelp = frame.cmdHelp;
        cmdExit = frame.cmdExit;
        cmdAnswer = makeButton(frame.frame, "&Answer", font());
        cmdAnswer->setGeometry(cmdNew->geometry());
        connect(cmdAnswer, &QPushButton::clicked, this, [this] { ++answers; });
        setFrameButtons(cmdExit, cmdHelp, cmdNew);
        StopMode();
        setKeyPreview(true);
    }
    void Form_Load() override {
        ModeWindow::Form_Load();
        ++loads;
    }
    void StopMode() override {
        cmdAnswer->hide();
        cmdNew->show();
        endMode();
    }
    void Form_KeyPress(int& KeyAscii) override {
        keys += QChar(KeyAscii);
        if (QChar(KeyAscii).isDigit()) {
            KeyAscii = 0;
        } else if (KeyAscii == 'o') {
            KeyAscii = 0;
            // The parent asks for help there, and puts the window away.
            QTimer::singleShot(0, [] {
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_F1);
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
            });
            openModal<TestOptions>(this);
        }
    }
    void longHandler() {
        Pause(0.3);
        finishedAfterWait = true; // the window must still be alive here
    }
    SSCommand* cmdNew;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;
    SSCommand* cmdAnswer;
    int answers = 0;
    QString keys;
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

// A click or key from the window system, delivered once the event loop runs (during a wait, say).
void clickFromSystem(QWidget* control, ulong at = 0) {
    QWidget* window = control->window();
    const QPointF p = control->mapTo(window, QPointF(control->rect().center()));
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QWindowSystemInterface::handleMouseEvent(
            window->windowHandle(), at ? at + (type != QEvent::MouseButtonPress) : 0, p,
            window->mapToGlobal(p), type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
            Qt::LeftButton, type);
    }
}
void keyFromSystem(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWindowSystemInterface::handleKeyEvent(window->windowHandle(), type, key, modifiers, text);
    }
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestActivity::loads = 0;
        Activities::add(TestActivity::Activity);
        writeSettings(kDefaults);
        menu.enableChoices();
        ASSERT_TRUE(menu.Form_Load());
        menu.show();
    }
    void TearDown() override {
        setKioskMode(false);
        Activities::remove(0);
        Activities::remove(1);
        settings() = Settings{};
    }
    // The file's name is matched without regard to case, and it is saved under the name it has.
    void writeSettings(const QByteArray& bytes) {
        QFile f(fake.appDir() + "NIBSY51.INI");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readSettings() {
        EXPECT_LE(QDir(fake.appDir()).entryList(QDir::Files).size(), 1);
        QFile f(fake.appDir() + "NIBSY51.INI");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TestActivity* openTest() {
        click(menu.cmdChoice(1));
        return shownWindow<TestActivity>();
    }

    test::FakePlatform fake;
    frmMenu menu;
};

} // namespace

TEST_F(MenuTest, OpensAnActivityInItsPlaceWithStopHelpAndAWayBack) {
    EXPECT_FALSE(menu.cmdChoice(2)->isEnabled()); // no window on it
    // Exit shows a door, and its tip says what it does.
    EXPECT_GT(pixelsOf(menu.cmdExit(), QColor(0xc9, 0x8a, 0x3c)), 100); // the door's wood
    EXPECT_EQ(menu.cmdExit()->toolTip(), "Exit");
    click(menu.cmdHelp());
    QTest::keyClick(menu.cmdChoice(1), Qt::Key_F1);

    QPointer<TestActivity> first = openTest();
    ASSERT_TRUE(first);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(TestActivity::loads, 1);
    // Exit doubles as Stop while a mode runs.
    click(first->cmdNew);
    EXPECT_EQ(first->cmdExit->text(), "&Stop");
    click(first->cmdExit);
    EXPECT_EQ(first->cmdExit->text(), "E&xit");
    EXPECT_TRUE(first->cmdNew->isVisible());
    EXPECT_FALSE(menu.isVisible());
    // New Game over the width of the frame, Help and Exit side by side under it.
    EXPECT_EQ(first->cmdNew->width(), first->cmdExit->geometry().right() - first->cmdHelp->x() + 1);
    EXPECT_EQ(first->cmdHelp->y(), first->cmdExit->y());
    EXPECT_GT(first->cmdHelp->y(), first->cmdNew->geometry().bottom());

    // Keys typed anywhere reach the window first, once each; those it does not take go on.
    click(first->cmdNew);
    first->cmdAnswer->setFocus();
    QTest::keyClicks(first->cmdAnswer, "77 ");
    QTest::keyClick(first->cmdAnswer, Qt::Key_Backspace);
    EXPECT_EQ(first->keys, "77 \b");
    EXPECT_EQ(first->answers, 1);
    click(first->cmdExit);

    // Help from the window, by F1 and from its options window: the activity's page every time.
    first->cmdHelp_Click();
    QTest::keyClick(first->cmdExit, Qt::Key_F1);
    type(first, "o");
    EXPECT_EQ(fake.help.asked, (QList<int>{0, 0, 7, 7, 7}));

    click(first->cmdExit);
    EXPECT_TRUE(menu.isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first); // gone, so opening it again loads it afresh
    ASSERT_TRUE(openTest());
    EXPECT_EQ(TestActivity::loads, 2);
    shownWindow<TestActivity>()->close();
}

// The grown-ups' button is never where a child's Enter lands: not at start, nor back from it.
TEST_F(MenuTest, TheFocusIsNeverLeftOnTheSoundEditorsButton) {
    ActivityDescriptor editor = TestActivity::Activity;
    editor.menuIndex = 0;
    Activities::add(editor);
    menu.enableChoices();
    QApplication::setActiveWindow(&menu);
    EXPECT_EQ(QApplication::focusWidget(), menu.cmdChoice(1));
    click(menu.cmdChoice(0));
    ASSERT_TRUE(shownWindow<TestActivity>());
    shownWindow<TestActivity>()->close();
    settle();
    QApplication::setActiveWindow(&menu);
    EXPECT_EQ(QApplication::focusWidget(), menu.cmdChoice(1));
    Activities::remove(0);
}

// A child's double-click: the second click must not press what the first one brought up under the
// pointer (the answer in New Game's place, Exit in Stop's place).
TEST_F(MenuTest, TheRestOfADoubleClickPressesNothingThatTheFirstClickBroughtUp) {
    QPointer<TestActivity> activity = openTest();
    doubleClick(activity->cmdNew, activity->cmdAnswer);
    EXPECT_TRUE(activity->running());
    EXPECT_EQ(activity->answers, 0);
    click(activity->cmdAnswer); // a click of its own counts, a double-click once
    doubleClick(activity->cmdAnswer);
    EXPECT_EQ(activity->answers, 2);
    doubleClick(activity->cmdExit);
    settle();
    ASSERT_TRUE(activity);
    EXPECT_FALSE(activity->running());
    EXPECT_TRUE(activity->isVisible());

    // The same from the window system, the second click coming once the first has been handled: it
    // presses nothing, and gives no focus to the Exit that took Stop's place.
    click(activity->cmdNew);
    const ulong t = ulong(QTest::lastMouseTimestamp) + 10'000;
    clickFromSystem(activity->cmdExit, t);
    settle();
    clickFromSystem(activity->cmdExit, t + 120);
    settle();
    QTest::lastMouseTimestamp = int(t + 10'000);
    ASSERT_TRUE(activity);
    EXPECT_FALSE(activity->running());
    EXPECT_NE(QApplication::focusWidget(), activity->cmdExit);

    activity->close();
}

// Return on one activity's button, and a click on another before the button has come up again: only
// the activity clicked opens, and the press of the first goes for nothing once the menu is hidden.
TEST_F(MenuTest, AKeyPressOnAButtonGoesForNothingWhenAClickTakesTheChildElsewhereFirst) {
    static const ActivityDescriptor second = [] {
        ActivityDescriptor d = TestActivity::Activity;
        d.menuIndex = 2;
        return d;
    }();
    Activities::add(second);
    menu.enableChoices();
    menu.cmdChoice(1)->setFocus();
    QTest::keyClick(menu.cmdChoice(1), Qt::Key_Return);
    click(menu.cmdChoice(2));
    QTest::qWait(300);
    int shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        shown += w->isVisible();
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(TestActivity::loads, 1);
    EXPECT_FALSE(menu.isVisible());
    // Return by itself still presses the button, once its face has come up.
    shownWindow<TestActivity>()->close();
    settle();
    menu.cmdChoice(1)->setFocus();
    QTest::keyClick(menu.cmdChoice(1), Qt::Key_Return);
    EXPECT_EQ(TestActivity::loads, 1);
    QTest::qWait(300);
    EXPECT_EQ(TestActivity::loads, 2);
    shownWindow<TestActivity>()->close();
    settle();
    Activities::remove(2);
}

// With the real wait and the window system's own delivery: the child clicks the answer and Stop while
// the activity waits. The answer belonged to the wait and is dropped; Stop still stops, once it is over.
TEST_F(MenuTest, StopClickedOrKeyedDuringAWaitStopsAfterItAndAllElseIsDropped) {
    services().clock = std::make_unique<SystemClock>();
    QPointer<TestActivity> activity = openTest();
    for (int round = 1; round <= 2; ++round) { // and so again in the next game, by its shortcut
        SCOPED_TRACE(round);
        click(activity->cmdNew);
        QTimer::singleShot(50, activity, [&] { clickFromSystem(activity->cmdAnswer); });
        QTimer::singleShot(70, activity, [&] { keyFromSystem(activity, Qt::Key_A, Qt::AltModifier, "a"); });
        QTimer::singleShot(100, activity, [&] {
            if (round == 1) {
                clickFromSystem(activity->cmdExit);
            } else {
                keyFromSystem(activity, Qt::Key_S, Qt::AltModifier, "s");
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
    QPointer<TestActivity> activity = openTest();
    ASSERT_TRUE(activity);
    TestOptions::opened = 0;
    QTimer::singleShot(50, activity, [&] {
        // The child asks for the options window, and then the window is closed by its frame.
        keyFromSystem(activity, Qt::Key_O, Qt::NoModifier, "o");
        activity->close();
    });
    activity->longHandler();
    ASSERT_TRUE(activity);
    EXPECT_TRUE(activity->finishedAfterWait);
    EXPECT_FALSE(menu.isVisible());
    // A key typed meanwhile may reach the window before the held close has run.
    QTest::keyClick(activity, Qt::Key_O);
    settle();
    EXPECT_FALSE(activity);
    EXPECT_EQ(TestOptions::opened, 0);
    EXPECT_TRUE(menu.isVisible());
}

// Exit, the frame's close and a fatal error save the settings (once) and end the suite; the exit status
// tells a failed save, whose message names the file, which keeps what it held.
TEST_F(MenuTest, EndingTheSuiteSavesTheSettingsAndTheExitStatusSaysHowItWent) {
    const QString path = fake.appDir() + "NIBSY51.INI";
    const QByteArray custom = QByteArray(kDefaults).replace("\"Player 2\",3,1", "\"Anna, Ben\",1,2");
    enum Way { Exit, Frame, Fatal, ReadOnly };
    for (const Way way : {Exit, Frame, Fatal, ReadOnly}) {
        SCOPED_TRACE(way);
        // However many blank lines lead the values, up to the file's limit.
        writeSettings(way == Exit ? QByteArray(kSettingsFileLimit - custom.size(), '\n') + custom : custom);
        fake.dialogs.shown.clear();
        frmMenu suite;
        ASSERT_TRUE(suite.Form_Load());
        QSignalSpy ended(&suite, &frmMenu::suiteEnded);
        settings().LetterCase = 1;
        suite.show();
        if (way == ReadOnly) {
            QFile::setPermissions(path, QFile::ReadOwner);
        }
        if (way == Fatal) {
            AppFatal fatal(&suite);
            fatal.fail("The picture file is missing.");
            fatal.fail("a second failure adds nothing");
            EXPECT_FALSE(suite.isVisible());
        } else if (way == Frame) {
            suite.close();
        } else {
            click(suite.cmdExit());
        }
        suite.close(); // once ended, closing saves nothing more
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended[0][0].toInt(), way == Exit || way == Frame ? 0 : 1);
        EXPECT_EQ(fake.dialogs.shown.size(), way == Fatal || way == ReadOnly ? 1 : 0);
        if (way == ReadOnly) {
            EXPECT_EQ(fake.dialogs.shown[0].text,
                      "The settings could not be saved in nibsy51.ini. The last saved settings are kept.");
            EXPECT_EQ(readSettings(), custom);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            EXPECT_EQ(readSettings(), QByteArray(custom).replace("\r\n0\r\n1,6", "\r\n1\r\n1,6"));
        }
    }
}

TEST_F(MenuTest, ShortOrCorruptOrMissingSettingsStopTheSuiteAndLeaveTheFileAlone) {
    // Cut short, a value missing, an open quote, not whole numbers, too big for 16 bits, a number in
    // quotes, a byte over the limit, no file at all.
    QList<QByteArray> files{kDefaults.left(kDefaults.lastIndexOf("5,3"))};
    for (const auto& [from, bad] : {std::pair{"5,3\r\n", "5\r\n"},
                                    {"\"Player 4\",3,1", "\"Player 4,3,1"},
                                    {"2,20", "2.5,20"},
                                    {"2,20", "two,20"},
                                    {"2,20", "2,32768"},
                                    {"2,20", "2,-32769"},
                                    {"2,20", "2,"},
                                    {"2,20", "2,\"20\""}}) {
        files << QByteArray(kDefaults).replace(from, bad);
    }
    files << QByteArray(kSettingsFileLimit + 1 - kDefaults.size(), '\n') + kDefaults << QByteArray();
    for (const QByteArray& bad : files) {
        SCOPED_TRACE(bad.toStdString());
        if (bad.isEmpty()) {
            QFile::remove(fake.appDir() + "NIBSY51.INI");
        } else {
            writeSettings(bad);
        }
        fake.dialogs.shown.clear();
        frmMenu suite;
        QSignalSpy ended(&suite, &frmMenu::suiteEnded);
        EXPECT_FALSE(suite.Form_Load());
        ASSERT_EQ(fake.dialogs.shown.size(), 1);
        EXPECT_EQ(fake.dialogs.shown[0].kind, test::FakeDialogs::Critical);
        EXPECT_EQ(fake.dialogs.shown[0].text, "File missing/incomplete - Reinstall program");
        suite.close(); // even closing the window now writes nothing
        EXPECT_EQ(ended.count(), 0);
        EXPECT_EQ(readSettings(), bad);
        EXPECT_EQ(QFile::exists(fake.appDir() + "NIBSY51.INI"), !bad.isEmpty());
    }
}

namespace {

enum class Reply { Wrong, Escape, Right };

// Works the grown-up gate that trigger brings up, now or once its event is over, and says what it asked
// ("" when no gate came).
QString throughGate(const std::function<void()>& trigger, Reply reply) {
    QString asked;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* gate = qobject_cast<GrownUpGate*>(QApplication::activeModalWidget());
        if (!gate) {
            return;
        }
        poll.stop();
        asked = gate->windowTitle() == QStringLiteral("For Grown-Ups") ? gate->lblQuestion->text()
                                                                       : QStringLiteral("(untitled gate)");
        if (reply == Reply::Escape) {
            QTest::keyClick(gate->txtAnswer, Qt::Key_Escape);
        } else {
            // A letter slipped in among the digits is not taken.
            QTest::keyClicks(gate->txtAnswer,
                             "x" + QString::number(gate->answer() + (reply == Reply::Wrong)));
            QTest::keyClick(gate->txtAnswer, Qt::Key_Return);
        }
    });
    poll.start();
    trigger();
    for (int i = 0; i < 10 && asked.isEmpty(); ++i) {
        QCoreApplication::processEvents();
    }
    return asked;
}

void closeByFrame(QWidget* window) {
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
        window->windowHandle());
}

} // namespace

TEST_F(MenuTest, InKioskModeEveryWayOutAsksAGrownUpAndOnlyTheRightAnswerLetsThrough) {
    setKioskMode(true);
    ActivityDescriptor editor = TestActivity::Activity;
    editor.menuIndex = 0;
    Activities::add(editor);
    menu.enableChoices();
    QSignalSpy ended(&menu, &frmMenu::suiteEnded);
    QStringList asked;
    const QRegularExpression question(QStringLiteral("^Type the answer: ([6-9]) × ([6-9])$"));

    // The Sound Editor's button, the menu's frame and its Exit button: nothing happens without the answer.
    for (const auto& way :
         std::vector<std::function<void()>>{[&] { click(menu.cmdChoice(0)); }, [&] { closeByFrame(&menu); },
                                            [&] { click(menu.cmdExit()); }}) {
        for (const Reply reply : {Reply::Wrong, Reply::Escape}) {
            asked << throughGate(way, reply);
            EXPECT_TRUE(question.match(asked.last()).hasMatch()) << qPrintable(asked.last());
            EXPECT_TRUE(menu.isVisible());
            EXPECT_EQ(shownWindow<TestActivity>(), nullptr);
            EXPECT_TRUE(ended.isEmpty());
        }
    }
    EXPECT_GT(QSet<QString>(asked.begin(), asked.end()).size(), 1); // a new question each time

    // The right answer opens the Sound Editor; its Exit goes back at once, but its frame asks too.
    EXPECT_FALSE(throughGate([&] { click(menu.cmdChoice(0)); }, Reply::Right).isEmpty());
    TestActivity* opened = shownWindow<TestActivity>();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(throughGate([&] { click(opened->cmdExit); }, Reply::Right).isEmpty());
    EXPECT_TRUE(menu.isVisible());
    opened = openTest();
    ASSERT_TRUE(opened);
    EXPECT_FALSE(throughGate([&] { closeByFrame(opened); }, Reply::Wrong).isEmpty());
    EXPECT_EQ(shownWindow<TestActivity>(), opened);
    EXPECT_FALSE(throughGate([&] { closeByFrame(opened); }, Reply::Right).isEmpty());
    settle();
    EXPECT_EQ(shownWindow<TestActivity>(), nullptr);
    EXPECT_TRUE(menu.isVisible());

    // The right answer at the menu's frame ends the suite.
    EXPECT_FALSE(throughGate([&] { closeByFrame(&menu); }, Reply::Right).isEmpty());
    EXPECT_EQ(ended.count(), 1);
}
