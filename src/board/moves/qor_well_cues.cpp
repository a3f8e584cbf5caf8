// The board's hints: first-time hints, shown the first time the player meets
// each creature, block or tile (and once per profile), and the idle hint,
// which swirls over a possible move near the explorer when no run was made
// for a while.
#include <algorithm>

#include "board/blocks/qor_block.h"
#include "board/effects/qor_well_sfx.h"
#include "board/game_variables.h"
#include "board/help/qor_game_help.h"
#include "board/qor_well.h"
#include "well/help/well_dynamic_help.h"

namespace {

// The board must have run this long before it shows first-time hints.
constexpr float kFirstHintDelay = 1.0f;
// First-time hints appear on cells at least this far inside the view.
constexpr int32_t kHintMargin = 3;
// The idle hint looks this many rings around the explorer.
constexpr int32_t kHintRings = 8;
// Gold beyond this shows the power buttons' hint.
constexpr int32_t kPowerHintGold = 10;
// The hint of meeting a walker, by its kind (spider, rival, cobra, scorpion,
// mummy, locust, scarab); 0 for none.
int32_t WalkerHint(int32_t type) {
  static const int32_t kHints[] = {kHintFirstSpider,   kHintShady,      kHintFirstCobra, kHintFirstScorpion,
                                   kHintFirstMummy,    kHintFirstLocust, kHintFirstScarab};
  return type >= 0 && type < static_cast<int32_t>(std::size(kHints)) ? kHints[type] : 0;
}

// The hint of meeting a block of the type; 0 for none.
int32_t BlockHint(int32_t type) {
  switch (type) {
    case QORBlock::kRock: return kHintFirstRock;
    case QORBlock::kExit: return kHintExit;
    case QORBlock::kBottle: return kHintFirstBlocker;
    case QORBlock::kMilestone: return kHintFirstTreasure;
    case QORBlock::kMummyNest: return kHintFirstMummy;
    case QORBlock::kMummyNest + 1: return kHintFirstScorpion;
    case QORBlock::kMummyNest + 2: return kHintFirstSpider;
    case QORBlock::kMummyNest + 3: return kHintFirstCobra;
    case QORBlock::kMummyNest + 4: return kHintFirstScarab;
    case QORBlock::kLocustNest: return kHintFirstLocust;
    default: return 0;
  }
}

const char* HintImage(int32_t id) {
  switch (id) {
    case kHintClick1:
    case kHintClick2:
    case kHintMap1:
    case kHintMap2:
      return "left_mouse";
    case kHintRightClick1:
    case kHintRightClick2:
      return "right_mouse";
    default:
      return well::WellDynamicHelp::kNoIcon;
  }
}

}  // namespace

bool QORWell::TriggerHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight) {
  if (GetInt(id) == 1) return false;
  // Met now: a hint that cannot show now never shows later.
  SetInt(id, 1);
  return ShowHelpHint(id, topLeft, bottomRight, HintImage(id));
}

bool QORWell::HasHelp() const { return help_ != nullptr; }

bool QORWell::ShowHelpHint(int32_t id, const math::Vec2& topLeft, const math::Vec2& bottomRight, const char* image) {
  if (!help_ || !help_->CanShow(id)) return false;
  help_->TriggerHint(id, topLeft, bottomRight, image);
  return true;
}

void QORWell::ShowShadyHint() {
  const math::Vec2 start = CellToScreen(shadyStartX_, shadyStartY_);
  TriggerHint(kHintShady, start, start + cellSize_);
}

void QORWell::CheckFirstHints() {
  // Nothing new is met once the room is over: no hint opens over its end.
  if (gameEnd_ || elapsed_ < kFirstHintDelay || !HasHelp() || handHold_) return;
  if (IsRace()) {
    TriggerHint(kHintFirstScarabTips, math::Vec2(0.1f, 0.1f), math::Vec2(0.9f, 0.9f));
    return;
  }
  if (GetGold() > kPowerHintGold)
    TriggerHint(kHintSpecialUse, math::Vec2(0.2325f, 0.8983333f), math::Vec2(0.27875f, 0.9483333f));
  for (size_t i = 0; i < walkers_.size(); ++i) {
    const int32_t id = WalkerHint(GetWalkerType(walkers_[i]));
    const math::Vec2 position = GetWalkerScreenPosition(walkers_[i]);
    if (id) TriggerHint(id, position, position + cellSize_);
  }

  const int32_t x0 = std::max(0, static_cast<int32_t>(scroll_.x / cellSize_.x));
  const int32_t y0 = std::max(0, static_cast<int32_t>(scroll_.y / cellSize_.y));
  const int32_t x1 = std::min(static_cast<int32_t>(width_), x0 + static_cast<int32_t>(kViewColumns) + 1);
  const int32_t y1 = std::min(static_cast<int32_t>(height_), y0 + static_cast<int32_t>(kViewRows) + 1);
  for (int32_t x = x0 + kHintMargin; x < x1 - kHintMargin; ++x) {
    for (int32_t y = y0 + kHintMargin; y < y1 - kHintMargin; ++y) {
      // A block is met on its own cell only.
      well::Block* block = GameScrollWell::GetBlock(x, y);
      if (block && block->HasImage() && GetBlockType(block) > 0) {
        const math::Vec2 position = block->GetScreenPosition();
        if (const int32_t id = BlockHint(GetBlockType(block))) TriggerHint(id, position, position + block->GetDrawSize());
      }
      const QORTile* tile = GetTile(x, y);
      if (!tile) continue;
      const math::Vec2 cell = CellToScreen(x, y);
      if (tile->type == kTileMetal) TriggerHint(kHintFirst3ClickTile, cell, cell + cellSize_);
      if (tile->type == kTileSand) TriggerHint(kHintFirst2ClickTile, cell, cell + cellSize_);
      if (tile->webbed) TriggerHint(kHintFirstWeb, cell, cell + cellSize_);
    }
  }
}

