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
    if (!QFontDatabase::families().contains(QStringLiteral("Comic Neue")))
        GTEST_SKIP() << "fonts-comic-neue is not installed";
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Comic Sans MS"), 24)).family(), QStringLiteral("Comic Neue"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"), 12)).family(), QStringLiteral("Liberation Sans"));
}

// Each box is answered by clicking one of its buttons, as the user would, once it is up; the box is
// noted as title, text, icon and number of buttons.
TEST(QtDialogs, ShowTheirTextTitleAndIconAndReportTheButtonPressed) {
    QtDialogs dialogs;
    QStringList seen;
    QTimer poll;
    QMessageBox::StandardButton press = QMessageBox::Ok;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen << QStringLiteral("%1|%2|%3|%4")
                        .arg(box->windowTitle(), box->text())
                        .arg(int(box->icon()))
                        .arg(box->buttons().size());
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        }
    });
    auto answer = [&](QMessageBox::StandardButton button) {
        press = button;
        poll.start(10);
    };
    answer(QMessageBox::Ok);
    dialogs.information(nullptr, QStringLiteral("One\r\nTwo\rThree"));
    answer(QMessageBox::Ok);
    dialogs.critical(nullptr, QStringLiteral("Gone"), QStringLiteral("Oops"));
    answer(QMessageBox::Ok);
    EXPECT_TRUE(dialogs.okCancel(nullptr, QStringLiteral("Erase?")));
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(dialogs.okCancel(nullptr, QStringLiteral("Erase?")));
    const QString info = QString::number(int(QMessageBox::Information));
    EXPECT_EQ(seen,
              (QStringList{"Nibsy Learning|One\nTwo\nThree|" + info + "|1",
                           "Oops|Gone|" + QString::number(int(QMessageBox::Critical)) + "|1",
                           "Nibsy Learning|Erase?|" + info + "|2", "Nibsy Learning|Erase?|" + info + "|2"}));
}
