// Movers: small scripted animations of a widget (a move, a sine wobble, a
// fade, a progress-bar sweep, a delayed image change). A widget keeps its movers in a list and runs
// only the first, so movers added one after another play in sequence; a mover
// waits out its delay, animates over its duration, sets its end value, runs
// its end script and leaves the list.
#pragma once
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"

namespace LuaPlus {
class LuaState;
}

namespace ui {

class UIProgress;
class UIWidget;

class UIMover {
 public:
  // A duration of 0 or less makes the mover instant: it finishes as soon as
  // its delay is over.
  UIMover(UIWidget* widget, float delay, float duration, const std::string& endScript);
  virtual ~UIMover() = default;
  UIMover(const UIMover&) = delete;
  UIMover& operator=(const UIMover&) = delete;

  // One step while the mover is first in its widget's list and not done.
  virtual void Update(float dt);
  // Sets the end value, takes the mover out of its widget's list, runs the
  // end script unless suppressed, and destroys the mover.
  void Finish();

  // The widget's ClearMovers: run out, end script suppressed.
  void Clear();
  bool IsDone() const { return done_; }
  bool IsCleared() const { return suppressEndScript_; }

  // "AddUIPan", "AddUIMove", "AddUISine", "AddUIXFade", "UIMoveProgress",
  // "UISetImage".
  static void RegisterLua(LuaPlus::LuaState* state);

 protected:
  // Counts the delay down; true while it is still running.
  bool CountDelay(float dt);
  // The elapsed fraction of the duration, 0 .. 1.
  float Elapsed() const { return duration_.GetProgress(); }
  virtual void Apply(float dt) = 0;
  virtual void SetEndValue() = 0;

  UIWidget* widget_;

 private:
  std::string endScript_;
  CountdownTimer duration_;
  CountdownTimer delay_;
  bool suppressEndScript_ = false;
  bool instant_;
  bool done_ = false;
};

// A straight move between two positions relative to the widget's parent.
class UIMove : public UIMover {
 public:
  UIMove(UIWidget* widget, float delay, float duration, const math::Vec2& from, const math::Vec2& to,
         const std::string& endScript);

 protected:
  void Apply(float dt) override;
  void SetEndValue() override;

 private:
  math::Vec2 from_, to_;
};

// Wobbles the widget about its position (relative to its parent) on each
// axis by amplitude x sin(clock / period x 6.28318 + phase). It has no end:
// it wobbles until cleared or until another mover is queued behind it, then
// puts the widget back at the base position without a script.
class UISine : public UIMover {
 public:
  static constexpr float kTurn = 6.28318f;

  // Each axis: x amplitude, y period (seconds), z offset (seconds). A period
  // of 0 or less leaves that axis still.
  UISine(UIWidget* widget, const math::Vec3& xAxis, const math::Vec3& yAxis);
  void Update(float dt) override;

 protected:
  void Apply(float dt) override;
  void SetEndValue() override;

 private:
  struct Axis {
    float amplitude = 0, period = 0, phase = 0;
    float At(float clock) const;
  };
  math::Vec2 base_;
  Axis x_, y_;
  float clock_ = 0;
};

// Fades the widget's alpha; red, green and blue are 1 throughout.
class UIXFade : public UIMover {
 public:
  UIXFade(UIWidget* widget, float delay, float duration, float fromAlpha, float toAlpha,
          const std::string& endScript);

 protected:
  void Apply(float dt) override;
  void SetEndValue() override;

 private:
  float from_, to_;
};

// Sweeps a progress bar's value, clamped to 0 .. 1 on the way and at the end.
class UIMoveProgress : public UIMover {
 public:
  UIMoveProgress(UIProgress* bar, float duration, float from, float to, const std::string& endScript);

 protected:
  void Apply(float dt) override;
  void SetEndValue() override;

 private:
  UIProgress* bar_;
  float from_, to_;
};

// Loads an image into the widget's image 0 once its delay is over.
class UISetImage : public UIMover {
 public:
  UISetImage(UIWidget* widget, float delay, const std::string& image, const std::string& endScript);

 protected:
  void Apply(float) override {}
  void SetEndValue() override;

 private:
  std::string image_;
};

}  // namespace ui
