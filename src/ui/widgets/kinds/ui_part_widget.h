// A widget that owns a world-space particle effect ("partsys"): it feeds
// one group of the effect with particles born on the z = 0 plane under
// random points of its rectangle, and draws the effect with the UI
// manager's camera under its own image, text and children, or, with
// ForceOnTop, in the pass after all panels.
#pragma once
#include <string>

#include "render/particles/particle_system.h"
#include "ui/widgets/kinds/ui_particle_widget.h"

namespace camera {
class AbstractCamera;
}

namespace ui {

class UIPartWidget : public UIParticleWidget<UIPartWidget, partsys::ParticleSystem> {
 public:
  static constexpr int kType = 7;

  UIPartWidget(UIWidget* parent, const std::string& name);
  ~UIPartWidget() override;

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  bool SaveType(WriteLua& writer) override;

  // Clamped to 0 .. the number of groups, which names no group and so stops
  // generation; nothing without a system.
  void SetPartIndex(int index);
  // Seconds between generated particles; 0 or less generates none.
  void SetGenTime(float seconds) { genTime_ = seconds; }

  int GetPartIndex() const { return partIndex_; }
  float GetGenTime() const { return genTime_; }
  float GetGenerationTime() const { return accumulator_; }

 private:
  // One particle of the fed group under a random point of the widget.
  void Generate(partsys::ParticleGroup& group, const camera::AbstractCamera& camera);
  void DrawParticles() override;

  int partIndex_ = 0;
  float genTime_ = 1.0f;
  float accumulator_ = 0.0f;
};

}  // namespace ui
