// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every activity window shares: a fixed client size in twips, centred on the screen with its frame;
// Help (and F1) at the window's help context; Exit back to the window that opened it (the menu, or a
// sub-menu); closing by the frame does the same. A close asked for during a wait is held until the wait
// is over, and input that arrives for the window after it was asked to close is dropped.

#include "platform/Centring.h"
#include "shell/Activities.h"

#include <QPointer>
#include <QWidget>

namespace nibsy {

class ActivityWindow : public QWidget {
    Q_OBJECT
public:
    // opener is shown again when this window closes.
    ActivityWindow(QWidget* opener, const ActivityDescriptor& activity);
    ~ActivityWindow() override;

    // Runs once after construction, before the window is first shown: seeds the random numbers, loads
    // pictures and takes the settings. Windows add their own loading in their override.
    virtual void Form_Load();

    int helpContext() const { return m_helpContext; }
    // The window's help context may change with what it shows (a window with two modes, say).
    void setHelpContext(int context) { m_helpContext = context; }
    // True once the window has been asked to close (it may still be finishing a handler).
    bool closeAsked() const { return m_closeAsked; }

    // Places a control given in twips.
    static void place(QWidget* control, int left, int top, int width, int height);

    // Input on its way to a control of this window, previewed by the window when it asked for it (see
    // setKeyPreview); true when it has been used up.
    bool previewInput(QObject* watched, QEvent* event);
    // A click or key that was dropped because it was made during a wait, with the control it was meant
    // for (the one under the pointer, or the one with the focus).
    virtual void inputDroppedDuringWait(QWidget* control, QEvent* event) {}

public slots:
    // Help at the window's context.
    virtual void cmdHelp_Click();
    // Leaves the window: it closes and its opener shows again. Windows whose Exit button doubles as a
    // Stop button override this and call unload() when they really leave.
    virtual void cmdExit_Click();

protected:
    // With key preview on, every key pressed anywhere in the window reaches Form_KeyDown and then (for
    // keys that type a character) Form_KeyPress before the control that has the focus; a handler that
    // sets its argument to 0 consumes the key.
    void setKeyPreview(bool on);
    virtual void Form_KeyDown(int& KeyCode, Qt::KeyboardModifiers Shift) {}
    virtual void Form_KeyPress(int& KeyAscii) {}

    // Runs each time the window becomes the active window: when it is first shown, and when it comes
    // back after a window it opened has closed.
    virtual void Form_Activate() {}

    // Clicks within the double-click interval of the click being handled now are dropped: a young child
    // double-clicks everything, and the second click must not land on whatever the first one brought up
    // under the pointer. Clicks on buttons do this by themselves; a picture box that is clicked calls it.
    void ignoreRestOfDoubleClick();

    // Closes this window (it is deleted once no handler of it runs) and shows the opener again.
    void unload();
    // Called when the window is about to go: stop timers and sounds of the window here.
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QPointer<QWidget> m_opener;
    int m_helpContext;
    bool m_unloading = false;
    bool m_closeAsked = false;
    bool m_keyPreview = false;
    bool m_forwardingKey = false;
};

} // namespace nibsy
