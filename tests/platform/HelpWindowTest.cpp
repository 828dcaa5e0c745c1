// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpWindow.h"

#include "platform/Centring.h"
#include "support/FakePlatform.h"

#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>

using namespace nibsy;
using nibsy::test::FakePlatform;

namespace {

const char* const HelpHtml = R"(<html><head><style>h1 { color: #000080; }</style></head>
<body><p>Nibsy Learning Help</p>
<SECTION ID='contents'><h1>Contents</h1><p><a href="#topic-3">Counting apples</a></p></SECTION>
<section id="topic-2"><h1>Shapes</h1><p>Drag a shape.</p></section>
<section class="page" id=topic-3><h1>Counting</h1><p>Count the apples on the tree.</p>
<p><a href="#contents">Back to contents</a> or <a href="#topic-9">More</a></p></section>
</body></html>
)";

void writeHelp(const FakePlatform& fake, const QString& html) {
    QFile file(fake.appDir() + QStringLiteral("nibsy.hlp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(html.toUtf8());
}

// Clicks the link with that text where the browser draws it.
void clickLink(QTextBrowser* browser, const QString& text) {
    const QTextCursor found = browser->document()->find(text);
    ASSERT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(inside).center());
}

} // namespace

TEST(QtHelpViewer, ShowsATopicAndFollowsItsLinksAndButtons) {
    FakePlatform fake;
    QtHelpViewer viewer;
    viewer.showContents(nullptr);
    EXPECT_EQ(viewer.window(), nullptr);
    writeHelp(fake, QString::fromUtf8(HelpHtml));
    // Asked for from a framed window, help is centred with its frame.
    QWidget activity;
    activity.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&activity));
    viewer.showContext(&activity, 3);
    QWidget* window = viewer.window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Nibsy Learning Help"));
    const auto centred = [window] {
        return centredFramePosition(QGuiApplication::primaryScreen()->geometry(), window->size(),
                                    window->windowHandle()->frameMargins());
    };
    EXPECT_EQ(window->frameGeometry().topLeft(), centred());
    auto* browser = window->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    auto shows = [&](const char* text) { return browser->toPlainText().contains(QString::fromUtf8(text)); };
    EXPECT_TRUE(shows("Count the apples on the tree.") && shows("Nibsy Learning Help"));
    EXPECT_FALSE(shows("Drag a shape.") || shows("Counting apples"));

    clickLink(browser, QStringLiteral("Back to contents"));
    EXPECT_TRUE(shows("Counting apples") && !shows("Count the apples on the tree."));
    clickLink(browser, QStringLiteral("Counting apples"));
    EXPECT_TRUE(shows("Count the apples on the tree."));

    // A link to a page the file lacks leaves the page as it was and says so.
    clickLink(browser, QStringLiteral("More"));
    EXPECT_TRUE(shows("Count the apples on the tree."));
    ASSERT_EQ(fake.dialogs.shown.size(), 2);
    EXPECT_EQ(std::tuple(fake.dialogs.shown[0].kind, fake.dialogs.shown[0].text, fake.dialogs.shown[1].text),
              std::tuple(nibsy::test::FakeDialogs::Information,
                         QStringLiteral("The help file nibsy.hlp is missing. Please reinstall the program."),
                         QStringLiteral("There is no help on this topic yet.")));

    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("contentsButton")), Qt::LeftButton);
    EXPECT_TRUE(shows("Counting apples"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());

    // Asked again, the same window comes back with the file as it is now.
    writeHelp(fake, QStringLiteral("<section id=\"topic-2\">Shapes, edited</section>"));
    viewer.showContext(&activity, 2);
    EXPECT_TRUE(viewer.window() == window && window->isVisible() && shows("Shapes, edited"));
    // A topic the file lacks is told and shows nothing.
    window->close();
    viewer.showContext(nullptr, 42);
    ASSERT_EQ(fake.dialogs.shown.size(), 3);
    EXPECT_EQ(fake.dialogs.shown[2].text, fake.dialogs.shown[1].text);
    EXPECT_FALSE(window->isVisible());
}

TEST(QtHelpViewer, OpensInFrontOfAModalWindowAndTakesInputUntilClosed) {
    FakePlatform fake;
    writeHelp(fake, QString::fromUtf8(HelpHtml));
    QtHelpViewer viewer;
    auto blocked = [](QWidget* w) {
        return QGuiApplicationPrivate::instance()->isWindowBlocked(w->windowHandle());
    };
    // A click that goes through the window, as the child's does, so a blocked window never sees it.
    auto click = [](QWidget* window, const char* button) {
        auto* b = window->findChild<QPushButton*>(QString::fromLatin1(button));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, b->mapTo(window, b->rect().center()));
    };
    // Help already open beside the activity when a modal window opens.
    viewer.showContents(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.window()));
    QDialog scale;
    scale.setWindowModality(Qt::ApplicationModal);
    scale.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scale));
    viewer.showContext(&scale, 3);
    QWidget* window = viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(!blocked(window) && blocked(&scale));
    click(window, "contentsButton");
    EXPECT_TRUE(
        window->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Counting apples")));
    click(window, "closeButton");
    EXPECT_FALSE(window->isVisible() || blocked(&scale));
}
