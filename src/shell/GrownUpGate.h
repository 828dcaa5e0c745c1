// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grown-up gate of kiosk mode: before the suite ends, a window is closed by its frame or the sound
// editor opens, a question that a small child cannot answer is asked. Without the right answer the
// suite stays where it was.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

namespace nibsy {

class SSCommand;

// Kiosk mode, chosen on the command line; off by default.
bool kioskMode();
void setKioskMode(bool on);

// In kiosk mode, asks the gate's question over parent and says whether the right answer was typed;
// outside it, true at once.
bool grownUpAllows(QWidget* parent);
// For a close by the frame: once the close event is over and no wait is running, asks the gate over
// window and runs allowed if the right answer is typed.
void askGrownUpLater(QWidget* window, std::function<void()> allowed);

class GrownUpGate : public QDialog {
    Q_OBJECT
public:
    // A new question each time: the product of two numbers from 6 to 9.
    explicit GrownUpGate(QWidget* parent);
    int answer() const { return m_answer; }

    QLabel* lblQuestion;
    QLineEdit* txtAnswer;
    SSCommand* cmdOK;

private:
    void cmdOK_Click();
    int m_answer;
};

} // namespace nibsy
