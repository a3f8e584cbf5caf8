#include "render/cameras/camera_controller.h"

namespace camera {

CameraController::~CameraController() = default;

}  // namespace camera
