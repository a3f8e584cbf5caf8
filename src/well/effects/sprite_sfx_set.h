// Effects of one or two images that drift by a velocity for a set time, at
// the screen position they were started at (they do not follow the scroll).
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/effects/sfx_set.h"

namespace well {

struct SpriteSFX {
  // Runs while its timer has time left.
  bool IsRunning() const { return timer.remaining >= 0.0f; }

  ui::UISprite sprites[2];
  math::Vec2 position;
  math::Vec2 size;
  math::Vec2 velocity;  // screen units per second
  CountdownTimer timer{1.0f, -1.0f};
};

class SpriteSFXSet : public SFXSet {
 public:
  SpriteSFXSet(void* owner, WellSFX* effects) : SFXSet(owner, effects) {}

  void Draw() override;
  void Tick(float dt) override;
  // A table of n empty slots (an empty slot never starts).
  virtual void Init(size_t n);
  // n items showing the two images (an empty name shows nothing there).
  virtual void Load(const std::string& image1, const std::string& image2, size_t n);
  // Called when an item's time has run out.
  virtual void OnItemDone(SpriteSFX* /*item*/) {}

  // A free item started for the duration, or null when every item runs.
  SpriteSFX* Trigger(const math::Vec2& position, const math::Vec2& size, float duration);

  size_t GetSize() const { return items_.size(); }
  SpriteSFX* GetItem(size_t i) const { return i < items_.size() ? items_[i].get() : nullptr; }
  const std::string& GetImage1() const { return image1_; }
  const std::string& GetImage2() const { return image2_; }

 private:
  std::vector<std::unique_ptr<SpriteSFX>> items_;
  size_t searchStart_ = 0;  // where the last search found a free item
  std::string image1_;
  std::string image2_;
};

}  // namespace well
