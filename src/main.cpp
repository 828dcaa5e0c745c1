// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActivityList.h"
#include "platform/AppFiles.h"
#include "platform/Fonts.h"
#include "platform/Scaling.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/Activities.h"
#include "shell/AppFatal.h"
#include "shell/Backdrop.h"
#include "shell/CommandLine.h"
#include "shell/GrownUpGate.h"
#include "shell/Settings.h"
#include "shell/frmMenu.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <algorithm>
#include <cstdio>

namespace {

int finish(const nibsy::CommandLine& line) {
    std::fputs(qPrintable(line.text), line.status == 0 ? stdout : stderr);
    return line.status;
}

// The factor to draw at: the one asked for now or on an earlier start, or else the one that suits
// the screen for a menu menuWidth pixels wide and the activities' windows.
double startScale(const nibsy::CommandLine& line, int menuWidth) {
    if (line.automaticScale) {
        nibsy::rememberScale(std::nullopt);
    } else if (line.scale) {
        nibsy::rememberScale(line.scale);
        return *line.scale;
    } else if (const auto remembered = nibsy::rememberedScale()) {
        return *remembered;
    }
    QSize largest;
    for (int button = 0; button < nibsy::MenuButtons; ++button) {
        if (const nibsy::ActivityDescriptor* activity = nibsy::Activities::find(button)) {
            largest = largest.expandedTo(nibsy::twipsSize(activity->widthTwips, activity->heightTwips));
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize();
    return line.fullScreen ? nibsy::fullScreenScale(area, largest)
                           : nibsy::fittingScale(area, menuWidth, largest.height());
}

} // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("Nibsy Learning"));
    QApplication::setApplicationVersion(QStringLiteral(NIBSY_VERSION));
    // The desktop entry's name, by which a Wayland desktop finds the suite's icon and menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.nibsy.Learning"));
    {
        // The options and the version are printed without a display.
        QStringList early;
        for (int i = 0; i < argc; ++i) {
            early << QString::fromLocal8Bit(argv[i]);
        }
        if (const nibsy::CommandLine line = nibsy::readCommandLine(early); line.ends && line.status == 0) {
            return finish(line);
        }
    }
    QApplication app(argc, argv);
    const nibsy::CommandLine line = nibsy::readCommandLine(QApplication::arguments());
    if (line.ends) {
        return finish(line);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    nibsy::setKioskMode(line.kiosk);
    nibsy::installFontSubstitutions();
    nibsy::installRealServices();
    if (!nibsy::AppFiles::locate(QString::fromLatin1(nibsy::kSettingsFile))) {
        nibsy::dialogs().information(
            nullptr,
            QStringLiteral("Your settings and recordings cannot be kept: the folder %1 cannot be made.")
                .arg(QDir::toNativeSeparators(nibsy::AppFiles::userDir())));
    }
    nibsy::registerActivities();

    nibsy::frmMenu menu;
    // A factor given to Qt itself in the environment stands.
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        nibsy::applyScale(startScale(line, menu.width()));
    }
    std::unique_ptr<nibsy::Backdrop> backdrop;
    if (line.fullScreen) {
        backdrop = std::make_unique<nibsy::Backdrop>(menu.palette().color(QPalette::Window));
        backdrop->toggle();
    }
    nibsy::services().fatal = std::make_unique<nibsy::AppFatal>(&menu);
    QObject::connect(&menu, &nibsy::frmMenu::suiteEnded, &app, &QApplication::exit, Qt::QueuedConnection);
    int status = 1;
    if (menu.Form_Load()) {
        menu.enableChoices();
        menu.show();
        status = app.exec();
    }
    // Sound and help objects go before the application object they belong to.
    nibsy::clearServices();
    return status;
}
