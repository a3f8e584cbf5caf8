#include "well/game_scroll_well.h"

#include <algorithm>
#include <functional>

#include "core/log.h"
#include "well/effects/well_sfx.h"

namespace well {

namespace {

// Sorts the list and drops null and repeats: a block may be listed more than
// once (put in twice, queued after it was placed) and is deleted once. One
// list, where a set would make a node per block of the board.
void KeepDistinct(std::vector<Block*>& blocks) {
  std::sort(blocks.begin(), blocks.end());
  blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
  if (!blocks.empty() && !blocks.front()) blocks.erase(blocks.begin());
}

}  // namespace

GameScrollWell::GameScrollWell(void* owner) : BaseWell(owner) {}

GameScrollWell::~GameScrollWell() {
  std::vector<Block*> owned(grid_.begin(), grid_.end());
  owned.insert(owned.end(), graveyard_.begin(), graveyard_.end());
  for (const PlacementEntry& entry : queue_) owned.push_back(entry.block);
  KeepDistinct(owned);
  for (Block* block : owned) delete block;
  grid_.clear();
  graveyard_.clear();
  queue_.clear();
}

bool GameScrollWell::ClearWell() {
  DeleteGridBlocks();
  ClearDecorations();
  return true;
}

void GameScrollWell::DeleteGridBlocks() {
  std::vector<Block*> doomed(grid_.begin(), grid_.end());
  std::fill(grid_.begin(), grid_.end(), nullptr);
  KeepDistinct(doomed);
  if (doomed.empty()) return;
  // Nothing may keep a pointer to a deleted block.
  auto gone = [&doomed](Block* block) { return std::binary_search(doomed.begin(), doomed.end(), block); };
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [&gone](const PlacementEntry& e) { return gone(e.block); }),
               queue_.end());
  graveyard_.erase(std::remove_if(graveyard_.begin(), graveyard_.end(), gone), graveyard_.end());
  awake_.erase(std::remove_if(awake_.begin(), awake_.end(), gone), awake_.end());
  fallCells_.clear();
  for (Block* block : doomed) {
    if (RestClock* clock = block->GetRestClock()) restClocks_.Leave(clock);
    delete block;
  }
}

void GameScrollWell::CollectBlocksOfColor(int32_t color, std::vector<Block*>& list) {
  for (Block* block : grid_) {
    if (block && block->GetColor() == color) list.push_back(block);
  }
}

Block* GameScrollWell::GetBlockByIndex(uint32_t index) { return index < grid_.size() ? grid_[index] : nullptr; }

Block* GameScrollWell::GetBlock(int32_t x, int32_t y) {
  if (!IsInside(x, y) || grid_.empty()) return nullptr;
  return grid_[static_cast<size_t>(GetCellIndex(x, y))];
}

bool GameScrollWell::CanStore(const Block* block, int32_t x, int32_t y, const char* what) const {
  const char* fault = nullptr;
  if (!IsInside(x, y) || grid_.empty())
    fault = " lies off the board";
  else if (Block* there = grid_[static_cast<size_t>(GetCellIndex(x, y))]; there && there != block)
    fault = " is taken";
  if (!fault) return true;
  LOG_LINE(MSG_WARNING, std::string(what) + ": cell (" + std::to_string(x) + ", " + std::to_string(y) + ")" + fault +
                            "; the block is taken off the board");
  return false;
}

void GameScrollWell::PutBlock(Block* block, int32_t x, int32_t y) {
  if (!block) return;
  OnBeforeChange();
  if (!CanStore(block, x, y, "Unable to put a block on the well")) {
    // Off the grid for good, wherever it stood before.
    const Cell old = block->GetOccupiedCell();
    if (GetBlock(old.x, old.y) == block) {
      grid_[static_cast<size_t>(GetCellIndex(old.x, old.y))] = nullptr;
      NoteVacated(block, old);
    }
    Bury(block);
    return;
  }
  block->SetCell(x, y);
  grid_[static_cast<size_t>(GetCellIndex(x, y))] = block;
  widest_ = std::max(widest_, block->GetWidth());
  tallest_ = std::max(tallest_, block->GetHeight());
  awake_.push_back(block);
  NoteFallCell(x, y);
  block->OnPlaced();
}

