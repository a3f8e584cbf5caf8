#include "game/swap_player.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

#include "board/blocks/qor_block.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "board/qor_tile.h"
#include "board/qor_well.h"
#include "board/walkers/qor_mummy.h"
#include "board/walkers/qor_walker.h"

namespace game_test {

namespace {

// The HUD's lower bar starts here: the player clicks above it.
constexpr float kHudTop = 0.8867f;
// A tile on the way weighs this much more than one off it, and the first
// tiles of the way more again: the explorer walks only once they are gold.
constexpr float kWayWorth = 10.0f;
constexpr float kFrontWorth = 30.0f;
constexpr float kOffWayWorth = 1.0f;
constexpr float kGoldWorth = 0.1f;
constexpr float kNearWorth = 4.0f;
constexpr float kWalkerWorth = 15.0f;
// A match step costs more than a walked cell when the way is chosen.
constexpr int32_t kCostPerMatch = 3;

int32_t MatchesNeeded(const QORTile* tile) {
  if (!tile) return 0;
  switch (tile->type) {
    case kTileMetal:
      return 3;
    case kTileSand:
      return 2;
    case kTileCracked:
      return 1;
    default:
      return 0;
  }
}

int32_t Manhattan(const well::Cell& a, const well::Cell& b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y); }

}  // namespace

SwapPlayer::SwapPlayer(QORWell& board, float pause) : board_(board), pause_(pause) {}

void SwapPlayer::Play(float dt) {
  sinceMove_ += dt;
  if (!board_.GetGameEnd() && sinceMove_ >= pause_ && !board_.IsSwapping() && !board_.IsMoving()) Move();
  board_.Tick(dt);
}

void SwapPlayer::Move() {
  if (!board_.GetExplorer() || !board_.GetGoalMap()) return;
  const well::Cell goal = ChooseGoal();
  const std::vector<well::Cell> way = FindWay(goal);
  Steer(way, goal);
  Swap swap;
  if (!FindSwap(way, swap)) return;
  board_.OnLeftClick(PointOf(swap.a));
  board_.OnLeftClick(PointOf(swap.b));
  ++swaps_;
  sinceMove_ = 0.0f;
}

well::Cell SwapPlayer::ChooseGoal() const {
  const QORGoalMap& map = *board_.GetGoalMap();
  const well::Cell explorer = board_.GetExplorer()->GetCell();
  const well::Block* exit = board_.GetExit();
  well::Cell goal = exit ? well::Cell{exit->GetCell().x, exit->GetCell().y + 1} : explorer;
  int32_t nearest = std::numeric_limits<int32_t>::max();
  for (const QORGoal& treasure : map.GetGoals()) {
    const well::Cell at{treasure.x, treasure.y + 1};
    if (board_.GetBlock(treasure.x, treasure.y) == exit) continue;
    if (Manhattan(at, explorer) < nearest && !FindWay(at).empty()) {
      nearest = Manhattan(at, explorer);
      goal = at;
    }
  }
  return goal;
}

void SwapPlayer::Steer(const std::vector<well::Cell>& way, const well::Cell& goal) {
  const QORGoalMap& map = *board_.GetGoalMap();
  auto aimedAt = [&map](const well::Block* block) {
    return map.GetTargetX() == block->GetCell().x && map.GetTargetY() == block->GetCell().y;
  };
  const well::Block* target = board_.GetBlock(goal.x, goal.y);
  if (!target || aimedAt(target)) return;
  if (IsClickable(goal)) {
    board_.OnLeftClick(PointOf(goal));
    return;
  }
  // Out of view: the farthest cell of the way in view that holds a block.
  for (auto cell = way.rbegin(); cell != way.rend(); ++cell) {
    const well::Block* block = board_.GetBlock(cell->x, cell->y);
    if (!block || !IsClickable(*cell)) continue;
    if (!aimedAt(block)) board_.OnRightClick(PointOf(*cell));
    return;
  }
}

