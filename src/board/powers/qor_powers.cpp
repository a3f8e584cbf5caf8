#include "board/powers/qor_powers.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "board/blocks/qor_block.h"
#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "board/walkers/qor_mummy.h"
#include "board/walkers/qor_walker.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

// Particles of a burst on a cell.
constexpr float kParticles = 30.0f;
constexpr float kLineParticles = 4.0f;
constexpr float kBlastParticles = 10.0f;
// Blocks of these game types (tokens and rocks) break in a blast.
constexpr int32_t kLastBlastType = 4;

// The overlays and particle sets of the powers' effects, by index.
constexpr size_t kGildOverlay = 8, kGildBurst = 9;
constexpr size_t kGildAreaOverlay = 14, kGildAreaBurst = 15;
constexpr size_t kBanishOverlay = 12, kBanishBurst = 13;
constexpr size_t kColumnOverlay = 11, kColumnBurst = 12;
constexpr size_t kRowOverlay = 10, kRowBurst = 11;
constexpr size_t kBlastOverlay = 6, kBlastBurst = 7;
constexpr size_t kColourOverlay = 9, kColourBurst = 10;
constexpr size_t kUnwebOverlay = 14, kUnwebBurst = 15;

std::vector<well::Block*> BlocksIn(QORBoardView* board, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  std::vector<well::Block*> blocks;
  board->CollectBlocks(x0, y0, x1, y1, blocks);
  return blocks;
}

void Gild(QORBoardView* board, QORTile& tile) {
  tile.type = kTileGold;
  board->RefreshTile(tile);
}

}  // namespace

// --- 1: gild a tile.

bool QORPowerGild::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  QORTile* tile = board_->GetTile(cell.x, cell.y);
  if (!tile || !IsFloorCell(cell.x, cell.y) || !IsToken(board_->GetBlock(cell.x, cell.y))) return false;
  Gild(board_, *tile);
  PlayEffects(cell.x, cell.y, kGildOverlay, kGildBurst, kParticles);
  UseCharge();
  AfterUse();
  return true;
}

void QORPowerGild::Draw() {
  DrawHighlight(mouseX_, mouseY_);
  QORPower::Draw();
}

// --- 2: gild a square.

bool QORPowerGildArea::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  const std::vector<well::Block*> blocks = BlocksIn(board_, cell.x - 1, cell.y - 1, cell.x + 1, cell.y + 1);
  if (blocks.empty()) return false;
  bool changed = false;
  for (well::Block* block : blocks) {
    const well::Cell at = block->GetCell();
    if (!IsToken(block) || !IsFloorCell(at.x, at.y)) continue;
    Gild(board_, *board_->GetTile(at.x, at.y));
    PlayEffects(at.x, at.y, kGildAreaOverlay, kGildAreaBurst, kParticles);
    changed = true;
  }
  if (changed) UseCharge();
  AfterUse();
  return true;
}

void QORPowerGildArea::Draw() {
  DrawHighlightArea(mouseX_ - 1, mouseY_ - 1, mouseX_ + 1, mouseY_ + 1);
  QORPower::Draw();
}

// --- 3: banish the mummy.

bool QORPowerBanish::OnClick(const math::Vec2&) {
  AfterUse();
  return true;
}

void QORPowerBanish::AfterUse() {
  const QORMummy* mummy = board_->GetMummy();
  if (!mummy) return;
  QORPower::AfterUse();
  PlayEffects(mummy->GetCell().x, mummy->GetCell().y, kBanishOverlay, kBanishBurst, kParticles);
  UseCharge();
  // A banished mummy counts as a critter killed.
  board_->AddCritterKilled();
  board_->HitMummy();
}

// --- 4 and 5: clear a column or a row.

QORPowerLine::QORPowerLine(QORBoardView* board, int32_t number, bool column, size_t overlay, size_t burst)
    : QORPower(board, number), column_(column), overlay_(overlay), burst_(burst) {}

QORPowerColumn::QORPowerColumn(QORBoardView* board) : QORPowerLine(board, 4, true, kColumnOverlay, kColumnBurst) {}

QORPowerRow::QORPowerRow(QORBoardView* board) : QORPowerLine(board, 5, false, kRowOverlay, kRowBurst) {}

void QORPowerLine::GetLine(int32_t x, int32_t y, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const {
  x0 = column_ ? x : 0;
  x1 = column_ ? x : static_cast<int32_t>(board_->GetWidth());
  y0 = column_ ? 0 : y;
  y1 = column_ ? static_cast<int32_t>(board_->GetHeight()) : y;
}

bool QORPowerLine::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  if (!board_->GetBlock(cell.x, cell.y)) return false;
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  GetLine(cell.x, cell.y, x0, y0, x1, y1);
  bool destroyed = false;
  for (well::Block* block : BlocksIn(board_, x0, y0, x1, y1)) {
    if (!IsToken(block)) continue;
    block->SetDestroyed();
    PlayEffects(block->GetCell().x, block->GetCell().y, overlay_, burst_, kLineParticles);
    destroyed = true;
  }
  if (destroyed) UseCharge();
  AfterUse();
  return true;
}

