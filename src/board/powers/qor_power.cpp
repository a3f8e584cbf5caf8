#include "board/powers/qor_power.h"

#include "audio/audio.h"
#include "board/effects/qor_well_sfx.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_board_view.h"
#include "well/effects/part2d_sfx_set.h"

QORPower::QORPower(QORBoardView* board, int32_t number)
    : board_(board),
      offImage_(std::to_string(number) + "_off"),
      onImage_(std::to_string(number) + "_on"),
      clickImage_(std::to_string(number) + "_click"),
      number_(number) {}

void QORPower::Init() {
  cursor_.Setup(offImage_, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  cursor_.SetRect({0.0f, 0.0f}, cursor_.size, 0.0f, 0, 0xFFFFFFFFu);
  highlight_.Setup(kHighlightImage, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  if (board_) highlight_.size = board_->CellsToSize(1, 1);
}

void QORPower::SetMousePosition(const math::Vec2& point) {
  cursor_.position = point;
  if (!board_) return;
  const well::Cell cell = board_->ScreenToCell(point);
  mouseX_ = cell.x;
  mouseY_ = cell.y;
}

void QORPower::AfterUse() {
  audio::GetAudio().PlaySound("special " + std::to_string(number_));
  if (QORWellUI* hud = GetHud()) hud->ClearInstructions();
}

void QORPower::Draw() { cursor_.Render(); }

void QORPower::Tick(float dt) {
  cursor_.Tick(dt);
  highlight_.Tick(dt);
  if (QORWellUI* hud = GetHud()) hud->ShowInstructions("HELP_SPECIAL_" + std::to_string(number_));
}

QORWellUI* QORPower::GetHud() const { return board_ ? board_->GetHud() : nullptr; }

void QORPower::DrawHighlight(int32_t x, int32_t y) {
  if (!IsFloorCell(x, y)) return;
  highlight_.position = board_->CellToScreen(x, y);
  highlight_.Render();
}

void QORPower::DrawHighlightArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  for (int32_t x = x0; x <= x1; ++x) {
    for (int32_t y = y0; y <= y1; ++y) DrawHighlight(x, y);
  }
}

bool QORPower::IsFloorCell(int32_t x, int32_t y) const {
  const QORTile* tile = board_ ? board_->GetTile(x, y) : nullptr;
  return tile && tile->type >= kTileMetal && tile->type <= kTileGold;
}

bool QORPower::IsToken(const well::Block* block) const {
  return block && board_ && board_->GetBlockType(block) == 0;
}

void QORPower::PlayEffects(int32_t x, int32_t y, size_t overlay, size_t burst, float count) {
  QORWellSFX* effects = board_ ? board_->GetGameEffects() : nullptr;
  if (!effects) return;
  if (IsFloorCell(x, y)) effects->TriggerAtCell(x, y, overlay);
  if (well::Part2DSFXSet* particles = effects->GetParticleSet(burst))
    particles->TriggerCount(count, board_->CellToScreen(x, y) + board_->GetCellSize() * 0.5f + board_->GetScroll());
}

void QORPower::UseCharge() {
  if (QORWellUI* hud = GetHud()) hud->DecrementPower(number_ - 1);
}