std::vector<well::Cell> SwapPlayer::FindWay(const well::Cell& goal) const {
  const int32_t width = static_cast<int32_t>(board_.GetWidth()), height = static_cast<int32_t>(board_.GetHeight());
  const well::Cell start = board_.GetExplorer()->GetCell();
  std::vector<int32_t> cost(static_cast<size_t>(width * height), std::numeric_limits<int32_t>::max());
  std::vector<int32_t> from(cost.size(), -1);
  using Entry = std::pair<int32_t, int32_t>;  // cost so far, cell index
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  cost[static_cast<size_t>(Index(start))] = 0;
  open.push({0, Index(start)});
  while (!open.empty()) {
    const auto [sofar, index] = open.top();
    open.pop();
    if (sofar > cost[static_cast<size_t>(index)]) continue;
    const well::Cell cell{index % width, index / width};
    if (cell == goal) break;
    static const well::Cell kSteps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const well::Cell& step : kSteps) {
      const well::Cell next{cell.x + step.x, cell.y + step.y};
      QORTile* tile = board_.GetTile(next.x, next.y);
      if (!tile || tile->type < kTileMetal || tile->type > kTileBare) continue;
      const well::Block* block = board_.GetBlock(next.x, next.y);
      const int32_t type = block ? board_.GetBlockType(block) : -1;
      if (type == QORBlock::kRock || (type >= QORBlock::kStartBlock && next != goal)) continue;
      const int32_t through = sofar + 1 + kCostPerMatch * MatchesNeeded(tile);
      if (through < cost[static_cast<size_t>(Index(next))]) {
        cost[static_cast<size_t>(Index(next))] = through;
        from[static_cast<size_t>(Index(next))] = index;
        open.push({through, Index(next)});
      }
    }
  }
  std::vector<well::Cell> way;
  if (!board_.IsInside(goal.x, goal.y) || (goal != start && from[static_cast<size_t>(Index(goal))] < 0)) return way;
  for (int32_t index = Index(goal); index != Index(start); index = from[static_cast<size_t>(index)])
    way.insert(way.begin(), well::Cell{index % width, index / width});
  return way;
}

bool SwapPlayer::FindSwap(const std::vector<well::Cell>& way, Swap& best) const {
  const std::vector<float> worth = CellWorth(way);
  std::vector<int32_t> colours = Colours();
  best.value = 0.0f;
  for (int32_t y = 0; y < static_cast<int32_t>(board_.GetHeight()); ++y) {
    for (int32_t x = 0; x < static_cast<int32_t>(board_.GetWidth()); ++x) {
      const well::Cell a{x, y};
      if (!IsMovable(a)) continue;
      for (const well::Cell b : {well::Cell{x + 1, y}, well::Cell{x, y + 1}}) {
        if (!IsMovable(b)) continue;
        std::swap(colours[static_cast<size_t>(Index(a))], colours[static_cast<size_t>(Index(b))]);
        const float value = Value(colours, a, b, worth);
        std::swap(colours[static_cast<size_t>(Index(a))], colours[static_cast<size_t>(Index(b))]);
        if (value > best.value) best = Swap{a, b, value};
      }
    }
  }
  return best.value > 0.0f;
}

float SwapPlayer::Value(const std::vector<int32_t>& colours, const well::Cell& a, const well::Cell& b,
                        const std::vector<float>& worth) const {
  const int32_t width = static_cast<int32_t>(board_.GetWidth()), height = static_cast<int32_t>(board_.GetHeight());
  auto colour = [&](int32_t x, int32_t y) {
    return x < 0 || y < 0 || x >= width || y >= height ? -1 : colours[static_cast<size_t>(x + y * width)];
  };
  std::vector<int32_t> matched;
  for (const well::Cell& cell : {a, b}) {
    const int32_t c = colour(cell.x, cell.y);
    if (c < 0) continue;
    for (const well::Cell& along : {well::Cell{1, 0}, well::Cell{0, 1}}) {
      int32_t first = 0, last = 0;
      while (colour(cell.x + along.x * (first - 1), cell.y + along.y * (first - 1)) == c) --first;
      while (colour(cell.x + along.x * (last + 1), cell.y + along.y * (last + 1)) == c) ++last;
      if (last - first < 2) continue;
      for (int32_t k = first; k <= last; ++k) matched.push_back(Index({cell.x + along.x * k, cell.y + along.y * k}));
    }
  }
  std::sort(matched.begin(), matched.end());
  matched.erase(std::unique(matched.begin(), matched.end()), matched.end());
  float value = 0.0f;
  for (int32_t index : matched) value += worth[static_cast<size_t>(index)];
  return value;
}

