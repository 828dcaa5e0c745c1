// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Treasure Maze: the walk that carves the maze, the bags, and the game as a child plays it with the arrow
// keys, what the field and the clock show, and the printed worksheet read back from its PDF.

#include "arcade/frmMaze.h"
#include "platform/PictureBox.h"
#include "platform/Printing.h"
#include "platform/SSCommand.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <deque>
#include <map>
#include <set>

using namespace nibsy;
using namespace nibsy::test;

namespace {

using R = MazeRules;
using Square = std::pair<int, int>;
constexpr int WalkDraws = 233; // one a step of the walk: 116 rooms entered, 117 left for good

bool isOpen(const R& m, Square s) {
    const qint16 c = m.at(s.first, s.second);
    return c == R::Floor || c == R::Bag || c == R::Player;
}

// Every open square reached from the player's, with the square and arrow key it was reached by.
std::map<Square, std::pair<Square, Qt::Key>> reach(const R& m) {
    std::map<Square, std::pair<Square, Qt::Key>> came{{{m.PlayerRow, m.PlayerCol}, {{}, Qt::Key_unknown}}};
    for (std::deque<Square> todo{came.begin()->first}; !todo.empty(); todo.pop_front())
        for (const auto& [dr, dc, key] : {std::tuple{0, -1, Qt::Key_Left}, std::tuple{0, 1, Qt::Key_Right},
                                          std::tuple{-1, 0, Qt::Key_Up}, std::tuple{1, 0, Qt::Key_Down}}) {
            const Square next{todo.front().first + dr, todo.front().second + dc};
            if (next.first >= 2 && next.first <= 18 && isOpen(m, next) &&
                came.emplace(next, std::pair{todo.front(), key}).second)
                todo.push_back(next);
        }
    return came;
}

QList<Qt::Key> pathTo(const R& m, int row, int col) {
    const auto came = reach(m);
    QList<Qt::Key> keys;
    for (auto at = came.find({row, col}); at != came.end() && at->second.second != Qt::Key_unknown;
         at = came.find(at->second.first))
        keys.prepend(at->second.second);
    return keys;
}

} // namespace

// With every random number 0 the walk goes down column 2, over at the bottom, up column 4, over at the
// top, and so on: a snake through every room.
TEST(MazeRules, HeldAtZeroTheWalkSnakesDownAndUpTheColumns) {
    FakePlatform fake;
    fake.random.script(QList<double>(WalkDraws, 0.0));
    R m;
    m.CarveMaze();
    EXPECT_EQ(fake.random.drawn(), WalkDraws);
    for (int r = 0; r < R::Rows; ++r)
        for (int c = 0; c < R::Cols; ++c) {
            const bool inner = r >= 2 && r <= 18 && c >= 2 && c <= 26;
            const bool along = inner && c % 2 == 0;
            const bool over = inner && ((r == 18 && c % 4 == 3) || (r == 2 && c % 4 == 1));
            const bool edge = r == 0 || r == 20 || c == 0 || c == 28;
            EXPECT_EQ(m.at(r, c), edge ? R::Outside : along || over ? R::Floor : R::Wall) << r << "," << c;
        }
    // Held near 1 it tries the last way first: along the top row to the far side.
    fake.random.script(QList<double>(WalkDraws, 0.999));
    m.CarveMaze();
    for (int c = 2; c <= 26; ++c)
        EXPECT_EQ(m.at(2, c), R::Floor) << c;
}

// Every maze is perfect: all 117 rooms joined by 116 passages and nothing else open, so each room is
// reached by exactly one path; the three bags lie apart on open squares.
TEST(MazeRules, EveryMazeIsPerfectWithThreeBagsApart) {
    FakePlatform fake;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        fake.random.setFixedSeed(seed);
        R m;
        m.NewMaze();
        const auto reached = reach(m);
        int open = 0, rooms = 0;
        for (int r = 1; r <= 19; ++r)
            for (int c = 1; c <= 27; ++c) {
                open += isOpen(m, {r, c});
                rooms += r % 2 == 0 && c % 2 == 0 && reached.count({r, c});
            }
        ASSERT_EQ(std::tuple(rooms, int(reached.size()), open), std::tuple(117, 233, 233)) << seed;
        EXPECT_EQ(m.at(18, 26), R::Player);
        std::set<Square> bags;
        for (int k = 0; k < 3; ++k) {
            const int r = m.TreasureRow[size_t(k)], c = m.TreasureCol[size_t(k)];
            EXPECT_EQ(m.at(r, c), R::Bag) << seed;
            bags.insert({r, c});
        }
        EXPECT_EQ(bags.size(), 3u);
    }
}

