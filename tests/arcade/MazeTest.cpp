// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Treasure Maze: the walk that carves the maze, the bags, and the game as a child plays it with the arrow
// keys, what the field and the clock show, and the printed worksheet read back from its PDF.

#include "arcade/MazeRules.h"
#include "arcade/frmMaze.h"
#include "platform/PictureBox.h"
#include "platform/Printing.h"
#include "platform/SSCommand.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <deque>
#include <map>
#include <set>

using namespace nibsy;
using namespace nibsy::test;

namespace {

using R = MazeRules;
constexpr int WalkDraws = 233; // one a step of the walk: 116 rooms entered, 117 finished

bool isOpen(const R& m, int row, int col) {
    const qint16 c = m.at(row, col);
    return c == R::Floor || c == R::Bag || c == R::Player;
}

// The arrow keys that walk from the player's square to (row, col) inside the maze.
QList<Qt::Key> pathTo(const R& m, int row, int col) {
    std::map<std::pair<int, int>, std::pair<std::pair<int, int>, Qt::Key>> came;
    std::deque<std::pair<int, int>> todo{{m.PlayerRow, m.PlayerCol}};
    came[todo.front()] = {todo.front(), Qt::Key_unknown};
    const std::array<std::tuple<int, int, Qt::Key>, 4> steps{
        {{0, -1, Qt::Key_Left}, {0, 1, Qt::Key_Right}, {-1, 0, Qt::Key_Up}, {1, 0, Qt::Key_Down}}};
    while (!todo.empty()) {
        const auto [r, c] = todo.front();
        todo.pop_front();
        for (const auto& [dr, dc, key] : steps) {
            const std::pair<int, int> next{r + dr, c + dc};
            if (next.first >= 2 && next.first <= 18 && next.second >= 2 && next.second <= 26 &&
                isOpen(m, next.first, next.second) && !came.count(next)) {
                came[next] = {{r, c}, key};
                todo.push_back(next);
            }
        }
    }
    QList<Qt::Key> keys;
    for (std::pair<int, int> at{row, col}; came.count(at) && came[at].second != Qt::Key_unknown;
         at = came[at].first)
        keys.prepend(came[at].second);
    return keys;
}

// The number of open squares reached from room (2, 2), and whether every room is among them.
std::pair<int, bool> reached(const R& m) {
    std::set<std::pair<int, int>> seen{{2, 2}};
    std::deque<std::pair<int, int>> todo{{2, 2}};
    while (!todo.empty()) {
        const auto [r, c] = todo.front();
        todo.pop_front();
        for (const auto& [dr, dc] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}})
            if (isOpen(m, r + dr, c + dc) && seen.insert({r + dr, c + dc}).second)
                todo.push_back({r + dr, c + dc});
    }
    bool rooms = true;
    for (int r = 2; r <= 18; r += 2)
        for (int c = 2; c <= 26; c += 2)
            rooms = rooms && seen.count({r, c});
    return {int(seen.size()), rooms};
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
            const bool edge = r == 0 || r == 20 || c == 0 || c == 28;
            const bool inner = r >= 2 && r <= 18 && c >= 2 && c <= 26;
            const bool room = inner && r % 2 == 0 && c % 2 == 0;
            const bool down = inner && c % 2 == 0; // along a column
            const bool over =
                inner && ((r == 18 && c % 4 == 3) || (r == 2 && c % 4 == 1 && c > 2)); // between two
            const qint16 want = edge ? R::Outside : room || down || over ? R::Floor : R::Wall;
            EXPECT_EQ(m.at(r, c), want) << r << "," << c;
        }
}

