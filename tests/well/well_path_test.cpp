#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "board_test_support.h"
#include "well/well_path.h"

namespace {

using board_testing::StubWell;
using well::WellPath;

// Costs from rows of text: '#' 0 (blocks everything), '~' 1 (the flood
// passes, the walker does not), '.' 2 (walkable).
class GridPath : public WellPath {
 public:
  GridPath(StubWell& board, std::vector<std::string> rows) : WellPath(&board), rows_(std::move(rows)) {
    board.Create(static_cast<uint32_t>(rows_[0].size()), static_cast<uint32_t>(rows_.size()), {0, 0}, {1, 1},
                 {0.05f, 0.05f});
    Create();
  }

  int32_t GetCellCost(int32_t x, int32_t y) override {
    switch (rows_[y][x]) {
      case '#': return 0;
      case '~': return 1;
      default: return 2;
    }
  }

  // Floods from the goal, routes, and answers the steps in the order taken.
  std::string Route(int32_t sx, int32_t sy, int32_t gx, int32_t gy) {
    FloodFill(gx, gy);
    BuildPath(sx, sy, gx, gy);
    return Steps();
  }
  void SetCell(int32_t x, int32_t y, char cost) { rows_[y][x] = cost; }
  std::string Steps() const {
    std::string text;
    for (auto it = GetSteps().rbegin(); it != GetSteps().rend(); ++it)
      text += (text.empty() ? "" : " ") + std::to_string(*it % GetWidth()) + "," + std::to_string(*it / GetWidth());
    return text;
  }

 private:
  std::vector<std::string> rows_;
};

TEST(WellPathTest, RoutesOverSmallCostGrids) {
  const struct {
    const char* what;
    std::vector<std::string> rows;
    int32_t sx, sy, gx, gy;
    const char* steps;
  } cases[] = {
      {"a start on the goal stays", {"...", "...", "..."}, 1, 1, 1, 1, ""},
      {"a straight line", {"....."}, 0, 0, 4, 0, "1,0 2,0 3,0 4,0"},
      {"round a wall", {"...", "##.", "..."}, 0, 0, 0, 2, "1,0 2,0 2,1 2,2 1,2 0,2"},
      // A goal the walker cannot reach: the nearest reachable cell, when it
      // is nearer than the start.
      {"a walled goal", {"...~."}, 0, 0, 4, 0, "1,0 2,0"},
      {"nothing nearer than the start", {"~~~..", "#####"}, 3, 0, 0, 0, ""},
      {"an unreached start", {"..#..", "..#.."}, 0, 0, 4, 0, ""},
      {"a start on a blocked cell", {"#...."}, 0, 0, 4, 0, ""},
      // Cost 1 carries the flood along the top row but is never stepped on.
      {"cost-1 cells", {".~~~.", "....."}, 0, 0, 4, 0, "0,1 1,1 2,1 3,1 4,1 4,0"},
      // Two equally near neighbours of a goal the walker cannot enter: the
      // later direction wins, (0, -1) over (-1, 0) over (0, +1) over (+1, 0).
      {"tie: (0, +1) over (+1, 0)", {"..", ".~"}, 0, 0, 1, 1, "0,1"},
      {"tie: (-1, 0) over (0, +1)", {"..", "~."}, 1, 0, 0, 1, "0,0"},
      {"tie: (0, -1) over (-1, 0)", {"~.", ".."}, 1, 1, 0, 0, "1,0"},
      // Equal routes through the board: the first branch searched reaches
      // every cell first, so no tie arises.
      {"the flood reaches column 0 and row 0", {"...", ".#.", "..."}, 2, 2, 0, 0, "1,2 0,2 0,1 0,0"},
      {"a goal off the board floods nothing", {"...."}, 0, 0, 7, 0, ""},
  };
  for (const auto& c : cases) {
    StubWell board;
    GridPath path(board, c.rows);
    EXPECT_EQ(path.Route(c.sx, c.sy, c.gx, c.gy), c.steps) << c.what;
  }
}

TEST(WellPathTest, FloodCountsStepsFromTheGoalThroughEveryNonBlockingCell) {
  StubWell board;
  GridPath path(board, {".~.", "#~#", "..."});
  path.FloodFill(0, 2);
  const int32_t expected[3][3] = {{4, 3, 4}, {WellPath::kUnreached, 2, WellPath::kUnreached}, {0, 1, 2}};
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(path.GetPathCell(x, y)->distance, expected[y][x]) << x << "," << y;
  }
  EXPECT_EQ(path.GetPathCell(-1, 0), nullptr);
  EXPECT_EQ(path.GetPathCell(3, 0), nullptr);
  EXPECT_EQ(path.GetPathCell(0, 3), nullptr);
}

