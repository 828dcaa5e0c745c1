// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Patterns as a child plays it: rows judged from what they show, answers clicked, sounds heard, the
// hidden model glimpsed, and the way back to the window that opened it.

#include "math/MathFixture.h"
#include "shapes/ShapeItems.h"
#include "shapes/frmPatt.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

using namespace nibsy;
using namespace nibsy::test;

namespace {

bool isItemColour(QRgb c) {
    for (int i = 0; i < ItemCount; ++i)
        if (ItemColor(i).rgb() == c)
            return true;
    return false;
}

class Patterns : public WindowFixture<frmPatt> {
protected:
    // Opens the window and starts a mode (0 Same ... 3 Hidden) with items of that kind and length.
    void start(int mode, int type, int length) {
        settings().PattType = qint16(type);
        settings().PattLength = qint16(length);
        open();
        click(w->cmdChoice[size_t(mode)]);
        L = length;
        heard();
    }
    QImage row(int r) { return w->picDisplay[size_t(r)]->image().copy(); }
    // Cell p of a row or choice box (square, as high as the box) within its edges.
    static QImage cell(PictureBox* box, int p) {
        const int s = box->height();
        return box->image().copy(p * s + 1, 1, s - 2, s - 2);
    }
    static int cellsApart(PictureBox* a, PictureBox* b, int n) {
        int apart = 0;
        for (int p = 0; p < n; ++p)
            apart += cell(a, p) != cell(b, p);
        return apart;
    }
    // The colours of the items drawn in the image, each with its number of pixels.
    static QMap<QRgb, int> items(const QImage& image) {
        QMap<QRgb, int> found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QRgb c = image.pixel(x, y); isItemColour(c))
                    ++found[c];
        return found;
    }
    // The choice box that shows the item of the model at position p.
    PictureBox* choiceFor(int p) {
        for (PictureBox* choice : w->picChoice)
            if (cell(choice, 0) == cell(w->picDisplay[0], p))
                return choice;
        return nullptr;
    }
    bool praiseShown() { return w->imgGood[0]->isVisible() && w->imgGood[1]->isVisible(); }
    QRgb onScreen(QWidget* control) { return w->grab().toImage().pixel(control->geometry().center()); }
    int L = 1;
};

} // namespace

// Settings the window cannot use open as the choice it shows; each mode shows its rows, the length chosen
// cells wide and centred, each item inside its own cell; Stop brings the choices back.
TEST_F(Patterns, ChoicesModesAndRowsAsShown) {
    for (const auto& [length, type, used, typeUsed] :
         {std::tuple{-1, 2, 1, 1}, {0, 0, 1, 0}, {300, 1, 6, 1}, {7, -3, 6, 1}}) {
        settings().PattLength = qint16(length);
        settings().PattType = qint16(type);
        open();
        EXPECT_TRUE(w->optLength[size_t(used - 1)]->isChecked() && w->optType[size_t(typeUsed)]->isChecked());
        EXPECT_EQ(QPoint(settings().PattLength, settings().PattType), QPoint(used, typeUsed)) << length;
    }
    expectControlsApart(w);
    EXPECT_NEAR(w->picChoice[0]->x() + w->picChoice[6]->geometry().right(), w->width(), 2); // centred

    const std::array<const char*, 4> titles{"Same Pattern", "Different Pattern", "Matching Pattern",
                                            "Hidden Pattern"};
    const std::array<QString, 4> rowsShown{"11111", "01111", "11000", "11000"};
    for (const int length : {1, 6}) {
        click(w->optLength[size_t(length - 1)]);
        click(w->optType[length == 1 ? 0 : 1]);
        EXPECT_EQ(QPoint(settings().PattLength, settings().PattType), QPoint(length, length == 1 ? 0 : 1));
        for (int mode = 0; mode < 4; ++mode) {
            click(w->cmdChoice[size_t(mode)]);
            EXPECT_FALSE(w->fraChoices->isVisible());
            EXPECT_EQ(w->lblTitle->text() + w->cmdExit->text(), QString(titles[size_t(mode)]) + "&Stop");
            QString shown;
            for (PictureBox* r : w->picDisplay) {
                shown += r->isVisible() ? "1" : "0";
                EXPECT_EQ(r->width(), length * r->height());
                EXPECT_EQ(r->x() + r->width() / 2, w->width() / 2);
                for (int p = 0; r->isVisible() && (mode < 2 || r != w->picDisplay[1]) && p < length; ++p) {
                    const QImage c = cell(r, p);
                    const int edge = c.width() - 1; // the cell's first and last columns within its edges
                    EXPECT_FALSE(items(c).isEmpty());
                    EXPECT_TRUE(items(c.copy(0, 0, 1, edge)).isEmpty() &&
                                items(c.copy(edge, 0, 1, edge)).isEmpty());
                }
            }
            EXPECT_EQ(shown, rowsShown[size_t(mode)]);
            EXPECT_EQ(w->picChoice[6]->isVisible(), mode >= 2);
            EXPECT_EQ(w->cmdFlash->isVisible() && w->shpFlash->isVisible(), mode == 3);
            click(w->cmdExit);
            EXPECT_TRUE(w->fraChoices->isVisible());
            EXPECT_FALSE(w->picDisplay[1]->isVisible() || w->picChoice[0]->isVisible() ||
                         w->shpFlash->isVisible());
        }
    }
}

