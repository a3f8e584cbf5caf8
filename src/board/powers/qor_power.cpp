#include "board/powers/qor_power.h"

#include "audio/audio.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"

QORPower::QORPower(QORWell* board, int32_t number)
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
  if (QORWellUI* hud = board_ ? board_->GetHud() : nullptr) hud->ClearInstructions();
}

void QORPower::Draw() { cursor_.Render(); }

void QORPower::Tick(float dt) {
  cursor_.Tick(dt);
  highlight_.Tick(dt);
  if (QORWellUI* hud = board_ ? board_->GetHud() : nullptr)
    hud->ShowInstructions("HELP_SPECIAL_" + std::to_string(number_));
}

void QORPower::DrawHighlight(int32_t x, int32_t y) {
  const QORTile* tile = board_ ? board_->GetTile(x, y) : nullptr;
  if (!tile || tile->type < kTileMetal || tile->type > kTileGold) return;
  highlight_.position = board_->CellToScreen(x, y);
  highlight_.Render();
}
