#include "well/base_well.h"

#include <algorithm>

#include "core/frame_timer.h"
#include "well/decoration.h"
#include "well/effects/well_sfx.h"
#include "well/game_end.h"

namespace well {

BaseWell::BaseWell(void* owner) : owner_(owner) {}

BaseWell::~BaseWell() {
  restoreRecords_.clear();
  delete effects_;
  delete gameEnd_;
  ClearDecorations();
}

Block* BaseWell::GetBlockAtPoint(const math::Vec2& point) {
  const Cell cell = ScreenToCell(point);
  return GetBlock(cell.x, cell.y);
}

void BaseWell::Draw() {
  if (gameEnd_) gameEnd_->Draw();
}

void BaseWell::Tick(float dt) {
  const bool wasMoving = moving_ != 0;
  moving_ = 0;
  TickBlocks(dt);
  elapsed_ += dt;
  // At most one step a frame: the overshoot of a long frame is dropped.
  stepTimer_.Tick(dt);
  if (stepTimer_.IsExpired()) {
    stepTimer_.remaining = stepTimer_.period;
    Step();
  }
  if (wasMoving && !moving_) OnSettled();
  if (gameEnd_) gameEnd_->Tick(dt);
  if (effects_) effects_->Tick(dt);
}

Block* BaseWell::SpawnRandomBlock(int32_t, int32_t, float) { return nullptr; }

void BaseWell::SaveExtra(WriteLua&) {}

void BaseWell::AfterLoad(LuaPlus::LuaState*) {}

void BaseWell::BeforeSave(WriteLua&) {}

bool BaseWell::BeforeLoad(LuaPlus::LuaState*) { return true; }

void BaseWell::OnBlockMoved(Block*, int32_t, int32_t, int32_t, int32_t) { OnBoardChanged(); }

bool BaseWell::IsGameEndFinished() { return gameEnd_ && gameEnd_->IsStarted() && !gameEnd_->HasSteps(); }

void BaseWell::AddScore(int32_t) {}

void BaseWell::AddDecoration(const std::string& imageName, int32_t x, int32_t y, int32_t, int32_t,
                             const math::Vec2& offset, int32_t layer, int32_t rotation) {
  Decoration* decoration = new Decoration(this);
  decoration->SetImage(imageName);
  decoration->SetCell(x, y, offset);
  decoration->SetLayer(std::max(layer, 0));
  decoration->SetRotation(rotation);
  InsertDecoration(decoration);
}

void BaseWell::Create(uint32_t width, uint32_t height, const math::Vec2& origin, const math::Vec2& viewSize,
                      const math::Vec2& cellSize) {
  width_ = width;
  height_ = height;
  origin_ = origin;
  viewSize_ = viewSize;
  cellSize_ = cellSize;
}

void BaseWell::Step() {
  OnBeforeChange();
  if (gravity_) GravityPass();
  PlaceDueBlocks();
  RemoveDeadBlocks();
  OnBoardChanged();
}

void BaseWell::PlaceDueBlocks() {
  if (queue_.empty()) return;
  if (queueUnsorted_) {
    // Latest first: due entries come off the end.
    std::stable_sort(queue_.begin(), queue_.end(),
                     [](const PlacementEntry& a, const PlacementEntry& b) { return a.dueTime > b.dueTime; });
    queueUnsorted_ = 0;
  }
  const float now = GetFrameTimer().GetTotalTime();
  while (!queue_.empty() && queue_.back().dueTime < now) {
    const PlacementEntry entry = queue_.back();
    OnBeforeChange();
    queue_.pop_back();
    PutBlock(entry.block, entry.x, entry.y);
    OnBoardChanged();
  }
}

math::Vec2 BaseWell::CellToScreen(int32_t x, int32_t y) const {
  return {static_cast<float>(x) * cellSize_.x - scroll_.x + origin_.x,
          static_cast<float>(y) * cellSize_.y - scroll_.y + origin_.y};
}

math::Vec2 BaseWell::CellsToSize(int32_t width, int32_t height) const {
  return {static_cast<float>(width) * cellSize_.x, static_cast<float>(height) * cellSize_.y};
}

namespace {

// Truncated toward zero; a quotient that is no int (a zero cell size, a
// point far off) reads as -1, off every board.
int32_t CellsIn(float length, float cell) {
  const float cells = length / cell;
  if (!(cells > -2147483648.0f && cells < 2147483647.0f)) return -1;
  return static_cast<int32_t>(cells);
}

}  // namespace

Cell BaseWell::ScreenToCell(const math::Vec2& point) const {
  const math::Vec2 board = point - origin_ + scroll_;
  return {CellsIn(board.x, cellSize_.x), CellsIn(board.y, cellSize_.y)};
}

Cell BaseWell::SizeToCells(const math::Vec2& size) const {
  return {CellsIn(size.x, cellSize_.x), CellsIn(size.y, cellSize_.y)};
}

int32_t BaseWell::GetCellIndex(int32_t x, int32_t y) const { return x + y * static_cast<int32_t>(width_); }

int32_t BaseWell::GetBlockIndex(const Block* block) const {
  if (!block) return 0;
  const Cell cell = block->GetOccupiedCell();
  return GetCellIndex(cell.x, cell.y);
}

bool BaseWell::IsInside(int32_t x, int32_t y) const {
  return x >= 0 && y >= 0 && static_cast<uint32_t>(x) < width_ && static_cast<uint32_t>(y) < height_;
}

bool BaseWell::IsAreaFree(uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
  // Widened so that a huge rectangle cannot wrap around to look inside.
  if (uint64_t{x} + width > width_ || uint64_t{y} + height > height_) return false;
  for (uint32_t column = x; column < x + width; ++column) {
    for (uint32_t row = y; row < y + height; ++row) {
      if (GetBlock(static_cast<int32_t>(column), static_cast<int32_t>(row))) return false;
    }
  }
  return true;
}

void BaseWell::CollectBlocks(int32_t x0, int32_t y0, int32_t x1, int32_t y1, std::vector<Block*>& list) {
  OnBeforeChange();
  for (int64_t x = x0; x <= x1; ++x) {
    for (int64_t y = y0; y <= y1; ++y) {
      Block* block = GetBlock(static_cast<int32_t>(x), static_cast<int32_t>(y));
      if (!block) continue;
      // A block reported on several cells is taken at its own.
      const Cell own = block->GetOccupiedCell();
      if ((own.x == x || own.x < x0) && (own.y == y || own.y < y0)) list.push_back(block);
    }
  }
}

void BaseWell::CollectAllBlocks(std::vector<Block*>& list) {
  CollectBlocks(0, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_), list);
}

