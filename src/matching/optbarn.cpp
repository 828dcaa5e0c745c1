// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "matching/optbarn.h"

#include "shell/Settings.h"

namespace nibsy {

namespace {
// Two choices under each other in a frame.
OptionButtons::Choices twoChoices(const char* first, const char* second) {
    return {.captions = {first, second}, .first = QRect(240, 420, 1575, 375), .step = {0, 540}};
}
} // namespace

optbarn::optbarn(QWidget* owner) : OptionsDialog(owner, QStringLiteral("Barnyard Fun Options"), 6255, 2535) {
    setObjectName(QStringLiteral("optbarn"));

    // Values the file should not hold are shown as the game takes them: a peek, by name.
    Frame1 = addFrame(QStringLiteral("Peek at Animals?"), QRect(120, 120, 1935, 1695));
    OptionButtons::Choices peek = twoChoices("Yes", "No");
    peek.values = {1, 0};
    peek.fallback = 1;
    optPeek = addOptions(Frame1, settings().BarnPeek, std::move(peek))->array<2>();

    Frame2 = addFrame(QStringLiteral("Number of Animals"), QRect(2160, 120, 1935, 1695));
    const NumberSpin* number = addNumber(Frame2, settings().BarnAnimalCount, 2, 8);
    lblNumber = number->card;
    SpinButton1 = number->spin;

    Frame3 = addFrame(QStringLiteral("Find Animals By"), QRect(4200, 120, 1935, 1695));
    OptionButtons::Choices findBy = twoChoices("Picture", "Name");
    findBy.fallback = 1;
    optNames = addOptions(Frame3, settings().BarnFindBy, std::move(findBy))->array<2>();

    cmdOK = addOK(QRect(2520, 1935, 1215, 495));
}

} // namespace nibsy