Block* GameScrollWell::CreateBlock(const std::string&, const std::string&, int32_t, int32_t, int32_t, int32_t) {
  return nullptr;
}

void GameScrollWell::Draw() {
  DrawBackDecorations();
  if (effects_) effects_->PreDraw();
  DrawBlocksBatched();
}

void GameScrollWell::Tick(float dt) {
  BaseWell::Tick(dt);
  // Blocks that died since the step leave the grid with no hook called.
  std::vector<Block*> dead;
  TakeDeadBlocks(dead);
  for (Block* block : dead) Bury(block);
}

bool GameScrollWell::IsOnGrid(const Block* block) const {
  const Cell cell = block->GetOccupiedCell();
  return IsInside(cell.x, cell.y) && !grid_.empty() && grid_[static_cast<size_t>(GetCellIndex(cell.x, cell.y))] == block;
}

void GameScrollWell::CollectAwake(std::vector<IndexedBlock>& list) const {
  list.clear();
  list.reserve(awake_.size());
  for (Block* block : awake_) {
    if (!block->GetRestClock() && IsOnGrid(block)) list.emplace_back(GetBlockIndex(block), block);
  }
  std::sort(list.begin(), list.end());
  list.erase(std::unique(list.begin(), list.end()), list.end());
}

// A resting block never dies unwoken: the awake ones are all there is to look at.
void GameScrollWell::TakeDeadBlocks(std::vector<Block*>& dead) {
  std::vector<IndexedBlock> awake;
  CollectAwake(awake);
  for (const IndexedBlock& entry : awake) {
    if (!entry.second->IsDead()) continue;
    grid_[static_cast<size_t>(entry.first)] = nullptr;
    NoteVacated(entry.second, entry.second->GetOccupiedCell());
    dead.push_back(entry.second);
  }
}

void GameScrollWell::NoteFallCell(int32_t x, int32_t y) {
  if (IsInside(x, y)) fallCells_.push_back(GetCellIndex(x, y));
}

void GameScrollWell::NoteVacated(const Block* block, const Cell& cell) {
  // Any block whose bottom row lies just above the emptied cells.
  for (int32_t x = cell.x - widest_ + 1; x < cell.x + block->GetWidth(); ++x) {
    for (int32_t rise = 1; rise <= tallest_; ++rise) NoteFallCell(x, cell.y - rise);
  }
}

bool GameScrollWell::IsOverHole(Block* block) {
  const Cell cell = block->GetOccupiedCell();
  const int32_t below = cell.y + block->GetHeight();
  for (int32_t x = cell.x; x < cell.x + block->GetWidth(); ++x) {
    if (IsInside(x, below) && !GetBlock(x, below)) return true;
  }
  return false;
}

void GameScrollWell::WakeBlock(Block* block) {
  RestClock* clock = block->GetRestClock();
  if (!clock) return;
  block->SetRestClock(nullptr);
  restClocks_.Leave(clock);
  const int32_t index = GetBlockIndex(block);
  if (tickCursor_ >= 0 && index > tickCursor_ && IsOnGrid(block)) {
    block->GetSprite().clock = clock->before;
    wokenInTick_.emplace_back(index, block);
    std::push_heap(wokenInTick_.begin(), wokenInTick_.end(), std::greater<IndexedBlock>());
    return;
  }
  block->GetSprite().clock = clock->now;
  awake_.push_back(block);
}

void GameScrollWell::OnBlockMoved(Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY) {
  if (!IsInside(oldX, oldY) || grid_.empty()) return;
  Block*& old = grid_[static_cast<size_t>(GetCellIndex(oldX, oldY))];
  if (old != block) return;
  old = nullptr;
  NoteVacated(block, {oldX, oldY});
  if (!CanStore(block, newX, newY, "Unable to move a block on the well")) {
    Bury(block);
    return;
  }
  grid_[static_cast<size_t>(GetCellIndex(newX, newY))] = block;
  NoteFallCell(newX, newY);
}

