// The game board's effects owner: it loads every effect the game shows on
// the board into fixed pools when the board is made (sparkles, floating
// texts, coin flights, explosions and trails, particle bursts, animated
// overlays) and offers the game code ways to start them on a cell or at a
// point.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/math/vector.h"
#include "well/effects/well_sfx.h"

class CoinSFX;

namespace well {
class ExplosionSFXSet;
class Part2DSFXSet;
class SimpleSFX;
class SpriteSFXSet;
class TextSFX;
}  // namespace well

class QORWellSFX : public well::WellSFX {
 public:
  static constexpr size_t kParticleSets = 16;
  static constexpr size_t kSimpleSets = 16;
  static constexpr size_t kExplosionSets = 5;
  // The particle set of power n (1 to 9) is n + kFirstPowerSet - 1.
  static constexpr size_t kFirstPowerSet = 7;

  // Particle sets by role.
  enum Particles : size_t {
    kTokenStart = 0,
    kBurn = 1,
    kDust = 2,
    kBonus = 3,
    kSelected = 4,
    kSelectedHeld = 5,
  };
  // Animated overlays by role; the sets from kSimpleSetsMade on stay null.
  enum Overlay : size_t {
    kSparkle = 0,
    kShatter = 1,
    kLightning = 2,
    kPower = 3,
    kSwirl = 4,
    kScarabSwap = 5,
    kSimpleSetsMade = 6,
  };
  // Explosion and trail sets by role.
  enum Explosion : size_t {
    kYellowBurst = 0,
    kLocustTrail = 1,
    kScarabTrail = 2,
    kBlueBurst = 3,
    kWhiteBurst = 4,
  };

  QORWellSFX(well::BaseWell* board, void* owner);

  // Every set, then the offset follows the board's scroll.
  void Tick(float dt) override;
  // Makes and loads the sets; their order is the drawing order.
  void Init() override;
  // Passed to the board.
  void AddScore(int32_t points) override;

  // The overlay `index` centred on the cell at its image's own size;
  // nothing for an overlay that is not made.
  void TriggerAtCell(int32_t x, int32_t y, size_t index);
  void TriggerSwirlAtCell(int32_t x, int32_t y) { TriggerAtCell(x, y, kSwirl); }
  // A sparkle of one cell's size at the screen point, for 1 s.
  void SparkleAt(const math::Vec2& point);

  well::TextSFX* GetTextSet() const { return textSet_; }
  well::SpriteSFXSet* GetSparkleSet() const { return sparkleSet_; }
  // Null outside the range (and for overlays not made).
  well::Part2DSFXSet* GetParticleSet(size_t index) const;
  well::SimpleSFX* GetSimpleSet(size_t index) const;
  well::ExplosionSFXSet* GetExplosionSet(size_t index) const;
  CoinSFX* GetGoldCoins() const { return goldCoins_; }
  // The flights that feed a bottle, and other sparkles that travel.
  CoinSFX* GetSparkleCoins() const { return sparkleCoins_; }

  // The background weather the game board names: -1 for none.
  int32_t GetWeatherIndex() const { return weatherIndex_; }
  void SetWeatherIndex(int32_t index) { weatherIndex_ = index; }

 private:
  well::TextSFX* textSet_ = nullptr;
  well::SpriteSFXSet* sparkleSet_ = nullptr;
  well::Part2DSFXSet* particleSets_[kParticleSets] = {};
  well::SimpleSFX* simpleSets_[kSimpleSets] = {};
  CoinSFX* goldCoins_ = nullptr;
  CoinSFX* sparkleCoins_ = nullptr;
  well::ExplosionSFXSet* explosionSets_[kExplosionSets] = {};
  int32_t weatherIndex_ = -1;
};
