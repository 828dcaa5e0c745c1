// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/SSCommand.h"
#include "platform/Twips.h"
#include "shell/ActivityWindow.h"
#include "shell/AppFatal.h"
#include "shell/Settings.h"
#include "shell/Widgets.h"
#include "shell/frmMenu.h"
#include "support/FakePlatform.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

const ActivityDescriptor Keys{.menuIndex = NoMenuButton,
                              .caption = "Keys",
                              .helpContext = 1,
                              .widthTwips = 3000,
                              .heightTwips = 2000,
                              .create = nullptr};
const ActivityDescriptor Centred{.menuIndex = NoMenuButton,
                                 .caption = "Centred",
                                 .helpContext = 1,
                                 .widthTwips = 6000,
                                 .heightTwips = 4500,
                                 .create = nullptr,
                                 .background = QColor(208, 232, 255)};

// A window that previews keys: letters are taken, everything else goes on to the control.
class PreviewWindow : public ActivityWindow {
public:
    PreviewWindow() : ActivityWindow(nullptr, Keys) {
        button = new QPushButton("Go", this);
        connect(button, &QPushButton::clicked, this, [this] { ++clicks; });
        setKeyPreview(true);
    }
    void Form_KeyPress(int& KeyAscii) override {
        keys += QChar(KeyAscii);
        if (QChar(KeyAscii).isLetter()) {
            KeyAscii = 0;
        }
    }
    QPushButton* button;
    QString keys;
    int clicks = 0;
};

} // namespace

TEST(Conventions, KeyPreviewSeesEveryKeyOnceBeforeTheControl) {
    test::FakePlatform fake;
    PreviewWindow w;
    w.show();
    QApplication::setActiveWindow(&w);
    w.button->setFocus();
    QTest::keyClicks(w.button, "aPPle");
    EXPECT_EQ(w.keys, "aPPle");
    EXPECT_EQ(w.clicks, 0);
    QTest::keyClick(w.button, Qt::Key_Space, Qt::NoModifier); // not taken: the button gets it
    EXPECT_EQ(w.keys, "aPPle ");
    EXPECT_EQ(w.clicks, 1);
    QTest::keyClick(&w, Qt::Key_7);
    QTest::keyClick(&w, Qt::Key_Backspace); // an answer box's Backspace is previewed too
    EXPECT_EQ(w.keys, "aPPle 7\b");
}

