// Match resolution: every line of three, four or five blocks of one colour on
// the settled board clears at once. Its blocks are destroyed, the tiles
// beneath wear, webs beside them tear, bottles of their colour fill, walkers
// beside them die or are stunned and the mummy near them is hit; the pass
// raises its clear and combo cues. The board moves afterwards, so the next
// settling runs a pass again: cascades.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "board/blocks/qor_block.h"
#include "board/blocks/qor_fixed_blocks.h"
#include "board/effects/coin_sfx.h"
#include "board/effects/qor_well_sfx.h"
#include "board/hud/qor_well_ui.h"
#include "board/qor_well.h"
#include "board/walkers/qor_mummy.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

constexpr int32_t kRivalType = 1;
constexpr float kRivalStunSeconds = 2.5f;
constexpr float kBurnStrength = 30.0f;
constexpr float kMummyHitStrength = 100.0f;
// Bottles fill from cleared blocks this close to the explorer, in cells.
constexpr float kBottleReach = 9.0f;
constexpr float kBottleFlightSeconds = 1.0f;
// The mummy is hit by a run that comes this close, in cells along each axis.
constexpr int32_t kMummyReach = 2;

// The windows of one line through a cell, longest first: (back, ahead, length).
struct Window {
  int32_t back, ahead, length;
};
constexpr Window kWindows[] = {{2, 2, 5}, {2, 1, 4}, {1, 1, 3}};

}  // namespace

bool QORWell::ResolveMatches() {
  if (IsRace()) return false;
  // The list keeps its room from pass to pass.
  pass_.fives = pass_.fours = pass_.threes = 0;
  pass_.runs.clear();
  // Every window reads the cells' colours, which stay as they are until the
  // pass has counted: each is worked out once.
  passColours_.resize(static_cast<size_t>(width_) * height_);
  for (int32_t x = 0; x < static_cast<int32_t>(width_); ++x) {
    for (int32_t y = 0; y < static_cast<int32_t>(height_); ++y) passColours_[GetCellIndex(x, y)] = RunColourAt(x, y);
  }
  // Counts the first window of the line through (x, y) that is full.
  auto countLine = [this](int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t color) {
    for (const Window& w : kWindows) {
      const int32_t count = CountColorInRect(x - w.back * dx, y - w.back * dy, x + w.ahead * dx, y + w.ahead * dy,
                                             color, &pass_.runs, w.length, passColours_.data());
      if (count != w.length) continue;
      ++(w.length == 5 ? pass_.fives : w.length == 4 ? pass_.fours : pass_.threes);
      return;
    }
  };
  for (int32_t x = 0; x < static_cast<int32_t>(width_); ++x) {
    for (int32_t y = 0; y < static_cast<int32_t>(height_); ++y) {
      const well::Block* block = GetBlock(x, y);
      if (!block) continue;
      countLine(x, y, 1, 0, block->GetColor());
      countLine(x, y, 0, 1, block->GetColor());
    }
  }
  const int32_t fives = pass_.fives, fours = pass_.fours, threes = pass_.threes;
  if (fives + fours + threes == 0) return true;

  idleHintTimer_.remaining = idleHintTimer_.period;
  ++comboCount_;
  for (const BlockRun& run : pass_.runs) {
    for (well::Block* block : run) {
      FeedBottlenecks(block);
      CheckForWalkers(block);
    }
  }

  const int32_t score = 5 * fives + 4 * fours + 3 * threes;
  int32_t clear = 0;  // block_clear_3
  if (score >= 8) {
    clear = 4;
  } else if (score >= 6) {
    clear = 3;
  } else if (fives > 0) {
    clear = 2;
  } else if (fours > 0) {
    clear = 1;
  }
  RaiseSoundCue(kCueBlockClear3 + clear);
  RaiseSoundCue(kCueBaseClear3 + std::min(comboCount_, 5) - 1);

  // A line of five earns power 1, once the start flash is over.
  if (fives > 0 && !startFlash_) HudAwardPower(pass_.runs.back().front()->GetScreenPosition() + scroll_, 0, false);

  int32_t clearedByColor[kColorCount] = {};
  for (const BlockRun& run : pass_.runs) {
    for (well::Block* block : run) {
      const well::Cell cell = block->GetCell();
      QORTile* tile = GetTile(cell.x, cell.y);
      if (!tile || tile->type == kTileVoid) continue;
      tile->hit = 1;
      tile->crackVariant = std::rand() % 3 + 1;
      // A cracked tile breaks through to gold.
      if (tile->hit + tile->type == kTileGold) ++tilesBroken_;
      static const well::Cell kTorn[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}};
      for (const well::Cell& offset : kTorn) {
        if (QORTile* web = GetTile(cell.x + offset.x, cell.y + offset.y)) web->webbed = 0;
      }
      block->SetDestroyed();
      if (block->GetColor() >= 0 && block->GetColor() < kColorCount) ++clearedByColor[block->GetColor()];
    }
  }

  if (!IsEditing()) {
    int32_t mx = 0, my = 0;
    if (GetMummyCell(mx, my)) {
      for (const BlockRun& run : pass_.runs) {
        const bool near = std::any_of(run.begin(), run.end(), [mx, my](const well::Block* block) {
          const well::Cell cell = block->GetCell();
          return std::abs(cell.x - mx) <= kMummyReach && std::abs(cell.y - my) <= kMummyReach;
        });
        if (!near) continue;
        HitMummy();
        ++crittersKilled_;
      }
    }
    AddHudMatchStats(clearedByColor, score);
  }

  ClearSelection();
  hovered_ = nullptr;
  SetMoving();
  return true;
}