void QORPowerLine::Draw() {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  GetLine(mouseX_, mouseY_, x0, y0, x1, y1);
  DrawHighlightArea(x0, y0, x1, y1);
  QORPower::Draw();
}

// --- 6: blast a square.

bool QORPowerBlast::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  if (!board_->GetBlock(cell.x, cell.y)) return false;
  bool destroyed = false;
  for (well::Block* block : BlocksIn(board_, cell.x - 1, cell.y - 1, cell.x + 1, cell.y + 1)) {
    const int32_t type = board_->GetBlockType(block);
    if (type < 0 || type > kLastBlastType) continue;
    block->SetDestroyed();
    const well::Cell at = block->GetCell();
    if (QORTile* tile = board_->GetTile(at.x, at.y)) tile->webbed = 0;
    PlayEffects(at.x, at.y, kBlastOverlay, kBlastBurst, kBlastParticles);
    destroyed = true;
  }
  if (destroyed) UseCharge();
  AfterUse();
  return true;
}

void QORPowerBlast::Draw() {
  DrawHighlightArea(mouseX_ - 1, mouseY_ - 1, mouseX_ + 1, mouseY_ + 1);
  QORPower::Draw();
}

// --- 7: clear a colour nearby.

bool QORPowerColour::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  const well::Block* clicked = board_->GetBlock(cell.x, cell.y);
  if (!clicked) return false;
  const int32_t colour = clicked->GetColor();
  bool destroyed = false;
  for (well::Block* block : BlocksIn(board_, cell.x - kReach, cell.y - kReach, cell.x + kReach, cell.y + kReach)) {
    if (!IsToken(block) || block->GetColor() != colour) continue;
    block->SetDestroyed();
    PlayEffects(block->GetCell().x, block->GetCell().y, kColourOverlay, kColourBurst, kParticles);
    destroyed = true;
  }
  if (destroyed) UseCharge();
  AfterUse();
  return true;
}

void QORPowerColour::Draw() {
  if (const well::Block* under = board_->GetBlock(mouseX_, mouseY_)) {
    for (well::Block* block :
         BlocksIn(board_, mouseX_ - kReach, mouseY_ - kReach, mouseX_ + kReach, mouseY_ + kReach)) {
      if (IsToken(block) && block->GetColor() == under->GetColor())
        DrawHighlight(block->GetCell().x, block->GetCell().y);
    }
  }
  QORPower::Draw();
}

// --- 8: spray the walkers nearby.

bool QORPowerBugSpray::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  auto inReach = [cell](const QORWalker* walker) {
    return std::abs(walker->GetCell().x - cell.x) <= 1 && std::abs(walker->GetCell().y - cell.y) <= 1;
  };
  QORWellSFX* effects = board_->GetGameEffects();
  well::Part2DSFXSet* burn = effects ? effects->GetParticleSet(QORWellSFX::kBurn) : nullptr;
  // One at a time, found afresh on the list: a walker leaving may change it.
  for (;;) {
    const std::vector<QORWalker*>& walkers = board_->GetWalkers();
    auto found = std::find_if(walkers.begin(), walkers.end(), inReach);
    if (found == walkers.end()) break;
    QORWalker* walker = *found;
    if (burn)
      burn->TriggerCount(kParticles, walker->GetSpritePosition() + board_->GetCellSize() * 0.5f + board_->GetScroll());
    board_->RemoveListedWalker(walker);
    board_->AddCritterKilled();
  }
  UseCharge();
  AfterUse();
  return true;
}

void QORPowerBugSpray::Draw() {
  DrawHighlightArea(mouseX_ - 1, mouseY_ - 1, mouseX_ + 1, mouseY_ + 1);
  QORPower::Draw();
}

// --- 9: tear a web, or break a rock.

bool QORPowerUnweb::OnClick(const math::Vec2& point) {
  const well::Cell cell = board_->ScreenToCell(point);
  QORTile* tile = board_->GetTile(cell.x, cell.y);
  well::Block* block = board_->GetBlock(cell.x, cell.y);
  if (tile && tile->webbed) {
    tile->webbed = 0;
  } else if (block && board_->GetBlockType(block) == QORBlock::kRock) {
    block->SetDestroyed();
  } else {
    return false;
  }
  PlayEffects(cell.x, cell.y, kUnwebOverlay, kUnwebBurst, kParticles);
  UseCharge();
  AfterUse();
  return true;
}

void QORPowerUnweb::Draw() {
  DrawHighlight(mouseX_, mouseY_);
  QORPower::Draw();
}
