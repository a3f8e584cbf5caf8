// Explosions and trails: glowing discs that grow or shrink from a start to
// an end size while they fade, drawn additively in batches of twelve discs
// from one horizontal strip image (its left part at the centre, its right
// part at the rim). Placed in board space, like the particle sets.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/device/graphics.h"
#include "render/sprites/ui_sprite.h"
#include "well/effects/sfx_set.h"

namespace well {

class ExplosionSFXSet : public SFXSet {
 public:
  // Twelve discs of 48 vertices a draw.
  static constexpr uint32_t kBatchVertices = 600;
  static constexpr uint32_t kDiscVertices = 48;
  // A running disc never fades below this brightness.
  static constexpr int kMinBrightness = 10;

  struct Particle {
    bool IsRunning() const { return timer.remaining >= 0.0f; }

    CountdownTimer timer{1.0f, -1.0f};
    math::Vec2 position;
    float startSize = 0.0f;
    float endSize = 0.0f;
  };

  ExplosionSFXSet(void* owner, WellSFX* effects) : SFXSet(owner, effects) {}

  void Draw() override;
  void Tick(float dt) override;
  // The strip image and a pool of `count` stopped particles. The colours
  // are kept; the discs do not use them.
  void Load(const std::string& image, size_t count, uint32_t colourA, uint32_t colourB);
  // Starts the first stopped particle; nothing when every one runs.
  void Trigger(const math::Vec2& position, float duration, float startSize, float endSize);

  size_t GetRunningCount() const { return running_; }
  const std::vector<Particle>& GetParticles() const { return particles_; }
  const ui::UISprite& GetSprite() const { return sprite_; }
  uint32_t GetColourA() const { return colourA_; }
  uint32_t GetColourB() const { return colourB_; }

 private:
  void Flush(Vertex2D* vertices, uint32_t count);

  ui::UISprite sprite_;
  std::vector<Particle> particles_;
  uint32_t colourA_ = 0;
  uint32_t colourB_ = 0;
  size_t running_ = 0;
};

}  // namespace well
