#include "board/walkers/qor_spider.h"

#include <cstdlib>

#include "board/qor_board_view.h"

namespace {

// Of 15, the chances of spinning a web on gold and on other floor.
constexpr int kWebChances = 15;
constexpr int kGoldWebs = 5;
constexpr int kOtherWebs = 1;
// Tries at finding an open direction, turning a quarter each time.
constexpr int kTurnTries = 6;

bool IsWebbable(const QORTile* tile) { return tile && tile->type != kTileVoid && tile->type != kTileBare; }

}  // namespace

QORSpider::QORSpider(QORBoardView* board, QORNest* nest) : QORWalker(board, nest) {
  webSprite_.Setup("spiderweb", math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  ShowImage("spider_down");
}

void QORSpider::Tick(float dt) {
  QORWalker::Tick(dt);
  webSprite_.Tick(dt);
}

void QORSpider::Think() {
  const well::Cell from = cell_;
  Arrive();
  int32_t dx = cell_.x - from.x;
  int32_t dy = cell_.y - from.y;
  lastDx_ = dx;
  if (webPending_) LandWeb();
  if (TryAttack()) return;
  if (WantsToWeb()) {
    SpinWeb(cell_.x, cell_.y);
    stepTimer_.remaining = kSpinSeconds;
    return;
  }
  stepTimer_.remaining = kPace;
  if (dx == 0 && dy == 0) dy = 1;
  for (int tries = 0; !CanEnter(cell_.x + dx, cell_.y + dy); ++tries) {
    if (tries + 1 >= kTurnTries) return;  // boxed in: it stays
    const int32_t old = dx;
    if (turnSense_ == 1) {
      dx = dy;
      dy = -old;
    } else {
      dx = -dy;
      dy = old;
    }
  }
  target_ = well::Cell{cell_.x + dx, cell_.y + dy};
  const char* image = "spider_up";
  if (dx < 0) image = "spider_left";
  if (dx > 0) image = "spider_right";
  if (dy > 0) image = "spider_down";
  ShowImage(image);
}

void QORSpider::LandWeb() {
  webPending_ = 0;
  QORTile* tile = TileAt(webCell_.x, webCell_.y);
  if (!IsWebbable(tile)) return;
  tile->webbed = 1;
  if (tile->type == kTileGold) {
    tile->type = kTileCracked;
    board_->RefreshTile(*tile);
  }
}

bool QORSpider::CanEnter(int32_t x, int32_t y) const {
  const QORTile* tile = TileAt(x, y);
  return HasToken(x, y) && IsWebbable(tile);
}

bool QORSpider::WantsToWeb() const {
  const QORTile* tile = TileAt(cell_.x, cell_.y);
  if (!IsWebbable(tile) || tile->webbed) return false;
  return std::rand() % kWebChances < (tile->type == kTileGold ? kGoldWebs : kOtherWebs);
}

void QORSpider::SpinWeb(int32_t x, int32_t y) {
  ShowImage(lastDx_ == -1 ? "spider_spin_left" : "spider_spin_right");
  webCell_ = well::Cell{x, y};
  webPending_ = 1;
  PlaySet("SPIDER_STRIKE");
}

bool QORSpider::TryAttack() {
  int32_t ex = 0, ey = 0;
  if (attacked_ || !board_->GetExplorerCell(ex, ey)) return false;
  const bool beside = ey == cell_.y && std::abs(ex - cell_.x) == 1;
  const QORTile* tile = TileAt(ex, ey);
  const bool aboveOrBelow = ex == cell_.x && std::abs(ey - cell_.y) == 1 && !(tile && tile->webbed);
  if (!beside && !aboveOrBelow) return false;
  SpinWeb(ex, ey);
  board_->SetExplorerIdle();
  stepTimer_.remaining = kAttackSeconds;
  attacked_ = 1;
  return true;
}

void QORSpider::Draw() {
  if (webPending_ && board_) {
    webSprite_.SetRect(board_->CellToScreen(webCell_.x, webCell_.y), GetCellSize(), 0.0f, 0,
                       ColourAt(stepTimer_.GetProgress()));
    webSprite_.Render();
  }
  QORWalker::Draw();
}