// A bag drawn onto the player's start square, onto a wall or onto another bag is drawn again.
TEST(MazeRules, ABagDrawnOntoTheStartAWallOrABagIsDrawnAgain) {
    FakePlatform fake;
    QList<double> script(WalkDraws, 0.0);
    const auto at = [&](int r, int c) { script << (r - 1.5) / 17 << (c - 1.5) / 25; };
    at(18, 26), at(2, 2), at(2, 3), at(4, 2), at(2, 2), at(4, 2), at(18, 3);
    fake.random.script(script);
    R m;
    m.NewMaze();
    EXPECT_EQ(fake.random.drawn(), script.size());
    EXPECT_EQ(std::tuple(m.TreasureRow, m.TreasureCol),
              std::tuple(std::array{2, 4, 18}, std::array{2, 2, 3}));
}

// The printed way out, walked by the game's own rules from the start: one square a step onto open floor,
// every bag picked up and out through the exit at the end; and no longer than it must be: the tree's
// ways from the start to the bags and to the exit walked there and back, but the way to the exit once.
// A grid never carved has no way out.
TEST(MazeRules, TheWayOutPicksUpEveryBagAndLeavesTheShortestWay) {
    FakePlatform fake;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        fake.random.setFixedSeed(seed);
        R m;
        m.NewMaze();
        const std::vector<R::Square> way = m.WayOut();
        ASSERT_GE(way.size(), 2u);
        EXPECT_TRUE(way.front() == (R::Square{18, 26}) && way.back() == (R::Square{1, 4})) << seed;
        R walk = m;
        for (size_t i = 1; i < way.size(); ++i) {
            const int dr = way[i].row - way[i - 1].row, dc = way[i].col - way[i - 1].col;
            ASSERT_EQ(std::abs(dr) + std::abs(dc), 1) << seed;
            const R::Step step = walk.Move(dr, dc);
            ASSERT_NE(step, R::Step::Blocked) << seed << " step " << i;
            EXPECT_EQ(step == R::Step::LeftMaze, i + 1 == way.size()) << seed;
        }
        EXPECT_EQ(walk.ExitState, R::WalkedOut);

        const auto came = reach(m);
        std::set<std::pair<Square, Square>> steps{{{2, 4}, {1, 4}}};
        for (const Square& end :
             {Square{m.TreasureRow[0], m.TreasureCol[0]}, Square{m.TreasureRow[1], m.TreasureCol[1]},
              Square{m.TreasureRow[2], m.TreasureCol[2]}, Square{2, 4}})
            for (Square at = end; at != Square{18, 26}; at = came.at(at).first)
                steps.insert({at, came.at(at).first});
        const qsizetype toExit = pathTo(m, 2, 4).size() + 1;
        EXPECT_EQ(qsizetype(way.size()) - 1, 2 * qsizetype(steps.size()) - toExit) << seed;
    }
    EXPECT_TRUE(R().WayOut().empty()); // walls everywhere: no way at all, rather than one through them
}

namespace {

const QColor BagGold(255, 196, 0), FigureRed(230, 30, 40), WallBlue(46, 64, 168), FloorGreen(226, 246, 214);

class Maze : public WindowFixture<frmMaze> {
protected:
    void newMaze() {
        open();
        click(w->cmdNew);
        heard();
    }
    void solve() {
        click(w->cmdNew);
        settle();
    }
    const R& m() { return w->maze(); }
    QPoint player() { return {m().PlayerCol, m().PlayerRow}; }
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void walkTo(int row, int col) {
        for (Qt::Key key : pathTo(m(), row, col))
            press(key);
    }
    // The bag still in the maze nearest the player: no other bag lies on the way to it.
    Square nearestBag() {
        std::pair<qsizetype, Square> best{1000, {}};
        for (int k = 0; k < 3; ++k)
            if (const int r = m().TreasureRow[size_t(k)], c = m().TreasureCol[size_t(k)];
                m().at(r, c) == R::Bag)
                best = std::min(best, {pathTo(m(), r, c).size(), {r, c}});
        return best.second;
    }
    int pixelsIn(int row, int col, const QColor& colour) {
        const int s = w->picField->width() / 27;
        return pixelsOf(w->picField->image().copy((col - 1) * s, (row - 1) * s, s, s), colour);
    }
    QString message() { return w->lblMessage->text(); }
    // Each page's text.
    QStringList pagesOf(const QString& pdf) {
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        text.waitForFinished(30000);
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
        pages.removeAll(QString());
        return pages;
    }
    // A page of the PDF at 40 dots to the inch.
    QImage pageOf(const QString& pdf, int number) {
        const QString n = QString::number(number);
        QProcess::execute("pdftoppm",
                          {"-r", "40", "-f", n, "-l", n, "-singlefile", pdf, fake.scratch() + "/page"});
        return QImage(fake.scratch() + "/page.ppm");
    }
    // The pixels near that colour within square (row, column) of the maze drawn within the page's margins.
    static int inSquare(const QImage& page, int row, int col, const QColor& colour) {
        const auto x = [&](int c) { return int(((c - 1) / 27.0 + 0.111) / 1.222 * page.width()); };
        const auto y = [&](int r) { return int(((r - 1) / 19.0 + 0.25) / 1.417 * page.height()); };
        int found = 0;
        for (int py = y(row) + 1; py < y(row + 1) - 1; ++py)
            for (int px = x(col) + 1; px < x(col + 1) - 1; ++px) {
                const QColor p = page.pixelColor(px, py);
                found += std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                             std::abs(p.blue() - colour.blue()) <
                         60;
            }
        return found;
    }
};

} // namespace

