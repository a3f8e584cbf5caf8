// The drawable 2D image of the user interface and the board: an image, a
// screen rectangle in 0..1 units, texture corners, a colour and a blend
// mode, drawn as one textured quad. An image name that names a sprite-set
// entry makes the sprite an animation with a clock of its own.
#pragma once
#include <cstdint>
#include <string>

#include "core/math/vector.h"
#include "render/device/graphics.h"

class Image;

namespace ui {

class UIWidget;
struct SpriteSetEntry;

class UISprite {
 public:
  static constexpr uint32_t kQuadVertices = 6;

  UISprite() = default;
  ~UISprite() { Invalidate(); }
  // A sprite may own its image: copies would share it.
  UISprite(const UISprite&) = delete;
  UISprite& operator=(const UISprite&) = delete;

  // Releases an owned image (an entry's image stays with the entry) and
  // forgets the image, the entry and the name.
  void Invalidate();
  // Resolves "###" to the UI's language, then takes the sprite-set entry of
  // that name, else loads the file as an image of its own. The name given is
  // stored as given. An empty name does nothing.
  void LoadImage(const std::string& name);
  // Loads, sizes the sprite to the image's native size, stores the rest. True.
  bool Setup(const std::string& name, const math::Vec2& uv1, const math::Vec2& uv2, bool additive);
  void SetRect(const math::Vec2& position, const math::Vec2& size, float rotation, int unused, uint32_t colour);
  // The size the image has on an 800 x 600 screen; `size` is untouched
  // without an image.
  void GetNativeSize(math::Vec2& size) const;
  // Advances the animation or the image's own update; runs the owner's
  // "clip_ended" at the end of a cycle (see the source for the results).
  bool Tick(float dt);
  // Advances as Tick does and answers plainly whether that ended a cycle:
  // a multi-frame entry wrapped, a video wrapped, and every tick of a still
  // image of its own. False for a one-frame entry and without an image.
  bool TickEndsCycle(float dt);
  // TickEndsCycle can answer true: a multi-frame entry, or an image of its own.
  bool CanEndCycle() const;

  void BuildQuad(Vertex2D* out) const;
  // Cut to the clip rectangle (screen units); unclipped when oriented.
  void BuildClippedQuad(const math::Vec2& clipMin, const math::Vec2& clipMax, Vertex2D* out) const;
  // Each false, drawing nothing, without an image.
  bool Render() const;
  bool RenderRotated() const;
  // Also false when the sprite lies wholly outside the clip rectangle.
  bool RenderClipped(const math::Vec2& clipMin, const math::Vec2& clipMax) const;
  // Wholly outside the clip rectangle, as RenderClipped judges it.
  bool LiesOutside(const math::Vec2& clipMin, const math::Vec2& clipMax) const;
  bool BindTexture() const;

  // An image, or a sprite-set entry.
  bool HasImage() const { return image_ || entry_; }
  // The image drawn: the entry's, else the sprite's own.
  Image* GetImage() const;
  const SpriteSetEntry* GetEntry() const { return entry_; }
  const std::string& GetName() const { return name_; }
  bool IsLocalised() const { return localised_ != 0; }
  // The current frame's rectangle for an entry, else UV1 and UV2.
  void GetUVs(math::Vec2& uvMin, math::Vec2& uvMax) const;

  UIWidget* owner = nullptr;
  uint8_t additive = 0;
  math::Vec2 uv1{0.0f, 0.0f};
  math::Vec2 uv2{1.0f, 1.0f};
  math::Vec2 position;  // top-left corner, or the centre when drawn rotated
  math::Vec2 size;
  float rotation = 0.0f;  // degrees
  uint32_t colour = 0xFFFFFFFFu;
  float clock = 0.0f;        // seconds into the animation
  uint32_t orientation = 0;  // quarter turns, as BuildOrientedQuad takes them

 private:
  // Binds the image and draws; `blend` applies the additive flag.
  void Draw(const Vertex2D* vertices, bool blend) const;
  void RunClipEnded();

  Image* image_ = nullptr;  // owned; null while an entry is shown
  std::string name_;
  const SpriteSetEntry* entry_ = nullptr;
  uint8_t localised_ = 0;
};

}  // namespace ui
