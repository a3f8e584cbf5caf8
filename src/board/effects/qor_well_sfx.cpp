#include "board/effects/qor_well_sfx.h"

#include <memory>

#include "board/effects/coin_sfx.h"
#include "well/base_well.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"
#include "well/effects/simple_sfx.h"
#include "well/effects/sprite_sfx_set.h"
#include "well/effects/text_sfx.h"

namespace {

const char* const kSparkleImage = "Effect_Overlay_Sparkly";

// Particle files by set; the set without one shows nothing.
const char* const kParticleFiles[QORWellSFX::kParticleSets] = {
    "effects/tokenstart.p2d", "effects/burn.p2d",   "effects/dust.p2d",   "effects/bonus_part.p2d",
    "effects/selected.p2d",   "effects/selected_cont.p2d", nullptr,       "effects/power1.p2d",
    "effects/power2.p2d",     "effects/power3.p2d", "effects/power4.p2d", "effects/power5.p2d",
    "effects/power6.p2d",     "effects/power7.p2d", "effects/power8.p2d", "effects/power9.p2d",
};

struct OverlayKind {
  const char* image;
  size_t count;
  bool additive;
};
const OverlayKind kOverlays[QORWellSFX::kSimpleSetsMade] = {
    {kSparkleImage, 20, false}, {"Effect_Overlay_Shatter", 10, false}, {"Effect_Overlay_Lightning", 40, false},
    {"Effect_Overlay_power", 10, false}, {"swirl", 5, true}, {"scarab_swap", 3, false},
};

struct ExplosionKind {
  const char* image;
  size_t count;
  uint32_t colourA, colourB;
};
const ExplosionKind kExplosions[QORWellSFX::kExplosionSets] = {
    {"img/Explosion_yellow.png", 10, 0xFFFFE080u, 0xFFFF8C14u},
    {"img/locust_trail.png", 10, 0xFFC8D26Eu, 0xFF6E7828u},
    {"img/scarab_trail.png", 10, 0xFF78F0AAu, 0xFF1E8C5Au},
    {"img/Explosion_blue.png", 140, 0xFFC8E6FFu, 0xFF286EFFu},
    {"img/Explosion_white.png", 2, 0xFFFFFFFFu, 0xFFFFFFFFu},
};

constexpr float kSparkleSeconds = 1.0f;

}  // namespace

QORWellSFX::QORWellSFX(well::BaseWell* board, void* owner) : WellSFX(owner, board) {}

void QORWellSFX::Init() {
  void* owner = GetOwner();
  sparkleSet_ = AddSet(std::make_unique<well::SpriteSFXSet>(owner, this));
  sparkleSet_->Load(kSparkleImage, "", 10);
  textSet_ = AddSet(std::make_unique<well::TextSFX>(owner, this, "", "tinyfont", 5.0f, 15, true, 0));
  goldCoins_ = AddSet(std::make_unique<CoinSFX>(owner, this));
  goldCoins_->Load("gold_spin", 50);
  sparkleCoins_ = AddSet(std::make_unique<CoinSFX>(owner, this));
  sparkleCoins_->Load(kSparkleImage, 20);
  for (size_t i = 0; i < kExplosionSets; ++i) {
    const ExplosionKind& kind = kExplosions[i];
    explosionSets_[i] = AddSet(std::make_unique<well::ExplosionSFXSet>(owner, this));
    explosionSets_[i]->Load(kind.image, kind.count, kind.colourA, kind.colourB);
  }
  for (size_t i = 0; i < kParticleSets; ++i) {
    particleSets_[i] = AddSet(std::make_unique<well::Part2DSFXSet>(owner, this));
    if (kParticleFiles[i]) particleSets_[i]->Load(kParticleFiles[i]);
  }
  for (size_t i = 0; i < kSimpleSetsMade; ++i) {
    const OverlayKind& kind = kOverlays[i];
    simpleSets_[i] = AddSet(std::make_unique<well::SimpleSFX>(owner, this, kind.image, kind.count, false, kind.additive));
  }
}

void QORWellSFX::Tick(float dt) {
  WellSFX::Tick(dt);
  SetOffset(GetBoard()->GetScroll());
}

void QORWellSFX::AddScore(int32_t points) { GetBoard()->AddScore(points); }

void QORWellSFX::TriggerAtCell(int32_t x, int32_t y, size_t index) {
  well::SimpleSFX* set = GetSimpleSet(index);
  if (!set) return;
  const well::BaseWell* board = GetBoard();
  const math::Vec2 cell = board->GetCellSize();
  const math::Vec2 size = set->GetFrameSize();
  set->Trigger(board->CellToScreen(x, y) + (cell - size) * 0.5f, size, 0xFFFFFFFFu);
}

void QORWellSFX::SparkleAt(const math::Vec2& point) {
  if (sparkleSet_) sparkleSet_->Trigger(point, GetBoard()->GetCellSize(), kSparkleSeconds);
}

well::Part2DSFXSet* QORWellSFX::GetParticleSet(size_t index) const {
  return index < kParticleSets ? particleSets_[index] : nullptr;
}

well::SimpleSFX* QORWellSFX::GetSimpleSet(size_t index) const {
  return index < kSimpleSets ? simpleSets_[index] : nullptr;
}

well::ExplosionSFXSet* QORWellSFX::GetExplosionSet(size_t index) const {
  return index < kExplosionSets ? explosionSets_[index] : nullptr;
}
