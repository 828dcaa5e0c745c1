// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for bench/startup.sh: the least a Qt Widgets program does to show a window of the main
// menu's size (9345 x 4140 twips at 15 twips a pixel). The suite's start-up is measured against it.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Nibsy bare window"));
    window.setFixedSize(623, 276);
    window.show();
    return app.exec();
}
