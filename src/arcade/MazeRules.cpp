// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "arcade/MazeRules.h"

#include "platform/Random.h"
#include "platform/Services.h"

#include <algorithm>
#include <deque>

namespace nibsy {

namespace {

// Direction d of the walk: 0 down (row + 1), 1 left (column - 1), 2 up (row - 1), 3 right (column + 1).
constexpr std::array<int, 4> WalkRow{1, 0, -1, 0};
constexpr std::array<int, 4> WalkCol{0, -1, 0, 1};

// The middle fifth of a square, where its wall runs.
constexpr double BandFrom = 0.4;
constexpr double BandTo = 0.6;

constexpr int Left = 1;
constexpr int Up = 2;
constexpr int Right = 4;
constexpr int Down = 8;

} // namespace

MazeRules::MazeRules() {
    for (int row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            const bool outside = row == 0 || row == Rows - 1 || col == 0 || col == Cols - 1;
            set(row, col, outside ? Outside : Wall);
        }
    }
}

qint16 MazeRules::at(int row, int col) const {
    if (row < 0 || row >= Rows || col < 0 || col >= Cols) {
        return Outside;
    }
    return MazeGrid[size_t(index(row, col))];
}

void MazeRules::set(int row, int col, qint16 code) {
    if (row >= 0 && row < Rows && col >= 0 && col < Cols) {
        MazeGrid[size_t(index(row, col))] = code;
    }
}

void MazeRules::NewMaze() {
    CarveMaze();
    PlaceTreasures();
    PlacePlayer();
}

void MazeRules::CarveMaze() {
    *this = MazeRules();
    int row = 2;
    int col = 2;
    set(row, col, WalkStart);
    for (;;) {
        const int d0 = rnd().below(4);
        bool moved = false;
        for (int i = 0; i < 4 && !moved; ++i) {
            const int d = (d0 + i) % 4;
            const int toRow = row + 2 * WalkRow[size_t(d)];
            const int toCol = col + 2 * WalkCol[size_t(d)];
            if (at(toRow, toCol) == Wall) {
                set(row + WalkRow[size_t(d)], col + WalkCol[size_t(d)], Floor);
                set(toRow, toCol, qint16(EnteredBy0 + d));
                row = toRow;
                col = toCol;
                moved = true;
            }
        }
        if (moved) {
            continue;
        }
        // A dead end: the room is done, and the walk goes back the way it came.
        const qint16 code = at(row, col);
        set(row, col, Floor);
        if (code < EnteredBy0 || code >= WalkStart) {
            return;
        }
        const int back = (code - EnteredBy0 + 2) % 4;
        row += 2 * WalkRow[size_t(back)];
        col += 2 * WalkCol[size_t(back)];
    }
}

void MazeRules::PlaceTreasures() {
    for (int k = 0; k < Bags; ++k) {
        int row = 0;
        int col = 0;
        do {
            row = rnd().below(17) + 2;
            col = rnd().below(25) + 2;
        } while (at(row, col) != Floor || (row == StartRow && col == StartCol));
        TreasureRow[size_t(k)] = row;
        TreasureCol[size_t(k)] = col;
        set(row, col, Bag);
    }
}

void MazeRules::PlacePlayer() {
    PlayerRow = NextRow = StartRow;
    PlayerCol = NextCol = StartCol;
    set(StartRow, StartCol, Player);
    TreasuresLeft = Bags;
    ExitState = ExitClosed;
}

MazeRules::Step MazeRules::Move(int dRow, int dCol) {
    NextRow = PlayerRow + dRow;
    NextCol = PlayerCol + dCol;
    const bool inside = NextRow >= 2 && NextRow <= 18 && NextCol >= 2 && NextCol <= 26;
    if (!inside) {
        if (NextRow == ExitRow && NextCol == ExitCol && ExitState == ExitOpen) {
            set(PlayerRow, PlayerCol, Floor);
            ExitState = WalkedOut;
            return Step::LeftMaze;
        }
        return Step::Blocked;
    }
    const qint16 code = at(NextRow, NextCol);
    if (code != Floor && code != Bag) {
        return Step::Blocked;
    }
    set(NextRow, NextCol, Player);
    set(PlayerRow, PlayerCol, Floor);
    PlayerRow = NextRow;
    PlayerCol = NextCol;
    if (code == Floor) {
        return Step::Moved;
    }
    TreasuresLeft -= 1;
    if (TreasuresLeft == 0) {
        set(ExitRow, ExitCol, Floor);
        ExitState = ExitOpen;
    }
    return Step::FoundBag;
}

