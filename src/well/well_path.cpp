#include "well/well_path.h"

#include <algorithm>
#include <deque>

#include "well/base_well.h"

namespace well {

namespace {

// The direction table; ties in the search go to the later entry.
constexpr int32_t kStepX[4] = {1, 0, -1, 0};
constexpr int32_t kStepY[4] = {0, 1, 0, -1};

}  // namespace

WellPath::WellPath(BaseWell* board) : board_(board) {}

WellPath::~WellPath() = default;

void WellPath::Create() {
  width_ = static_cast<int32_t>(board_->GetWidth());
  height_ = static_cast<int32_t>(board_->GetHeight());
  cells_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), PathCell());
  ++revision_;
  ResetCosts();
}

void WellPath::ResetCosts() {
  bool changed = false;
  for (size_t i = 0; i < cells_.size(); ++i) {
    const int32_t index = static_cast<int32_t>(i);
    const int32_t cost = GetCellCost(index % width_, index / width_);
    changed = changed || cost != cells_[i].cost;
    cells_[i].cost = cost;
    cells_[i].bestDepth = kUnreached;
  }
  if (changed) ++revision_;
}

WellPath::PathCell* WellPath::GetPathCell(int32_t x, int32_t y) {
  ++revision_;
  return CellAt(x, y);
}

bool WellPath::PopNextStep(int32_t& x, int32_t& y) {
  if (path_.empty()) return false;
  const int32_t index = path_.back();
  path_.pop_back();
  x = index % width_;
  y = index / width_;
  return true;
}

// Breadth first: every cell gets its shortest step count at its first
// visit, the same distances a depth-first relaxation ends with.
void WellPath::FloodFill(int32_t goalX, int32_t goalY) {
  const int32_t goalIndex = IsOnBoard(goalX, goalY) ? goalX + goalY * width_ : -1;
  if (floodRevision_ == revision_ && floodGoal_ == goalIndex) return;
  ++revision_;
  floodRevision_ = revision_;
  floodGoal_ = goalIndex;
  for (PathCell& cell : cells_) cell.distance = kUnreached;
  PathCell* goal = CellAt(goalX, goalY);
  if (!goal || goal->cost == 0) return;
  goal->distance = 0;
  std::deque<int32_t> open{goalX + goalY * width_};
  while (!open.empty()) {
    const int32_t index = open.front();
    open.pop_front();
    const int32_t x = index % width_, y = index / width_;
    const int32_t next = cells_[index].distance + 1;
    for (int32_t i = 0; i < 4; ++i) {
      PathCell* cell = CellAt(x + kStepX[i], y + kStepY[i]);
      if (!cell || cell->cost == 0 || cell->distance <= next) continue;
      cell->distance = next;
      open.push_back(x + kStepX[i] + (y + kStepY[i]) * width_);
    }
  }
}

void WellPath::BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
  goalX_ = goalX;
  goalY_ = goalY;
  startX_ = startX;
  startY_ = startY;
  if (!IsOnBoard(startX, startY)) return;
  const int32_t start = startX + startY * width_;
  if (searchRevision_ != revision_ || searchStart_ != start) {
    Route();
    searchRevision_ = revision_;
    searchStart_ = start;
    answer_ = path_;
    ++searches_;
  }
  path_ = answer_;
}

void WellPath::Route() {
  for (PathCell& cell : cells_) {
    cell.bestDepth = kUnreached;
    cell.direction = -1;
  }
  const int32_t startDistance = cells_[startX_ + startY_ * width_].distance;
  path_.clear();
  BestRecord best{startX_, startY_, startDistance};
  int32_t result = kUnreached;
  if (!Search(best, result)) {
    RouteBreadthFirst(startDistance);
    return;
  }
  // No move brings the walker nearer.
  if (result == kUnreached || result >= startDistance) return;
  WalkTo(best);
}

// Each cell answers the smallest distance found through it: its own, or a
// neighbour's searched one level deeper, ties going to the later direction.
// A cell is searched again only from a shallower depth than before.
bool WellPath::Search(BestRecord& best, int32_t& result) {
  struct Frame {
    int32_t x, y, depth;
    int32_t score;
    int32_t direction;
    int32_t length;  // 0 at the start while no neighbour has won
    int32_t next;    // the next direction to try
  };
  std::vector<Frame> stack;
  int64_t visits = 0;
  // What the last searched cell answered, and its length.
  int32_t length = 0;
  // Pushes a frame for the cell, or answers at once (false).
  auto enter = [&](int32_t x, int32_t y, int32_t depth) {
    PathCell* cell = CellAt(x, y);
    result = kUnreached;
    length = 0;
    if (!cell || cell->cost < kWalkableCost || cell->bestDepth <= depth) return false;
    cell->bestDepth = depth;
    ++visits;
    if (cell->distance < best.distance) best = {x, y, cell->distance};
    stack.push_back({x, y, depth, cell->distance, -1, depth, 0});
    return true;
  };
  auto take = [&](Frame& frame, int32_t direction) {
    if (result > frame.score) return;
    frame.score = result;
    frame.direction = direction;
    frame.length = length + 1;
  };
  if (!enter(startX_, startY_, 0)) return true;
  while (!stack.empty()) {
    if (visits > kSearchBudget) return false;
    Frame& frame = stack.back();
    if (frame.next < 4) {
      const int32_t direction = frame.next++;
      if (!enter(frame.x + kStepX[direction], frame.y + kStepY[direction], frame.depth + 1)) take(frame, direction);
      continue;
    }
    PathCell& cell = cells_[frame.x + frame.y * width_];
    cell.direction = frame.length == 0 ? -1 : frame.direction;
    result = frame.length == 0 ? kUnreached : frame.score;
    length = frame.length;
    stack.pop_back();
    if (!stack.empty()) take(stack.back(), stack.back().next - 1);
  }
  return true;
}

// The chosen directions could in principle run in a circle: the walk takes
// at most one step per cell.
void WellPath::WalkTo(const BestRecord& best) {
  std::vector<int32_t> walked;
  int32_t x = startX_, y = startY_;
  const size_t limit = cells_.size();
  while (walked.size() < limit) {
    walked.push_back(x + y * width_);
    if (x == best.x && y == best.y) break;
    const int32_t direction = cells_[x + y * width_].direction;
    if (direction < 0 || !IsOnBoard(x + kStepX[direction], y + kStepY[direction])) break;
    x += kStepX[direction];
    y += kStepY[direction];
  }
  path_.assign(walked.rbegin(), walked.rend() - 1);
}


void WellPath::RouteBreadthFirst(int32_t startDistance) {
  const int32_t start = startX_ + startY_ * width_;
  std::vector<int32_t> from(cells_.size(), -1);
  from[start] = start;
  std::deque<int32_t> open{start};
  int32_t best = start;
  while (!open.empty()) {
    const int32_t index = open.front();
    open.pop_front();
    if (cells_[index].distance < cells_[best].distance) best = index;
    const int32_t x = index % width_, y = index / width_;
    for (int32_t i = 0; i < 4; ++i) {
      const PathCell* cell = CellAt(x + kStepX[i], y + kStepY[i]);
      const int32_t next = x + kStepX[i] + (y + kStepY[i]) * width_;
      if (!cell || cell->cost < kWalkableCost || from[next] >= 0) continue;
      from[next] = index;
      open.push_back(next);
    }
  }
  if (cells_[best].distance >= startDistance) return;
  for (int32_t index = best; index != start; index = from[index]) path_.push_back(index);
}

}  // namespace well
