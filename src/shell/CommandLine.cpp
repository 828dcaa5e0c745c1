// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandLine.h"

#include "platform/Scaling.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace nibsy {

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Learning games for young children."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Draws everything F times larger, F from 1 to 4 (such as 1.5), and keeps the choice "
                       "for later starts. \"auto\" chooses from the screen again, as at first."),
        QStringLiteral("F"));
    parser.addOption(scale);
    const QCommandLineOption fullScreen(
        QStringLiteral("fullscreen"),
        QStringLiteral(
            "Shows the windows as large as they fit, on a backdrop that covers the desktop. F11 puts "
            "the backdrop away and brings it back."));
    parser.addOption(fullScreen);
    const QCommandLineOption kiosk(
        QStringLiteral("kiosk"),
        QStringLiteral(
            "Full screen, and ending the suite, closing a window by its frame and opening the Sound "
            "Editor first ask a question only a grown-up can answer."));
    parser.addOption(kiosk);

    CommandLine line;
    auto end = [&](int status, const QString& text) {
        line.ends = true;
        line.status = status;
        line.text = text;
        return line;
    };
    const QString name = QCoreApplication::applicationName();
    if (!parser.parse(arguments)) {
        return end(2, QStringLiteral("%1: %2\n").arg(name, parser.errorText()));
    }
    if (parser.isSet(help)) {
        // The parser names the program from the application object, which there may not be yet.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QFileInfo(arguments.value(0)).fileName());
        return end(0, text);
    }
    if (parser.isSet(version)) {
        return end(0, QStringLiteral("%1 %2\n").arg(name, QCoreApplication::applicationVersion()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return end(
            2, QStringLiteral("%1: unexpected argument \"%2\"\n").arg(name, parser.positionalArguments()[0]));
    }
    line.kiosk = parser.isSet(kiosk);
    line.fullScreen = line.kiosk || parser.isSet(fullScreen);
    if (parser.isSet(scale)) {
        const QString value = parser.value(scale);
        if (value == QStringLiteral("auto")) {
            line.automaticScale = true;
        } else if (const auto factor = parseScale(value)) {
            line.scale = factor;
        } else {
            return end(2,
                       QStringLiteral("%1: the scale must be a number from 1 to 4 or \"auto\", not \"%2\"\n")
                           .arg(name, value));
        }
    }
    return line;
}

} // namespace nibsy
