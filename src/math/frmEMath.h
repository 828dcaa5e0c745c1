// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Nibsy Math: addition and subtraction of small numbers. From the choice screen the child opens the
// number scale, the Math Tutor (a problem drawn as counters, answered digit by digit), the fact table
// of one factor, or scored practice of the facts with a printable worksheet.

#include "shell/ModeWindow.h"

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

// The modes, numbered as the choice buttons (index + 1). The number scale opens in a window of its own.
enum class MathMode { None, NumberScale, MathTutor, ReviewFacts, PracticeFacts };
// The MathProblemType setting.
enum class ProblemType { Addition, Subtraction };

class frmEMath : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
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

    // The size of one counter's cell in the tutor's picture, in its scale.
    double shapeWidth() const { return ShapeWidth; }
    double shapeHeight() const { return ShapeHeight; }

public slots:
    void cmdChoice_Click(int Index);
    void optType_Click(int Index);
    void optSize_Click(int Index);
    void optFactor_Click(int Index);
    void cmdAnswer_Click();
    void cmdPrint_Click();
    // Redraws the tutor's picture without a sound, as it stands.
    void picTutor_Paint();
    // A key typed into the answer box; set KeyAscii to 0 to drop it.
    void txtAnswer_KeyPress(int& KeyAscii);

protected:
    void Form_KeyPress(int& KeyAscii) override;
    void showEvent(QShowEvent* event) override;

private:
    MathMode Mode() const { return MathMode(modeNumber()); }
    void StopMode() override;
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
    ProblemType Type() const;

    int TopNumber = 0;
    int BottomNumber = 0;
    int Answer = 0;
    bool AnswerHidden = false;
    int DigitPos = 1;
    int ShapeKind = 1;
    int ShapeColor = 12;
    double ShapeWidth = 0;
    double ShapeHeight = 0;
    bool Repainting = false;
    int ProblemsGiven = 0;
    int Points = 0;
    bool MissedOnce = false;
    // The type of the problem the tutor shows, which a later change of type does not alter.
    ProblemType TutorType = ProblemType::Addition;
    int AnswerDigits = 1;
    bool Drawing = false;

    std::array<int, 5> ColorTable{0, 12, 11, 10, 14};
    QString sndDraw, sndTakeAway;
};

} // namespace nibsy
