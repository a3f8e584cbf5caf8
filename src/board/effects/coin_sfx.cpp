#include "board/effects/coin_sfx.h"

#include <cmath>

#include "core/math/random.h"
#include "well/effects/effect_duration.h"
#include "well/effects/well_sfx.h"

namespace {

struct GoldAccess {
  CoinSFX::GoldGetter get = nullptr;
  CoinSFX::GoldSetter set = nullptr;
};

GoldAccess& Gold() {
  static GoldAccess access;
  return access;
}

// A coin is drawn at this share of its size at both ends of its flight and
// in full halfway.
constexpr float kEndScale = 0.3f;
constexpr float kPi = 3.14f;

}  // namespace

void CoinSFX::SetGoldAccess(GoldGetter get, GoldSetter set) { Gold() = {get, set}; }

void CoinSFX::Load(const std::string& image, size_t count) {
  sprite_.Setup(image, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  sprite_.GetNativeSize(nativeSize_);
  coins_.assign(count, Coin());
  flying_ = 0;
}

void CoinSFX::Launch(int32_t amount, const math::Vec2& target, const math::Vec2& start, float duration,
                     float delay) {
  amount_ = amount;
  if (flying_ >= coins_.size()) return;
  for (Coin& coin : coins_) {
    if (coin.IsFlying()) continue;
    coin.timer.period = coin.timer.remaining = well::EffectDuration(duration);
    coin.start = start;
    coin.end = target;
    coin.delay = delay;
    coin.arc = num::GetRandom().Range(-kMaxArc, kMaxArc);
    ++flying_;
    return;
  }
}

void CoinSFX::Tick(float dt) {
  for (Coin& coin : coins_) {
    if (!coin.IsFlying()) continue;
    coin.clock += dt;
    if (coin.delay > 0.0f) {
      coin.delay -= dt;
      continue;
    }
    coin.timer.Tick(dt);
    if (coin.IsFlying()) continue;
    --flying_;
    const GoldAccess& gold = Gold();
    if (gold.get && gold.set) gold.set(gold.get() + amount_);
  }
}

void CoinSFX::Draw() {
  const math::Vec2 offset = effects_->GetOffset();
  for (const Coin& coin : coins_) {
    if (!coin.IsFlying() || coin.delay > 0.0f) continue;
    const float t = coin.timer.GetProgress();
    const math::Vec2 d = coin.end - coin.start;
    const float bend = std::sin(t * kPi);
    const math::Vec2 position = coin.start + d * t + math::Vec2{-d.y, d.x} * (bend * coin.arc) - offset;
    sprite_.SetRect(position, nativeSize_ * ((1.0f - kEndScale) * bend + kEndScale), 0.0f, 0, 0xFFFFFFFFu);
    sprite_.clock = coin.clock;
    sprite_.Render();
  }
}
