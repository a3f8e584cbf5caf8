// Named animations: each sprite-set entry is a strip of equally wide frames
// side by side in one image, played at a fixed rate. Entries come from Lua
// files defining the array "Sprites" and live in one process-wide,
// case-insensitive registry that owns them.
#pragma once
#include <cstdint>
#include <string>

#include "core/text/named_registry.h"
#include "core/math/vector.h"

class Image;

namespace ui {

struct SpriteSetEntry {
  SpriteSetEntry() = default;
  ~SpriteSetEntry();
  SpriteSetEntry(const SpriteSetEntry&) = delete;
  SpriteSetEntry& operator=(const SpriteSetEntry&) = delete;

  // Adds dt to the clock. Past one cycle the clock goes back by a cycle and
  // the result is false for an animation of more than one frame (it finished
  // a cycle); true otherwise. A clock of exactly one cycle has not wrapped.
  bool Advance(float& clock, float dt) const;
  // The frame shown at the clock: clock / frame duration, truncated; 0 when
  // that is not a finite number within 0 .. INT_MAX (FrameTime 0, a broken
  // clock).
  int FrameAt(float clock) const;
  void GetFrameUVs(float clock, math::Vec2& uvMin, math::Vec2& uvMax) const;
  // Frames lie in one row; the clip cuts the right and bottom strip before
  // the row is divided, the border insets each frame on both sides, flips
  // exchange the edges. Untouched without an image.
  void GetFrameUVsByIndex(int frame, math::Vec2& uvMin, math::Vec2& uvMax) const;
  float GetCycle() const { return static_cast<float>(frameCount) * frameDuration; }

  std::string name;
  std::string imageFile;
  Image* image = nullptr;  // owned
  int frameCount = 0;
  float frameDuration = 0.0f;  // seconds
  float borderU = 0.0f;        // FrameBorderX / image width
  float borderV = 0.0f;        // FrameBorderY / image height
  float clipX = 0.0f;          // pixels
  float clipY = 0.0f;
  uint8_t flipU = 0;
  uint8_t flipV = 0;
};

class SpriteSet : public NamedRegistry<SpriteSetEntry> {
 public:
  SpriteSet() : NamedRegistry<SpriteSetEntry>(true, true) {}

  // Adds the entries of a sprite-set file; entries whose image does not load
  // are listed in the log after the whole file.
  void Load(const std::string& file);
  // False when the frame count is not positive (nothing is made) or the image
  // does not load (nothing is registered). A name already present keeps its
  // first entry.
  bool AddSprite(const std::string& name, const std::string& imageFile, int frameCount, float frameDuration,
                 float borderX, float borderY, bool flipU, bool flipV, float clipX, float clipY);
};

SpriteSet* GetSpriteSet();

}  // namespace ui