// Many questions of each: in Same one row equals the model and each other one differs in one cell; in
// Different three rows are alike and the fourth differs in one cell. A colours game keeps one shape, a
// shapes game one colour. A wrong row is met with "uh oh"; the right one, double-clicked, with praise
// while both pictures show, and a new question that the rest of the double-click does not answer.
TEST_F(Patterns, SameAndDifferentHaveExactlyOneRightRowAndPraiseIt) {
    for (const int type : {0, 1}) {
        for (const int mode : {0, 1}) {
            start(mode, type, type == 0 ? 4 : 1 + 2 * mode);
            PeekingClock& clock = PeekingClock::install();
            QSet<int> kinds; // the shapes (by size) of a colours game, the colours of a shapes game
            for (int q = 0; q < 25; ++q) {
                const auto first = items(cell(w->picDisplay[1], 0));
                kinds << int(type == 0 ? first.first() / 100 : first.firstKey());
                int right = 0;
                for (int r = 1; r <= 4; ++r) {
                    int alike = 0;
                    for (int o = 1; o <= 4; ++o)
                        alike += o != r && row(o) == row(r);
                    if (mode == 0 ? row(r) == row(0) : alike == 0) {
                        EXPECT_EQ(right, 0);
                        right = r;
                    }
                }
                ASSERT_NE(right, 0);
                const int like = mode == 0 ? 0 : right % 4 + 1; // the model, or a row like the others
                for (int r = 1; r <= 4; ++r)
                    EXPECT_EQ(cellsApart(w->picDisplay[size_t(r)], w->picDisplay[size_t(like)], L),
                              (mode == 0) == (r != right));
                for (int p = 0; p < L; ++p) {
                    const auto one = items(cell(w->picDisplay[1], p));
                    ASSERT_EQ(one.size(), 1);
                    if (type == 0) // the same shape, its edges blended with the grey in each colour's way
                        EXPECT_NEAR(one.first(), items(cell(w->picDisplay[1], 0)).first(), 40);
                    else
                        EXPECT_EQ(items(row(1)).size(), 1);
                }
                if (q == 0) {
                    const QImage before = row(1);
                    click(w->picDisplay[size_t(right % 4 + 1)]);
                    click(w->picDisplay[0]);
                    EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
                    EXPECT_EQ(row(1), before);
                }
                QList<bool> shownWhileWaiting;
                clock.peek = [&](qint64) {
                    shownWhileWaiting << praiseShown();
                    const QImage screen = w->grab().toImage(); // the pictures' corners show the window
                    EXPECT_EQ(screen.pixel(w->imgGood[1]->geometry().topLeft() + QPoint(2, 2)),
                              screen.pixel(2, screen.height() - 2));
                };
                doubleClick(w->picDisplay[size_t(right)]);
                EXPECT_EQ(shownWhileWaiting, QList<bool>{true});
                EXPECT_FALSE(w->imgGood[0]->isVisible() || w->imgGood[1]->isVisible());
                const QStringList sounds = heard();
                ASSERT_EQ(sounds.size(), 1);
                EXPECT_TRUE(isPraise(sounds[0]));
            }
            EXPECT_GT(kinds.size(), 2);
            click(w->cmdExit);
        }
    }
}