std::vector<float> SwapPlayer::CellWorth(const std::vector<well::Cell>& way) const {
  const int32_t width = static_cast<int32_t>(board_.GetWidth()), height = static_cast<int32_t>(board_.GetHeight());
  std::vector<float> worth(static_cast<size_t>(width * height), 0.0f);
  // The first cell of the way still to break: lines near it also bring it
  // new colours.
  well::Cell front = board_.GetExplorer()->GetCell();
  for (auto cell = way.rbegin(); cell != way.rend(); ++cell)
    if (MatchesNeeded(board_.GetTile(cell->x, cell->y))) front = *cell;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const QORTile* tile = board_.GetTile(x, y);
      if (!tile || !tile->IsFloor()) continue;
      worth[static_cast<size_t>(Index({x, y}))] = (MatchesNeeded(tile) ? kOffWayWorth : kGoldWorth) +
                                                   kNearWorth / static_cast<float>(1 + Manhattan({x, y}, front));
    }
  }
  int32_t rank = 0;
  for (const well::Cell& cell : way) {
    if (!MatchesNeeded(board_.GetTile(cell.x, cell.y))) continue;
    worth[static_cast<size_t>(Index(cell))] += kWayWorth + kFrontWorth / static_cast<float>(1 + rank++);
  }
  // A line beside the rival stuns him, beside a critter kills it, and near
  // the mummy banishes it.
  std::vector<std::pair<well::Cell, int32_t>> walkers;
  for (const QORWalker* walker : board_.GetWalkers()) walkers.push_back({walker->GetCell(), 1});
  if (const QORMummy* mummy = board_.GetMummy()) walkers.push_back({mummy->GetCell(), 2});
  for (const auto& [at, reach] : walkers) {
    for (int32_t dy = -reach; dy <= reach; ++dy) {
      for (int32_t dx = -reach; dx <= reach; ++dx) {
        const well::Cell cell{at.x + dx, at.y + dy};
        if ((reach == 1 && Manhattan(cell, at) > 1) || !board_.IsInside(cell.x, cell.y)) continue;
        worth[static_cast<size_t>(Index(cell))] += kWalkerWorth;
      }
    }
  }
  return worth;
}

std::vector<int32_t> SwapPlayer::Colours() const {
  const int32_t width = static_cast<int32_t>(board_.GetWidth()), height = static_cast<int32_t>(board_.GetHeight());
  std::vector<int32_t> colours(static_cast<size_t>(width * height), -1);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const well::Block* block = board_.GetBlock(x, y);
      const QORTile* tile = board_.GetTile(x, y);
      if (!block || block->IsDead() || !tile || !tile->IsFloor()) continue;
      const int32_t type = board_.GetBlockType(block);
      if (type >= QORBlock::kToken && type <= 2 && block->GetColor() < QORWell::kColorCount)
        colours[static_cast<size_t>(Index({x, y}))] = block->GetColor();
    }
  }
  return colours;
}

bool SwapPlayer::IsMovable(const well::Cell& cell) const {
  if (!board_.IsInside(cell.x, cell.y) || !IsClickable(cell)) return false;
  const QORTile* tile = board_.GetTile(cell.x, cell.y);
  const well::Block* block = board_.GetBlock(cell.x, cell.y);
  if (!tile || !tile->IsFloor() || tile->webbed || !block || block->IsDead()) return false;
  const int32_t type = board_.GetBlockType(block);
  return type == QORBlock::kToken || type == QORBlock::kRock;
}

bool SwapPlayer::IsClickable(const well::Cell& cell) const {
  const math::Vec2 point = PointOf(cell);
  const bool onMap = point.x >= QORGoalMap::kPanelLeft && point.y >= QORGoalMap::kPanelTop;
  return point.x > 0.0f && point.x < 1.0f && point.y > 0.0f && point.y < kHudTop && !onMap &&
         board_.ScreenToCell(point) == cell;
}

math::Vec2 SwapPlayer::PointOf(const well::Cell& cell) const {
  return board_.CellToScreen(cell.x, cell.y) + board_.CellsToSize(1, 1) * 0.5f;
}

int32_t SwapPlayer::Index(const well::Cell& cell) const {
  return cell.x + cell.y * static_cast<int32_t>(board_.GetWidth());
}

}  // namespace game_test
