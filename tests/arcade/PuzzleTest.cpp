// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Puzzle Time as a child plays it: a picture chosen, scrambled, its pieces dragged into the frame.

#include "arcade/frmPuz.h"
#include "platform/SSCommand.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>

using namespace nibsy;
using namespace nibsy::test;

namespace {

class Puzzle : public WindowFixture<frmPuz> {
protected:
    // A picture in which no two pieces look alike.
    static void saveGradient(const QString& name) {
        QImage image(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixelColor(x, y, QColor(x * 4, y * 4, 255 - x * 2));
        ASSERT_TRUE(image.save(AppFiles::userDir() + name, "BMP"));
    }
    static void copyPicture(const QString& from, const QString& to) {
        ASSERT_TRUE(QFile::copy(builtAppDir() + "/" + from, AppFiles::userDir() + to));
    }
    void scramble(int size) {
        saveGradient("cells.wmf");
        settings().PuzzleSize = qint16(size);
        open();
        click(w->cmdScramble);
    }
    PictureBox* piece(int p) { return w->picPiece[size_t(p)]; }
    // Picks the piece up and lets it go at a point of the target (or presses Escape there).
    void drag(int p, QWidget* onto, QPoint at, bool escape = false) {
        QWindow* window = w->windowHandle();
        const QPoint from = piece(p)->mapTo(w, QPoint(10, 10));
        const QPoint to = onto->mapTo(w, at);
        QTest::mouseEvent(QTest::MousePress, window, Qt::LeftButton, {}, from);
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        if (escape)
            QTest::keyClick(window, Qt::Key_Escape);
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }
    // The middle of cell s of the puzzle.
    QPoint cell(int s) {
        const int side = w->rules().side(), size = w->picPuzzle->width() / side;
        return {(s - 1) % side * size + size / 2, (s - 1) / side * size + size / 2};
    }
    void dropInCell(int p, int s) { drag(p, w->picPuzzle, cell(s)); }
    // Where the piece lies on the screen: the cell it covers, or 0.
    int cellShown(int p) {
        for (int s = 1; s <= w->rules().pieceCount(); ++s)
            if (piece(p)->geometry().contains(w->picPuzzle->mapTo(w, cell(s))))
                return s;
        return 0;
    }
    int visibleLines() {
        int shown = 0;
        for (size_t i = 0; i < 3; ++i)
            shown += w->Line1[i]->isVisible() + w->Line2[i]->isVisible();
        return shown;
    }
};

} // namespace

// Every metafile, upper case without its extension, read by its real name; one that cannot be read is
// refused and the picture before it stays. Without one there is no puzzle.
TEST_F(Puzzle, OffersEveryMetafileAndKeepsThePictureWhenTheChosenOneCannotBeRead) {
    savePicture("notes.bmp", Qt::red);
    open();
    EXPECT_TRUE(w->lblNote->isVisible() && w->lblNote->text().contains(".wmf"));
    const QImage note = w->lblNote->grab().toImage(); // wrapped, not cut off at the sides
    EXPECT_GT(pixelsOf(note, QColor(176, 0, 0)), 100);
    EXPECT_EQ(pixelsOf(note.copy(0, 0, 4, note.height()), QColor(176, 0, 0)) +
                  pixelsOf(note.copy(note.width() - 4, 0, 4, note.height()), QColor(176, 0, 0)),
              0);
    click(w->cmdScramble);
    EXPECT_FALSE(w->running() || w->cmdScramble->isEnabled());

    copyPicture("APPLE.wmf", "apple.wmf");
    copyPicture("KITE.wmf", "My Kite.WMF");
    copyPicture("KITE.wmf", "gone.wmf");
    saveGradient("cells.wmf");
    QFile broken(AppFiles::userDir() + "broken.wmf");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();
    fake.random.script({0.0}); // Int(0 * 5): the first
    open();
    QStringList names;
    for (int i = 0; i < w->cboFiles->count(); ++i)
        names << w->cboFiles->itemText(i);
    EXPECT_EQ(names, QStringList({"APPLE", "BROKEN", "CELLS", "GONE", "MY KITE"}));
    EXPECT_EQ(w->cboFiles->currentText(), "APPLE");
    EXPECT_NE(colourAt(w->picPuzzle), QColor(Qt::white));
    EXPECT_EQ(visibleLines(), 2);
    click(w->optSize[2]);
    EXPECT_EQ(settings().PuzzleSize, 2);
    EXPECT_EQ(visibleLines(), 6);
    const auto choose = [&](const QString& name) {
        w->cboFiles->setCurrentText(name);
        emit w->cboFiles->activated(w->cboFiles->currentIndex());
    };
    const QImage apple = w->picPuzzle->image();
    choose("MY KITE");
    EXPECT_NE(w->picPuzzle->image(), apple);
    choose("APPLE");
    EXPECT_EQ(w->picPuzzle->image(), apple);
    ASSERT_TRUE(QFile::remove(AppFiles::userDir() + "gone.wmf"));
    for (const QString name : {"BROKEN", "GONE"}) {
        choose(name);
        ASSERT_EQ(fake.dialogs.shown.size(), 1);
        EXPECT_TRUE(fake.dialogs.shown.takeFirst().text.contains(name.toLower() + ".wmf"));
        EXPECT_EQ(w->cboFiles->currentText(), "APPLE");
        EXPECT_EQ(w->picPuzzle->image(), apple);
    }
    EXPECT_TRUE(fake.fatal.messages.isEmpty());
}

// Settings out of range open as the nearest size; the pieces are the picture's cells, scrambled.
TEST_F(Puzzle, TheScrambleCutsThePictureIntoPiecesBesideAnEmptyFrame) {
    for (const auto& [setting, side] : {std::pair{-4, 2}, {1, 3}, {99, 4}}) {
        SCOPED_TRACE(setting);
        scramble(setting);
        EXPECT_TRUE(w->optSize[size_t(side - 2)]->isChecked());
        EXPECT_EQ(heard(), QStringList({"space.wav"}));
        EXPECT_EQ(w->cmdExit->text(), "&Stop");
        EXPECT_FALSE(w->Frame1->isVisible() || w->cboFiles->isVisible() || w->cmdScramble->isVisible());
        EXPECT_EQ(w->rules().side(), side);
        EXPECT_EQ(visibleLines(), 2 * (side - 1));
        EXPECT_EQ(colourAt(w->picPuzzle, 0.1, 0.1), QColor(Qt::white));
        const int size = w->picPuzzle->width() / side;
        for (int p = 1; p <= 16; ++p) {
            ASSERT_EQ(piece(p)->isVisible(), p <= side * side);
            if (p > side * side)
                continue;
            const int s = w->rules().target(p);
            const QRect block((s - 1) % side * size, (s - 1) / side * size, size, size);
            EXPECT_EQ(piece(p)->image(), w->pichide->image().copy(block)) << p;
            EXPECT_EQ(cellShown(p), 0);
            EXPECT_LE(piece(p)->geometry().bottom(), w->cmdExit->y());
            EXPECT_TRUE(w->rect().contains(piece(p)->geometry()));
        }
        expectControlsApart(w);
    }
}

// Each drop a child can make: the piece lands in an empty cell, goes home, or goes back where it was.
// On a touch screen a finger drags a piece as the mouse does.
TEST_F(Puzzle, AFingerDragsAPieceIntoACell) {
    saveGradient("cells.wmf");
    settings().PuzzleSize = 1;
    open();
    // Scrambled without the mouse: a touch just after a click would be the rest of a double-click.
    w->cmdScramble->click();
    const int p = w->rules().order(4);
    ASSERT_GT(p, 0);
    QPointingDevice* screen = touchScreen();
    const QPoint from = piece(p)->mapTo(w, QPoint(10, 10));
    const QPoint to = w->picPuzzle->mapTo(w, cell(4));
    QTest::touchEvent(w, screen).press(0, from);
    QTest::touchEvent(w, screen).move(0, (from + to) / 2);
    QTest::touchEvent(w, screen).move(0, to);
    QTest::touchEvent(w, screen).release(0, to);
    EXPECT_EQ(cellShown(p), 4);
    EXPECT_EQ(w->rules().slotOf(p), 4);
}

TEST_F(Puzzle, APieceLandsInAnEmptyCellOrGoesBackAndOnlyEveryPieceInItsOwnCellSolves) {
    scramble(1);
    const auto right = [&](int s) { return w->rules().order(s); };
    dropInCell(right(9), 1); // in the wrong cell
    EXPECT_EQ(cellShown(right(9)), 1);
    dropInCell(right(5), 5);
    heard();
    for (const auto& [onto, at] : {std::pair<QWidget*, QPoint>{w->picPuzzle, cell(5)}, // a taken cell
                                   {piece(right(5)), QPoint(5, 5)},                    // a piece in a cell
                                   {w->cmdHelp, QPoint(5, 5)}}) {                      // a button
        drag(right(9), onto, at);
        EXPECT_EQ(cellShown(right(9)), 1);
        EXPECT_EQ(w->rules().slotOf(right(9)), 1);
    }
    EXPECT_EQ(heard(), QStringList({"uhoh.wav", "uhoh.wav"}));
    drag(right(9), w->picPuzzle, cell(2), true); // Escape
    drag(right(9), w, QPoint(-40, 50));          // outside the window
    EXPECT_EQ(w->rules().slotOf(right(9)), 1);
    EXPECT_EQ(cellShown(right(9)), 1);
    const QPoint home = piece(right(1))->pos();
    drag(right(9), piece(right(1)), QPoint(5, 5)); // a loose piece: home
    EXPECT_EQ(w->rules().slotOf(right(9)), 0);
    EXPECT_EQ(piece(right(1))->pos(), home);
    dropInCell(right(1), 1);
    drag(right(1), w, QPoint(w->width() - 5, w->height() / 2)); // the window: home again
    EXPECT_EQ(piece(right(1))->pos(), home);
    EXPECT_EQ(w->rules().slotPiece(1), 0);

    // The grid's last pixel and its border are its nearest cell; every piece in its own cell but one is not
    // solved.
    drag(right(9), w->picPuzzle, QPoint(w->picPuzzle->width() - 1, w->picPuzzle->height() - 1));
    EXPECT_EQ(w->rules().slotOf(right(9)), 9);
    drag(right(9), w->picPuzzle, QPoint(w->picPuzzle->width() + 1, -2)); // the frame's border
    EXPECT_EQ(w->rules().slotOf(right(9)), 3);
    dropInCell(right(9), 9);
    for (int s : {1, 2, 3, 4, 6}) // 5 is in place: dropped there, it would land on itself
        dropInCell(right(s), s);
    dropInCell(right(8), 7);
    dropInCell(right(7), 8); // every cell full, two pieces swapped
    EXPECT_TRUE(w->running());
    dropInCell(right(8), 8); // taken: back in cell 7
    EXPECT_EQ(w->rules().slotOf(right(8)), 7);
    drag(right(7), piece(right(7)), QPoint(5, 5)); // on itself: home
    dropInCell(right(8), 8);
    heard();
    dropInCell(right(7), 7);
    EXPECT_EQ(heard(), QStringList({"wow.wav"}));
    EXPECT_FALSE(w->running());
    EXPECT_FALSE(piece(1)->isVisible());
    EXPECT_EQ(w->picPuzzle->image(), w->pichide->image());
    EXPECT_EQ(visibleLines(), 4);
    EXPECT_TRUE(w->cboFiles->isVisible() && w->cmdScramble->isVisible());
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
}
