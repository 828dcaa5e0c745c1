// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Barnyard Fun: two to eight barn doors each hide a farm animal. The display box shows or names the
// animal wanted, and the child opens the door it is believed to be behind: the right door stays open and
// the animal calls, a wrong one closes again and another animal is wanted. All doors may first stand open
// for a peek until "Close Doors" is pressed. Peeking, finding by picture or by name, and the number of
// doors are chosen in the options window (optbarn).

#include "platform/Picture.h"
#include "shell/ModeWindow.h"

#include <QColor>
#include <QString>
#include <array>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;

namespace nibsy {

class PictureBox;
class SSCommand;

// The BarnFindBy setting: how the wanted animal is given.
enum class FindBy { Picture, Name };

class frmBarn : public ModeWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    explicit frmBarn(QWidget* opener);

    void Form_Load() override;

    QFrame* Shape1; // the barn wall behind the doors
    std::array<QFrame*, 2> Line1{};
    // The doors 1 to 8 and the names under them (element 0 is not used): two rows of four.
    std::array<PictureBox*, 9> picHidden{};
    std::array<QLabel*, 9> lblName{};
    PictureBox* picDisplay;
    QGroupBox* fraGuess;
    QLabel* Label1;
    QLabel* lblGuess;
    SSCommand* cmdClose;
    QGroupBox* fraChoice;
    SSCommand* cmdNew;
    SSCommand* cmdOptions;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;

    // For tests: the animal behind door d, and the door whose animal is wanted.
    int animalInBox(int d) const { return d >= 1 && d <= 8 ? AnimalInBox[size_t(d)] : 0; }
    int target() const { return Target; }

public slots:
    void cmdNew_Click();
    void cmdClose_Click();
    void cmdOptions_Click();
    void picHidden_Click(int Index);

private:
    void Next_One(int remaining);
    int PickNext(int n);
    void PeekAll(int n);
    void ShowName(int animal);
    void CloseDoor(int d);
    void ShowAnimal(PictureBox* box, int animal, int door);
    void StopMode() override;
    bool Peeking() const;
    // The settings as this window can use them.
    FindBy FindMode() const;

    int Doors = 8;
    int Remaining = 0;
    int Target = 0;
    int Guesses = 0;
    std::vector<qint16> AnimalInBox;
    std::array<bool, 9> Found{};
    QColor DisplayBack;

    // The animals' pictures, fitted to the doors and to the display box, and their sounds.
    std::array<Picture, 9> picChoice{};
    std::array<Picture, 9> picWanted{};
    std::array<QString, 9> AnimalWave;
    QString BarnyardWave;
};

} // namespace nibsy
