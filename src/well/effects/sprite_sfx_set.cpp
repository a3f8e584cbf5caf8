#include "well/effects/sprite_sfx_set.h"

#include "well/effects/effect_duration.h"

namespace well {

void SpriteSFXSet::Init(size_t n) {
  items_.clear();
  items_.resize(n);
  searchStart_ = 0;
}

void SpriteSFXSet::Load(const std::string& image1, const std::string& image2, size_t n) {
  Init(n);
  image1_ = image1;
  image2_ = image2;
  for (std::unique_ptr<SpriteSFX>& item : items_) {
    item = std::make_unique<SpriteSFX>();
    const std::string* names[2] = {&image1_, &image2_};
    for (int k = 0; k < 2; ++k) {
      if (!names[k]->empty()) item->sprites[k].Setup(*names[k], {0.0f, 0.0f}, {1.0f, 1.0f}, false);
    }
  }
}

SpriteSFX* SpriteSFXSet::Trigger(const math::Vec2& position, const math::Vec2& size, float duration) {
  const size_t n = items_.size();
  for (size_t k = 0; k < n; ++k) {
    const size_t i = (searchStart_ + k) % n;
    SpriteSFX* item = items_[i].get();
    if (!item || item->IsRunning()) continue;
    searchStart_ = i;
    item->position = position;
    item->size = size;
    item->timer.period = item->timer.remaining = EffectDuration(duration);
    return item;
  }
  return nullptr;
}

void SpriteSFXSet::Draw() {
  for (const std::unique_ptr<SpriteSFX>& item : items_) {
    if (!item || !item->IsRunning()) continue;
    for (ui::UISprite& sprite : item->sprites) {
      if (!sprite.HasImage()) continue;
      sprite.SetRect(item->position, item->size, 0.0f, 0, 0xFFFFFFFFu);
      sprite.Render();
    }
  }
}

void SpriteSFXSet::Tick(float dt) {
  for (const std::unique_ptr<SpriteSFX>& item : items_) {
    if (!item || !item->IsRunning()) continue;
    item->timer.Tick(dt);
    if (!item->IsRunning()) {
      OnItemDone(item.get());
      continue;
    }
    item->position += item->velocity * dt;
    for (ui::UISprite& sprite : item->sprites) sprite.Tick(dt);
  }
}

}  // namespace well
