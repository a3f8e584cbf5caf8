// The scene of the sprite benchmarks, so that the engine and the programs
// held against it draw the same: N sprites of 32 x 32 pixels a frame on an
// 800 x 600 screen, sprite i showing texture i mod T (one of the eight PNG
// files the build draws) with its top-left corner at pixel
// x = (37 i + 5 f) mod 768, y = (91 i + 3 f) mod 568 in frame f.
#pragma once
#include <string>
#include <vector>

#include "render/sprites/sprite_batch.h"
#include "render/sprites/ui_sprite.h"

namespace bench {

constexpr int kMaxSpriteTextures = 8;
constexpr int kSceneWidth = 800, kSceneHeight = 600, kSpritePixels = 32;

inline std::string SpriteTextureFile(int texture) {
  return std::string(VANTOR_BENCH_DATA) + "/sprite_" + std::to_string(texture) + ".png";
}

struct SpriteCorner {
  long x, y;
};

inline SpriteCorner SpriteCornerAt(long sprite, long frame) {
  return {(37 * sprite + 5 * frame) % (kSceneWidth - kSpritePixels),
          (91 * sprite + 3 * frame) % (kSceneHeight - kSpritePixels)};
}

// The scene through the engine's renderer: one sprite batch, flushed sorted by
// texture whenever it holds 400 and at the end. Draws into a scene begun
// and cleared by the caller.
class EngineSprites {
 public:
  EngineSprites(long count, int textures) : sprites_(static_cast<size_t>(count)) {
    for (size_t i = 0; i < sprites_.size(); ++i) {
      sprites_[i].LoadImage(SpriteTextureFile(static_cast<int>(i % static_cast<size_t>(textures))));
      sprites_[i].size = {static_cast<float>(kSpritePixels) / kSceneWidth,
                          static_cast<float>(kSpritePixels) / kSceneHeight};
    }
  }
  bool Loaded() const { return sprites_.empty() || sprites_.front().HasImage(); }

  void Draw(long frame) {
    for (size_t i = 0; i < sprites_.size(); ++i) {
      const SpriteCorner corner = SpriteCornerAt(static_cast<long>(i), frame);
      sprites_[i].position = {static_cast<float>(corner.x) / kSceneWidth,
                              static_cast<float>(corner.y) / kSceneHeight};
      batch_.Add(&sprites_[i]);
      if (batch_.GetCount() == ui::SpriteBatch::kMaxEntries) batch_.Flush(true);
    }
    batch_.Flush(true);
  }

 private:
  std::vector<ui::UISprite> sprites_;
  ui::SpriteBatch batch_;
};

}  // namespace bench
