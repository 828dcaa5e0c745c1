// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;

TEST(Fonts, OldWindowsFontNamesResolveToInstalledFonts) {
    if (!QFontDatabase::families().contains(QStringLiteral("Comic Neue"))) {
        GTEST_SKIP() << "fonts-comic-neue is not installed";
    }
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Comic Sans MS"), 24)).family(), QStringLiteral("Comic Neue"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"), 12)).family(), QStringLiteral("Liberation Sans"));
    installFontSubstitutions(); // a second time adds nothing
    EXPECT_EQ(QFont::substitutes(QStringLiteral("Courier New")).size(), 1);
}

// Each box is answered by clicking one of its buttons, as the user would, once it is up.
TEST(QtDialogs, ShowTheirTextTitleAndIconAndReportTheButtonPressed) {
    QtDialogs dialogs;
    QString title, text;
    QMessageBox::Icon icon{};
    int buttonCount = 0;
    QTimer poll;
    QMessageBox::StandardButton press = QMessageBox::Ok;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttonCount = int(box->buttons().size());
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        }
    });
    auto answer = [&](QMessageBox::StandardButton button) {
        press = button;
        poll.start(10);
    };

    answer(QMessageBox::Ok);
    dialogs.information(nullptr, QStringLiteral("One\r\nTwo\rThree"));
    EXPECT_EQ(title, QStringLiteral("Nibsy Learning"));
    EXPECT_EQ(text, QStringLiteral("One\nTwo\nThree"));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttonCount, 1);

    answer(QMessageBox::Ok);
    dialogs.critical(nullptr, QStringLiteral("Gone"), QStringLiteral("Oops"));
    EXPECT_EQ(title, QStringLiteral("Oops"));
    EXPECT_EQ(icon, QMessageBox::Critical);

    answer(QMessageBox::Ok);
    EXPECT_TRUE(dialogs.okCancel(nullptr, QStringLiteral("Erase?")));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttonCount, 2);
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(dialogs.okCancel(nullptr, QStringLiteral("Erase?")));
}
