#include "well/decoration.h"

#include "well/base_well.h"

namespace well {

Decoration::Decoration(BaseWell* board) : board_(board) {}

Decoration::~Decoration() { sprite_.Invalidate(); }

void Decoration::SetImage(const std::string& name) {
  imageName_ = name;
  sprite_.Setup(name, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  sprite_.GetNativeSize(size_);
}

void Decoration::PlaceSprite(const math::Vec2& position) {
  sprite_.SetRect(position, size_, 0.0f, 0, tint_);
  sprite_.orientation = static_cast<uint32_t>(rotation_);
}

void Decoration::Draw() { DrawAt(GetScreenPosition()); }

void Decoration::DrawAt(const math::Vec2& position) {
  PlaceSprite(position);
  sprite_.Render();
}

bool Decoration::Tick(float dt) {
  const bool ended = sprite_.TickEndsCycle(dt);
  if (ended) OnAnimationEnd();
  return ended;
}

void Decoration::SetCell(int32_t x, int32_t y, const math::Vec2& offset) {
  cell_ = {x, y};
  offset_ = offset;
}

math::Vec2 Decoration::GetScreenPosition() const { return board_->CellToScreen(cell_.x, cell_.y) + offset_; }

void Decoration::SetScreenPosition(const math::Vec2& point) {
  cell_ = board_->ScreenToCell(point);
  offset_ = point - board_->CellToScreen(cell_.x, cell_.y);
}

bool Decoration::HitTest(const math::Vec2& point) const {
  const math::Vec2 corner = GetScreenPosition();
  const bool quarterTurn = rotation_ == 1 || rotation_ == 3;
  const float width = quarterTurn ? size_.y : size_.x;
  const float height = quarterTurn ? size_.x : size_.y;
  return corner.x <= point.x && point.x <= corner.x + width && corner.y <= point.y && point.y <= corner.y + height;
}

void Decoration::DrawClipped(const math::Vec2& clipMin, const math::Vec2& clipMax) {
  const math::Vec2 corner = GetScreenPosition();
  if (corner.x >= clipMin.x && corner.y >= clipMin.y && corner.x + size_.x < clipMax.x &&
      corner.y + size_.y < clipMax.y) {
    DrawAt(corner);
    return;
  }
  PlaceSprite(corner);
  sprite_.RenderClipped(clipMin, clipMax);
}

void Decoration::SetRotation(int32_t quarterTurns) { rotation_ = ((quarterTurns % 4) + 4) % 4; }

}  // namespace well
