// A bar showing a value from 0 to 1 as a split between a full and an empty
// image, across or down. The loading screen drives one; the mover
// UIMoveProgress sweeps one.
#pragma once
#include <string>

#include "ui/widgets/ui_widget.h"

namespace ui {

class UIProgress : public UIWidget {
 public:
  UIProgress(UIWidget* parent, const std::string& name);

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  UIWidget* GetClone() override;
  bool SaveType(WriteLua& writer) override;

  float GetProgress() const { return progress_; }
  // Clamped to 0 .. 1.
  void SetProgress(float value);
  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool on) { horizontal_ = on; }
  bool IsFlipped() const { return flipped_; }
  void SetFlipped(bool on) { flipped_ = on; }

  // "ProgressWidget".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  // Draws the image over the rectangle with its texture cut to the part
  // between the fractions `from` and `to` of its width (across) or height.
  void DrawPart(UISprite& image, const math::Vec2& position, const math::Vec2& size, float from, float to) const;

  // Made in code or cloned, a bar runs across; from a panel file it runs
  // down unless "HorizProgress" says otherwise.
  bool horizontal_ = true;
  float progress_ = 0.0f;
  // The full part grows from the right, respectively the bottom.
  bool flipped_ = false;
};

}  // namespace ui
