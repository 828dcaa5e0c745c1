// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main menu: the suite's first window and its hub. Sixteen buttons open the activities; Exit, or
// closing the window, saves the settings and ends the suite.

#include <QWidget>
#include <array>

class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;

class frmMenu : public QWidget {
    Q_OBJECT
public:
    explicit frmMenu(QWidget* parent = nullptr);

    // Start-up: reads the settings. False (after telling the user) when the settings file is missing or
    // incomplete: the suite must then end without showing the menu.
    bool Form_Load();

    SSCommand* cmdChoice(int index) const { return m_cmdChoice[size_t(index)]; }
    SSCommand* cmdHelp() const { return m_cmdHelp; }
    SSCommand* cmdExit() const { return m_cmdExit; }

    // The picture of the title, as the child sees it.
    PictureBox* Image1() const { return m_image1; }

    // Makes the buttons match the activity windows that are registered.
    void enableChoices();

public slots:
    void cmdChoice_Click(int index);
    void cmdHelp_Click();
    void cmdExit_Click();

public:
    // Saves the settings and ends the suite with that exit status (1 as well when the save failed).
    void endSuite(int status);

signals:
    // The settings are saved and the suite is to end with that exit status.
    void suiteEnded(int status);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::array<SSCommand*, 16> m_cmdChoice{};
    SSCommand* m_cmdHelp;
    SSCommand* m_cmdExit;
    PictureBox* m_image1;
    QLabel* m_label1;
    bool m_ended = false;
};

} // namespace nibsy