// Every maze is perfect: all 117 rooms joined by 116 passages with no square to spare, so each room is
// reached by exactly one path; the three bags lie apart on open squares, never on the player.
TEST(MazeRules, EveryMazeIsPerfectWithThreeBagsApart) {
    FakePlatform fake;
    std::set<std::pair<int, int>> bagSquares;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        fake.random.setFixedSeed(seed);
        R m;
        m.NewMaze();
        const auto [count, rooms] = reached(m);
        ASSERT_TRUE(rooms && count == 117 + 116) << seed << ": " << count;
        int open = 0, bags = 0;
        for (int r = 1; r <= 19; ++r)
            for (int c = 1; c <= 27; ++c) {
                open += isOpen(m, r, c);
                bags += m.at(r, c) == R::Bag;
            }
        ASSERT_EQ(open, count) << seed; // nothing open that the walk did not reach
        EXPECT_EQ(bags, 3) << seed;
        EXPECT_EQ(m.at(18, 26), R::Player);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(m.at(m.TreasureRow[size_t(k)], m.TreasureCol[size_t(k)]), R::Bag) << seed;
            bagSquares.insert({m.TreasureRow[size_t(k)] % 2, m.TreasureCol[size_t(k)] % 2});
        }
    }
    EXPECT_EQ(bagSquares.size(), 3u); // in rooms and on passages of both kinds
}

// A bag drawn onto the player's start square, onto a wall or onto another bag is drawn again.
TEST(MazeRules, ABagDrawnOntoTheStartAWallOrABagIsDrawnAgain) {
    FakePlatform fake;
    QList<double> script(WalkDraws, 0.0);
    const auto row = [](int r) { return (r - 2 + 0.5) / 17; };
    const auto col = [](int c) { return (c - 2 + 0.5) / 25; };
    script << row(18) << col(26) << row(2) << col(2)                     // the start, then room (2, 2)
           << row(2) << col(3) << row(4) << col(2)                       // a wall, then room (4, 2)
           << row(2) << col(2) << row(4) << col(2) << row(18) << col(3); // two bags, then a passage
    fake.random.script(script);
    R m;
    m.NewMaze();
    EXPECT_EQ(fake.random.drawn(), script.size());
    EXPECT_EQ(std::vector(m.TreasureRow.begin(), m.TreasureRow.end()), (std::vector{2, 4, 18}));
    EXPECT_EQ(std::vector(m.TreasureCol.begin(), m.TreasureCol.end()), (std::vector{2, 2, 3}));
    EXPECT_EQ(m.at(18, 26), R::Player);
}

namespace {

const QColor BagGold(255, 196, 0);
const QColor FigureRed(230, 30, 40);
const QColor WallBlue(46, 64, 168);
const QColor FloorGreen(226, 246, 214);

class Maze : public WindowFixture<frmMaze> {
protected:
    // A new maze on the screen, waiting for Solve Maze.
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
    // A key pressed where the keyboard is.
    void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void walkTo(int row, int col) {
        for (Qt::Key key : pathTo(m(), row, col))
            press(key);
    }
    // The bag still in the maze nearest the player: no other bag lies on the way to it.
    int nearestBag() {
        int best = -1;
        qsizetype shortest = 1000;
        for (int k = 0; k < 3; ++k) {
            const int r = m().TreasureRow[size_t(k)], c = m().TreasureCol[size_t(k)];
            if (m().at(r, c) == R::Bag && pathTo(m(), r, c).size() < shortest) {
                shortest = pathTo(m(), r, c).size();
                best = k;
            }
        }
        return best;
    }
    QImage square(int row, int col) {
        const QPoint at =
            w->picField->toPixels((col - 1) * w->cellWidth(), (row - 1) * w->cellHeight()).toPoint();
        const int s = w->picField->width() / 27;
        return w->picField->image().copy(at.x(), at.y(), s, s);
    }
    bool showsBag(int row, int col) { return pixelsOf(square(row, col), BagGold) > 20; }
    bool showsFigure(int row, int col) { return pixelsOf(square(row, col), FigureRed) > 20; }
    QString message() { return w->lblMessage->text(); }
};

} // namespace