// Keys do nothing until Solve Maze; a click gives the field the keys, they still walk after Help, and
// Stop ends the game where it stands.
TEST_F(Maze, KeysWalkOnlyWhileTheGameRunsAndTheButtonsLeadTheWay) {
    open();
    EXPECT_FALSE(w->cmdPrint->isEnabled());
    click(w->cmdNew);
    EXPECT_EQ(std::tuple(w->cmdNew->text(), message()),
              std::tuple("&Solve Maze", "Click on\nSolve Maze\nTo Start"));
    EXPECT_TRUE(w->cmdPrint->isEnabled() && pixelsIn(18, 26, FigureRed) > 20);
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(pixelsIn(m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)], BagGold), 20);
    click(w->picField);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left})
        press(key);
    EXPECT_EQ(player(), QPoint(26, 18));

    solve();
    EXPECT_EQ(std::tuple(w->cmdExit->text(), message()), std::tuple("&Stop", "Find\nTreasures\n3 Left"));
    EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdPrint->isEnabled());
    w->cmdHelp->setFocus();
    click(w->picField);
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{14});
    settle();
    press(isOpen(m(), {17, 26}) ? Qt::Key_Up : Qt::Key_Left);
    EXPECT_TRUE(pixelsIn(m().PlayerRow, m().PlayerCol, FigureRed) > 20 && pixelsIn(18, 26, FigureRed) == 0);
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(std::tuple(fake.sound.played[0].name, fake.sound.played[0].mode), std::tuple("ding.wav", 1));

    click(w->cmdExit);
    EXPECT_EQ(std::tuple(message(), w->cmdExit->text(), w->cmdNew->text()),
              std::tuple("\nGame\nStopped", "E&xit", "&New Maze"));
    EXPECT_TRUE(w->cmdNew->isEnabled() && w->cmdPrint->isEnabled());
    const QPoint stoppedAt = player();
    click(w->picField);
    press(Qt::Key_Down), press(Qt::Key_Right);
    EXPECT_EQ(player(), stoppedAt);
    expectSilence(QString());
}

