// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An options window: shown modally by its activity, centred, changing the settings at once. Its OK
// button hides it; closing it by the frame does what OK does. F1 opens help at its activity's context
// (see InputGuard).

#include <QDialog>

namespace nibsy {

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(QWidget* owner, const QString& caption, int widthTwips, int heightTwips);
    // Shows the window modally and returns when it is hidden.
    void showModal();

public slots:
    virtual void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape acts as OK too
};

} // namespace nibsy
