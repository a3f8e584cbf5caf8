// What the two particle widgets share: the particle system they own, made
// anew when a file is named, the on-top pass, clones and a random point in
// the widget's rectangle. `Derived` is the widget class, `System` the
// particle system it owns (with Load and GetFileName).
#pragma once
#include <memory>
#include <string>

#include "core/log.h"
#include "core/math/random.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

template <typename Derived, typename System>
class UIParticleWidget : public UIWidget {
 public:
  UIParticleWidget(UIWidget* parent, const std::string& name) : UIWidget(parent, name) { type_ = Derived::kType; }

  // The held system is kept (not reloaded) when it came from the named
  // file; otherwise it goes, and a non-empty name makes a new one loaded
  // from that file, kept even when its load fails. The load's result (true
  // for the file already held, which loaded); false for an empty name.
  bool SetPartFile(const std::string& name) {
    if (system_ && !name.empty() && system_->GetFileName() == name) {
      LOG_LINE(MSG_WARNING, "Trying to re-set the file. Reset instead?");
      return true;
    }
    system_.reset();
    partFile_ = name;
    partFileLoaded_ = false;
    if (name.empty()) return false;
    system_ = std::make_unique<System>();
    partFileLoaded_ = system_->Load(name);
    return partFileLoaded_;
  }
  // The file named last, whether it loaded or not: a panel saves it as given.
  const std::string& GetPartFile() const { return partFile_; }
  System* GetPartsys() const { return system_.get(); }
  void SetForceOnTop(bool on) { forceOnTop_ = on; }
  bool IsForcedOnTop() const { return forceOnTop_; }

  // With ForceOnTop only: the particles, then the children's on-top pass.
  bool RenderOnTop() override {
    if (!forceOnTop_ || !visible_ || !active_) return false;
    DrawParticles();
    return UIWidget::RenderOnTop();
  }
  // Of the same kind and place, without a particle system.
  UIWidget* GetClone() override {
    Derived* clone = new Derived(parent_, NextCloneName());
    CopyInto(*clone);
    return clone;
  }

 protected:
  // With the UI manager's camera only.
  virtual void DrawParticles() = 0;

  // Drawn y first, from the shared generator.
  math::Vec2 RandomPoint() const {
    num::Random& random = num::GetRandom();
    const float y = position_.y + random.Range(0.0f, size_.y);
    const float x = position_.x + random.Range(0.0f, size_.x);
    return {x, y};
  }

  std::unique_ptr<System> system_;
  std::string partFile_;
  bool partFileLoaded_ = false;
  bool forceOnTop_ = false;
};

}  // namespace ui
