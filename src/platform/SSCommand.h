// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 3-D command button: a light grey face with a raised bevel that sinks while pressed, showing either a
// centred caption (with '&' mnemonics, as QPushButton) or a picture scaled into the face.

#include "platform/Picture.h"

#include <QBasicTimer>
#include <QPushButton>

namespace nibsy {

class SSCommand : public QPushButton {
    Q_OBJECT
public:
    explicit SSCommand(QWidget* parent = nullptr);
    explicit SSCommand(const QString& caption, QWidget* parent = nullptr);

    // A picture shown instead of the caption (the caption still gives the mnemonic); a null picture
    // brings the caption back.
    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The face colour when none is set in the palette's Button role.
    static QColor defaultFace() { return {192, 192, 192}; }
    // Draws a bevel of that width just inside rect: light above and left when raised, below and right
    // when sunken. The colours follow the face.
    static void drawBevel(QPainter& painter, const QRect& rect, const QColor& face, bool raised, int width);
    // The caption text drawn etched, as a disabled control shows it.
    static void drawEtchedText(QPainter& painter, const QRect& rect, int flags, const QString& text,
                               const QColor& face);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // A press from the keyboard (Return, Enter, the mnemonic): the face sinks for a moment and the click
    // follows, unless the button has meanwhile been hidden or disabled, or a modal window or a wait has
    // come up: the press then goes for nothing, as a click on a button no longer there would.
    void pressBriefly();

    Picture m_picture;
    QBasicTimer m_pressed;
};

} // namespace nibsy
