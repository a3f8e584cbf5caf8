#include "board/explorer/qor_goal_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/audio.h"
#include "board/blocks/qor_block.h"
#include "board/effects/qor_well_sfx.h"
#include "board/explorer/qor_explorer.h"
#include "board/game_variables.h"
#include "board/qor_board_view.h"
#include "core/math/random.h"
#include "render/device/graphics.h"
#include "render/sprites/quad_builders.h"
#include "render/sprites/sprite_set.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

constexpr float kSparkleCost = 1.0f / QORGoalMap::kSparklesPerSecond;
// Powers 3, 8 and 9 come only after the mummy, a spider or a rock was met.
struct PowerGate {
  int32_t power;     // index 0 to 8
  int32_t variable;  // the first-met hint flag
};
constexpr PowerGate kPowerGates[] = {{2, 54}, {7, 55}, {8, 62}};

void SetupWhole(ui::UISprite& sprite, const char* name) {
  sprite.Setup(name, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
}

}  // namespace

QORGoalMap::QORGoalMap(QORBoardView* board) : board_(board), floorQuads_(kQuadsPerDraw) {}

QORGoalMap::~QORGoalMap() = default;

int32_t QORGoalMap::GetFloor(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return floor_[static_cast<size_t>(x) + static_cast<size_t>(y) * width_];
}

void QORGoalMap::Init() {
  goals_.clear();
  exitGoal_ = 0;
  width_ = static_cast<int32_t>(board_->GetWidth());
  height_ = static_cast<int32_t>(board_->GetHeight());
  maxX_ = maxY_ = 0;
  minX_ = width_;
  minY_ = height_;
  floor_.assign(static_cast<size_t>(width_) * height_, -1);
  floorBuilt_ = 0;
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = 0; y < height_; ++y) {
      const QORTile* tile = board_->GetTile(x, y);
      if (!tile || tile->type < kTileMetal) continue;
      floor_[static_cast<size_t>(x) + static_cast<size_t>(y) * width_] = 1;
      minX_ = std::min(minX_, x);
      minY_ = std::min(minY_, y);
      maxX_ = std::max(maxX_, x);
      maxY_ = std::max(maxY_, y);
    }
  }
  floorSprite_.LoadImage("Tile_Flip_Crack");

  for (const well::Block* milestone : board_->GetMilestones()) {
    goals_.emplace_back();
    QORGoal& goal = goals_.back();
    goal.x = milestone->GetCell().x;
    goal.y = milestone->GetCell().y;
    SetupWhole(goal.sprite, "subgoal_token");
  }
  treasureTotal_ = static_cast<int32_t>(goals_.size());
  treasuresFound_ = 0;
  well::Block* exit = board_->GetExit();
  if (exit) {
    goals_.emplace_back();
    QORGoal& goal = goals_.back();
    goal.x = exit->GetCell().x;
    goal.y = exit->GetCell().y + 1;
    SetupWhole(goal.sprite, "Tomb_Closed");
    exitGoal_ = 1;
  }

  SetupWhole(explorerIcon_, "Explorer_Idle");
  SetupWhole(rivalIcon_, "Shady_walk_right");
  SetupWhole(entranceIcon_, "Tomb_Opened");
  SetupWhole(goalMarker_, "Selected_Goal");
  SetupWhole(targetIcon_, "target_icon");
  SetupWhole(spareSprite_, "ui_img/selected_map.png");
  targetIconSize_ = targetIcon_.size;

  if (exit && board_->GetBlockType(exit) < QORBlock::kInvisible) SetTarget(exit->GetCell().x, exit->GetCell().y);
}

bool QORGoalMap::HitTest(const math::Vec2& point) const {
  return point.x >= kPanelLeft && point.x <= kPanelRight && point.y >= kPanelTop && point.y <= kPanelBottom;
}

bool QORGoalMap::OnClick(const math::Vec2& point) {
  if (!HitTest(point) || !open_ || !board_) return false;
  for (const QORGoal& goal : goals_) {
    const math::Vec2& at = goal.sprite.position;
    const math::Vec2& size = goal.sprite.size;
    if (point.x >= at.x && point.y >= at.y && point.x < at.x + size.x && point.y < at.y + size.y) {
      SetTarget(goal.x, goal.y);
      ++clicks_;
      return true;
    }
  }
  // The cell drawn under the pointer.
  const float column = std::floor((point.x - origin_.x) / kMiniCellWidth);
  const float row = std::floor((point.y - origin_.y) / kMiniCellHeight);
  if (!(std::fabs(column) < 1e6f && std::fabs(row) < 1e6f)) return false;
  const int32_t x = static_cast<int32_t>(column) + minX_;
  const int32_t y = static_cast<int32_t>(row) + minY_;
  const QORTile* tile = board_->GetTile(x, y);
  if (!tile || tile->type < kTileMetal || tile->type > kTileGold) return false;
  SetTarget(x, y);
  ++clicks_;
  return true;
}

