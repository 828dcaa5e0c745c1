// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counting Fun: counting items in a grid of twenty cyan cells. A counting song, a walk through the
// numbers, free exploration by pressing numbers, and four quizzes (what number, draw a number, count one
// kind among mixed items, fill in a run of numbers). The items are shapes, pictures or dinosaurs, and the
// biggest number is limited; both are chosen in the options window (optCount).

#include "platform/Picture.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;
class WindowTimer;

// The modes, numbered as the mode buttons (index + 1).
enum class CountMode {
    None,
    CountingSong,
    LearnNumbers,
    PressNumber,
    WhatNumber,
    DrawNumber,
    MixAndCount,
    FillInBlanks
};
// What is counted: the CountItems setting.
enum class CountItems { Shapes, Pictures, Dinosaurs };

class frmCount : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmCount(QWidget* opener);
    ~frmCount() override;

    void Form_Load() override;

    // The counting grid, cells 1 to 20 (element 0 is not used): four rows of five.
    std::array<PictureBox*, 21> picDisplay{};
    // The sample cell showing the kind to count, and its outline.
    PictureBox* picShow;
    QFrame* Shape1;
    QLabel* lblNumber;
    QLabel* lblTitle1;
    QLabel* lblTitle2;
    // Number buttons: cmdClick[0] is the hidden pattern, 1 to 20 are made from it when the window loads.
    std::array<SSCommand*, 21> cmdClick{};
    SSCommand* cmdDone;
    SSCommand* cmdScreen;
    // The four number boxes of Fill In Blanks and the arrow above the one to fill next.
    std::array<QLabel*, 4> lblBlank{};
    PictureBox* imgArrow;
    QGroupBox* fraChoices;
    std::array<SSCommand*, 7> cmdChoice{};
    QGroupBox* fraChoice;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;
    QFrame* Shape2;
    QFrame* Shape3;
    WindowTimer* Timer1;

public slots:
    void cmdChoice_Click(int Index);
    void cmdClick_Click(int Index);
    void picDisplay_Click(int Index);
    void cmdDone_Click();
    void cmdScreen_Click();
    void Timer1_Timer();
    void cmdOptions_Click();

protected:
    void Form_KeyPress(int& KeyAscii) override;
    void Form_Unload() override;

private:
    CountMode Mode() const { return CountMode(modeNumber()); }
    void MakeNumberButtons();
    void LoadItemPictures();
    void ChooseItem();
    void DrawItem(PictureBox* target, int kind);
    void ClearCells();
    void CountOut();
    void ShowSample();
    void NewQuestion() override;
    void ShowAnswer();
    void ShowButtons(bool show);
    void SayNumber(int n);
    void SayItemWord(int n);
    void RightAnswer();
    void PressNumberKey(int KeyAscii);
    bool NextDigit(int key, const QString& answer);
    void DigitKey(int KeyAscii);
    void BlankKey(int KeyAscii);
    void FillInBlanks();
    void PlaceArrow();
    void StopMode() override;
    // The settings as this window can use them, whatever the settings file held.
    int Biggest() const;
    CountItems Items() const;

    // What the window is doing.
    bool Answered = false;
    int Number = 0;
    int ItemKind = 1;
    int ItemColor = 9;
    int DigitState = 1;
    int DigitPos = 1;
    int DigitCount = 1;
    std::array<int, 21> CellKind{};
    int DrawCount = 0;
    std::vector<qint16> KindOrder;
    std::vector<qint16> CellOrder;
    std::array<int, 4> BlankNumbers{};
    int BlankNo = 0;

    // The item pictures of the current item setting, kinds 1 to 9, ready at cell size.
    std::array<Picture, 10> picHide{};
    // Sound file names, formed once at load.
    std::array<QString, 21> NumberWave;
    std::array<QString, 11> SongWave;
    std::array<QString, 3> ItemWave;
    std::array<QString, 3> ItemsWave;
    QString BoingWave;
};

} // namespace nibsy