std::vector<MazeRules::Square> MazeRules::Route(Square from, Square to) const {
    const auto inGrid = [](Square s) { return s.row >= 0 && s.row < Rows && s.col >= 0 && s.col < Cols; };
    if (!inGrid(from) || !inGrid(to)) {
        return {};
    }
    // Breadth first, each square remembering the one it was reached from.
    std::array<int, Rows * Cols> cameFrom;
    cameFrom.fill(-1);
    cameFrom[size_t(index(from.row, from.col))] = index(from.row, from.col);
    for (std::deque<Square> todo{from}; !todo.empty(); todo.pop_front()) {
        const Square here = todo.front();
        if (here == to) {
            std::vector<Square> way{to};
            for (int at = index(to.row, to.col); at != index(from.row, from.col);) {
                at = cameFrom[size_t(at)];
                way.push_back({at % Rows, at / Rows});
            }
            std::reverse(way.begin(), way.end());
            return way;
        }
        for (size_t d = 0; d < WalkRow.size(); ++d) {
            const Square next{here.row + WalkRow[d], here.col + WalkCol[d]};
            const qint16 code = at(next.row, next.col);
            const bool open = code == Floor || code == Bag || code == Player;
            if (inGrid(next) && (open || next == to) && cameFrom[size_t(index(next.row, next.col))] < 0) {
                cameFrom[size_t(index(next.row, next.col))] = index(here.row, here.col);
                todo.push_back(next);
            }
        }
    }
    return {};
}

std::vector<MazeRules::Square> MazeRules::WayOut() const {
    std::array<int, Bags> order{};
    for (int k = 0; k < Bags; ++k) {
        order[size_t(k)] = k;
    }
    std::vector<Square> best;
    do {
        std::vector<Square> way{{StartRow, StartCol}};
        bool found = true;
        const auto walkTo = [&](Square to) {
            const std::vector<Square> leg = Route(way.back(), to);
            found = found && !leg.empty();
            way.insert(way.end(), leg.begin() + (leg.empty() ? 0 : 1), leg.end());
        };
        for (const int k : order) {
            walkTo({TreasureRow[size_t(k)], TreasureCol[size_t(k)]});
        }
        walkTo({ExitRow, ExitCol});
        if (found && (best.empty() || way.size() < best.size())) {
            best = std::move(way);
        }
    } while (std::next_permutation(order.begin(), order.end()));
    return best;
}

bool MazeRules::isWallPiece(int row, int col) const {
    return row >= 1 && row <= Rows - 2 && col >= 1 && col <= Cols - 2 && at(row, col) == Wall;
}

int MazeRules::WallPattern(int row, int col) const {
    return (at(row, col - 1) == Wall ? Left : 0) + (at(row - 1, col) == Wall ? Up : 0) +
           (at(row, col + 1) == Wall ? Right : 0) + (at(row + 1, col) == Wall ? Down : 0);
}

std::vector<QRectF> MazeRules::WallBars(int pattern) {
    const auto bar = [](double x1, double y1, double x2, double y2) {
        return QRectF(QPointF(x1, y1), QPointF(x2, y2));
    };
    if (pattern == 0) {
        return {};
    }
    if ((pattern & (Up | Down)) == 0) {
        return {bar(0, BandFrom, 1, BandTo)};
    }
    if ((pattern & (Left | Right)) == 0) {
        return {bar(BandFrom, 0, BandTo, 1)};
    }
    // Bars from the middle towards each neighbour; those across and those along each join into one.
    return {bar(pattern & Left ? 0 : BandFrom, BandFrom, pattern & Right ? 1 : BandTo, BandTo),
            bar(BandFrom, pattern & Up ? 0 : BandFrom, BandTo, pattern & Down ? 1 : BandTo)};
}

} // namespace nibsy