// Keys do nothing until Solve Maze; the buttons and messages lead the child from one step to the next.
TEST_F(Maze, KeysDoNothingUntilSolveMazeAndTheButtonsLeadTheWay) {
    open();
    EXPECT_EQ(w->cmdNew->text(), "&New Maze");
    EXPECT_FALSE(w->cmdPrint->isEnabled());
    press(Qt::Key_Up);
    click(w->cmdNew);
    EXPECT_EQ(w->cmdNew->text(), "&Solve Maze");
    EXPECT_TRUE(w->cmdPrint->isEnabled());
    EXPECT_EQ(message(), "Click on\nSolve Maze\nTo Start");
    EXPECT_TRUE(showsFigure(18, 26));
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(showsBag(m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)]));
    click(w->picField);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Right})
        press(key);
    EXPECT_EQ(QPoint(m().PlayerCol, m().PlayerRow), QPoint(26, 18));
    EXPECT_EQ(heard(), QStringList());

    solve();
    EXPECT_EQ(w->cmdExit->text(), "&Stop");
    EXPECT_FALSE(w->cmdNew->isEnabled() || w->cmdPrint->isEnabled());
    EXPECT_EQ(message(), "Find\nTreasures\n3 Left");
    ASSERT_EQ(QApplication::focusWidget(), w->picField);
    const bool up = isOpen(m(), 17, 26);
    press(up ? Qt::Key_Up : Qt::Key_Left);
    EXPECT_NE(QPoint(m().PlayerCol, m().PlayerRow), QPoint(26, 18));
    EXPECT_TRUE(showsFigure(m().PlayerRow, m().PlayerCol) && !showsFigure(18, 26));
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(fake.sound.played[0].name, "ding.wav");
    EXPECT_EQ(fake.sound.played[0].mode, 1);

    click(w->cmdExit);
    EXPECT_EQ(message(), "\nGame\nStopped");
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    EXPECT_EQ(w->cmdNew->text(), "&New Maze");
    EXPECT_TRUE(w->cmdNew->isEnabled() && w->cmdPrint->isEnabled());
    expectSilence(QString());
    const QPoint stoppedAt(m().PlayerCol, m().PlayerRow);
    click(w->picField);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(QPoint(m().PlayerCol, m().PlayerRow), stoppedAt);
    EXPECT_EQ(heard(), QStringList());
}

// A bag counts once: picked up, it is gone even after a repaint; the exit opens only after the third,
// and walking out through it ends the game as solved.
TEST_F(Maze, BagsCountOnceAndTheExitOpensAfterTheThird) {
    // A maze with no bag on the way from the start to room (2, 4).
    for (quint32 seed = 1; seed < 40; ++seed) {
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
    // Up from room (2, 4) before the last bag: the wall holds.
    walkTo(2, 4);
    ASSERT_EQ(m().TreasuresLeft, 3);
    heard();
    press(Qt::Key_Up);
    EXPECT_EQ(QPoint(m().PlayerCol, m().PlayerRow), QPoint(4, 2));
    EXPECT_EQ(heard(), QStringList());
    EXPECT_FALSE(w->picArrow->isVisible());

    const int left = m().TreasuresLeft;
    int k = nearestBag();
    int r = m().TreasureRow[size_t(k)], c = m().TreasureCol[size_t(k)];
    walkTo(r, c);
    EXPECT_EQ(heard().filter("wow.wav").size(), 1);
    EXPECT_EQ(m().TreasuresLeft, left - 1);
    EXPECT_EQ(message(), QString("Find\nTreasures\n%1 Left").arg(left - 1));
    w->picField_Paint();
    EXPECT_TRUE(showsFigure(r, c));
    const QList<Qt::Key> away = pathTo(m(), 2, 4).mid(0, 1);
    ASSERT_EQ(away.size(), 1);
    press(away[0]);
    EXPECT_FALSE(showsBag(r, c));
    w->picField_Paint();
    EXPECT_FALSE(showsBag(r, c));
    walkTo(r, c);
    EXPECT_EQ(heard(), QStringList({"ding.wav", "ding.wav"}));
    EXPECT_EQ(m().TreasuresLeft, left - 1);

    while ((k = nearestBag()) >= 0) {
        EXPECT_EQ(pixelsOf(square(1, 4), WallBlue), pixelsOf(square(1, 6), WallBlue));
        walkTo(m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)]);
    }
    EXPECT_EQ(message(), "\nGo To\nExit");
    EXPECT_TRUE(w->picArrow->isVisible() && w->lblArrow->isVisible());
    EXPECT_EQ(pixelsOf(square(1, 4), WallBlue), 0); // the gap in the wall
    EXPECT_GT(pixelsOf(square(1, 6), WallBlue), 0);
    w->picField_Paint();
    EXPECT_EQ(pixelsOf(square(1, 4), WallBlue), 0);
    for (int b = 0; b < 3; ++b)
        EXPECT_FALSE(showsBag(m().TreasureRow[size_t(b)], m().TreasureCol[size_t(b)]));

    walkTo(2, 4);
    heard();
    fake.sound.played.clear();
    press(Qt::Key_Up);
    ASSERT_EQ(fake.sound.played.size(), 1);
    EXPECT_EQ(fake.sound.played[0].name, "tada.wav");
    EXPECT_EQ(fake.sound.played[0].mode, 0);
    EXPECT_EQ(message(), "\nYou Made It!");
    EXPECT_FALSE(showsFigure(2, 4));
    EXPECT_FALSE(w->picArrow->isVisible());
    EXPECT_EQ(w->cmdNew->text(), "&New Maze");
    EXPECT_TRUE(w->cmdNew->isEnabled());
    EXPECT_EQ(w->cmdExit->text(), "E&xit");
    settle();
    EXPECT_EQ(QApplication::focusWidget(), w->cmdNew);
}

