// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter Fun: the 26 letters, each with a picture word (A for APPLE, B for BALL...). Nine modes: the
// alphabet song, a walk through the letters, pressing any letter to see and hear it, and six quizzes
// (the letter a picture begins with, the picture a letter begins, the missing letter of a word,
// spelling a word, filling in a run of four letters, and the same letter in the other case). Letters
// are shown in lower or upper case as the child picks (the LetterCase setting).

#include "platform/Picture.h"
#include "shell/ModeWindow.h"

#include <QString>
#include <array>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace nibsy {

class PictureBox;
class SSCommand;
class WindowTimer;

// The modes, numbered as the mode buttons (index + 1).
enum class LetterMode {
    None,
    AbcSong,
    LearnLetters,
    PressLetter,
    WhatLetter,
    WhatPicture,
    MissingLetter,
    SpellWord,
    FillInBlanks,
    LowerUpperCase
};

class frmLet : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmLet(QWidget* opener);
    ~frmLet() override;

    void Form_Load() override;

    // The choice screen: the nine mode buttons and the case choice, with a border around them.
    QGroupBox* fraChoices;
    std::array<SSCommand*, 9> cmdChoice{};
    std::array<QRadioButton*, 2> optType{};
    QFrame* Shape2;

    QLabel* lblTitle;
    // Three picture places, 1 to 3 (element 0 is not used); single-picture modes use the middle one.
    std::array<PictureBox*, 4> imgDisplay{};
    // Outlines marking the right picture, 1 to 3.
    std::array<QFrame*, 4> Shape1{};
    QLabel* lblLetter;
    QLabel* lblWord;
    // The three letters to click in Lower/Upper Case, 1 to 3.
    std::array<QLabel*, 4> lblDisplay{};
    // The four boxes of Fill In Blanks and the arrow above the one to fill next.
    std::array<QLabel*, 4> lblBlank{};
    PictureBox* imgArrow;
    // The letter buttons of Press a Letter, A to Z.
    QFrame* fraClick;
    std::array<SSCommand*, 26> cmdClick{};
    SSCommand* cmdScreen;
    QGroupBox* fraChoice;
    SSCommand* cmdExit;
    SSCommand* cmdHelp;
    WindowTimer* Timer1;

    // The pictures of the letters, 1 to 26, loaded once; the picture places show copies of them.
    std::array<Picture, 27> imgHide{};

    // Keys reach the window before any control; a mode takes every key while it runs.
    void Form_KeyPress(int& KeyAscii) override;

public slots:
    void cmdChoice_Click(int Index);
    void cmdClick_Click(int Index);
    void imgDisplay_Click(int Index);
    void lblDisplay_Click(int Index);
    void cmdScreen_Click();
    void Timer1_Timer();
    void optType_Click(int Index);

protected:
    void Form_Unload() override;

private:
    LetterMode Mode() const { return LetterMode(modeNumber()); }
    void NewQuestion() override;
    void ShowAnswer();
    void SayLetter(int i);
    void SetKeyCaptions();
    void StopMode() override;
    // A right answer to a question answered in one go: shown, then the next question.
    void RightAnswer();
    // Picture, word and letter i in the single-picture layout.
    void ShowLetter(int i);
    void ShowOnePicture(int i);
    void FillInBlanks();
    void PlaceArrow();

    // The case letters are shown in, whatever the settings file held: 0 lower, 1 upper.
    int Case() const;
    // Letter i (1 to 26) as shown, and in the other case.
    QString Shown(int i) const;
    QString OtherCase(int i) const;
    // The picture word of letter i, as shown.
    QString ShownWord(int i) const;

    // What the window is doing.
    int LetterNo = 1;
    int Target = 1;
    int Expected = 1;
    int WordPos = 1;
    bool Answered = false;
    std::vector<qint16> ChoiceLetters;
    std::array<int, 4> BlankLetters{};
    int BlankNo = 0;

    // Sound file names, formed once at load: letter names, picture words and song lines, 1 to 26.
    std::array<QString, 27> LetterWave;
    std::array<QString, 27> WordWave;
    std::array<QString, 27> SongWave;
};

} // namespace nibsy
