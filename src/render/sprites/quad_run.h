// Sprites drawn in the order they are added, one draw for each run of them
// that shares a texture. A sprite's quad is built as it is added, so one
// sprite may be added again at other places; an additive sprite added plainly
// is drawn on its own, blended as it would be alone.
#pragma once
#include <vector>

#include "core/math/vector.h"
#include "render/device/graphics.h"

class Image;

namespace ui {

class UISprite;

class QuadRun {
 public:
  // As UISprite::Render draws it.
  void Add(const UISprite& sprite);
  // As UISprite::RenderClipped draws it.
  void AddClipped(const UISprite& sprite, const math::Vec2& clipMin, const math::Vec2& clipMax);
  // Draws the run held and empties it.
  void Flush();

 private:
  // Room for the sprite's quad, after the run of another texture is drawn.
  Vertex2D* Next(const UISprite& sprite);

  Image* image_ = nullptr;
  std::vector<Vertex2D> vertices_;
};

}  // namespace ui