// Matching: the seven choices show the seven items; a wrong one says "uh oh" and the same item is still
// wanted; a right one goes into the row with a ding. Hidden: the model stays covered but for the flash.
// The last item, double-clicked, brings praise beside the finished row, and one new question.
TEST_F(Patterns, RebuildingTheModelItemByItemInMatchingAndInHidden) {
    for (const int mode : {2, 3}) {
        start(mode, mode - 2, 3);
        PeekingClock& clock = PeekingClock::install();
        for (int i = 0; i < 7; ++i)
            for (int j = i + 1; j < 7; ++j)
                EXPECT_NE(cell(w->picChoice[size_t(i)], 0), cell(w->picChoice[size_t(j)], 0));
        const bool hidden = mode == 3;
        if (hidden) {
            EXPECT_TRUE(w->cmdFlash->hasFocus());
            const QRgb cover = onScreen(w->picDisplay[0]);
            QList<QRgb> flashed;
            clock.peek = [&](qint64 ms) { flashed << QRgb(ms) << onScreen(w->picDisplay[0]); };
            click(w->cmdFlash);
            const QRgb model = w->picDisplay[0]->image().pixel(w->picDisplay[0]->rect().center());
            EXPECT_EQ(flashed, QList<QRgb>({1000, model}));
            EXPECT_NE(cover, model);
            EXPECT_EQ(onScreen(w->picDisplay[0]), cover);
            clock.peek = {};
        }
        QList<qint64> waits;
        for (int p = 0; p < L; ++p) {
            PictureBox* right = choiceFor(p);
            ASSERT_TRUE(right);
            PictureBox* wrong = w->picChoice[size_t(right == w->picChoice[0])];
            if (cell(wrong, 0) != cell(right, 0)) {
                w->setFocus();
                click(wrong);
                click(w->picDisplay[0]);
                click(w->picDisplay[1]);
                EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
                EXPECT_TRUE(items(cell(w->picDisplay[1], p)).isEmpty());
                EXPECT_EQ(w->cmdFlash->hasFocus(), hidden);
            }
            if (p < L - 1) {
                click(right);
                EXPECT_EQ(cell(w->picDisplay[1], p), cell(w->picDisplay[0], p));
                ASSERT_EQ(fake.sound.played.size(), 1);
                EXPECT_EQ(fake.sound.played[0].name + QString::number(fake.sound.played[0].mode),
                          "ding.wav1");
                heard();
            } else {
                clock.peek = [&](qint64 ms) {
                    waits << ms;
                    EXPECT_EQ(praiseShown(), ms != 1000);
                    EXPECT_EQ(row(0), row(1)); // the finished row, shown beside the model
                    EXPECT_FALSE(w->shpFlash->isVisible());
                };
                doubleClick(right);
            }
        }
        const QStringList sounds = heard();
        ASSERT_EQ(sounds.size(), 2);
        EXPECT_TRUE(sounds[0] == "ding.wav" && isPraise(sounds[1]));
        EXPECT_EQ(waits, hidden ? QList<qint64>({500, 1000}) : QList<qint64>{500}); // praise, then a moment
        EXPECT_FALSE(praiseShown());
        EXPECT_TRUE(items(row(1)).isEmpty()); // the next question
        EXPECT_EQ(w->shpFlash->isVisible(), hidden);
        QSet<int> sizes; // the questions that follow in a colours game take other shapes
        for (int q = 0; q < 12 && !hidden; ++q) {
            sizes << items(cell(w->picDisplay[0], 0)).first() / 100;
            for (int p = 0; p < L; ++p)
                click(choiceFor(p));
        }
        EXPECT_TRUE(hidden || sizes.size() > 2);
        clock.peek = {};
    }
}
