// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number scale: four boxes hang in two pairs, boxes 1 and 2 on the left, 3 and 4 on the right, each
// side beside its own column of marks 0 to 20. A left click puts a counter into a box, a right click
// takes one out; every counter moves its side one mark down, so each side stands at the sum of its
// two boxes. The counts live in the settings and come back when the scale opens again.

#include "shell/ActivityWindow.h"

#include <QRect>
#include <QString>
#include <array>
#include <vector>

class QFrame;
class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;

class frmscale : public ActivityWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    // Returns to opener when closed.
    explicit frmscale(QWidget* opener);

    void Form_Load() override;
    // Shows the scale modally; returns once it has closed.
    void showModal();

    std::array<PictureBox*, 5> picBox{}; // 1 to 4
    std::array<QLabel*, 5> lblNumber{};  // 1 to 4
    std::array<QLabel*, 3> Label2{};     // 1 and 2: the pointer of each side at its mark
    QFrame* Line1;                       // the beam
    QFrame* Line2;                       // the hook the beam hangs from
    std::array<QFrame*, 21> Line3{};     // the mark lines 0 to 20
    std::array<QLabel*, 42> Label1{};    // the numbers of the marks: 0 to 20 left, 21 to 41 right
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    SSCommand* cmdClear;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // The distance between two neighbouring marks, in pixels.
    double MarkStep = 0;

    // The mark a side (1 left, 2 right) stands at.
    int sideMark(int side) const { return m_sideMark[size_t(side)]; }

signals:
    void closed();

public slots:
    void picBox_MouseDown(int Index, Qt::MouseButton Button);
    void picBox_Paint(int Index);
    void cmdClear_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DrawCounter(int box, int k);
    void PlaceScale();
    // Puts the side's pan, pointer, boxes and their counts at the given mark.
    void moveSide(int side, int mark);

    struct Hanging {
        QWidget* control;
        QRect atZero; // its place, in pixels, while the side stands at mark 0
    };
    std::array<std::vector<Hanging>, 3> m_side;
    std::array<QFrame*, 3> m_string{}; // from the beam down to each side's pan, stretched as it moves
    std::array<int, 3> m_sideMark{};
    QString sndMove, sndWrong;
};

} // namespace nibsy
