#include "render/cameras/perspective_camera.h"

#include "render/device/graphics.h"

namespace camera {

PerspectiveCamera::PerspectiveCamera(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up,
                                     float fov, float aspect, float nearPlane, float farPlane)
    : AbstractCamera(eye, target, up, fov, aspect, nearPlane, farPlane) {
  const Graphics* graphics = GetGraphics();
  if (!graphics || graphics->GetScreenWidth() == 0 || graphics->GetScreenHeight() == 0) return;
  screenWidth_ = graphics->GetScreenWidth();
  screenHeight_ = graphics->GetScreenHeight();
  SetProjection(nearPlane, farPlane, fov, static_cast<float>(screenWidth_) / static_cast<float>(screenHeight_));
}

bool PerspectiveCamera::Begin(bool clear) {
  Graphics* graphics = GetGraphics();
  if (!graphics || !graphics->BeginScene()) return false;
  graphics->SetTransform(Graphics::kView, ToD3DMatrix(view_));
  graphics->SetTransform(Graphics::kProjection, ToD3DMatrix(projection_));
  if (viewport_) graphics->SetViewport(*viewport_);
  const uint32_t flag = clear ? 1 : 0;
  graphics->Clear(clearColour_, 1.0f, 0, flag, flag, flag);
  return true;
}

bool PerspectiveCamera::End() {
  if (Graphics* graphics = GetGraphics()) graphics->EndScene();
  return true;
}

bool PerspectiveCamera::Present() {
  Graphics* graphics = GetGraphics();
  return graphics ? graphics->Present() : false;
}

}  // namespace camera
