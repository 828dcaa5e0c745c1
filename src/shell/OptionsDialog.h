// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An options window: shown modally by its activity, centred, changing the settings at once. Its OK
// button hides it; closing it by the frame does what OK does. F1 opens help at its activity's context
// (see InputGuard).
// The window is made of frames, option buttons and numbers bound to the settings (OptionsControls.h);
// Form_Load shows what the settings hold in all of them.

#include "shell/OptionsControls.h"

#include <QDialog>
#include <QGroupBox>
#include <functional>

namespace nibsy {

class SSCommand;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(QWidget* owner, const QString& caption, int widthTwips, int heightTwips);
    // Shows the settings as they are, in every control bound to them.
    void Form_Load();
    // Shows the window modally and returns when it is hidden.
    void showModal();

public slots:
    virtual void cmdOK_Click();

protected:
    // A frame with its caption, placed in twips, in this window or in another frame.
    QGroupBox* addFrame(const QString& caption, const QRect& twips, QWidget* parent = nullptr);
    // Option buttons in frame (or in the window) for a setting.
    OptionButtons* addOptions(QWidget* frame, qint16& setting, OptionButtons::Choices choices);
    // A number card and its spin button in frame, for a setting kept within lo..hi.
    NumberSpin* addNumber(QGroupBox* frame, qint16& setting, int lo, int hi);
    // The OK button, placed in twips.
    SSCommand* addOK(const QRect& twips);

    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape acts as OK too

private:
    QList<std::function<void()>> m_loads;
};

} // namespace nibsy
