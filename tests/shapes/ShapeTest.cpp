// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Colors & Shapes as a child plays it: the seven items as drawn, the questions and their one right
// answer judged from the pixels, praise, Learn's picture book, and leaving back to the sub-menu.

#include "math/MathFixture.h"
#include "platform/SSCommand.h"
#include "shapes/ShapeItems.h"
#include "shapes/frmShape.h"
#include "shell/Widgets.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSet>

using namespace nibsy;
using namespace nibsy::test;

namespace {

const QColor Ground(204, 212, 222); // the boxes' own

// The pixels of the image that have the colour, as a list of flags.
QByteArray maskOf(const QImage& image, const QColor& colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
    QByteArray mask(rgb.width() * rgb.height(), 0);
    for (qsizetype i = 0; i < mask.size(); ++i)
        mask[i] = pixels[i] == colour.rgb();
    return mask;
}

struct Seen {
    int colour = -1, shape = -1;
    bool operator==(const Seen&) const = default;
};

// The item a box shows, told from its pixels alone.
Seen seen(PictureBox* box) {
    Seen s;
    const QColor centre = colourAt(box);
    for (int c = 0; c < ItemCount; ++c)
        if (ItemColor(c) == centre)
            s.colour = c;
    PictureBox reference;
    reference.resize(box->size());
    reference.setBackColor(Ground);
    for (int shape = 0; shape < ItemCount && s.colour >= 0; ++shape) {
        reference.Cls();
        DrawItemIn(reference, 0, box->width(), shape, centre);
        if (maskOf(reference.image(), centre) == maskOf(box->image(), centre))
            s.shape = shape;
    }
    return s;
}

// The colour of the plain picture written for object picture i.
QColor objectColour(int i) {
    return QColor(QColor::fromHsv(i * 27, 200, 160).rgb());
}

class ColorsShapes : public WindowFixture<frmShape> {
protected:
    void SetUp() override {
        const char* files[] = {"apple.wmf",    "sun.wmf",   "tree.wmf",    "grapes.wmf", "igloo.wmf",
                               "bat.wmf",      "block.wmf", "gift.wmf",    "ball.wmf",   "egg.wmf",
                               "sandwich.wmf", "kite.wmf",  "starfish.wmf"};
        for (int i = 0; i < 13; ++i)
            savePicture(files[i], objectColour(i));
    }
    frmShape* open(int kind) {
        settings().ShapeMode = qint16(kind);
        return WindowFixture::open();
    }
    // The position of the right answer as the child can see it, or -1 where none or more than one is.
    int rightOne(ShapeActivity mode, bool colours) {
        std::array<Seen, 3> c{seen(w->picChoice[0]), seen(w->picChoice[1]), seen(w->picChoice[2])};
        const Seen model = seen(w->picDisplay);
        QList<int> right;
        for (int k = 0; k < 3; ++k) {
            const Seen& a = c[size_t(k)];
            const Seen& b = c[size_t((k + 1) % 3)];
            const Seen& d = c[size_t((k + 2) % 3)];
            bool ok = false;
            switch (mode) {
            case ShapeActivity::Name:
                ok = w->lblChoice[size_t(k)]->text() ==
                     (colours ? ColorName(model.colour) : ShapeName(model.shape));
                break;
            case ShapeActivity::Find:
                ok = w->lblMain->text() == (colours ? "Which is " + ColorName(a.colour) + "?"
                                                    : "Which is a " + ShapeName(a.shape) + "?");
                break;
            case ShapeActivity::Same:
                ok = a == model;
                break;
            default:
                ok = b == d && !(a == b) && (colours ? a.shape == b.shape : a.colour == b.colour);
                break;
            }
            if (ok)
                right << k;
            if (mode == ShapeActivity::Name) {
                EXPECT_NE(w->lblChoice[size_t(k)]->text(), w->lblChoice[size_t((k + 1) % 3)]->text());
                continue;
            }
            // Only the property taught varies over the choices; Find and Same show three different.
            EXPECT_TRUE(a.colour >= 0 && a.shape >= 0);
            EXPECT_EQ(colours ? a.shape : a.colour, colours ? b.shape : b.colour);
            if (mode != ShapeActivity::Different) {
                EXPECT_FALSE(a == b);
            }
        }
        return right.size() == 1 ? right[0] : -1;
    }
    QWidget* choice(ShapeActivity mode, int k) {
        return mode == ShapeActivity::Name ? static_cast<QWidget*>(w->lblChoice[size_t(k)])
                                           : w->picChoice[size_t(k)];
    }
};

} // namespace