void GameScrollWell::Create(uint32_t width, uint32_t height, const math::Vec2& origin, const math::Vec2& viewSize,
                            const math::Vec2& cellSize) {
  BaseWell::Create(width, height, origin, viewSize, cellSize);
  grid_.assign(static_cast<size_t>(width) * height, nullptr);
  fallCells_.clear();
}

void GameScrollWell::RemoveDeadBlocks() {
  std::vector<Block*> dead;
  TakeDeadBlocks(dead);
  for (Block* block : dead) {
    if (block->GetState() == kStateDestroyed) block->OnDestroyed();
    OnBoardChanged();
    Bury(block);
  }
}

void GameScrollWell::TickBlocks(float dt) {
  restClocks_.Tick(dt);
  // A block that arrives moves its grid entry, maybe further on in the
  // grid: ticking a list made first ticks each block once.
  CollectAwake(ticking_);
  awake_.clear();
  wokenInTick_.clear();
  const auto later = std::greater<IndexedBlock>();
  for (size_t next = 0;;) {
    Block* block = nullptr;
    if (!wokenInTick_.empty() && (next == ticking_.size() || wokenInTick_.front() < ticking_[next])) {
      std::pop_heap(wokenInTick_.begin(), wokenInTick_.end(), later);
      tickCursor_ = wokenInTick_.back().first;
      block = wokenInTick_.back().second;
      wokenInTick_.pop_back();
    } else if (next < ticking_.size()) {
      tickCursor_ = ticking_[next].first;
      block = ticking_[next++].second;
    } else {
      break;
    }
    if (block->Tick(dt)) SetMoving();
    awake_.push_back(block);
  }
  tickCursor_ = -1;
  ticking_.clear();
  RestOrKeepAwake();
}

void GameScrollWell::RestOrKeepAwake() {
  auto rests = [this](Block* block) {
    if (block->GetRestClock()) return true;  // listed twice
    if (!IsOnGrid(block)) return true;       // placed again, it is listed again
    if (!block->CanRest()) return false;
    const ui::UISprite& sprite = static_cast<const Block*>(block)->GetSprite();
    block->SetRestClock(restClocks_.Join(sprite.GetEntry(), sprite.clock));
    return true;
  };
  awake_.erase(std::remove_if(awake_.begin(), awake_.end(), rests), awake_.end());
}

void GameScrollWell::GravityPass() {
  if (!gravity_) return;
  std::sort(fallCells_.begin(), fallCells_.end());
  fallCells_.erase(std::unique(fallCells_.begin(), fallCells_.end()), fallCells_.end());
  falling_.swap(fallCells_);
  fallCells_.clear();
  for (int32_t index : falling_) {
    Block* block = grid_[static_cast<size_t>(index)];
    if (!block) continue;
    block->FallTest();
    // What holds a block over a hole may let go later: it is tested again.
    if (!block->IsSliding() && IsOverHole(block)) fallCells_.push_back(index);
  }
  falling_.clear();
}

template <typename Test>
void GameScrollWell::AddCellToBatch(int32_t x, int32_t y, const math::Vec2& clipMin, const math::Vec2& clipMax,
                                    Test test) {
  // The grid entry, not a derived board's GetBlock, which may answer a large
  // block on every cell it covers: each block is added once, at its own cell.
  Block* block = GameScrollWell::GetBlock(x, y);
  if (block && block->HasImage() && test(*block))
    block->AddToBatchClipped(blockBatch_, overlayBatch_, clipMin, clipMax);
}