void QORGoalMap::SetTarget(int32_t x, int32_t y) {
  well::Block* block = board_->GetBlock(x, y);
  if (!block || board_->GetBlockType(block) == QORBlock::kInvisible) return;
  const well::Cell at = block->GetCell();
  targetX_ = at.x;
  targetY_ = at.y;
  targetSize_ = block->GetWidth();
  if (QORExplorer* explorer = board_->GetExplorer()) explorer->SetGoal(at.x, at.y + block->GetHeight() - 1);
  arrived_ = 0;
}

void QORGoalMap::SelectBlock(well::Block* block) {
  if (!block || board_->GetBlockType(block) >= QORBlock::kInvisible) return;
  SetTarget(block->GetCell().x, block->GetCell().y);
}

void QORGoalMap::SelectExit() {
  if (well::Block* exit = board_->GetExit()) SelectBlock(exit);
}

bool QORGoalMap::IsExplorerAtTarget() const {
  const QORExplorer* explorer = board_->GetExplorer();
  if (!explorer) return false;
  const well::Cell at = explorer->GetCell();
  return targetX_ <= at.x && at.x <= targetX_ + targetSize_ && targetY_ <= at.y && at.y <= targetY_ + targetSize_;
}

void QORGoalMap::Tick(float dt) {
  const bool atTarget = IsExplorerAtTarget();
  if (!atTarget) sparkleBudget_ += static_cast<float>(targetSize_ * targetSize_) * dt;
  QORWellSFX* effects = board_->GetGameEffects();
  if (atTarget && !arrived_) {
    if (well::ExplosionSFXSet* flash = effects ? effects->GetExplosionSet(QORWellSFX::kWhiteBurst) : nullptr) {
      const float cell = board_->GetCellSize().x;
      flash->Trigger(board_->GetExplorer()->GetScreenPosition() + board_->GetScroll() +
                         math::Vec2(cell * 0.5f, cell * 0.4f),
                     1.0f, 0.00625f, 0.3125f);
    }
    audio::GetAudio().PlaySound("block_select");
    arrived_ = 1;
  }
  SparkleTarget();

  for (QORGoal& goal : goals_) goal.sprite.Tick(dt);
  goalMarker_.Tick(dt);
  targetIcon_.Tick(dt);
  if (open_) {
    floorSprite_.Tick(dt);
    explorerIcon_.Tick(dt);
    rivalIcon_.Tick(dt);
  }
}

// Pays the budget off in particles scattered over the target's area; with
// nothing to emit them the budget is dropped, so it cannot pile up.
void QORGoalMap::SparkleTarget() {
  QORWellSFX* effects = board_->GetGameEffects();
  well::Part2DSFXSet* sparkles = effects ? effects->GetParticleSet(QORWellSFX::kSelectedHeld) : nullptr;
  while (sparkleBudget_ > kSparkleCost) {
    if (!sparkles) {
      sparkleBudget_ = -1.0f;
      break;
    }
    const math::Vec2 from = board_->CellToScreen(targetX_, targetY_);
    const math::Vec2 to = from + board_->CellsToSize(targetSize_, targetSize_);
    num::Random& random = num::GetRandom();
    const math::Vec2 at(random.Range(from.x, to.x), random.Range(from.y, to.y));
    sparkles->TriggerCount(1.0f, at + board_->GetScroll());
    sparkleBudget_ -= kSparkleCost;
  }
}

void QORGoalMap::PlaceTargetMarkers() {
  if (IsExplorerAtTarget() || targetSize_ != 1) return;
  const math::Vec2 size = board_->CellsToSize(2, 2);
  const math::Vec2 at = board_->CellToScreen(targetX_, targetY_) - size * 0.25f;
  DrawIcon(goalMarker_, at, size);
  DrawIcon(targetIcon_, at, size);
}

void QORGoalMap::DrawIcon(ui::UISprite& sprite, const math::Vec2& position, const math::Vec2& size) {
  sprite.SetRect(position, size, 0.0f, 0, 0xFFFFFFFFu);
  sprite.Render();
}

math::Vec2 QORGoalMap::IconPosition(int32_t x, int32_t y) const {
  return math::Vec2(origin_.x + static_cast<float>(x - minX_) * kMiniCellWidth - kMiniCellWidth,
                    origin_.y + static_cast<float>(y - minY_) * kMiniCellHeight - kMiniCellHeight);
}