// The clock counts the minutes of the game however many, on a clock that the time of day cannot set
// back; Stop halts it.
TEST_F(Maze, ClockCountsTotalMinutesOnAMonotonicClock) {
    newMaze();
    fake.clock.advance(7000); // time before the game does not count
    solve();
    EXPECT_EQ(w->lblTimer->text(), "0:00");
    fake.clock.advance(5000);
    EXPECT_EQ(w->lblTimer->text(), "0:05");
    fake.clock.setTimeOfDay(10);
    fake.clock.advance(60000);
    EXPECT_EQ(w->lblTimer->text(), "1:05");
    fake.clock.advance(3600000);
    EXPECT_EQ(w->lblTimer->text(), "61:05");
    click(w->cmdExit);
    fake.clock.advance(10000);
    EXPECT_EQ(w->lblTimer->text(), "61:05");
    click(w->cmdNew);
    EXPECT_EQ(w->lblTimer->text(), "0:00");
}

// A click on the field gives it the keys, and they still walk after Help.
TEST_F(Maze, AClickGivesTheFieldTheKeysAndTheyStillWorkAfterHelp) {
    newMaze();
    solve();
    w->cmdHelp->setFocus();
    click(w->picField);
    EXPECT_EQ(QApplication::focusWidget(), w->picField);
    click(w->cmdHelp);
    EXPECT_EQ(fake.help.asked, QList<int>{14});
    settle();
    const QList<Qt::Key> keys = pathTo(m(), 18, 24);
    for (Qt::Key key : keys)
        press(key);
    EXPECT_EQ(QPoint(m().PlayerCol, m().PlayerRow), QPoint(24, 18));
    EXPECT_TRUE(w->running());
}

// Walls are drawn as joined strokes through the middle of their squares: the middle of every wall piece
// and of every join between two is wall, the floor beside it is not.
TEST_F(Maze, WallsAreJoinedStrokesThroughTheirSquares) {
    newMaze();
    const QImage field = w->picField->image();
    const double cw = w->picField->width() / 27.0, ch = w->picField->height() / 19.0;
    const auto pixel = [&](double row, double col) {
        return field.pixelColor(int((col - 0.5) * cw), int((row - 0.5) * ch));
    };
    int walls = 0;
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 27; ++c) {
            const bool wall = m().at(r, c) == R::Wall;
            // An end of wall reaches the edge of the floor beside it; the floor's middle stays clear.
            if (!wall && (m().at(r, c) == R::Floor)) {
                EXPECT_EQ(pixel(r, c), FloorGreen) << r << "," << c;
                continue;
            }
            if (!wall || !(m().at(r, c - 1) == R::Wall || m().at(r, c + 1) == R::Wall ||
                           m().at(r - 1, c) == R::Wall || m().at(r + 1, c) == R::Wall))
                continue;
            ++walls;
            EXPECT_EQ(pixel(r, c), WallBlue) << r << "," << c;
            if (m().at(r, c + 1) == R::Wall)
                EXPECT_EQ(pixel(r, c + 0.5), WallBlue) << r << "," << c;
            if (m().at(r + 1, c) == R::Wall)
                EXPECT_EQ(pixel(r + 0.5, c), WallBlue) << r << "," << c;
            // The quarter points off the stroke are floor unless a stroke runs there.
            EXPECT_EQ(pixel(r - 0.3, c - 0.3), FloorGreen) << r << "," << c;
        }
    EXPECT_GT(walls, 200);
}