TEST(Conventions, WindowsAreCentredWithTheirFrame) {
    // A 640 x 480 screen, a 400 x 300 window: its title bar counts, so the client stands that much lower.
    const QRect area(0, 0, 640, 480);
    for (const auto& [frame, topLeft] : {std::pair{QMargins(), QPoint(120, 90)},
                                         {QMargins(4, 24, 4, 4), QPoint(116, 76)},
                                         {QMargins(0, 30, 0, 0), QPoint(120, 75)}}) {
        EXPECT_EQ(centredFramePosition(area, QSize(400, 300), frame), topLeft);
    }

    test::FakePlatform fake;
    QWidget opener;
    auto* w = new ActivityWindow(&opener, Centred);
    w->Form_Load();
    w->show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(w->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(w->frameGeometry().center().y(), screen.center().y(), 2);
    EXPECT_EQ(w->size(), QSize(400, 300));                                      // 15 twips a pixel
    EXPECT_EQ(w->grab().toImage().pixelColor(200, 150), QColor(208, 232, 255)); // the descriptor's background
    w->close();
    EXPECT_TRUE(opener.isVisible()); // a sub-window returns to whoever opened it
}

TEST(Conventions, CommandButtonsGoInReadingOrderAndAFirstOnARowOfItsOwnSpansIt) {
    test::FakePlatform fake;
    QWidget opener;
    auto* w = new ActivityWindow(&opener, Centred);
    int options = 0;
    int games = 0;
    // Options over the width of the frame, Help and Exit side by side under it.
    const CommandButtons framed = makeCommandButtons(w, {.frame = QRect(120, 2400, 2760, 1725),
                                                         .first = QRect(120, 300, 1200, 555),
                                                         .columns = 2,
                                                         .step = {1320, 720},
                                                         .font = comicFont(12, true),
                                                         .onOptions = [&] { ++options; }});
    ASSERT_TRUE(framed.frame && framed.cmdOptions && framed.cmdHelp && framed.cmdExit);
    EXPECT_EQ(framed.cmdNew, nullptr);
    EXPECT_EQ(framed.frame->geometry(), twipsRect(120, 2400, 2760, 1725));
    QStringList shown;
    for (SSCommand* button : {framed.cmdOptions, framed.cmdHelp, framed.cmdExit}) {
        EXPECT_EQ(button->parentWidget(), framed.frame);
        EXPECT_EQ(button->font(), comicFont(12, true));
        shown << button->text();
    }
    EXPECT_EQ(shown, QStringList({"&Options", "&Help", "E&xit"}));
    EXPECT_EQ(framed.cmdOptions->geometry(), twipsRect(120, 300, 2520, 555));
    EXPECT_EQ(framed.cmdHelp->geometry(), twipsRect(120, 1020, 1200, 555));
    EXPECT_EQ(framed.cmdExit->geometry(), twipsRect(1440, 1020, 1200, 555));

    // All four in a column on the window itself.
    const CommandButtons column = makeCommandButtons(w, {.first = QRect(4000, 120, 1680, 495),
                                                         .step = {0, 615},
                                                         .font = arialFont(12, true),
                                                         .onNew = [&] { ++games; },
                                                         .onOptions = [&] { ++options; }});
    EXPECT_EQ(column.frame, nullptr);
    ASSERT_TRUE(column.cmdNew && column.cmdOptions);
    EXPECT_EQ(column.cmdNew->text(), "&New Game");
    EXPECT_EQ(column.cmdNew->parentWidget(), w);
    EXPECT_EQ(column.cmdNew->geometry(), twipsRect(4000, 120, 1680, 495));
    EXPECT_EQ(column.cmdExit->geometry(), twipsRect(4000, 120 + 3 * 615, 1680, 495));

    w->show();
    test::click(column.cmdNew);
    test::click(framed.cmdOptions);
    test::click(column.cmdOptions);
    test::click(framed.cmdHelp);
    EXPECT_EQ(QList<int>({games, options}), QList<int>({1, 2}));
    EXPECT_EQ(fake.help.asked, QList<int>{1});
    QPointer<ActivityWindow> window = w;
    test::click(column.cmdExit);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(opener.isVisible());
}

TEST(Conventions, MissingOrDamagedPictureEndsTheSuiteWithAMessageNamingIt) {
    test::FakePlatform fake;
    QFile junk(fake.appDir() + "junk.bmp");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM this is not a bitmap at all");
    junk.close();
    for (const QString name : {"APPLE.wmf", "JUNK.BMP"}) {
        fake.fatal.messages.clear();
        EXPECT_TRUE(pictures().load(name).isNull());
        ASSERT_EQ(fake.fatal.messages.size(), 1);
        EXPECT_TRUE(fake.fatal.messages[0].contains(name));
    }

    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(fake.appDir() + "Red.bmp"));
    const Picture p = pictures().load("red.BMP");
    EXPECT_EQ(p.size(), QSize(4, 4));
    EXPECT_EQ(p.toImage(QSize(8, 8)).pixelColor(4, 4), QColor(Qt::red));
}

TEST(Conventions, FatalErrorShowsTheMessageKeepsTheSettingsAndEnds) {
    test::FakePlatform fake;
    {
        QFile f(fake.appDir() + "nibsy51.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(formatSettings(Settings{}));
    }
    frmMenu menu;
    ASSERT_TRUE(menu.Form_Load());
    QSignalSpy ended(&menu, &frmMenu::suiteEnded);
    settings().BiggestNumber = 12;
    AppFatal fatal(&menu);
    fatal.fail("The picture file \"APPLE.wmf\" is missing.");
    fatal.fail("a second failure adds nothing");
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(fake.dialogs.shown[0].kind, test::FakeDialogs::Critical);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(menu.isVisible());
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(settings().BiggestNumber, 12);
}
