#include "board/walkers/qor_scorpion.h"

#include <cmath>
#include <cstdlib>

#include "board/qor_board_view.h"

namespace {

// The turning jump: its height, over the first half of the step.
constexpr float kJumpHeight = 0.026666667f;
constexpr float kJumpFactor = 6.282f;

}  // namespace

QORScorpion::QORScorpion(QORBoardView* board, QORNest* nest) : QORWalker(board, nest) {
  SetPace(kPace);
  ShowImage("scorpion_walk_left");
}

void QORScorpion::Tick(float dt) {
  attackClock_ += dt;
  QORWalker::Tick(dt);
}

void QORScorpion::Think() {
  Arrive();
  stepTimer_.remaining = kPace;
  if (TryAttack()) return;
  --stepsLeft_;
  if (stepsLeft_ >= 0 && CanEnter(cell_.x + dx_, cell_.y + dy_)) {
    target_ = well::Cell{cell_.x + dx_, cell_.y + dy_};
    turning_ = 0;
    ShowImage("scorpion_walk" + Suffix(dx_, dy_));
    return;
  }
  ChooseWalk();
}

void QORScorpion::ChooseWalk() {
  static const well::Cell kDirections[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  stepsLeft_ = std::rand() % 4 + 2;
  dx_ = dy_ = 0;
  for (int attempt = 0; attempt < 10; ++attempt) {
    const well::Cell& d = kDirections[std::rand() % 4];
    if (CanEnter(cell_.x + d.x, cell_.y + d.y)) {
      dx_ = d.x;
      dy_ = d.y;
      break;
    }
  }
  turning_ = 1;
}

std::string QORScorpion::Suffix(int32_t dx, int32_t dy) {
  if (dy > 0) return "_down";
  if (dx < 0) return "_left";
  if (dx > 0) return "_right";
  return "_up";
}

bool QORScorpion::CanEnter(int32_t x, int32_t y) const {
  if (!HasToken(x, y)) return false;
  const QORTile* tile = TileAt(x, y);
  if (!tile || tile->type == kTileVoid || tile->type == kTileBare) return false;
  int32_t tx = 0, ty = 0;
  if (IsExplorerAt(x, y) || (board_->GetExplorerTargetCell(tx, ty) && tx == x && ty == y)) return false;
  return board_->FindWalkerAt(x, y) == nullptr;
}

bool QORScorpion::TryAttack() {
  int32_t ex = 0, ey = 0;
  if (attackClock_ < kFirstSting || !board_->GetExplorerCell(ex, ey)) return false;
  const char* image = nullptr;
  if (ey == cell_.y && ex == cell_.x - 1) image = "scorpion_attack_left";
  else if (ey == cell_.y && ex == cell_.x + 1) image = "scorpion_attack_right";
  else if (ex == cell_.x && ey == cell_.y - 1) image = "scorpion_attack_up";
  else if (ex == cell_.x && ey == cell_.y + 1) image = "scorpion_attack_down";
  if (!image) return false;
  ShowImage(image);
  board_->KnockOutExplorer();
  PlaySet("scorpian_strike");
  return true;
}

math::Vec2 QORScorpion::GetDrawOffset() const {
  const float t = stepTimer_.GetProgress();
  if (!turning_ || t >= 0.5f) return math::Vec2(0.0f, 0.0f);
  return math::Vec2(0.0f, -std::sin(t * kJumpFactor) * kJumpHeight);
}
