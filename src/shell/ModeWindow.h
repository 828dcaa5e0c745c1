// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An activity window with a choice screen and modes: a mode button starts a mode, the Exit button reads
// "&Stop" while it runs and brings the choice screen back, and Exit on the choice screen leaves. Quizzes
// cheer a right answer with "tada.wav", meet a wrong one with "uhoh.wav", and go on to the next question
// after a pause.
//
// The keyboard focus goes where a child's Enter does no harm: when a mode ends, on New Game (where the
// window has one), never on Exit; while a mode runs, never on Help, Exit or Stop (the window keeps it when
// no control of the game has it).

#include "shell/ActivityWindow.h"

#include <QString>
#include <array>

namespace nibsy {

class SSCommand;

class ModeWindow : public ActivityWindow {
    Q_OBJECT
public:
    bool running() const { return m_running; }

public slots:
    // Stops a running mode, or leaves the window.
    void cmdExit_Click() override;

    // Stop, pressed while the mode waits (a line of a song, a cheer), still stops it once the wait is
    // over: the request does not depend on what the wait showed. All else made during a wait is dropped.
    void inputDroppedDuringWait(QWidget* control, QEvent* event) override;

protected:
    ModeWindow(QWidget* opener, const ActivityDescriptor& activity);
    void Form_Load() override;

    // The buttons of the window's frame: Exit, whose caption turns to "&Stop" while a mode runs (unless
    // another button stops the game), Help, and the button that starts a game, where the window has one.
    enum class StopButton { Exit, Other };
    void setFrameButtons(SSCommand* exit, SSCommand* help, SSCommand* newGame = nullptr,
                         StopButton stop = StopButton::Exit);

    // A mode starts. The rest of a double-click that started it is ignored.
    void beginMode(int mode);
    // Nothing runs any more; Exit reads "E&xit" again.
    void endMode();
    // The mode that runs (the mode button's index + 1), or 0.
    int modeNumber() const { return m_mode; }
    // Stop was pressed during the wait just over; it stops the mode once the handler returns. A handler
    // that waits again and again (an animation) ends early when it sees this.
    bool stopAsked() const { return m_stopAsked; }

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
    // Once the handler that began or ended a mode is over (it may still enable and disable buttons),
    // the focus is moved where it does no harm.
    void settleFocusLater();
    void settleFocus();

    SSCommand* m_exit = nullptr;
    bool m_exitIsStop = true;
    bool m_stopAsked = false;
    SSCommand* m_help = nullptr;
    SSCommand* m_new = nullptr;
    // The frame's buttons take no focus while a mode runs; their own focus policies, kept meanwhile.
    std::array<Qt::FocusPolicy, 3> m_framePolicies{};
    bool m_running = false;
    int m_mode = 0;
};

} // namespace nibsy
