#include "board/walkers/qor_flyer.h"

#include <cmath>

#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "core/math/random.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

constexpr float kMinRest = 1.5f;
constexpr float kMaxRest = 3.0f;
constexpr float kTurnRate = 720.0f;  // degrees a second
constexpr float kTrailInterval = 0.1f;
constexpr float kTrailSeconds = 1.3f;
constexpr float kTrailWidth = 0.0075f;
// The hop over a flight; the factor is kept as the game always had it.
constexpr float kHopFactor = 3.141f;
constexpr float kDegreesPerRadian = 57.2957f;
// Candidates lie within this many cells each way.
constexpr uint32_t kReach = 3;
constexpr int kCandidates = 10;
constexpr float kStrikeDust = 10.0f;

const QORFlyer::Kind kScarabKind{"Scarab_fly_Yellow", "scarab strike", "img/scarab_trail.png", true, 0.016666668f};
const QORFlyer::Kind kLocustKind{"locust_fly", "LOCUST_STRIKE", "img/locust_trail.png", false, 0.05f};

}  // namespace

QORFlyer::QORFlyer(QORBoardView* board, QORNest* nest, const Kind& kind) : QORWalker(board, nest), kind_(kind) {
  const float rest = num::GetRandom().Range(kMinRest, kMaxRest);
  restTimer_ = CountdownTimer(rest, rest);
  heading_.rate = kTurnRate;
  trail_.Init(kTrailInterval, kTrailSeconds);
  trail_.SetWidth(kTrailWidth);
  trail_.SetAdditive(kind.additiveTrail);
  trail_.LoadTexture(kind.trailTexture);
  stepTimer_.remaining = kFirstThink;
  ShowImage(kind.image);
}

void QORFlyer::Tick(float dt) {
  if (restTimer_.IsExpired()) {
    QORWalker::Tick(dt);
  } else {
    restTimer_.Tick(dt);
    if (restTimer_.IsExpired()) PickTarget();
  }
  heading_.Update(dt);
  trail_.Tick(dt);
}

void QORFlyer::Think() {
  Arrive();
  if (!Strike(TileAt(cell_.x, cell_.y))) {
    PickTarget();
    return;
  }
  PlayStrikeEffects();
  restTimer_.remaining = restTimer_.period;
  PlaySet(kind_.strikeSound);
  if (++strikes_ >= kStrikes) done_ = 1;
}

void QORFlyer::PlayStrikeEffects() {
  QORWellSFX* effects = board_->GetGameEffects();
  if (!effects) return;
  const math::Vec2 centre = board_->CellToScreen(cell_.x, cell_.y) + GetCellSize() * 0.5f + board_->GetScroll();
  if (well::ExplosionSFXSet* explosion = effects->GetExplosionSet(QORWellSFX::kBlueBurst))
    explosion->Trigger(centre, 1.0f, 0.00625f, 0.25f);
  if (well::Part2DSFXSet* burst = effects->GetParticleSet(QORWellSFX::kTokenStart))
    burst->TriggerCount(kStrikeDust, centre);
}

void QORFlyer::PickTarget() {
  num::Random& random = num::GetRandom();
  for (int i = 0; i < kCandidates; ++i) {
    const uint32_t n = random.Next();
    const uint32_t m = random.Next();
    const int32_t x = cell_.x + static_cast<int32_t>(n % (2 * kReach + 1)) - static_cast<int32_t>(kReach);
    const int32_t y = cell_.y + static_cast<int32_t>(m % (2 * kReach + 1)) - static_cast<int32_t>(kReach);
    if (!IsCandidate(x, y)) continue;
    const float cells = std::sqrt(static_cast<float>((x - cell_.x) * (x - cell_.x) + (y - cell_.y) * (y - cell_.y)));
    SetPace(cells * kSecondsPerCell);
    const math::Vec2 offset = board_->CellToScreen(x, y) - GetScreenPosition();
    heading_.target = std::atan2(offset.x, offset.y) * kDegreesPerRadian + 180.0f;
    target_ = well::Cell{x, y};
    return;
  }
  target_ = cell_;
  SetPace(kRetrySeconds);
}

bool QORFlyer::IsCandidate(int32_t x, int32_t y) const {
  if (x == cell_.x && y == cell_.y) return false;
  const QORTile* tile = TileAt(x, y);
  return tile && Accepts(*tile) && HasToken(x, y) && !IsExplorerAt(x, y);
}

math::Vec2 QORFlyer::GetDrawOffset() const {
  if (cell_.x == target_.x) return math::Vec2(0.0f, 0.0f);
  return math::Vec2(0.0f, -std::sin(stepTimer_.GetProgress() * kHopFactor) * kind_.hopHeight);
}

void QORFlyer::DrawFlying(const math::Vec2& position, float rotation) {
  sprite_.SetRect(position, sprite_.size, rotation, 0, GetColour());
  const math::Vec2 scroll = board_->GetScroll();
  trail_.AddPoint(position + scroll);
  trail_.Render(scroll);
  sprite_.RenderRotated();
}

// --- Scarab.

QORScarab::QORScarab(QORBoardView* board, QORNest* nest) : QORFlyer(board, nest, kScarabKind) {
  sprite_.GetNativeSize(nativeSize_);
  sprite_.size = nativeSize_ * 0.5f;
}

bool QORScarab::Strike(QORTile* tile) {
  if (!tile || tile->type == kTileGold || tile->type == kTileVoid) return false;
  tile->type = kTileGold;
  tile->webbed = 0;
  board_->RefreshTile(*tile);
  return true;
}

bool QORScarab::Accepts(const QORTile& tile) const { return tile.type != kTileGold; }

void QORScarab::Draw() {
  sprite_.size = nativeSize_ * 0.5f;
  DrawFlying(GetSpritePosition() + GetDrawOffset() + GetCellSize() * 0.25f, GetHeading());
}

// --- Locust.

QORLocust::QORLocust(QORBoardView* board, QORNest* nest) : QORFlyer(board, nest, kLocustKind) {}

bool QORLocust::Strike(QORTile* tile) {
  if (!tile || tile->type <= kTileMetal) return false;
  --tile->type;
  board_->RefreshTile(*tile);
  return true;
}

bool QORLocust::Accepts(const QORTile& tile) const { return tile.type >= kTileSand; }

void QORLocust::Draw() { DrawFlying(GetSpritePosition() + GetDrawOffset() + GetCellSize() * 0.75f, GetHeading() - 90.0f); }
