// An awarded power's icon flying from the board to its button: it grows from
// nothing to its full size half-way and shrinks to nothing on arrival.
#pragma once
#include <cstdint>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"

class QORPowerFlight {
 public:
  static constexpr float kSeconds = 1.0f;
  // Half the icon's size at the middle of the flight.
  static constexpr float kHalfWidth = 0.08f;
  static constexpr float kHalfHeight = 0.1066f;

  // Index 0 to 8: the icon of power index + 1; points on the screen.
  QORPowerFlight(int32_t index, const math::Vec2& start, const math::Vec2& end);

  void Tick(float dt) { timer_.Tick(dt); }
  bool HasLanded() const { return timer_.IsExpired(); }
  void Draw();

  int32_t GetIndex() const { return index_; }
  const math::Vec2& GetStart() const { return start_; }
  const math::Vec2& GetEnd() const { return end_; }
  const ui::UISprite& GetIcon() const { return icon_; }

 private:
  math::Vec2 start_;
  math::Vec2 end_;
  CountdownTimer timer_{kSeconds, kSeconds};
  int32_t index_;
  ui::UISprite icon_;
};