TEST(WellPathTest, AStartOffTheBoardKeepsThePathItHad) {
  StubWell board;
  GridPath path(board, {"....."});
  EXPECT_EQ(path.Route(0, 0, 3, 0), "1,0 2,0 3,0");
  int32_t x = -1, y = -1;
  ASSERT_TRUE(path.PopNextStep(x, y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 0);
  for (const auto& start : {std::pair<int32_t, int32_t>{-1, 0}, {5, 0}, {0, 1}, {0, -1}}) {
    path.BuildPath(start.first, start.second, 4, 0);
    EXPECT_EQ(path.Steps(), "2,0 3,0");
  }
  ASSERT_TRUE(path.PopNextStep(x, y));
  EXPECT_EQ(x, 2);
  ASSERT_TRUE(path.PopNextStep(x, y));
  EXPECT_EQ(x, 3);
  EXPECT_FALSE(path.PopNextStep(x, y));
}

TEST(WellPathTest, ResetCostsPricesTheCellsAgain) {
  StubWell board;
  std::vector<std::string> rows{"...", "..."};
  GridPath path(board, rows);
  EXPECT_EQ(path.GetPathCell(1, 1)->cost, 2);
  EXPECT_EQ(path.GetPathCell(1, 1)->bestDepth, WellPath::kUnreached);
  path.Route(0, 0, 2, 1);
  path.ResetCosts();
  EXPECT_EQ(path.GetPathCell(0, 0)->bestDepth, WellPath::kUnreached);
}

// The answer depends on the prices, the distances and the start alone: while
// none of them changes, the search is not run again and the answer it gave
// comes back whole, even after steps were taken off it.
TEST(WellPathTest, AnUnchangedSearchGivesItsLastAnswerAgain) {
  StubWell board;
  GridPath path(board, {".....", "....."});
  EXPECT_EQ(path.Route(0, 0, 4, 0), "1,0 2,0 3,0 4,0");
  const uint64_t searches = path.GetSearchCount();
  int32_t x = 0, y = 0;
  ASSERT_TRUE(path.PopNextStep(x, y));
  path.ResetCosts();
  EXPECT_EQ(path.Route(0, 0, 4, 0), "1,0 2,0 3,0 4,0");
  EXPECT_EQ(path.GetSearchCount(), searches) << "reused";

  // Each change against a path that never searched before.
  struct Change {
    const char* what;
    std::function<void(GridPath&)> make;
    int32_t sx, gx;
    std::vector<std::string> rows;  // as the change leaves them
  } changes[] = {
      {"a price", [](GridPath& p) { p.SetCell(2, 0, '#'); p.ResetCosts(); }, 0, 4, {"..#..", "....."}},
      {"the start", [](GridPath&) {}, 1, 4, {".....", "....."}},
      {"the goal", [](GridPath&) {}, 0, 2, {".....", "....."}},
      {"a cell changed by hand", [](GridPath& p) { p.GetPathCell(3, 0)->cost = 0; }, 0, 4, {"...#.", "....."}},
  };
  for (const Change& c : changes) {
    GridPath changed(board, {".....", "....."});
    changed.Route(0, 0, 4, 0);
    const uint64_t before = changed.GetSearchCount();
    c.make(changed);
    const std::string steps = changed.Route(c.sx, 0, c.gx, 0);
    EXPECT_EQ(changed.GetSearchCount(), before + 1) << c.what;
    StubWell other;
    GridPath fresh(other, c.rows);
    EXPECT_EQ(steps, fresh.Route(c.sx, 0, c.gx, 0)) << c.what;
    EXPECT_NE(steps, "1,0 2,0 3,0 4,0") << c.what;
  }
}

// The search as a recursion, to check the stack-driven one against on
// small boards.
class RecursivePath {
 public:
  RecursivePath(GridPath& path) : path_(path), w_(path.GetWidth()), h_(path.GetHeight()) {}

  std::string Route(int32_t sx, int32_t sy, int32_t gx, int32_t gy) {
    path_.FloodFill(gx, gy);
    for (int32_t i = 0; i < w_ * h_; ++i) {
      Cell(i).bestDepth = WellPath::kUnreached;
      Cell(i).direction = -1;
    }
    const int32_t d0 = Cell(sx + sy * w_).distance;
    best_ = {sx, sy, d0};
    int32_t length = 0;
    const int32_t result = Search(sx, sy, 0, length);
    if (result == WellPath::kUnreached || result >= d0) return "";
    std::string text;
    int32_t x = sx, y = sy;
    for (int32_t n = 0; n < w_ * h_; ++n) {
      if (n > 0) text += (text.empty() ? "" : " ") + std::to_string(x) + "," + std::to_string(y);
      if (x == best_[0] && y == best_[1]) break;
      const int32_t d = Cell(x + y * w_).direction;
      if (d < 0) break;
      x += kDx[d];
      y += kDy[d];
    }
    return text;
  }

 private:
  static constexpr int32_t kDx[4] = {1, 0, -1, 0};
  static constexpr int32_t kDy[4] = {0, 1, 0, -1};

  WellPath::PathCell& Cell(int32_t i) { return *path_.GetPathCell(i % w_, i / w_); }

  int32_t Search(int32_t x, int32_t y, int32_t k, int32_t& length) {
    WellPath::PathCell* cell = path_.GetPathCell(x, y);
    if (!cell || cell->cost < 2 || cell->bestDepth <= k) return WellPath::kUnreached;
    int32_t score = cell->distance;
    cell->bestDepth = k;
    if (score < best_[2]) best_ = {x, y, score};
    length = k;
    int32_t direction = -1;
    for (int32_t i = 0; i < 4; ++i) {
      int32_t childLength = 0;
      const int32_t child = Search(x + kDx[i], y + kDy[i], k + 1, childLength);
      if (child <= score) {
        score = child;
        direction = i;
        length = childLength + 1;
      }
    }
    if (length == 0) {
      cell->direction = -1;
      return WellPath::kUnreached;
    }
    cell->direction = direction;
    return score;
  }

  GridPath& path_;
  int32_t w_, h_;
  std::array<int32_t, 3> best_{};
};

TEST(WellPathTest, TheSearchMatchesTheRecursionOnRandomBoards) {
  std::mt19937 random(38);
  for (int round = 0; round < 400; ++round) {
    const int32_t w = 2 + static_cast<int32_t>(random() % 6), h = 2 + static_cast<int32_t>(random() % 5);
    std::vector<std::string> rows(h, std::string(w, '.'));
    for (std::string& row : rows) {
      for (char& c : row) c = "..~#."[random() % 5];
    }
    const int32_t sx = random() % w, sy = random() % h, gx = random() % w, gy = random() % h;
    StubWell board;
    GridPath path(board, rows);
    const std::string steps = path.Route(sx, sy, gx, gy);
    RecursivePath reference(path);
    std::string board_text;
    for (const std::string& row : rows) board_text += row + "\n";
    EXPECT_EQ(steps, reference.Route(sx, sy, gx, gy))
        << board_text << "from " << sx << "," << sy << " to " << gx << "," << gy;
  }
}

// A corridor winding through every row of the largest board: the search runs
// as deep as the corridor is long.
TEST(WellPathTest, TheLargestBoardRoutesCornerToCornerThroughAWindingCorridor) {
  std::vector<std::string> rows(256, std::string(256, '.'));
  // Walls on the odd rows up to 253, each open at one end in turn.
  for (size_t y = 1; y < 254; y += 2) {
    rows[y] = std::string(256, '#');
    rows[y][y % 4 == 1 ? 255 : 0] = '.';
  }
  StubWell board;
  GridPath path(board, rows);
  path.FloodFill(255, 255);
  path.BuildPath(0, 0, 255, 255);
  ASSERT_GT(path.GetSteps().size(), 127u * 255u) << "along every corridor";
  EXPECT_EQ(path.GetSteps().front(), 255 + 255 * 256) << "the path ends on the goal";
  int32_t x = 0, y = 0, px = 0, py = 0;
  while (path.PopNextStep(x, y)) {
    ASSERT_EQ(std::abs(x - px) + std::abs(y - py), 1) << "one step at a time";
    ASSERT_NE(rows[y][x], '#');
    px = x;
    py = y;
  }
}

// On a wide open board the search would enter cells some 10^9 times: past
// its budget the shortest walk is taken.
TEST(WellPathTest, TheLargestOpenBoardRoutesCornerToCorner) {
  StubWell board;
  GridPath path(board, std::vector<std::string>(256, std::string(256, '.')));
  path.FloodFill(0, 0);
  path.BuildPath(255, 255, 0, 0);
  ASSERT_EQ(path.GetSteps().size(), 510u);
  EXPECT_EQ(path.GetSteps().front(), 0) << "the path ends on the goal";
  int32_t x = 0, y = 0, px = 255, py = 255;
  while (path.PopNextStep(x, y)) {
    ASSERT_EQ(std::abs(x - px) + std::abs(y - py), 1) << "one step at a time";
    px = x;
    py = y;
  }
}

}  // namespace
