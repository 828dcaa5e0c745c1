// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBoxes.h"

#include <QMessageBox>

namespace nibsy {

QString QtDialogs::plainLines(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString QtDialogs::titleOrDefault(const QString& title) {
    return title.isEmpty() ? QStringLiteral("Nibsy Learning") : title;
}

namespace {
QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                const QString& title, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QtDialogs::titleOrDefault(title), QtDialogs::plainLines(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

void QtDialogs::critical(QWidget* parent, const QString& text, const QString& title) {
    ask(parent, QMessageBox::Critical, text, title, QMessageBox::Ok);
}

void QtDialogs::information(QWidget* parent, const QString& text, const QString& title) {
    ask(parent, QMessageBox::Information, text, title, QMessageBox::Ok);
}

bool QtDialogs::okCancel(QWidget* parent, const QString& text, const QString& title) {
    return ask(parent, QMessageBox::Information, text, title, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

} // namespace nibsy
