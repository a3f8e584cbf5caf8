#include "well/effects/simple_sfx.h"

namespace well {

SimpleSFX::SimpleSFX(void* owner, WellSFX* effects, const std::string& image, size_t count, bool drift,
                     bool additive)
    : SFXSet(owner, effects), items_(std::make_unique<Item[]>(count)), count_(count), drift_(drift ? 1 : 0) {
  for (size_t i = 0; i < count_; ++i) items_[i].sprite.Setup(image, {0.0f, 0.0f}, {1.0f, 1.0f}, additive);
}

void SimpleSFX::Trigger(const math::Vec2& position, const math::Vec2& size, uint32_t tint) {
  if (running_ >= count_) return;
  for (size_t i = 0; i < count_; ++i) {
    Item& item = items_[i];
    if (item.active) continue;
    item.active = 1;
    item.position = position;
    item.size = size;
    item.tint = tint;
    item.sprite.SetRect(position, size, 0.0f, 0, tint);
    ++running_;
    return;
  }
}

math::Vec2 SimpleSFX::GetFrameSize() const {
  math::Vec2 size{0.0f, 0.0f};
  if (count_ > 0) items_[0].sprite.GetNativeSize(size);
  return size;
}

void SimpleSFX::Draw() {
  for (size_t i = 0; i < count_; ++i) {
    if (items_[i].active) items_[i].sprite.Render();
  }
}

void SimpleSFX::Tick(float dt) {
  for (size_t i = 0; i < count_; ++i) {
    Item& item = items_[i];
    if (!item.active || !item.sprite.TickEndsCycle(dt)) continue;
    item.active = 0;
    --running_;
  }
}

}  // namespace well
