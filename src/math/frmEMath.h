// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Nibsy Math: addition and subtraction of small numbers. From the choice screen the child opens the
// number scale, the Math Tutor (a problem drawn as counters, answered digit by digit), the fact table
// of one factor, or scored practice of the facts with a printable worksheet.

#include "shell/ActivityWindow.h"

#include <QString>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;
class SSPanel;

class frmEMath : public ActivityWindow {
    Q_OBJECT
public:
    explicit frmEMath(QWidget* opener);

    void Form_Load() override;

    QGroupBox* fraChoices;
    std::array<SSCommand*, 4> cmdChoice;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> optType;
    QGroupBox* Frame2;
    std::array<QRadioButton*, 2> optSize;
    QGroupBox* Frame3;
    std::array<QRadioButton*, 12> optFactor; // 0 is "Random", 1 to 11 the factors 0 to 10
    QGroupBox* fraPrint;
    SSCommand* cmdPrint;
    QLabel* lblPrint;
    QLabel* lbltitle;
    PictureBox* picTutor;
    QFrame* linTutor; // the line between the two groups of counters of an addition
    // 0 the sign, 1 the top number, 2 the bottom number, 3 the answer, 4 "="
    std::array<QLabel*, 5> lblTutor;
    SSCommand* cmdAnswer;
    std::array<QLabel*, 11> lblFactor;
    QLabel* lblProblem;
    QLineEdit* txtAnswer;
    QLabel* lblScore;
    QLabel* lblScoreN;
    SSPanel* pnlScore;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // 1 while a mode runs; Mode is the choice button's index + 1 (1 scale, 2 tutor, 3 review, 4 practice).
    int Running = 0;
    int Mode = 0;
    int TopNumber = 0;
    int BottomNumber = 0;
    int Answer = 0;
    int AnswerHidden = 0;
    int DigitPos = 1;
    int ShapeKind = 1;
    int ShapeColor = 12;
    double ShapeWidth = 0;
    double ShapeHeight = 0;
    int Repainting = 0;
    int ProblemsGiven = 0;
    int Points = 0;
    int MissedOnce = 0;

public slots:
    void cmdChoice_Click(int Index);
    void optType_Click(int Index);
    void optSize_Click(int Index);
    void optFactor_Click(int Index);
    void cmdAnswer_Click();
    void cmdPrint_Click();
    void cmdExit_Click() override;
    // Redraws the tutor's picture without a sound, as it stands.
    void picTutor_Paint();
    // A key typed into the answer box; set KeyAscii to 0 to drop it.
    void txtAnswer_KeyPress(int& KeyAscii);

protected:
    void Form_KeyPress(int& KeyAscii) override;
    void showEvent(QShowEvent* event) override;

private:
    void createChoices();
    // An option button of a control array: choosing it runs click with its index.
    QRadioButton* optionButton(const QString& caption, QWidget* frame, int index,
                               void (frmEMath::*click)(int));
    void createTutor();
    void createReview();
    void createPractice();
    void hideModeControls();

    void ShowScore();
    void DrawShape(double x, double y, double w, double h);
    void DrawCell(int cell, int firstRow);
    void RedrawSum();
    void RedrawDifference();
    void NewTutorProblem();
    void ShowFactTable();
    void NewPracticeProblem();
    // The type of the problem the tutor shows, which a later change of type does not alter.
    int TutorType = 0;
    int AnswerDigits = 1;
    bool Drawing = false;

    std::array<int, 5> ColorTable{0, 12, 11, 10, 14};
    QString sndRight, sndWrong, sndDraw, sndTakeAway;
};

} // namespace nibsy
