// The game board's blocks: every block comes from CreateBlock; new blocks
// enter at the spawn cells with colours that rarely complete a line on
// arrival; the mode decides when the board is filled.
#include <strings.h>

#include <algorithm>

#include "board/blocks/qor_block.h"
#include "board/blocks/qor_fixed_blocks.h"
#include "board/blocks/qor_well_mode.h"
#include "board/qor_well.h"
#include "board/walkers/qor_mummy.h"

namespace {

// Redraws of a new block's colour while it would line up with two of its own.
constexpr int kColourRedraws = 30;

// The game makes every block of its boards; a block of another kind (the
// board base's own, a stand-in) has no game type and no fixed state.
const QORBlock* AsGameBlock(const well::Block* block) { return dynamic_cast<const QORBlock*>(block); }

}  // namespace

well::Block* QORWell::CreateBlock(const std::string& typeName, const std::string& colorName, int32_t x, int32_t y,
                                  int32_t width, int32_t height) {
  OnBeforeChange();
  if (x >= 0 && !IsAreaFree(x, y, width, height)) return nullptr;
  const int32_t color = well::NameToColor(colorName);
  if (!IsEditing() && strcasecmp(typeName.c_str(), QORBlock::TypeName(QORBlock::kRandom)) == 0) {
    auto* block = static_cast<QORBlock*>(SpawnRandomBlockAt(x, y));
    if (block) block->SetRandom(true);
    return block;
  }
  QORBlock* block = QORBlock::FromName(typeName, this);
  if (!block) return nullptr;
  // A block larger than the file says must not lie over blocks already there.
  if (x >= 0 && !IsAreaFree(x, y, std::max(width, block->GetWidth()), std::max(height, block->GetHeight()))) {
    delete block;
    return nullptr;
  }
  block->SetColor(color);
  block->SetState(well::kStateStand);
  block->Init();
  block->SetCell(x, y);
  block->SetRandom(false);
  // The flag tells that the level holds a nest; no other block clears it.
  if (block->GetType() >= QORBlock::kMummyNest && block->GetType() <= QORBlock::kLocustNest) nestFlag_ = 1;
  SetMoving();
  return block;
}

well::Block* QORWell::SpawnRandomBlockAt(int32_t x, int32_t y) {
  // The cross two cells each way is read once for every redraw; the middle
  // of each line is the cell itself.
  int32_t row[5], column[5];
  for (int32_t k = 0; k < 5; ++k) {
    row[k] = RunColourAt(x + k - 2, y);
    column[k] = RunColourAt(x, y + k - 2);
  }
  auto linesUp = [&](int32_t color) {
    auto twoOf = [color](const int32_t* cells) {
      return (cells[0] == color) + (cells[1] == color) + (cells[2] == color) >= 2;
    };
    return color != well::kColorNone && (twoOf(row) || twoOf(row + 2) || twoOf(column) || twoOf(column + 2));
  };
  auto color = static_cast<int32_t>(colorWeights_.Pick());
  for (int redraw = 0; redraw < kColourRedraws && linesUp(color); ++redraw)
    color = static_cast<int32_t>(colorWeights_.Pick());
  const auto type = static_cast<int32_t>(typeWeights_.Pick());
  return CreateBlock(QORBlock::TypeName(type), well::ColorToName(color), x, y, 1, 1);
}

well::Block* QORWell::SpawnRandomBlock(int32_t x, int32_t y, float delay) {
  OnBeforeChange();
  if (!IsInside(x, y)) return nullptr;
  well::Block* block = SpawnRandomBlockAt(x, y);
  if (block) PlaceBlock(block, x, y, delay);
  return block;
}

void QORWell::Refill() {
  for (const auto& [x, y] : spawnCells_)
    if (!GetBlock(x, y)) SpawnRandomBlock(x, y, -1.0f);
}

void QORWell::BuildSpawnCells() {
  spawnCells_.clear();
  // Blocks that never fall: nothing drops from them into the cell below.
  auto holdsBack = [this](const well::Block* block) {
    const int32_t type = GetBlockType(block);
    return type == QORBlock::kEntrance || type == QORBlock::kExit || type == QORBlock::kMilestone ||
           type >= QORBlock::kMummyNest;
  };
  auto tileType = [this](int32_t x, int32_t y) {
    const QORTile* tile = GetTile(x, y);
    return tile ? tile->type : kTileVoid;
  };
  for (int32_t x = 0; x < static_cast<int32_t>(width_); ++x) {
    for (int32_t y = 0; y < static_cast<int32_t>(height_); ++y) {
      const int32_t type = tileType(x, y);
      if (type < kTileMetal || type == kTileEditOnly) continue;
      const int32_t above = y > 0 ? tileType(x, y - 1) : kTileVoid;
      const well::Block* over = y > 0 ? GetBlock(x, y - 1) : nullptr;
      if (y == 0 || above == kTileVoid || above == kTileEditOnly || (over && holdsBack(over)))
        spawnCells_.emplace_back(x, y);
    }
  }
  InitExplorerVariables();
}

int32_t QORWell::CountColorInRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color,
                                  std::vector<BlockRun>* runs, int32_t minimum, const int32_t* runColours) {
  if (color == well::kColorNone) return 0;
  const int32_t left = std::max(std::min(x1, x2), 0);
  const int32_t top = std::max(std::min(y1, y2), 0);
  const int32_t right = std::min(std::max(x1, x2), static_cast<int32_t>(width_) - 1);
  const int32_t bottom = std::min(std::max(y1, y2), static_cast<int32_t>(height_) - 1);
  int32_t count = 0;
  for (int32_t x = left; x <= right; ++x) {
    for (int32_t y = top; y <= bottom; ++y)
      count += (runColours ? runColours[GetCellIndex(x, y)] : RunColourAt(x, y)) == color;
  }
  if (runs && count >= std::max(minimum, 3)) {
    BlockRun& run = runs->emplace_back();
    run.reserve(static_cast<size_t>(right - left + 1) * (bottom - top + 1));
    for (int32_t x = left; x <= right; ++x) {
      for (int32_t y = top; y <= bottom; ++y) {
        well::Block* block = GetBlock(x, y);
        if (block && block->GetColor() == color) run.push_back(block);
      }
    }
  }
  return count;
}

int32_t QORWell::RunColourAt(int32_t x, int32_t y) {
  const well::Block* block = GetBlock(x, y);
  const QORBlock* gameBlock = AsGameBlock(block);
  return block && !(gameBlock && gameBlock->IsFixedState()) ? block->GetColor() : well::kColorNone;
}

int32_t QORWell::GetBlockType(const well::Block* block) const {
  const QORBlock* gameBlock = AsGameBlock(block);
  return gameBlock ? gameBlock->GetType() : -1;
}

int32_t QORWell::GetMilestoneIndex(const well::Block* block) const {
  if (GetBlockType(block) != QORBlock::kMilestone) return 0;
  return static_cast<const QORMilestoneBlock*>(block)->GetIndex();
}

// --- The mode, and the objects of a level in play deleted with the board.

void QORWell::DeleteLevelObjects() {
  delete mode_;
  mode_ = nullptr;
  delete mummy_;
  mummy_ = nullptr;
}

void QORWell::StartMode() {
  delete mode_;
  mode_ = QORWellMode::GetMode(IsRace() ? "track" : "arcade", this).release();
  if (!IsEditing()) mode_->OnLevelLoaded();
}

