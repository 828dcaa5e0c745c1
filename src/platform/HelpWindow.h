// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window, showing the pages of the help file (platform/HelpFile.h).

#include "platform/HelpFile.h"
#include "platform/Services.h"

#include <QPointer>

namespace nibsy {

class HelpWindow;

class QtHelpViewer : public HelpViewer {
public:
    QtHelpViewer();
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    void showContents(QWidget* owner) override;
    void showContext(QWidget* owner, int context) override;

    // The help window, once help has been shown (null before).
    QWidget* window() const;

private:
    void show(QWidget* owner, const QString& id);

    QPointer<HelpWindow> m_window;
};

} // namespace nibsy