TEST(ShapeItems, EachOfTheSevenIsDrawnWhereAChildExpectsIt) {
    FakePlatform fake;
    PictureBox box;
    box.resize(160, 160);
    box.setBackColor(Ground);
    const QColor ink = ItemColor(3);
    for (int shape = 0; shape < ItemCount; ++shape) {
        box.Cls();
        DrawItemIn(box, 0, 160, shape, ink);
        const QImage& im = box.image();
        EXPECT_EQ(im.pixelColor(80, 80), ink) << shape;
        if (shape == Square) { // outlined in its own colour too
            EXPECT_EQ(im.pixelColor(8, 80), ink);
        }
        for (QPoint corner : {QPoint(1, 1), QPoint(158, 1), QPoint(1, 158), QPoint(158, 158)})
            EXPECT_EQ(im.pixelColor(corner), Ground) << shape;
        int across = 0, down = 0;
        for (int i = 0; i < 160; ++i) {
            across += im.pixelColor(i, 80) == ink;
            down += im.pixelColor(80, i) == ink;
        }
        // Square and circle as wide as high; rectangle and oval taller than wide.
        const std::array<std::pair<int, int>, 4> extent{{{145, 145}, {64, 145}, {145, 145}, {97, 145}}};
        if (shape <= Oval) {
            EXPECT_NEAR(across, extent[size_t(shape)].first, 3) << shape;
            EXPECT_NEAR(down, extent[size_t(shape)].second, 3) << shape;
        }
        if (shape == Star) {
            for (int i = 0; i < 5; ++i) { // five tips, and a gap between each two
                const double a = (72.0 * i - 180) * M_PI / 180, b = a + 36 * M_PI / 180;
                EXPECT_EQ(im.pixelColor(int(80 - std::sin(a) * 70), int(80 + std::cos(a) * 70)), ink) << i;
                EXPECT_EQ(im.pixelColor(int(80 - std::sin(b) * 60), int(80 + std::cos(b) * 60)), Ground) << i;
            }
        }
    }
}

// Many questions of every kind: exactly one choice is right by what the child sees; a wrong click only
// says "uh oh", the right one is praised and the next question comes.
TEST_F(ColorsShapes, EveryQuestionHasExactlyOneRightChoice) {
    for (int kind = 0; kind < 2; ++kind) {
        for (int m = 2; m <= 5; ++m) {
            const auto mode = ShapeActivity(m);
            fake.random.setFixedSeed(quint32(kind * 10 + m));
            open(kind);
            click(w->cmdChoice[size_t(m - 1)]);
            QSet<int> others; // the property not taught changes from question to question
            for (int q = 0; q < 15; ++q) {
                const int right = rightOne(mode, kind == 0);
                ASSERT_GE(right, 0) << kind << m << q;
                const Seen item = seen(mode == ShapeActivity::Name || mode == ShapeActivity::Same
                                           ? w->picDisplay
                                           : w->picChoice[size_t(right)]);
                others << (kind == 0 ? item.shape : item.colour);
                heard();
                click(choice(mode, (right + 1) % 3));
                ASSERT_EQ(fake.sound.played.size(), 1);
                EXPECT_EQ(fake.sound.played[0].mode, 0); // waited for
                EXPECT_EQ(heard(), QStringList{"uhoh.wav"});
                doubleClick(choice(mode, right)); // the rest of it does not answer the next question
                // Find said the name with the question, and says the next one's after the praise.
                const QStringList sounds = heard();
                ASSERT_EQ(sounds.size(), 2);
                EXPECT_TRUE(isPraise(sounds[mode == ShapeActivity::Find ? 0 : 1]))
                    << sounds.join(" ").toStdString();
            }
            EXPECT_GT(others.size(), 2) << kind << m;
        }
    }
}

