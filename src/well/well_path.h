// A route for a walker over a board's cells. A derived class prices each
// cell; the path floods step counts outward from a goal, then searches from
// a start for the way that comes closest to the goal and keeps it as a list
// of steps, taken one by one. An unreachable goal leads to the reachable
// cell nearest to it, when that is nearer than the start. A search whose
// prices, distances and start are those of the one before gives that one's
// answer again without searching, and a flood from the same goal over the
// same prices keeps the distances it found.
#pragma once
#include <cstdint>
#include <vector>

namespace well {

class BaseWell;

class WellPath {
 public:
  // Unreached: no distance, no depth.
  static constexpr int32_t kUnreached = 1000000;
  // Cost 0 stops the flood and the walker; 1 lets the flood through only.
  static constexpr int32_t kWalkableCost = 2;
  // The search enters a cell again whenever it reaches it at a shallower
  // depth: on a wide open board of 256 x 256 cells that is some 10^9 visits.
  // Past this many the route is found breadth-first instead.
  static constexpr int64_t kSearchBudget = 8000000;

  struct PathCell {
    int32_t distance = kUnreached;   // steps from the goal, by the flood
    int32_t bestDepth = kUnreached;  // shallowest search depth that reached it
    int32_t direction = -1;          // index into the direction table, -1 none
    int32_t cost = 0;
  };

  explicit WellPath(BaseWell* board);
  virtual ~WellPath();
  WellPath(const WellPath&) = delete;
  WellPath& operator=(const WellPath&) = delete;

  // Routes from the start to the goal, or towards it; a start off the board
  // keeps the path as it was. The caller runs FloodFill from the goal and
  // ResetCosts beforehand.
  virtual void BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY);
  // Every cell's distance from the goal through cells of non-zero cost.
  virtual void FloodFill(int32_t goalX, int32_t goalY);
  virtual int32_t GetCellCost(int32_t x, int32_t y) = 0;

  // Takes the board's size and makes its cells afresh, priced.
  void Create();
  // Prices every cell again and forgets the search depths.
  void ResetCosts();
  // Null off the board. The cell may be changed through the pointer: the
  // next flood and search run afresh.
  PathCell* GetPathCell(int32_t x, int32_t y);
  // The next step, taken off the path; false when none is left.
  bool PopNextStep(int32_t& x, int32_t& y);

  bool IsEmpty() const { return path_.empty(); }
  // Cell indices still to take, the next step last.
  const std::vector<int32_t>& GetSteps() const { return path_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  BaseWell* GetBoard() const { return board_; }
  // How many searches have run; an answer given again is not counted.
  uint64_t GetSearchCount() const { return searches_; }

 protected:
  int32_t goalX_ = 0;
  int32_t goalY_ = 0;
  int32_t startX_ = 0;
  int32_t startY_ = 0;

 private:
  struct BestRecord {
    int32_t x, y, distance;
  };

  bool IsOnBoard(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  PathCell* CellAt(int32_t x, int32_t y) { return IsOnBoard(x, y) ? &cells_[x + y * width_] : nullptr; }
  // The search from the start into the path.
  void Route();
  // The depth-first search from the start, on a stack of its own rather
  // than the call stack (it can run as deep as the board has cells). False
  // when it ran out of its budget.
  bool Search(BestRecord& best, int32_t& result);
  // Walks the chosen directions from the start into the path.
  void WalkTo(const BestRecord& best);
  // The shortest walk to the nearest reachable cell, when that is nearer
  // than the start; ties go to the cell found first, trying the directions
  // in table order.
  void RouteBreadthFirst(int32_t startDistance);

  std::vector<PathCell> cells_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  BaseWell* board_;
  std::vector<int32_t> path_;

  // Grows whenever a cell's price or distance may have changed.
  uint64_t revision_ = 1;
  // The last flood: the revision it left and its goal.
  uint64_t floodRevision_ = 0;
  int32_t floodGoal_ = -1;
  // The last search: the revision and start it ran from, and its answer.
  uint64_t searchRevision_ = 0;
  int32_t searchStart_ = -1;
  std::vector<int32_t> answer_;
  uint64_t searches_ = 0;
};

}  // namespace well
