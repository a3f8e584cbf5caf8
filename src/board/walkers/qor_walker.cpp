#include "board/walkers/qor_walker.h"

#include "audio/audio.h"
#include "board/qor_board_view.h"
#include "board/walkers/qor_nests.h"

QORWalker::QORWalker(QORBoardView* board, QORNest* nest) : board_(board), nest_(nest) {}

QORWalker::~QORWalker() = default;

void QORWalker::Tick(float dt) {
  sprite_.Tick(dt);
  stepTimer_.Tick(dt);
  if (!stepTimer_.IsExpired()) return;
  stepTimer_.remaining = stepTimer_.period;
  const well::Cell reached = target_;
  Think();
  cell_ = reached;
}

void QORWalker::Draw() {
  sprite_.SetRect(GetDrawOffset() + GetSpritePosition(), sprite_.size, 0.0f, 0, GetColour());
  sprite_.Render();
}

void QORWalker::OnRemoved() {
  if (nest_) nest_->ForgetWalker(this);
  nest_ = nullptr;
}

math::Vec2 QORWalker::GetScreenPosition() const {
  if (!board_) return math::Vec2(0.0f, 0.0f);
  const math::Vec2 from = board_->CellToScreen(cell_.x, cell_.y);
  if (stepTimer_.remaining < 0.0f) return from;
  const math::Vec2 to = board_->CellToScreen(target_.x, target_.y);
  return from + (to - from) * stepTimer_.GetProgress();
}

math::Vec2 QORWalker::GetSpritePosition() const {
  const math::Vec2 cell = GetCellSize();
  return GetScreenPosition() +
         math::Vec2((cell.x - sprite_.size.x) * 0.5f, cell.y - sprite_.size.y);
}

void QORWalker::PlaceAt(int32_t x, int32_t y) { cell_ = target_ = well::Cell{x, y}; }

void QORWalker::ShowImage(const std::string& name) {
  if (sprite_.HasImage() && sprite_.GetName() == name) return;
  sprite_.Setup(name, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
}

uint32_t QORWalker::ColourAt(float alpha) {
  const auto byte = static_cast<uint32_t>(static_cast<int32_t>(alpha * 255.0f)) & 0xFFu;
  return byte << 24 | 0x00FFFFFFu;
}

QORTile* QORWalker::TileAt(int32_t x, int32_t y) const { return board_ ? board_->GetTile(x, y) : nullptr; }

bool QORWalker::HasToken(int32_t x, int32_t y) const {
  well::Block* block = board_ ? board_->GetBlock(x, y) : nullptr;
  return block && board_->GetBlockType(block) == 0;
}

bool QORWalker::IsExplorerAt(int32_t x, int32_t y) const {
  int32_t ex = 0, ey = 0;
  return board_ && board_->GetExplorerCell(ex, ey) && ex == x && ey == y;
}

math::Vec2 QORWalker::GetCellSize() const { return board_ ? board_->CellsToSize(1, 1) : math::Vec2(0.0f, 0.0f); }

void QORWalker::PlaySet(const char* name) { audio::GetAudio().PlaySound(name); }