Block* BaseWell::PlaceBlock(Block* block, int32_t x, int32_t y, float delay) {
  if (delay <= 0.0f) {
    PutBlock(block, x, y);
    return block;
  }
  queue_.push_back({block, GetFrameTimer().GetTotalTime() + delay, x, y});
  queueUnsorted_ = 1;
  moving_ = 1;
  return block;
}

void BaseWell::SetEffects(WellSFX* effects) {
  if (effects == effects_) return;
  delete effects_;
  effects_ = effects;
}

void BaseWell::SetGameEnd(GameEnd* gameEnd) {
  if (gameEnd == gameEnd_) return;
  delete gameEnd_;
  gameEnd_ = gameEnd;
}

void BaseWell::DrawDecorations(bool clipX, bool clipY, bool back) {
  const math::Vec2 viewEnd = origin_ + viewSize_;
  const math::Vec2 clipMin{0.0f, 0.0f};
  const math::Vec2 clipMax{clipX ? viewEnd.x : 1.0f, clipY ? viewEnd.y : 1.0f};
  for (Decoration* decoration : decorations_) {
    if ((decoration->GetLayer() < Decoration::kFrontLayer) != back) continue;
    if (clipX || clipY)
      decoration->DrawClipped(clipMin, clipMax);
    else
      decoration->Draw();
  }
}

void BaseWell::InsertDecoration(Decoration* decoration) {
  decorations_.push_back(decoration);
  std::stable_sort(decorations_.begin(), decorations_.end(),
                   [](const Decoration* a, const Decoration* b) { return a->GetLayer() > b->GetLayer(); });
}

Decoration* BaseWell::TakeDecorationAt(const math::Vec2& point) {
  for (auto it = decorations_.rbegin(); it != decorations_.rend(); ++it) {
    if (!(*it)->HitTest(point)) continue;
    Decoration* found = *it;
    decorations_.erase(std::next(it).base());
    return found;
  }
  return nullptr;
}

bool BaseWell::DeleteDecoration(const math::Vec2& point) {
  Decoration* found = TakeDecorationAt(point);
  delete found;
  return found != nullptr;
}

void BaseWell::ClearDecorations() {
  for (Decoration* decoration : decorations_) delete decoration;
  decorations_.clear();
}

}  // namespace well