TEST_F(ColorsShapes, TheQuestionsReadAsTheyShould) {
    struct Case {
        int kind, mode;
        QList<double> draws; // colour, shape
        QString title, question;
    } cases[] = {
        {0, 2, {0.0, 0.0}, "Name Colors", "What color?"},
        {1, 2, {0.0, 0.0}, "Name Shapes", "What shape?"},
        {0, 3, {0.2, 0.0}, "Find Colors", "Which is red?"},
        {1, 3, {0.0, 0.45}, "Find Shapes", "Which is a oval?"},
        {1, 4, {0.0, 0.0}, "Same Shapes", "Which is the same?"},
        {0, 5, {0.0, 0.0}, "Different Colors", "Which is different?"},
    };
    open(5); // a kind the file should not hold opens as shapes; the kind chosen is kept
    EXPECT_TRUE(w->optWhich[1]->isChecked() && settings().ShapeMode == 1);
    click(w->optWhich[0]);
    EXPECT_EQ(settings().ShapeMode, 0);
    for (const Case& c : cases) {
        open(c.kind);
        EXPECT_EQ(w->cmdChoice[size_t(c.mode - 1)]->text(), c.title);
        fake.random.script(c.draws);
        heard();
        click(w->cmdChoice[size_t(c.mode - 1)]);
        EXPECT_EQ(w->lblTitle->text() + "|" + w->lblMain->text(), c.title + "|" + c.question);
        EXPECT_TRUE(w->lblTitle->isVisible() && w->lblMain->isVisible() && !w->fraChoices->isVisible());
        EXPECT_EQ(w->lblMain->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        // Find speaks the item asked for.
        EXPECT_EQ(heard(), c.mode == 3 ? QStringList{c.kind ? "oval.wav" : "red.wav"} : QStringList{});
    }
}

// A right answer: the item's name, then praise while the two pictures show, then the next question.
TEST_F(ColorsShapes, ARightAnswerIsNamedAndPraisedWithPicturesShowing) {
    open(0);
    click(w->cmdChoice[3]); // Same Colors
    const int right = rightOne(ShapeActivity::Same, true);
    const QString name = ColorName(seen(w->picDisplay).colour) + ".wav";
    QStringList during;
    PeekingClock::install().peek = [&](qint64) {
        const QImage shown = w->grab().toImage();
        const QPoint star = w->imgGood[0]->geometry().center(), face = w->imgGood[1]->geometry().center();
        during << QString("%1 %2 %3")
                      .arg(fake.sound.names().last())
                      .arg(shown.pixelColor(star) == QColor(255, 215, 0))
                      .arg(shown.pixelColor(face) == QColor(255, 220, 40));
    };
    heard();
    click(w->picChoice[size_t(right)]);
    const QStringList sounds = heard();
    ASSERT_EQ(sounds.size(), 2);
    EXPECT_EQ(sounds[0], name);
    EXPECT_TRUE(isPraise(sounds[1]));
    EXPECT_EQ(during, QStringList({name + " 0 0", sounds[1] + " 1 1"}));
    EXPECT_FALSE(w->imgGood[0]->isVisible() || w->imgGood[1]->isVisible());
}

TEST_F(ColorsShapes, LearnColorsShowsEachWithItsObjectAndSaysItTwice) {
    open(0);
    auto* clock = &PeekingClock::install();
    QList<qint64> waits;
    bool skyDuringFirstWait = false;
    clock->peek = [&](qint64 ms) {
        if (waits.isEmpty()) { // a blue sky
            const QColor sky = w->grab().toImage().pixelColor(w->picSky->geometry().topLeft() + QPoint(4, 4));
            skyDuringFirstWait = sky.blue() > 200 && sky.red() < 100;
        }
        waits << ms;
    };
    click(w->cmdChoice[0]);
    EXPECT_TRUE(skyDuringFirstWait);
    EXPECT_EQ(waits, (QList<qint64>{201, 500, 500, 500, 500})); // 0.2 s in single precision, rounded up
    EXPECT_EQ(heard(), QStringList({"blue.wav", "blue.wav", "sky.wav"}));
    EXPECT_EQ(w->lblMain->text(), "    This is blue.");
    EXPECT_LT(w->lblMain->x(), 20);
    EXPECT_TRUE(w->lblMain->alignment() & Qt::AlignLeft);
    EXPECT_EQ(w->lblColor->grab().toImage().pixelColor(w->lblColor->rect().center()), ItemColor(0));
    EXPECT_TRUE(w->cmdNext->hasFocus());

    QStringList shown;
    for (int c = 1; c <= 7; ++c) {
        click(w->cmdNext);
        EXPECT_EQ(w->picSky->isVisible(), c == 7) << c;
        shown << w->lblDescribe->text().trimmed();
        if (c < 7) { // the object's picture
            EXPECT_EQ(colourAt(w->picMain), objectColour(c - 1)) << c;
        }
    }
    EXPECT_EQ(shown, QStringList({"red apple", "yellow sun", "green tree", "purple grapes", "white igloo",
                                  "black bat", "blue sky"}));
    EXPECT_EQ(heard().mid(0, 3), QStringList({"red.wav", "red.wav", "apple.wav"}));

    click(w->cmdExit); // Stop, at blue
    EXPECT_TRUE(w->fraChoices->isVisible());
    click(w->cmdChoice[1]);
    EXPECT_FALSE(w->picSky->isVisible() || w->lblColor->isVisible() || w->cmdNext->isVisible());
    EXPECT_TRUE(w->lblMain->x() > 60 && (w->lblMain->alignment() & Qt::AlignHCenter)); // centred again
}

TEST_F(ColorsShapes, LearnShapesGivesEachAHintAndAPicture) {
    fake.random.script({0.2, 0.9});
    open(1);
    click(w->cmdChoice[0]);
    EXPECT_EQ(w->lblMain->text(), "    This is a square.");
    EXPECT_EQ(seen(w->picLearn), (Seen{1, 0}));
    EXPECT_EQ(w->lblDescribe->text(), "It has four equal sides.  Find a square in this picture.");
    EXPECT_EQ(colourAt(w->picMain), objectColour(6)); // the block
    click(w->cmdNext);
    EXPECT_EQ(seen(w->picLearn), (Seen{6, 1}));
    EXPECT_EQ(heard(), QStringList({"square.wav", "rectang.wav"}));
    EXPECT_EQ(w->picLearn->width(), w->picLearn->height());
}

TEST_F(ColorsShapes, SameAfterFindPutsTheChoicesBackBelowTheModel) {
    open(1);
    click(w->cmdChoice[2]);
    EXPECT_FALSE(w->picDisplay->isVisible());
    EXPECT_EQ(w->picChoice[0]->y(), w->picDisplay->y());
    click(w->cmdExit);
    EXPECT_FALSE(w->picChoice[0]->isVisible() || w->lblTitle->isVisible());
    click(w->cmdChoice[3]);
    for (PictureBox* box : w->picChoice) {
        EXPECT_GT(box->y(), w->picDisplay->geometry().bottom());
        EXPECT_EQ(box->width(), box->height());
    }
    expectControlsApart(w);
}
