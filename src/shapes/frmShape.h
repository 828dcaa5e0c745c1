// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colors & Shapes: seven colours or seven shapes, learnt from a spoken picture book (Learn), then asked
// four ways: the name of the item shown (Name), the item named (Find), the item like a model (Same) and
// the odd one of three (Different). Which of the two kinds it teaches is the ShapeMode setting, which
// the sub-menu sets before opening the window and the option buttons change.

#include "platform/Picture.h"
#include "shapes/ShapeQuestions.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class ClickLabel;
class PictureBox;
class SSCommand;

// The activities, numbered as the choice buttons (index + 1).
enum class ShapeActivity { None, Learn, Name, Find, Same, Different };
// The ShapeMode setting.
enum class ShapeKind { Colors, Shapes };

class frmShape : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmShape(QWidget* opener);

    void Form_Load() override;

    QGroupBox* fraChoices;
    std::array<QRadioButton*, 2> optWhich;
    std::array<SSCommand*, 5> cmdChoice;
    QLabel* lblTitle;
    QLabel* lblMain;
    QLabel* lblDescribe;
    PictureBox* picDisplay;
    std::array<PictureBox*, 3> picChoice;
    std::array<ClickLabel*, 3> lblChoice;
    PictureBox* picLearn;
    QLabel* lblColor;
    PictureBox* picMain;
    PictureBox* picSky;
    SSCommand* cmdNext;
    std::array<PictureBox*, 2> imgGood;
    QGroupBox* fraChoice;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

public slots:
    void optWhich_Click(int Index);
    void cmdChoice_Click(int Index);
    void cmdNext_Click();
    void picChoice_Click(int Index);
    void lblChoice_Click(int Index);

private:
    ShapeActivity Mode() const { return ShapeActivity(modeNumber()); }
    ShapeKind Kind() const { return Kind_; }
    void StopMode() override;
    void NewQuestion() override;
    void hideModeControls();
    void placeChoices(int top);

    void DrawItem(PictureBox& box, int shape, const QColor& colour);
    void ShowLearn();
    void AskName();
    void AskFind();
    void AskSame();
    void AskDifferent();
    void showChoices();
    // The item asked for: the colour in colors mode, the shape in shapes mode.
    int target() const;
    void CheckAnswer(int Index);

    ShapeKind Kind_ = ShapeKind::Shapes;
    int ColorIndex = 0;
    int ShapeIndex = 0;
    ShapeChoices Choices;
    int DisplayTop = 0;
    int ChoiceTop = 0;

    std::array<QString, 7> ColorSound, ShapeSound;
    std::array<QString, 7> ObjectSound;
    // The object pictures of the kind taught: the colours' objects (the sky is its own box) or the
    // shapes' pictures.
    std::array<Picture, 7> imgColor;
};

} // namespace nibsy
