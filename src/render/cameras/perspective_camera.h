// The game's 3D camera: a perspective over the whole screen that brackets
// each frame on the graphics device.
#pragma once
#include "render/cameras/abstract_camera.h"

namespace camera {

class PerspectiveCamera : public AbstractCamera {
 public:
  // The aspect follows the graphics resolution; the one given counts only
  // while there is no device to ask.
  PerspectiveCamera(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up, float fov, float aspect,
                    float nearPlane, float farPlane);

  // Begins the scene and sets the view, projection and viewport, then clears
  // to the clear colour when asked; false, with nothing set, when the scene
  // cannot begin (a lost device).
  bool Begin(bool clear) override;
  bool End() override;
  // What the device's Present answers.
  virtual bool Present();
};

}  // namespace camera
