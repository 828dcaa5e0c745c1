// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardsticks for bench/startup.sh: the least a Qt Widgets program does to show a window of the main
// menu's size (9345 x 4140 twips at 15 twips a pixel), and, given --text, the same window showing one
// line of text, which adds what any window with text pays once: reading the font configuration and
// loading a font. The suite's start-up is measured against both.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QWidget window;
    window.setWindowTitle(withText ? QStringLiteral("Nibsy bare window with text")
                                   : QStringLiteral("Nibsy bare window"));
    window.setFixedSize(623, 276);
    if (withText) {
        auto* label = new QLabel(QStringLiteral("Letter Fun"), &window);
        label->move(10, 10);
    }
    window.show();
    return app.exec();
}
