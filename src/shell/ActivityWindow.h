// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every activity window shares: a fixed client size in twips, centred on the screen; Help at the
// window's help context; Exit back to the window that opened it (the menu, or a sub-menu); closing by
// the frame does the same, and a close asked for during a wait is held until the wait is over.

#include <QWidget>

namespace nibsy {

class SSCommand;

class ActivityWindow : public QWidget {
    Q_OBJECT
public:
    // opener is shown again when this window closes.
    ActivityWindow(QWidget* opener, int helpContext, const QString& caption, int widthTwips, int heightTwips);
    ~ActivityWindow() override;

    // Runs once after construction, before the window is first shown: seeds the random numbers, loads
    // pictures and takes the settings. Windows add their own loading in their override.
    virtual void Form_Load();

    int helpContext() const { return m_helpContext; }
    void setHelpContext(int context) { m_helpContext = context; }

    // Places a control given in twips.
    static void place(QWidget* control, int left, int top, int width, int height);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Closes this window (it is deleted once no handler of it runs) and shows the opener again.
    void unload();
    // Called when the window is about to go: stop timers and sounds of the window here.
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_opener;
    int m_helpContext;
    bool m_unloading = false;
    bool m_keyPreview = false;
    bool m_forwardingKey = false;
};

// Centres a top-level window on its screen.
void centreOnScreen(QWidget* window);

} // namespace nibsy