bool QORWell::ShowPossibleMove() {
  int32_t ex = 0, ey = 0;
  if (!GetExplorerCell(ex, ey)) return false;
  // Rings of growing size; each runs its ranges up to ex + 1 and ey + 1.
  for (int32_t r = 0; r < kHintRings; ++r) {
    for (int32_t x = ex - r; x <= ex + 1; ++x) {
      if (CheckSwapHint(x, ey - r, x + 1, ey - r) || CheckSwapHint(x, ey - r, x, ey - r + 1) ||
          CheckSwapHint(x, ey + r, x + 1, ey + r) || CheckSwapHint(x, ey + r, x, ey + r + 1) ||
          HintRunOf4(x, ey - r) || HintRunOf4(x, ey + r))
        return true;
    }
    for (int32_t y = ey - r; y <= ey + 1; ++y) {
      if (CheckSwapHint(ex - r, y, ex - r + 1, y) || CheckSwapHint(ex - r, y, ex - r, y + 1) ||
          CheckSwapHint(ex + r, y, ex + r + 1, y) || CheckSwapHint(ex + r, y, ex + r, y + 1) ||
          HintRunOf4(ex - r, y) || HintRunOf4(ex + r, y))
        return true;
    }
  }
  return false;
}

bool QORWell::CheckSwapHint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  well::Block* a = GetBlock(x1, y1);
  well::Block* b = GetBlock(x2, y2);
  if (!a || !b || GetBlockType(a) != QORBlock::kToken || GetBlockType(b) != QORBlock::kToken ||
      a->GetColor() != b->GetColor())
    return false;
  // The two cells diagonally beyond B, from which a third of the colour
  // steps into line.
  const int32_t e = (x2 - x1) + (y2 - y1);
  const well::Cell thirds[] = {{x2 + (x2 - x1) + (y1 - y2), y2 + e}, {x2 + e, y2 + (y2 - y1) + (x1 - x2)}};
  for (const well::Cell& third : thirds) {
    well::Block* c = GetBlock(third.x, third.y);
    if (!c || GetBlockType(c) != QORBlock::kToken || c->GetColor() != a->GetColor()) continue;
    MarkHintCell(x1, y1);
    MarkHintCell(x2, y2);
    // A third held by a web cannot move: the pair stays marked, the search goes on.
    const QORTile* tile = GetTile(third.x, third.y);
    if (tile && tile->webbed) continue;
    MarkHintCell(third.x, third.y);
    return true;
  }
  return false;
}

int32_t QORWell::CountRunOf4(int32_t x, int32_t y, int32_t dx, int32_t dy) {
  well::Block* first = GetBlock(x, y);
  int32_t count = 0;
  for (int32_t i = 0; i < 4; ++i) {
    well::Block* block = GetBlock(x + i * dx, y + i * dy);
    const int32_t type = GetBlockType(block);
    if (type < QORBlock::kToken || type > 2) return 0;
    if (block->GetColor() == first->GetColor()) ++count;
  }
  return count;
}

bool QORWell::HintRunOf4(int32_t x, int32_t y) {
  well::Block* first = GetBlock(x, y);
  if (!first) return false;
  for (const well::Cell& step : {well::Cell{1, 0}, well::Cell{0, 1}}) {
    if (CountRunOf4(x, y, step.x, step.y) < 3) continue;
    for (int32_t i = 0; i < 4; ++i) {
      const int32_t cx = x + i * step.x, cy = y + i * step.y;
      const QORTile* tile = GetTile(cx, cy);
      if (GetBlock(cx, cy)->GetColor() == first->GetColor() && !(tile && tile->webbed)) MarkHintCell(cx, cy);
    }
    return true;
  }
  return false;
}

void QORWell::MarkHintCell(int32_t x, int32_t y) {
  if (QORWellSFX* effects = GetGameEffects()) effects->TriggerSwirlAtCell(x, y);
}