// A bag counts once: picked up, it is gone even after a repaint; the exit opens only after the third,
// and walking out through it ends the game as solved.
TEST_F(Maze, BagsCountOnceAndTheExitOpensAfterTheThird) {
    for (quint32 seed = 1; seed < 40; ++seed) { // a maze with no bag on the way to room (2, 4)
        fake.random.setFixedSeed(seed);
        newMaze();
        R walk = m();
        for (Qt::Key key : pathTo(m(), 2, 4))
            walk.Move(key == Qt::Key_Up ? -1 : key == Qt::Key_Down,
                      key == Qt::Key_Left ? -1 : key == Qt::Key_Right);
        if (walk.TreasuresLeft == 3)
            break;
    }
    solve();
    walkTo(2, 4);
    ASSERT_EQ(m().TreasuresLeft, 3);
    heard();
    press(Qt::Key_Up); // the wall holds
    EXPECT_EQ(player(), QPoint(4, 2));
    EXPECT_EQ(heard(), QStringList());

    const auto [r, c] = nearestBag();
    walkTo(r, c);
    EXPECT_EQ(std::tuple(fake.sound.played.last().name, fake.sound.played.last().mode),
              std::tuple("wow.wav", 1));
    heard();
    EXPECT_EQ(message(), "Find\nTreasures\n2 Left");
    press(pathTo(m(), 2, 4).value(0));
    w->picField_Paint();
    EXPECT_EQ(pixelsIn(r, c, BagGold), 0);
    walkTo(r, c);
    EXPECT_EQ(heard(), QStringList({"ding.wav", "ding.wav"}));
    EXPECT_EQ(m().TreasuresLeft, 2);

    for (Square bag = nearestBag(); bag != Square{}; bag = nearestBag()) {
        EXPECT_FALSE(w->picArrow->isVisible());
        EXPECT_EQ(pixelsIn(1, 4, WallBlue), pixelsIn(1, 6, WallBlue));
        walkTo(bag.first, bag.second);
    }
    EXPECT_EQ(message(), "\nGo To\nExit");
    EXPECT_TRUE(w->picArrow->isVisible() && w->lblArrow->isVisible());
    const QImage arrow = w->picArrow->image(); // pointing up, the way out: its head at the top
    const int half = arrow.height() / 2;
    EXPECT_GT(pixelsOf(arrow.copy(0, 0, arrow.width(), half), Qt::red),
              pixelsOf(arrow.copy(0, half, arrow.width(), half), Qt::red));
    w->picField_Paint();
    EXPECT_TRUE(pixelsIn(1, 4, WallBlue) == 0 && pixelsIn(1, 6, WallBlue) > 0); // the gap in the wall

    walkTo(2, 4);
    fake.sound.played.clear();
    press(Qt::Key_Up);
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(std::tuple(fake.sound.played[0].name, fake.sound.played[0].mode), std::tuple("tada.wav", 0));
    EXPECT_EQ(std::tuple(message(), w->cmdNew->text(), w->cmdExit->text()),
              std::tuple("\nYou Made It!", "&New Maze", "E&xit"));
    EXPECT_FALSE(pixelsIn(2, 4, FigureRed) || w->picArrow->isVisible());
    settle();
    EXPECT_EQ(QApplication::focusWidget(), w->cmdNew);
}

// The clock counts the game's minutes however many, on a clock that the time of day cannot set back.
TEST_F(Maze, ClockCountsTotalMinutesOnAMonotonicClock) {
    newMaze();
    fake.clock.advance(7000);
    solve();
    fake.clock.advance(5000);
    EXPECT_EQ(w->lblTimer->text(), "0:05");
    EXPECT_GT(pixelsOf(w->lblTimer, Qt::white), 1000); // dark on white, easy to read
    fake.clock.setTimeOfDay(10);
    fake.clock.advance(3670000);
    EXPECT_EQ(w->lblTimer->text(), "61:15");
    click(w->cmdExit);
    fake.clock.advance(10000);
    EXPECT_EQ(w->lblTimer->text(), "61:15");
    click(w->cmdNew);
    EXPECT_EQ(w->lblTimer->text(), "0:00");
}

// Walls are joined strokes through the middle of their squares; the floor between them stays clear.
TEST_F(Maze, WallsAreJoinedStrokesThroughTheirSquares) {
    newMaze();
    const QImage field = w->picField->image();
    const double s = w->picField->width() / 27.0;
    const auto pixel = [&](double r, double c) {
        return field.pixelColor(int((c - 0.5) * s), int((r - 0.5) * s));
    };
    const auto wall = [&](int r, int c) { return m().at(r, c) == R::Wall; };
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 27; ++c) {
            if (m().at(r, c) == R::Floor || wall(r, c)) {
                EXPECT_EQ(pixel(r - 0.3, c - 0.3), FloorGreen) << r << "," << c;
            }
            if (m().at(r, c) == R::Floor) {
                EXPECT_EQ(pixel(r, c), FloorGreen) << r << "," << c;
            } else if (wall(r, c) && (wall(r, c - 1) || wall(r, c + 1) || wall(r - 1, c) || wall(r + 1, c))) {
                EXPECT_TRUE(pixel(r, c) == WallBlue && (!wall(r, c + 1) || pixel(r, c + 0.5) == WallBlue) &&
                            (!wall(r + 1, c) || pixel(r + 0.5, c) == WallBlue))
                    << r << "," << c;
            }
        }
}