namespace {

// A print system that refuses every job, saying why.
class RefusedJob : public PrintJobOnDevice {
public:
    using PrintJobOnDevice::PrintJobOnDevice;
    PrintOutcome end() override {
        EXPECT_TRUE(finish());
        return {PrintOutcome::Result::NotPrinted, Refusal};
    }
    static inline const QString Refusal = "The printer Office refused the printout.";
};
class RefusingPrinter : public Printer {
public:
    explicit RefusingPrinter(const QString& path) : m_path(path) {}
    std::unique_ptr<PrintJob> begin(QWidget*, const QString&) override {
        auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
        device->setOutputFormat(QPrinter::PdfFormat);
        device->setOutputFileName(m_path);
        return std::make_unique<RefusedJob>(std::move(device));
    }

private:
    QString m_path;
};

QStringList pdfLines(const QString& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput()).split(u'\n').filter(QRegularExpression(R"(\S)"));
}

} // namespace

// The printed page: both title lines, and a maze with the figure and the three bags; Cancel prints
// nothing, and a printout that cannot be made is told as for any worksheet.
TEST_F(Maze, PrintsTheTitleLinesTheFigureAndTheBags) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString pdf = fake.scratch() + "/printout.pdf";
    newMaze();
    solve();
    walkTo(m().TreasureRow[size_t(nearestBag())], m().TreasureCol[size_t(nearestBag())]);
    click(w->cmdExit);
    fake.dialogs.answerOk = false;
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(fake.dialogs.shown[0].text, "Make sure printer is on-line and ready.");
    EXPECT_EQ(fake.dialogs.shown[0].title, "Print Maze");
    EXPECT_FALSE(QFile::exists(pdf));

    fake.dialogs.answerOk = true;
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 2); // no complaint
    const QStringList lines = pdfLines(pdf);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].trimmed(), "Treasure Maze");
    EXPECT_EQ(lines[1].trimmed(), "EXIT (Find Treasures Before Exiting)");
    QProcess::execute("pdftoppm", {"-r", "40", "-singlefile", pdf, fake.scratch() + "/page"});
    const QImage page(fake.scratch() + "/page.ppm");
    ASSERT_FALSE(page.isNull());
    // Three bags and one figure, in their squares of the maze drawn from the margins.
    // The pixels of about that colour in square (row, column) of the maze, which lies within the margins.
    const auto inSquare = [&](int row, int col, const QColor& colour) {
        const auto x = [&](double c) { return int(((c - 1) / 27 + 0.111) / 1.222 * page.width()); };
        const auto y = [&](double r) { return int(((r - 1) / 19 + 0.25) / 1.417 * page.height()); };
        int found = 0;
        for (int py = y(row); py < y(row + 1); ++py)
            for (int px = x(col); px < x(col + 1); ++px) {
                const QColor c = page.pixelColor(px, py);
                found += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                             std::abs(c.blue() - colour.blue()) <
                         60;
            }
        return found;
    };
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(inSquare(m().TreasureRow[size_t(k)], m().TreasureCol[size_t(k)], BagGold), 3) << k;
    EXPECT_GT(inSquare(18, 26, FigureRed), 3);
    EXPECT_EQ(inSquare(m().PlayerRow, m().PlayerCol, FigureRed), 0);
    EXPECT_GT(inSquare(1, 4, QColor(255, 0, 0)), 3); // the way out
    EXPECT_EQ(inSquare(1, 4, Qt::black), 0);
    EXPECT_GT(inSquare(1, 6, Qt::black), 3);

    services().printer = std::make_unique<RefusingPrinter>(fake.scratch() + "/refused.pdf");
    click(w->cmdPrint);
    ASSERT_EQ(fake.dialogs.shown.size(), 4);
    EXPECT_EQ(std::tuple(fake.dialogs.shown[3].kind, fake.dialogs.shown[3].text, fake.dialogs.shown[3].title),
              std::tuple(FakeDialogs::Critical, RefusedJob::Refusal, QString("Print Maze")));
}
