#include "render/sprites/quad_run.h"

#include "render/device/image.h"
#include "render/sprites/ui_sprite.h"

namespace ui {

void QuadRun::Add(const UISprite& sprite) {
  if (!sprite.GetImage()) return;
  if (sprite.additive) {
    Flush();
    sprite.Render();
    return;
  }
  sprite.BuildQuad(Next(sprite));
}

void QuadRun::AddClipped(const UISprite& sprite, const math::Vec2& clipMin, const math::Vec2& clipMax) {
  if (!sprite.GetImage() || sprite.LiesOutside(clipMin, clipMax)) return;
  sprite.BuildClippedQuad(clipMin, clipMax, Next(sprite));
}

Vertex2D* QuadRun::Next(const UISprite& sprite) {
  Image* image = sprite.GetImage();
  if (image_ && image_->GetSurface() != image->GetSurface()) Flush();
  if (vertices_.empty()) image_ = image;
  vertices_.resize(vertices_.size() + UISprite::kQuadVertices);
  return &vertices_[vertices_.size() - UISprite::kQuadVertices];
}

void QuadRun::Flush() {
  Graphics* graphics = GetGraphics();
  if (graphics && !vertices_.empty()) {
    graphics->SetTexture(0, image_);
    graphics->DrawArray2D(vertices_.data(), static_cast<uint32_t>(vertices_.size()), Graphics::kTriangleList);
  }
  vertices_.clear();
  image_ = nullptr;
}

}  // namespace ui
