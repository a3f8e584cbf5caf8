// Coins that fly in an arc from one point to another and add gold to the
// player's profile when they land. Placed in board space: drawn less the
// effects owner's offset.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/effects/sfx_set.h"

class CoinSFX : public well::SFXSet {
 public:
  // Where landed coins pay: the game variables install their gold
  // accessors at start-up; until then coins land without paying.
  using GoldGetter = int32_t (*)();
  using GoldSetter = void (*)(int32_t);
  static void SetGoldAccess(GoldGetter get, GoldSetter set);

  // The widest sideways bend, as a share of the flight's length.
  static constexpr float kMaxArc = 0.2f;

  struct Coin {
    bool IsFlying() const { return timer.remaining >= 0.0f; }

    math::Vec2 start;
    math::Vec2 end;
    CountdownTimer timer{1.0f, -1.0f};  // the period is the flight time
    float delay = 0.0f;  // seconds before the flight starts
    float clock = 0.0f;  // the coin's own animation time
    float arc = 0.0f;
  };

  CoinSFX(void* owner, well::WellSFX* effects) : SFXSet(owner, effects) {}

  void Draw() override;
  void Tick(float dt) override;
  // The coin's image (sprite-set entry or texture) and `count` coins.
  virtual void Load(const std::string& image, size_t count);

  // The amount applies to every coin that lands from now on, also when this
  // launch finds no free coin (then nothing flies).
  void Launch(int32_t amount, const math::Vec2& target, const math::Vec2& start, float duration, float delay);

  size_t GetFlyingCount() const { return flying_; }
  int32_t GetAmount() const { return amount_; }
  const std::vector<Coin>& GetCoins() const { return coins_; }
  const math::Vec2& GetNativeSize() const { return nativeSize_; }

 protected:
  std::vector<Coin> coins_;

 private:
  ui::UISprite sprite_;
  size_t flying_ = 0;
  math::Vec2 nativeSize_{0.0f, 0.0f};
  int32_t amount_ = 0;
};
