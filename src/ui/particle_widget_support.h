// What the two particle widgets share: replacing the particle system they
// own when a file is named, and a random point in the widget's rectangle.
#pragma once
#include <memory>
#include <string>

#include "core/log.h"
#include "core/math/random.h"
#include "core/math/vector.h"

namespace ui {

// The held system is kept (not reloaded) when it came from the named file;
// otherwise it goes, and a non-empty name makes a new one loaded from that
// file, kept even when its load fails. The load's result (true for the
// file already held, which loaded); false for an empty name.
template <typename System>
bool ReplaceParticleSystem(std::unique_ptr<System>& held, const std::string& name) {
  if (held && !name.empty() && held->GetFileName() == name) {
    LOG_LINE(MSG_WARNING, "Trying to re-set the file. Reset instead?");
    return true;
  }
  held.reset();
  if (name.empty()) return false;
  held = std::make_unique<System>();
  return held->Load(name);
}

// Drawn y first, from the shared generator.
inline math::Vec2 RandomPointIn(const math::Vec2& position, const math::Vec2& size) {
  num::Random& random = num::GetRandom();
  const float y = position.y + random.Range(0.0f, size.y);
  const float x = position.x + random.Range(0.0f, size.x);
  return {x, y};
}

}  // namespace ui
