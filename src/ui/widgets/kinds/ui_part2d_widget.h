// A widget that owns a screen-space particle effect ("part2d"): each group
// of the effect generates particles at random points of the widget's
// rectangle at its own rate. The particles replace the widget's image and
// text; they are drawn in the normal pass before the children or, with
// ForceOnTop, in the pass after all panels. Scripts reach it as
// "Part2DWidget".
#pragma once
#include <string>

#include "render/particles/part2d.h"
#include "ui/widgets/kinds/ui_particle_widget.h"

namespace ui {

class UIPart2DWidget : public UIParticleWidget<UIPart2DWidget, part2d::Part2D> {
 public:
  static constexpr int kType = 8;

  UIPart2DWidget(UIWidget* parent, const std::string& name);
  ~UIPart2DWidget() override;

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  bool SaveType(WriteLua& writer) override;

  // Saves the held system to the file; nothing without one.
  void SavePartFile(const std::string& path);
  bool IsPaused() const { return paused_; }
  // A paused widget neither generates nor ticks; its particles still show.
  void SetPaused(bool paused) { paused_ = paused; }
  // Particles of group 0 at random points of the widget, no more than its
  // pool holds.
  void TriggerParticles(int count);
  void ClearParticles();

  // "Part2DWidget", then "PartGroup" and "Part2D".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  // The group's particles due by now, no more than its pool holds; the
  // time beyond that is dropped.
  void Generate(part2d::PartGroup& group, float dt);
  void DrawParticles() override;

  bool paused_ = false;
};

}  // namespace ui