void GameScrollWell::DrawBlocksBatched() {
  if (grid_.empty()) return;
  const CellRange range = GetVisibleRange();
  const math::Vec2 clipMin = origin_;
  const math::Vec2 clipMax = origin_ + viewSize_;
  // Whatever an earlier frame left unflushed is dropped.
  blockBatch_.Clear();
  overlayBatch_.Clear();
  auto any = [](const Block&) { return true; };
  auto tall = [](const Block& block) { return block.GetHeight() > 1; };
  for (int32_t x = range.x0; x < range.x1; ++x) {
    for (int32_t y = range.y0; y < range.y1; ++y) AddCellToBatch(x, y, clipMin, clipMax, any);
  }
  // Larger blocks whose own cell lies just above or left of the window
  // reach into it.
  if (range.y0 > 0) {
    for (int32_t x = std::max(range.x0 - 1, 0); x < range.x1; ++x)
      AddCellToBatch(x, range.y0 - 1, clipMin, clipMax, tall);
  }
  if (range.x0 > 0) {
    // The corner block, when tall, came with the row above.
    auto wideNotAdded = [&range, &tall](const Block& block) {
      const bool cameWithRowAbove = range.y0 > 0 && block.GetOccupiedCell().y == range.y0 - 1 && tall(block);
      return block.GetWidth() > 1 && !cameWithRowAbove;
    };
    for (int32_t y = std::max(range.y0 - 1, 0); y < range.y1; ++y)
      AddCellToBatch(range.x0 - 1, y, clipMin, clipMax, wideNotAdded);
  }
  blockBatch_.Flush(true);
  overlayBatch_.Flush(true);
  DrawDecorations(true, true, false);
  BaseWell::Draw();
}

void GameScrollWell::DrawBackDecorations() { DrawDecorations(true, true, true); }

void GameScrollWell::RecordLayout() {
  restoreRecords_.clear();
  for (Block* block : grid_) {
    if (!block) continue;
    const Cell cell = block->GetCell();
    restoreRecords_.push_back(
        {cell.x, cell.y, block->GetWidth(), block->GetHeight(), block->GetTypeName(), block->GetColor()});
  }
}

void GameScrollWell::TriggerRestore() {
  DeleteGridBlocks();
  for (const RestoreRecord& record : restoreRecords_) {
    Block* block = CreateBlock(record.typeName, ColorToName(record.color), record.x, record.y, record.width,
                               record.height);
    if (block) PlaceBlock(block, record.x, record.y, 0.0f);
  }
}

void GameScrollWell::SwapBlocks(Block* a, Block* b) {
  if (!a || !b || a == b) return;
  const Cell cellA = a->GetOccupiedCell();
  const Cell cellB = b->GetOccupiedCell();
  if (GetBlock(cellA.x, cellA.y) != a || GetBlock(cellB.x, cellB.y) != b) {
    LOG_LINE(MSG_WARNING, "Unable to swap blocks that are not on the well");
    return;
  }
  const size_t indexA = static_cast<size_t>(GetBlockIndex(a));
  const size_t indexB = static_cast<size_t>(GetBlockIndex(b));
  grid_[indexA] = nullptr;
  grid_[indexB] = nullptr;
  // Both entries are clear while the blocks move, so the board stores nothing.
  a->SetCell(cellB.x, cellB.y);
  b->SetCell(cellA.x, cellA.y);
  grid_[indexA] = b;
  grid_[indexB] = a;
  NoteFallCell(cellA.x, cellA.y);
  NoteFallCell(cellB.x, cellB.y);
  a->OnArrived();
  b->OnArrived();
}

CellRange GameScrollWell::GetVisibleRange() const {
  CellRange range;
  range.x0 = std::max(0, static_cast<int32_t>(scroll_.x / cellSize_.x));
  range.y0 = std::max(0, static_cast<int32_t>(scroll_.y / cellSize_.y));
  range.x1 = static_cast<int32_t>(std::min<int64_t>(int64_t{range.x0} + viewColumns_ + 1, width_));
  range.y1 = static_cast<int32_t>(std::min<int64_t>(int64_t{range.y0} + viewRows_ + 1, height_));
  return range;
}

void GameScrollWell::SetScroll(const math::Vec2& scroll) {
  const float maxX = std::max(0.0f, static_cast<float>(width_) * cellSize_.x - viewSize_.x);
  const float maxY = std::max(0.0f, static_cast<float>(height_) * cellSize_.y - viewSize_.y);
  SetScrollVector({std::clamp(scroll.x, 0.0f, maxX), std::clamp(scroll.y, 0.0f, maxY)});
}

void GameScrollWell::SetViewCells(uint32_t columns, uint32_t rows) {
  viewColumns_ = columns;
  viewRows_ = rows;
}

}  // namespace well
