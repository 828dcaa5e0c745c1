// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the suite is asked on its command line: nibsy [--scale=F|auto] [--fullscreen] [--kiosk] [--help]
// [--version].

#include <QString>
#include <QStringList>
#include <optional>

namespace nibsy {

struct CommandLine {
    std::optional<double> scale; // --scale=F, from 1 to 4
    bool automaticScale = false; // --scale=auto: chosen from the screen, and the earlier choice forgotten
    bool fullScreen = false;     // --fullscreen: the windows as large as fit, on a backdrop over the desktop
    bool kiosk = false;          // --kiosk: full screen, and the ways out of the suite ask a grown-up first
    // Set when the program ends at once: the text to print (the options, the version, or what is wrong
    // with the command line) and the exit status, 0 when the text goes to standard output.
    bool ends = false;
    int status = 0;
    QString text;
};

// arguments as QCoreApplication::arguments() gives them, the program's name first.
CommandLine readCommandLine(const QStringList& arguments);

} // namespace nibsy
