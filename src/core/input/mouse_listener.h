// Base of every object that wants mouse events. It registers with the input
// system's mouse when constructed (if that mouse exists then) and leaves it
// when destroyed. Positions are fractions of the screen, origin top left;
// buttons and positions point at the mouse's own records, valid during the
// call only.
#pragma once
#include <cstdint>

#include "core/math/vector.h"

namespace input {

class Mouse;
struct MouseButton;

class MouseListener {
 public:
  MouseListener();
  virtual ~MouseListener();
  MouseListener(const MouseListener&) = delete;
  MouseListener& operator=(const MouseListener&) = delete;

  virtual void OnMouseDown(const MouseButton*, const math::Vec2*) {}
  virtual void OnMouseDoubleClick(const MouseButton*, const math::Vec2*) {}
  virtual void OnMouseUp(const MouseButton*, const math::Vec2*) {}
  virtual void OnMouseHeld(const MouseButton*, const math::Vec2*) {}
  virtual void OnMouseRepeat(const MouseButton*, const math::Vec2*) {}
  // 120 per notch, positive away from the user.
  virtual void OnMouseWheel(int32_t, const math::Vec2*) {}
  virtual void OnMouseHover(const math::Vec2*) {}
  virtual void OnMouseMove(const math::Vec2* /*oldPosition*/, const math::Vec2* /*newPosition*/) {}
  virtual void OnMouseDrag(const math::Vec2* /*dragStart*/, const math::Vec2* /*position*/) {}
  virtual void OnMouseDragEnd(const math::Vec2* /*dragStart*/, const math::Vec2* /*position*/) {}

  // Kept for the listeners' own use: the mouse calls every registered listener.
  uint8_t enabled = 1;
  // The mouse it registered with at construction, or null.
  Mouse* mouse = nullptr;
};

}  // namespace input
