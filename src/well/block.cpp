#include "well/block.h"

#include <climits>
#include <cmath>

#include "render/sprites/sprite_batch.h"
#include "well/base_well.h"
#include "well/rest_clocks.h"

namespace well {

Block::Block(BaseWell* board) : board_(board) {}

Block::~Block() { sprite_.Invalidate(); }

void Block::PlaceSprite(const math::Vec2& position) {
  if (rest_) sprite_.clock = rest_->now;
  sprite_.SetRect(position, drawSize_, 0.0f, 0, tint_);
}

bool Block::CanRest() const {
  return !IsDead() && !sliding_ && timer_.period <= 0.0f && sprite_.GetEntry() && !sprite_.owner && IgnoresCycleEnd();
}

void Block::Wake() {
  if (rest_) board_->WakeBlock(this);
}

bool Block::FitsInside(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) const {
  return position.x >= clipMin.x && position.y >= clipMin.y && position.x + drawSize_.x < clipMax.x &&
         position.y + drawSize_.y < clipMax.y;
}

void Block::Draw(const math::Vec2& position) {
  PlaceSprite(position);
  sprite_.Render();
}

void Block::AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch&) {
  PlaceSprite(GetScreenPosition());
  batch.Add(&sprite_);
}

void Block::DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) {
  if (FitsInside(position, clipMin, clipMax)) {
    Draw(position);
    return;
  }
  PlaceSprite(position);
  sprite_.RenderClipped(clipMin, clipMax);
}

void Block::AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch&, const math::Vec2& clipMin,
                              const math::Vec2& clipMax) {
  const math::Vec2 position = GetScreenPosition();
  PlaceSprite(position);
  if (FitsInside(position, clipMin, clipMax))
    batch.Add(&sprite_);
  else
    batch.AddClipped(&sprite_, clipMin, clipMax);
}

bool Block::SlideAxis(float distance, float step, float& offset) {
  if (step > std::fabs(distance)) return true;
  if (distance < 0.0f)
    offset -= step;
  else if (distance > 0.0f)
    offset += step;
  return false;
}

bool Block::Tick(float dt) {
  if (sprite_.TickEndsCycle(dt)) OnAnimationEnd();
  if (sliding_) {
    const math::Vec2 goal = board_->CellToScreen(target_.x, target_.y);
    const math::Vec2 current = board_->CellToScreen(cell_.x, cell_.y) + slideOffset_;
    const math::Vec2 distance = goal - current;
    const float step = board_->GetMoveSpeed() * dt;
    const bool acrossDone = SlideAxis(distance.x, step, slideOffset_.x);
    const bool downDone = SlideAxis(distance.y, step, slideOffset_.y);
    if (acrossDone && downDone) {
      SetCell(target_.x, target_.y);
      OnArrived();
    }
  }
  if (timer_.period > 0.0f) {
    timer_.Tick(dt);
    if (timer_.IsExpired()) {
      OnTimer();
      timer_.remaining = timer_.period;
    }
  }
  return sliding_ != 0;
}

void Block::SetSize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  drawSize_ = board_->CellsToSize(width, height);
}

void Block::StrikeBlockBelow() {
  // A block without height would strike itself, or a block above it that
  // strikes it back, for ever.
  if (height_ < 1) return;
  const int64_t below = int64_t{cell_.y} + height_;
  if (below > INT32_MAX) return;
  if (Block* block = board_->GetBlock(cell_.x, static_cast<int32_t>(below))) block->OnStruck();
}

void Block::OnStruck() { StrikeBlockBelow(); }

void Block::OnArrived() {
  FallTest();
  StrikeBlockBelow();
}

void Block::SetSelected() {
  Wake();
  state_ = kStateSelected;
}

void Block::SetStanding() {
  Wake();
  state_ = kStateStand;
}

void Block::SetColor(int32_t color) {
  Wake();
  color_ = color;
}

bool Block::ColorMatches(int32_t color) { return color == kColorAny || color_ == kColorAny || color == color_; }

void Block::SetState(int32_t state) {
  Wake();
  state_ = state;
}

void Block::SetErased() {
  Wake();
  state_ = kStateErased;
}

void Block::FallTest() {
  if (sliding_ || cell_.x < 0 || cell_.y < 0) return;
  const int64_t boardWidth = board_->GetWidth();
  const int64_t boardHeight = board_->GetHeight();
  if (int64_t{cell_.x} + width_ > boardWidth || int64_t{cell_.y} + height_ >= boardHeight) return;
  const int32_t below = cell_.y + height_;
  for (int32_t x = cell_.x; x < cell_.x + width_; ++x) {
    if (board_->GetBlock(x, below)) return;
  }
  MoveTo(cell_.x, cell_.y + 1);
}

void Block::SetDestroyed() {
  Wake();
  state_ = kStateDestroyed;
  OnDestroyed();
}

math::Vec2 Block::GetScreenPosition() const {
  return board_->CellToScreen(cell_.x, cell_.y) + slideOffset_ + drawOffset_;
}

void Block::DrawClippedAtOwnPosition(const math::Vec2& clipMin, const math::Vec2& clipMax) {
  DrawClipped(GetScreenPosition(), clipMin, clipMax);
}

Block* Block::MoveTo(int32_t x, int32_t y) {
  Wake();
  Block* there = board_->GetBlock(x, y);
  if (!there || there == this) {
    target_ = {x, y};
    sliding_ = target_ != cell_ ? 1 : 0;
  }
  return there;
}

void Block::SetCell(int32_t x, int32_t y) {
  Wake();
  const Cell old = cell_;
  cell_ = target_ = {x, y};
  if (old.x >= 0) board_->OnBlockMoved(this, old.x, old.y, x, y);
  slideOffset_ = {0.0f, 0.0f};
  sliding_ = 0;
}

}  // namespace well
