#include "board/explorer/qor_explorer.h"

#include <algorithm>

#include "board/blocks/qor_block.h"
#include "board/effects/qor_well_sfx.h"
#include "board/explorer/qor_goal_map.h"
#include "board/explorer/qor_pathfind.h"
#include "board/qor_board_view.h"
#include "well/effects/part2d_sfx_set.h"

QORExplorer::QORExplorer(QORBoardView* board) : board_(board) {
  sprite_.Setup("Explorer_Idle", math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  StepTowards(1, 1);
}

QORExplorer::~QORExplorer() = default;

void QORExplorer::InitVariables() {
  route_ = std::make_unique<QORPathFind>(this);
  route_->Create();
}

void QORExplorer::PlaceAt(int32_t x, int32_t y) {
  cell_ = target_ = well::Cell{x, y};
  drawOffset_ = math::Vec2(0.0f, 0.0f);
}

void QORExplorer::SetGoal(int32_t x, int32_t y) {
  if (!route_ || !board_) return;
  const bool standing = target_ == cell_;
  route_->ResetCosts();
  route_->FloodFill(x, y);
  route_->BuildPath(target_.x, target_.y, x, y);
  goal_ = well::Cell{x, y};

  if (QORWellSFX* effects = board_->GetGameEffects()) {
    if (well::Part2DSFXSet* marker = effects->GetParticleSet(QORWellSFX::kSelected)) {
      well::Block* block = board_->GetBlock(x, y);
      const math::Vec2 size = block ? board_->CellsToSize(block->GetWidth(), block->GetHeight())
                                    : board_->CellsToSize(1, 1);
      marker->TriggerCount(kGoalBurst, board_->CellToScreen(x, y) + size * 0.5f + board_->GetScroll());
    }
  }
  if (standing) OnArrive();
}

void QORExplorer::RebuildPath() {
  QORGoalMap* goalMap = board_->GetGoalMap();
  if (!goalMap || !route_) return;
  route_->ResetCosts();
  goalMap->CheckTreasureFound();
  route_->BuildPath(target_.x, target_.y, route_->GetGoalX(), route_->GetGoalY());
}

void QORExplorer::KnockOut() {
  if (knockedOut_) return;
  knockedOut_ = 1;
  halted_ = 1;
  knockOutTimer_.remaining = knockOutTimer_.period;
  ShowAnimation("Explorer_Idle");
  target_ = cell_;
}

void QORExplorer::SetIdle() {
  halted_ = 1;
  target_ = cell_;
  ShowAnimation("Explorer_Idle");
  stepTimer_.remaining = stepTimer_.period;
}

void QORExplorer::PlayPowerAnimation() {
  target_ = cell_;
  stepTimer_.remaining = stepTimer_.period;
  ShowAnimation("explorer_power_left");
}

void QORExplorer::StepTowards(int32_t x, int32_t y) {
  x = std::max(x, 0);
  y = std::max(y, 0);
  drawOffset_ = math::Vec2(0.0f, 0.0f);
  target_ = well::Cell{x, y};
  float seconds = kSideStep;
  if (y > cell_.y) {
    seconds = kVerticalStep;
    ShowAnimation("Explorer_Walk_down");
    target_ = well::Cell{x, cell_.y + 1};
  } else if (y < cell_.y) {
    seconds = kVerticalStep;
    ShowAnimation("Explorer_Walk_up");
    target_ = well::Cell{x, cell_.y - 1};
  } else if (x < cell_.x) {
    ShowAnimation("Explorer_Walk_left");
    target_.x = cell_.x - 1;
  } else if (x > cell_.x) {
    ShowAnimation("Explorer_Walk_right");
    target_.x = cell_.x + 1;
  } else {
    ShowAnimation("Explorer_Idle");
  }
  stepTimer_.period = stepTimer_.remaining = seconds;
}

bool QORExplorer::IsOnExit() const {
  const well::Block* exit = board_->GetExit();
  if (!exit) return false;
  const well::Cell at = exit->GetCell();
  return (cell_.x == at.x || cell_.x == at.x + 1) && (cell_.y == at.y || cell_.y == at.y + 1);
}

void QORExplorer::OnArrive() {
  cell_ = target_;
  drawOffset_ = math::Vec2(0.0f, 0.0f);
  if (QORGoalMap* goalMap = board_->GetGoalMap()) goalMap->CheckTreasureFound();
  if (knockedOut_) return;

  const QORTile* tile = board_->GetTile(cell_.x, cell_.y);
  if (tile && tile->webbed) {
    // The web holds him; he tries again after a step period.
    stepTimer_.remaining = stepTimer_.period;
    ShowAnimation("Explorer_Idle");
    return;
  }
  well::Block* here = board_->GetBlock(cell_.x, cell_.y);
  if (here && board_->GetBlockType(here) == QORBlock::kRock) here->SetDestroyed();
  halted_ = 0;
  board_->NotifyWalkersNearExplorer();

  // A web spun on him, the mummy's spell or a sting ends his walk here.
  if (route_ && !halted_) {
    if (route_->IsEmpty()) RebuildPath();
    int32_t x = 0, y = 0;
    if (!route_->PopNextStep(x, y)) {
      StepTowards(cell_.x, cell_.y);
      ShowAnimation("Explorer_Idle");
    } else {
      well::Block* next = board_->GetBlock(x, y);
      if (next && board_->GetBlockType(next) == QORBlock::kRock) {
        RebuildPath();
        StepTowards(cell_.x, cell_.y);
      } else {
        StepTowards(x, y);
      }
    }
  }
  if (IsOnExit()) {
    board_->WinGame();
    board_->OpenExit();
  }
}

void QORExplorer::Tick(float dt) {
  sprite_.Tick(dt);
  if (!stepTimer_.IsExpired()) {
    stepTimer_.Tick(dt);
    if (stepTimer_.IsExpired()) OnArrive();
  }
  if (knockedOut_) {
    knockOutTimer_.Tick(dt);
    if (knockOutTimer_.IsExpired()) {
      knockedOut_ = 0;
      if (const well::Block* entrance = board_->GetEntrance()) {
        const well::Cell at = entrance->GetCell();
        PlaceAt(at.x, at.y + 1);
      }
      board_->RestoreCrackedTiles();
      SetGoal(goal_.x, goal_.y);
    }
  }
  if (route_) route_->TickDisplay(dt);
}

math::Vec2 QORExplorer::Interpolate(const math::Vec2& from, const math::Vec2& to) const {
  if (stepTimer_.IsExpired()) return from;
  return from + (to - from) * stepTimer_.GetProgress();
}

math::Vec2 QORExplorer::GetScreenPosition() const {
  return Interpolate(board_->CellToScreen(cell_.x, cell_.y) + drawOffset_,
                     board_->CellToScreen(target_.x, target_.y));
}

math::Vec2 QORExplorer::BoardPositionOf(const well::Cell& cell) const {
  const math::Vec2& size = board_->GetCellSize();
  return math::Vec2(static_cast<float>(cell.x) * size.x, static_cast<float>(cell.y) * size.y) +
         board_->GetOrigin();
}

math::Vec2 QORExplorer::GetBoardPosition() const {
  return Interpolate(BoardPositionOf(cell_) + drawOffset_, BoardPositionOf(target_));
}

math::Vec2 QORExplorer::GetSpritePosition() const {
  const math::Vec2& cell = board_->GetCellSize();
  return GetScreenPosition() + math::Vec2((cell.x - kSpriteWidth) * 0.5f, cell.y - kSpriteHeight);
}

void QORExplorer::Draw() {
  if (route_) route_->DrawPath();
  const uint32_t alpha = static_cast<uint32_t>(alpha_ * 255.0f) << 24;
  sprite_.SetRect(GetSpritePosition(), math::Vec2(kSpriteWidth, kSpriteHeight), 0.0f, 0, alpha | 0x00FFFFFFu);
  sprite_.Render();
}