void QORWell::NoteBottle(well::Block* block, int32_t x, int32_t y) {
  if (GameScrollWell::GetBlock(x, y) != block || GetBlockType(block) != QORBlock::kBottle) return;
  bottles_.push_back({block, x, y});
  bottlesUnsorted_ = true;
}

void QORWell::PutBlock(well::Block* block, int32_t x, int32_t y) {
  GameScrollWell::PutBlock(block, x, y);
  NoteBottle(block, x, y);
}

void QORWell::OnBlockMoved(well::Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY) {
  GameScrollWell::OnBlockMoved(block, oldX, oldY, newX, newY);
  NoteBottle(block, newX, newY);
}

void QORWell::FeedBottlenecks(well::Block* cleared) {
  int32_t ex = 0, ey = 0;
  if (!GetExplorerCell(ex, ey)) return;
  if (bottlesUnsorted_) {
    auto index = [this](const BottleEntry& e) { return GetCellIndex(e.x, e.y); };
    std::stable_sort(bottles_.begin(), bottles_.end(),
                     [&](const BottleEntry& a, const BottleEntry& b) { return index(a) < index(b); });
    bottles_.erase(std::unique(bottles_.begin(), bottles_.end(),
                               [](const BottleEntry& a, const BottleEntry& b) {
                                 return a.block == b.block && a.x == b.x && a.y == b.y;
                               }),
                   bottles_.end());
    bottlesUnsorted_ = false;
  }
  // An entry's block is looked at only while its cell still holds it: gone
  // from there, it may have been deleted.
  bottles_.erase(std::remove_if(bottles_.begin(), bottles_.end(),
                                [this](const BottleEntry& e) { return GameScrollWell::GetBlock(e.x, e.y) != e.block; }),
                 bottles_.end());
  QORWellSFX* effects = GetGameEffects();
  for (const BottleEntry& entry : bottles_) {
    well::Block* block = entry.block;
    if (block->GetColor() != cleared->GetColor() || GetBlockType(block) != QORBlock::kBottle) continue;
    const well::Cell cell = block->GetCell();
    if (std::hypot(static_cast<float>(ex - cell.x), static_cast<float>(ey - cell.y)) >= kBottleReach) continue;
    static_cast<QORBottleneckBlock*>(block)->Feed(1);
    if (CoinSFX* flight = effects ? effects->GetSparkleCoins() : nullptr) {
      flight->Launch(0, block->GetScreenPosition() + scroll_, cleared->GetScreenPosition() + scroll_,
                     kBottleFlightSeconds, 0.0f);
    }
  }
}

void QORWell::CheckForWalkers(well::Block* cleared) {
  const well::Cell cell = cleared->GetCell();
  QORWellSFX* effects = GetGameEffects();
  well::Part2DSFXSet* burn = effects ? effects->GetParticleSet(QORWellSFX::kBurn) : nullptr;
  auto burnAt = [&](const QORWalker* walker) {
    if (burn) burn->TriggerCount(kBurnStrength, GetWalkerScreenPosition(walker) + cellSize_ * 0.5f + scroll_);
  };
  for (auto it = walkers_.begin(); it != walkers_.end(); ++it) {
    int32_t x = 0, y = 0;
    if (!GetWalkerCell(*it, x, y) || std::abs(x - cell.x) + std::abs(y - cell.y) >= 2) continue;
    if (CanWalkerBeKilled(*it)) {
      // At most one walker dies by each cleared block.
      burnAt(*it);
      ++crittersKilled_;
      RemoveWalker(it);
      return;
    }
    if (GetWalkerType(*it) == kRivalType) {
      StunWalker(*it, kRivalStunSeconds);
      burnAt(*it);
    }
  }
}

void QORWell::HudAwardPower(const math::Vec2& boardPosition, int32_t index, bool popup) {
  if (hud_) hud_->AwardPower(boardPosition, index, popup);
}

void QORWell::AddHudMatchStats(const int32_t clearedByColor[kColorCount], int32_t score) {
  if (!hud_) return;
  for (int32_t color = 0; color < kColorCount; ++color) {
    for (int32_t n = 0; n < clearedByColor[color]; ++n) hud_->AddClearedBlock(color);
  }
  hud_->AddPassScore(score);
}

void QORWell::HitMummy() {
  math::Vec2 position;
  if (!GetMummyScreenPosition(position)) return;
  QORWellSFX* effects = GetGameEffects();
  if (well::Part2DSFXSet* sparks = effects ? effects->GetParticleSet(QORWellSFX::kTokenStart) : nullptr)
    sparks->TriggerCount(kMummyHitStrength, position + cellSize_ * 0.5f + scroll_);
  mummy_->Banish();
}
