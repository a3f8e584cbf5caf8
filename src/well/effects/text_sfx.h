// Floating texts: widgets named "TestFX" that fade out over a set time and,
// with the rise flag, drift upward. The game makes one such set; nothing
// starts its items, so it draws nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "well/effects/sfx_set.h"

namespace ui {
class UIWidget;
}

namespace well {

class TextSFX : public SFXSet {
 public:
  // Screen units per second a rising text climbs.
  static constexpr float kRiseSpeed = 0.2f;

  struct Item {
    std::unique_ptr<ui::UIWidget> widget;
    CountdownTimer timer;
    uint8_t active = 0;
  };

  // `count` inactive items, each a widget with the image in its slot 0 and
  // the font, timed for `duration` seconds.
  TextSFX(void* owner, WellSFX* effects, const std::string& image, const std::string& font, float duration,
          size_t count, bool rise, int32_t spare);
  ~TextSFX() override;

  void Draw() override;
  void Tick(float dt) override;

  const std::vector<Item>& GetItems() const { return items_; }
  bool Rises() const { return rise_ != 0; }
  int32_t GetSpare() const { return spare_; }

 private:
  std::vector<Item> items_;
  uint8_t rise_;
  int32_t spare_;
};

}  // namespace well
