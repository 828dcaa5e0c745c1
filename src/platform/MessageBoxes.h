// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes over QMessageBox.

#include "platform/Services.h"

namespace nibsy {

class QtDialogs : public Dialogs {
public:
    void critical(QWidget* parent, const QString& text, const QString& title = {}) override;
    void information(QWidget* parent, const QString& text, const QString& title = {}) override;
    bool okCancel(QWidget* parent, const QString& text, const QString& title = {}) override;

    // Message texts break lines with a lone carriage return (or CR LF); QMessageBox wants '\n'.
    static QString plainLines(const QString& text);
    // The window title: the suite's name when none is given.
    static QString titleOrDefault(const QString& title);
};

} // namespace nibsy