namespace {

// A print system that refuses every job, saying why.
class RefusingPrinter : public Printer {
    struct Job : PrintJobOnDevice {
        using PrintJobOnDevice::PrintJobOnDevice;
        PrintOutcome end() override { return {PrintOutcome::Result::NotPrinted, finish() ? "Refused." : ""}; }
    };
    std::unique_ptr<PrintJob> begin(QWidget*, const QString&) override {
        auto device = std::make_unique<QPrinter>();
        device->setOutputFileName(QDir::temp().filePath("nibsy-refused.pdf"));
        return std::make_unique<Job>(std::move(device));
    }
};

} // namespace

// The printed page: both title lines, the maze with its way out, the figure at the start and all three
// bags; Cancel prints nothing, and a printer's refusal is told as for any worksheet.
TEST_F(Maze, PrintsTheTitleLinesTheFigureAndTheBags) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString pdf = fake.scratch() + "/printout.pdf";
    newMaze();
    solve();
    walkTo(nearestBag().first, nearestBag().second);
    click(w->cmdExit);
    fake.dialogs.answerOk = false;
    click(w->cmdPrint);
    EXPECT_FALSE(QFile::exists(pdf));
    fake.dialogs.answerOk = true;
    fake.dialogs.answers = {true, false}; // no way out
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 3); // asked twice and about the way out, no complaint
    EXPECT_EQ(std::tuple(fake.dialogs.shown[1].text, fake.dialogs.shown[1].title),
              std::tuple("Make sure printer is on-line and ready.", "Print Maze"));
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].simplified().left(50), "Treasure Maze EXIT (Find Treasures Before Exiting)");
    w->picField_Paint(); // the field keeps its own look: blue walls, the exit still closed
    EXPECT_TRUE(pixelsIn(1, 4, WallBlue) > 0 && pixelsIn(18, 26, FigureRed) == 0);

    const QImage page = pageOf(pdf, 1);
    const auto inSquare = [&](int row, int col, const QColor& colour) {
        return Maze::inSquare(page, row, col, colour);
    };
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(inSquare(m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)], BagGold), 3) << k;
    EXPECT_TRUE(inSquare(18, 26, FigureRed) > 3 && inSquare(m().PlayerRow, m().PlayerCol, FigureRed) == 0 &&
                inSquare(18, 25, FigureRed) + inSquare(17, 26, FigureRed) == 0);
    // The way out: an arrow where the wall has a gap (an edge of the arrow may be dark).
    EXPECT_TRUE(inSquare(1, 4, Qt::red) > 3 && inSquare(1, 4, Qt::black) * 4 < inSquare(1, 6, Qt::black));

    services().printer = std::make_unique<RefusingPrinter>();
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 6);
    EXPECT_EQ(std::tuple(fake.dialogs.shown[5].kind, fake.dialogs.shown[5].text, fake.dialogs.shown[5].title),
              std::tuple(FakeDialogs::Critical, "Refused.", "Print Maze"));
}

// Asked for after the maze, the way out is a second page of the same document: the same maze, figure and
// bags, and a green line through every square of the way and none other.
TEST_F(Maze, PrintsTheWayOutOnASecondPageWhenAskedFor) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString pdf = fake.scratch() + "/printout.pdf";
    newMaze();
    fake.dialogs.answers = {true, true};
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 2);
    EXPECT_EQ(std::tuple(fake.dialogs.shown[1].kind, fake.dialogs.shown[1].text, fake.dialogs.shown[1].title),
              std::tuple(FakeDialogs::OkCancel, "Print the way out too?", "Print Maze"));
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].simplified().left(50), "Treasure Maze EXIT (Find Treasures Before Exiting)");
    EXPECT_EQ(pages[1].simplified().left(64),
              "Treasure Maze — The Way Out EXIT (Find Treasures Before Exiting)");

    const QColor green(0, 160, 60);
    const QImage first = pageOf(pdf, 1), second = pageOf(pdf, 2);
    const std::vector<R::Square> way = m().WayOut();
    std::set<Square> onWay, pictures{{18, 26}, {1, 4}};
    for (const R::Square s : way)
        onWay.insert({s.row, s.col});
    for (int k = 0; k < 3; ++k) {
        pictures.insert({m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)]});
        EXPECT_GT(inSquare(second, m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)], BagGold), 3) << k;
    }
    EXPECT_GT(inSquare(second, 18, 26, FigureRed), 3);
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 27; ++c) {
            if (pictures.count({r, c}))
                continue;
            EXPECT_EQ(inSquare(second, r, c, Qt::black), inSquare(first, r, c, Qt::black)) << r << "," << c;
            EXPECT_EQ(inSquare(second, r, c, green) > 3, onWay.count({r, c}) == 1) << r << "," << c;
        }
}
