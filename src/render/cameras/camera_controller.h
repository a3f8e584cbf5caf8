// Moves a camera each frame; the camera it is attached to owns it.
#pragma once

namespace camera {

class AbstractCamera;

class CameraController {
 public:
  CameraController() = default;
  virtual ~CameraController();
  CameraController(const CameraController&) = delete;
  CameraController& operator=(const CameraController&) = delete;

  virtual void Update(AbstractCamera& camera, float elapsed) = 0;
};

}  // namespace camera
