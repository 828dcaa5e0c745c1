// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An activity window with a choice screen and modes: a mode button starts a mode, the Exit button reads
// "&Stop" while it runs and brings the choice screen back, and Exit on the choice screen leaves. Quizzes
// cheer a right answer with "tada.wav", meet a wrong one with "uhoh.wav", and go on to the next question
// after a pause.

#include "shell/ActivityWindow.h"

#include <QString>

namespace nibsy {

class SSCommand;

class ModeWindow : public ActivityWindow {
    Q_OBJECT
public:
    bool running() const { return m_running; }

public slots:
    // Stops a running mode, or leaves the window.
    void cmdExit_Click() override;

protected:
    ModeWindow(QWidget* opener, const ActivityDescriptor& activity);
    void Form_Load() override;

    // The button whose caption turns to "&Stop" while a mode runs.
    void setExitButton(SSCommand* button) { m_exit = button; }

    // A mode starts. The rest of a double-click that started it is ignored.
    void beginMode(int mode);
    // Nothing runs any more; Exit reads "E&xit" again.
    void endMode();
    // The mode that runs (the mode button's index + 1), or 0.
    int modeNumber() const { return m_mode; }

    // Back to the choice screen; each window puts its own controls away and calls endMode().
    virtual void StopMode() = 0;
    // The next question of a quiz.
    virtual void NewQuestion() {}
    // The common step after a right answer: "tada.wav", a pause of that many seconds, the next question.
    void cheerThenNext(double seconds);
    // A pause of that many seconds, then the next question.
    void nextQuestionAfter(double seconds);

    QString TadaWave;
    QString UhohWave;

private:
    SSCommand* m_exit = nullptr;
    bool m_running = false;
    int m_mode = 0;
};

} // namespace nibsy
