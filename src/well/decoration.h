// An image placed on a board cell with an offset, a layer and a quarter-turn
// rotation. Layers 0 to 2 lie behind the blocks, 3 and above in front.
#pragma once
#include <cstdint>
#include <string>

#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "well/block.h"

namespace well {

class BaseWell;

class Decoration {
 public:
  static constexpr int32_t kFrontLayer = 3;

  explicit Decoration(BaseWell* board);
  virtual ~Decoration();
  Decoration(const Decoration&) = delete;
  Decoration& operator=(const Decoration&) = delete;

  // Loads the whole image; the size becomes its native size.
  virtual void SetImage(const std::string& name);
  virtual void Draw();
  virtual void DrawAt(const math::Vec2& position);
  // Advances the animation; true, after OnAnimationEnd, when a cycle ended.
  virtual bool Tick(float dt);
  virtual void ReservedHook1() {}
  virtual void ReservedHook2() {}
  virtual void OnAnimationEnd() {}

  void SetCell(int32_t x, int32_t y, const math::Vec2& offset);
  const math::Vec2& GetSize() const { return size_; }
  // The cell's screen position plus the offset.
  math::Vec2 GetScreenPosition() const;
  // Anchors to the cell under the point and keeps the exact position.
  void SetScreenPosition(const math::Vec2& point);
  // Edges included; width and height exchanged for a quarter turn.
  bool HitTest(const math::Vec2& point) const;
  void DrawClipped(const math::Vec2& clipMin, const math::Vec2& clipMax);

  BaseWell* GetBoard() const { return board_; }
  Cell GetCell() const { return cell_; }
  const math::Vec2& GetOffset() const { return offset_; }
  uint32_t GetTint() const { return tint_; }
  void SetTint(uint32_t tint) { tint_ = tint; }
  const std::string& GetImageName() const { return imageName_; }
  int32_t GetLayer() const { return layer_; }
  void SetLayer(int32_t layer) { layer_ = layer; }
  int32_t GetRotation() const { return rotation_; }
  // Any number of quarter turns, kept as 0 to 3.
  void SetRotation(int32_t quarterTurns);
  ui::UISprite& GetSprite() { return sprite_; }
  const ui::UISprite& GetSprite() const { return sprite_; }

 private:
  void PlaceSprite(const math::Vec2& position);

  BaseWell* board_;
  Cell cell_{0, 0};
  math::Vec2 size_;
  math::Vec2 offset_;
  uint32_t tint_ = 0xFFFFFFFFu;
  ui::UISprite sprite_;
  std::string imageName_;
  int32_t layer_ = kFrontLayer;
  int32_t rotation_ = 0;
};

}  // namespace well
