// Collects UI sprites during a frame and draws them with few draw calls:
// optionally sorted by texture, one draw per run of sprites sharing a
// texture, at most 996 vertices a draw. Every batch writes into one
// process-wide vertex buffer.
#pragma once
#include <cstdint>

#include "core/math/vector.h"

namespace ui {

class UISprite;

class SpriteBatch {
 public:
  static constexpr uint32_t kMaxEntries = 400;
  static constexpr uint32_t kMaxVertices = 1000;

  struct Entry {
    const UISprite* sprite;  // not owned
    int32_t kind;            // kPlain or kClipped
    math::Vec2 clipMin;
    math::Vec2 clipMax;
    uint32_t order;  // position among the entries added, for a stable sort
  };
  enum : int32_t { kPlain = 0, kClipped = 1 };

  SpriteBatch() = default;
  SpriteBatch(const SpriteBatch&) = delete;
  SpriteBatch& operator=(const SpriteBatch&) = delete;

  // A full batch is first drawn as it stands (unsorted), then the sprite added.
  void Add(const UISprite* sprite);
  void AddClipped(const UISprite* sprite, const math::Vec2& clipMin, const math::Vec2& clipMax);
  // Draws and empties the batch; sorting keeps the order of sprites that
  // share a texture.
  void Flush(bool sortByTexture);
  // Empties the batch without drawing.
  void Clear() { count_ = 0; }
  // Orders entries by the address of their texture's surface (none first):
  // less than zero, zero or greater than zero.
  static int CompareTexture(const Entry& a, const Entry& b);

  uint32_t GetCount() const { return count_; }

 private:
  void Append(const UISprite* sprite, int32_t kind, const math::Vec2& clipMin, const math::Vec2& clipMax);

  Entry entries_[kMaxEntries] = {};
  uint32_t count_ = 0;
};

}  // namespace ui
