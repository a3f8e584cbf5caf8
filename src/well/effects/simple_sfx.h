// Animated overlays played once per start: each item shows a sprite-set
// animation at a screen position until the animation ends its cycle.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/effects/sfx_set.h"

namespace well {

class SimpleSFX : public SFXSet {
 public:
  struct Item {
    ui::UISprite sprite;
    math::Vec2 position;
    math::Vec2 size;
    uint32_t tint = 0xFFFFFFFFu;
    uint8_t active = 0;
  };

  // `count` inactive items showing the image. The drift flag is kept; no
  // set uses it.
  SimpleSFX(void* owner, WellSFX* effects, const std::string& image, size_t count, bool drift, bool additive);

  void Draw() override;
  void Tick(float dt) override;
  // Starts the first inactive item; nothing when every one runs.
  void Trigger(const math::Vec2& position, const math::Vec2& size, uint32_t tint);
  // The native size of the image, to centre an effect on a cell; (0, 0)
  // without items.
  math::Vec2 GetFrameSize() const;

  size_t GetSize() const { return count_; }
  size_t GetRunningCount() const { return running_; }
  const Item& GetItem(size_t i) const { return items_[i]; }
  bool Drifts() const { return drift_ != 0; }

 private:
  std::unique_ptr<Item[]> items_;
  size_t count_;
  size_t running_ = 0;
  uint8_t drift_;
};

}  // namespace well
