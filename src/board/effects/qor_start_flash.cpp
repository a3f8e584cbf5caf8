#include "board/effects/qor_start_flash.h"

#include <cstdlib>

#include "audio/audio.h"
#include "board/qor_board_view.h"
#include "render/device/graphics.h"

QORStartFlash::QORStartFlash(int32_t width, int32_t height, QORBoardView* board, QORWellSFX* effects,
                             QORExplorer* explorer)
    : QORGridWave(width, height), board_(board), effects_(effects), explorer_(explorer) {}

well::Block* QORStartFlash::TokenAt(int32_t x, int32_t y) const {
  well::Block* block = board_->GetBlock(x, y);
  return block && board_->GetBlockType(block) == 0 ? block : nullptr;
}

float QORStartFlash::GetDelay(int32_t x, int32_t y) {
  // Without an explorer the wave spreads from the top-left cell.
  int32_t ex = 0, ey = 0;
  if (explorer_) board_->GetExplorerCell(ex, ey);
  return kDuration * static_cast<float>(std::abs(ex - x) + std::abs(ey - y)) * 0.2f + 0.4f;
}

void QORStartFlash::ResetCell(int32_t x, int32_t y) {
  if (well::Block* token = TokenAt(x, y)) token->SetTint(PackARGB(1.0f, 1.0f, 1.0f, 0.0f));
}

void QORStartFlash::OnCellProgress(int32_t x, int32_t y, float t) {
  if (well::Block* token = TokenAt(x, y)) token->SetTint(PackARGB(1.0f, 1.0f, 1.0f, t));
}

void QORStartFlash::OnCellEnd(int32_t x, int32_t y) {
  if (well::Block* token = TokenAt(x, y)) token->SetTint(0xFFFFFFFFu);
}

void QORStartFlash::OnCellStart(int32_t x, int32_t y) {
  if (!TokenAt(x, y)) return;
  if (effects_) board_->PlayCellBurst(x, y);
  if (!soundPlayed_) {
    audio::GetAudio().PlaySound("START_FLASH");
    soundPlayed_ = 1;
  }
}