void QORGoalMap::Draw() {
  if (!open_ || !board_) return;
  const math::Vec2 mini(kMiniCellWidth, kMiniCellHeight);
  origin_ = math::Vec2(((kPanelRight - kPanelLeft) - static_cast<float>(maxX_ - minX_) * kMiniCellWidth) * 0.5f +
                           kPanelLeft,
                       ((kPanelBottom - kPanelTop) - static_cast<float>(maxY_ - minY_) * kMiniCellHeight) * 0.5f +
                           kPanelTop);
  DrawFloor();

  const math::Vec2 icon(kIconWidth, kIconHeight);
  size_t index = 0;
  for (QORGoal& goal : goals_) {
    math::Vec2 at = IconPosition(goal.x, goal.y);
    // The exit tomb stands a mini-cell higher.
    if (++index == goals_.size() && exitGoal_) at.y -= kMiniCellHeight;
    DrawIcon(goal.sprite, at, icon);
    if (goal.x == targetX_ && goal.y == targetY_) DrawIcon(goalMarker_, at - mini, math::Vec2(0.03f, 0.04f));
  }
  if (const well::Block* entrance = board_->GetEntrance())
    DrawIcon(entranceIcon_, IconPosition(entrance->GetCell().x, entrance->GetCell().y), icon);

  const float half = static_cast<float>(targetSize_) * 0.5f;
  const math::Vec2 centre(origin_.x + (static_cast<float>(targetX_ - minX_) + half) * kMiniCellWidth,
                          origin_.y + (static_cast<float>(targetY_ - minY_) + half) * kMiniCellHeight);
  DrawIcon(targetIcon_, centre - targetIconSize_ * 0.5f, targetIconSize_);

  if (const QORExplorer* explorer = board_->GetExplorer()) {
    const well::Cell at = explorer->GetCell();
    DrawIcon(explorerIcon_, IconPosition(at.x, at.y) - mini, icon);
  }
  int32_t rx = 0, ry = 0;
  if (board_->GetShadyCell(rx, ry)) DrawIcon(rivalIcon_, IconPosition(rx, ry) - mini, icon);
}

void QORGoalMap::DrawFloor() {
  if (floor_.empty()) return;
  FloorLayout layout{origin_, floorSprite_.uv1, floorSprite_.uv2};
  if (const ui::SpriteSetEntry* entry = floorSprite_.GetEntry())
    entry->GetFrameUVsByIndex(0, layout.uvMin, layout.uvMax);
  if (!floorBuilt_ || !layout.Matches(floorLayout_)) BuildFloor(layout);
  floorQuads_.Draw(floorSprite_.GetImage());
}

bool QORGoalMap::FloorLayout::Matches(const FloorLayout& other) const {
  return origin.x == other.origin.x && origin.y == other.origin.y && uvMin.x == other.uvMin.x &&
         uvMin.y == other.uvMin.y && uvMax.x == other.uvMax.x && uvMax.y == other.uvMax.y;
}

void QORGoalMap::BuildFloor(const FloorLayout& layout) {
  const math::Vec2 mini(kMiniCellWidth, kMiniCellHeight);
  std::vector<Vertex2D>& quads = floorQuads_.Rebuild();
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = 0; y < height_; ++y) {
      if (GetFloor(x, y) != 1) continue;
      const math::Vec2 at(layout.origin.x + static_cast<float>(x - minX_) * kMiniCellWidth,
                          layout.origin.y + static_cast<float>(y - minY_) * kMiniCellHeight);
      // A large room's map reaches past the screen; what lies wholly off it
      // would draw nothing.
      if (at.x >= 1.0f + mini.x || at.y >= 1.0f + mini.y || at.x + mini.x <= -mini.x || at.y + mini.y <= -mini.y)
        continue;
      quads.resize(quads.size() + ui::UISprite::kQuadVertices);
      BuildRectQuad(&quads[quads.size() - ui::UISprite::kQuadVertices], at, mini, layout.uvMin, layout.uvMax,
                    0xFFFFFFFFu);
    }
  }
  floorLayout_ = layout;
  floorBuilt_ = 1;
}

void QORGoalMap::CheckTreasureFound() {
  const QORExplorer* explorer = board_->GetExplorer();
  if (!explorer || goals_.empty()) return;
  const well::Cell at = explorer->GetCell();
  // The exit, last when there is one, is never found.
  auto end = goals_.end();
  if (exitGoal_) --end;
  for (auto it = goals_.begin(); it != end;) {
    if (it->x <= at.x && at.x <= it->x + 1 && it->y <= at.y && at.y <= it->y + 1) {
      FindTreasure(*it);
      it = goals_.erase(it);
      ++treasuresFound_;
    } else {
      ++it;
    }
  }
}

int32_t QORGoalMap::TreasurePower(int32_t roll) {
  for (const PowerGate& gate : kPowerGates) {
    if (roll == gate.power && GetInt(gate.variable) != 1) return 0;
  }
  return roll;
}

void QORGoalMap::FindTreasure(const QORGoal& goal) {
  audio::GetAudio().PlaySound("FOUND_TREASURE");
  if (QORWellSFX* effects = board_->GetGameEffects()) effects->SparkleAt(board_->CellToScreen(goal.x, goal.y));
  well::Block* block = board_->GetBlock(goal.x, goal.y);
  if (!block || board_->GetBlockType(block) != QORBlock::kMilestone) return;
  board_->OpenMilestone(block);
  const int32_t power = TreasurePower(std::rand() % 9);
  const math::Vec2 centre = board_->CellToScreen(block->GetCell().x, block->GetCell().y) +
                            board_->CellsToSize(block->GetWidth(), block->GetHeight()) * 0.5f + board_->GetScroll();
  board_->AwardTreasure(centre, power);
}
