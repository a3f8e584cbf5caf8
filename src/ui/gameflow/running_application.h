// What the game-flow manager asks of the running application. The
// application frame lies above the UI, so it hands the manager itself
// through this at start-up; without one the manager renders nothing.
#pragma once

namespace gameflow {

class RunningApplication {
 public:
  virtual ~RunningApplication() = default;

  virtual bool HasFocus() const = 0;
  virtual bool IsInactive() const = 0;
  virtual bool IsFullScreen() const = 0;
  // Resets the graphics device after a frame failed to draw or present.
  virtual void ResetDevice() = 0;
};

}  // namespace gameflow
