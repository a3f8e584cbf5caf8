#include "render/sprites/sprite_batch.h"

#include <algorithm>
#include <functional>

#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/sprites/ui_sprite.h"

namespace ui {

namespace {

// Shared by every batch; no allocation during a frame.
Vertex2D g_vertices[SpriteBatch::kMaxVertices];
uint32_t g_pending = 0;

const Surface* TextureOf(const UISprite* sprite) {
  Image* image = sprite ? sprite->GetImage() : nullptr;
  return image ? image->GetSurface() : nullptr;
}

void DrawPending(Graphics& graphics) {
  if (g_pending == 0) return;
  graphics.DrawArray2D(g_vertices, g_pending, Graphics::kTriangleList);
  g_pending = 0;
}

}  // namespace

void SpriteBatch::Append(const UISprite* sprite, int32_t kind, const math::Vec2& clipMin,
                         const math::Vec2& clipMax) {
  if (count_ == kMaxEntries) Flush(false);
  entries_[count_] = {sprite, kind, clipMin, clipMax, count_};
  ++count_;
}

void SpriteBatch::Add(const UISprite* sprite) { Append(sprite, kPlain, {}, {}); }

void SpriteBatch::AddClipped(const UISprite* sprite, const math::Vec2& clipMin, const math::Vec2& clipMax) {
  Append(sprite, kClipped, clipMin, clipMax);
}

int SpriteBatch::CompareTexture(const Entry& a, const Entry& b) {
  const Surface* left = TextureOf(a.sprite);
  const Surface* right = TextureOf(b.sprite);
  std::less<const Surface*> before;
  if (before(left, right)) return -1;
  return before(right, left) ? 1 : 0;
}

void SpriteBatch::Flush(bool sortByTexture) {
  if (count_ == 0) return;
  Graphics* graphics = GetGraphics();
  if (!graphics) {
    count_ = 0;
    return;
  }
  if (sortByTexture) {
    std::sort(entries_, entries_ + count_, [](const Entry& a, const Entry& b) {
      int order = CompareTexture(a, b);
      return order != 0 ? order < 0 : a.order < b.order;
    });
  }
  Image* current = entries_[0].sprite ? entries_[0].sprite->GetImage() : nullptr;
  graphics->SetTexture(0, current);
  for (uint32_t i = 0; i < count_; ++i) {
    const Entry& entry = entries_[i];
    Image* image = entry.sprite ? entry.sprite->GetImage() : nullptr;
    if (!image) continue;
    if (!current || image->GetSurface() != current->GetSurface()) {
      DrawPending(*graphics);
      current = image;
      graphics->SetTexture(0, current);
    } else if (g_pending + UISprite::kQuadVertices > kMaxVertices) {
      // A draw leaves stage 0 without a texture.
      DrawPending(*graphics);
      graphics->SetTexture(0, current);
    }
    Vertex2D* out = g_vertices + g_pending;
    if (entry.kind == kClipped)
      entry.sprite->BuildClippedQuad(entry.clipMin, entry.clipMax, out);
    else
      entry.sprite->BuildQuad(out);
    g_pending += UISprite::kQuadVertices;
  }
  DrawPending(*graphics);
  count_ = 0;
}

}  // namespace ui
