#include "board/walkers/qor_shady.h"

#include <cstdlib>

#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "core/log.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

// The first-time hint of his attack.
constexpr int32_t kAttackHint = 73;
constexpr float kBurnParticles = 100.0f;

int32_t Distance(const well::Cell& a, const well::Cell& b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y); }

}  // namespace

QORShadyPath::QORShadyPath(QORBoardView* board) : well::WellPath(board), board_(board) {}

int32_t QORShadyPath::GetCellCost(int32_t x, int32_t y) {
  const QORTile* tile = board_->GetTile(x, y);
  return tile && tile->type != kTileVoid ? kWalkableCost : 0;
}

QORShady::QORShady(QORBoardView* board) : QORWalker(board, nullptr), path_(std::make_unique<QORShadyPath>(board)) {
  path_->Create();
  well::Cell goal;
  if (GetExitGoal(goal)) {
    path_->FloodFill(goal.x, goal.y);
  } else {
    LOG_LINE(MSG_WARNING, "Unable to find the exit point!");
  }
  SetPace(kFirstStep);
  ShowImage("Shady_Idle");
}

QORShady::~QORShady() = default;

bool QORShady::GetExitGoal(well::Cell& goal) const {
  const well::Block* exit = board_ ? board_->GetExit() : nullptr;
  if (!exit) return false;
  goal = exit->GetCell();
  ++goal.y;
  return true;
}

void QORShady::Tick(float dt) {
  QORWalker::Tick(dt);
  stunTimer_.Tick(dt);
}

void QORShady::Stun(float seconds) { stunTimer_ = CountdownTimer(seconds, seconds); }

void QORShady::Think() {
  well::Cell goal, explorer;
  if (!GetExitGoal(goal) || !board_->GetExplorerCell(explorer.x, explorer.y)) return;
  Arrive();
  if (cell_ == goal) board_->LooseGame();
  path_->BuildPath(cell_.x, cell_.y, goal.x, goal.y);
  if (!path_->PopNextStep(target_.x, target_.y)) target_ = cell_;

  const char* direction = "left";
  if (target_.x > cell_.x) direction = "Right";
  else if (target_.y < cell_.y) direction = "Up";
  else if (target_.y > cell_.y) direction = "Down";
  if (IsStunned()) {
    target_ = cell_;
    ShowImage("Shady_Idle");
  } else {
    ShowImage(std::string("Shady_Walk_") + direction);
  }
  if (explorer == cell_) TryAttack();

  const well::Cell exitCell = board_->GetExit()->GetCell();
  SetPace(PaceFor(Distance(cell_, exitCell), Distance(explorer, exitCell)));
}

float QORShady::PaceFor(int32_t shadyDistance, int32_t explorerDistance) {
  if (explorerDistance == 0) return 1.0f;
  const float ahead = static_cast<float>(shadyDistance) / static_cast<float>(explorerDistance) * 100.0f;
  if (ahead < 50.0f) return 4.0f;
  if (ahead < 75.0f) return 3.0f;
  if (ahead < 125.0f) return 2.0f;
  return 1.0f;
}

bool QORShady::TryAttack() {
  well::Cell explorer;
  if (!board_->GetExplorerCell(explorer.x, explorer.y) || explorer != cell_) return false;
  board_->RestoreCrackedTiles();
  const math::Vec2 cell = GetCellSize();
  if (QORWellSFX* effects = board_->GetGameEffects()) {
    if (well::Part2DSFXSet* burn = effects->GetParticleSet(QORWellSFX::kBurn))
      burn->TriggerCount(kBurnParticles, GetScreenPosition() + cell * 0.5f + board_->GetScroll());
  }
  const math::Vec2 at = GetSpritePosition();
  board_->TriggerHint(kAttackHint, at, at + cell);
  return true;
}
