// The view and projection of the 3D pass, the matrices and frustum derived
// from them, and the bracket around each frame's drawing that concrete
// cameras give. Matrices are left-handed and row-vector, as the renderer's.
#pragma once
#include <cstdint>
#include <memory>

#include "core/math/frustum.h"
#include "core/math/matrix4.h"
#include "core/math/vector.h"
#include "platform/d3d8/d3d8.h"
#include "render/cameras/camera_controller.h"

namespace camera {

class AbstractCamera {
 public:
  // fov is the vertical field of view in degrees, aspect width over height.
  AbstractCamera(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up, float fov, float aspect,
                 float nearPlane, float farPlane);
  virtual ~AbstractCamera();
  AbstractCamera(const AbstractCamera&) = delete;
  AbstractCamera& operator=(const AbstractCamera&) = delete;

  // Starts the frame: false when nothing may be drawn.
  virtual bool Begin(bool clear) = 0;
  virtual bool End() = 0;
  // The other camera's place, view direction and projection.
  virtual void CopyFrom(const AbstractCamera& other);
  // As CopyFrom, turned by the unit quaternion in the other camera's own
  // axes: the identity gives the other camera itself.
  virtual void CopyFromRotated(const AbstractCamera& other, const math::Vec4& rotation);
  // The controller moves the camera, when there is one.
  virtual void Update(float elapsed);

  void LookAt(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up);
  void SetProjection(float nearPlane, float farPlane, float fov, float aspect);
  // The world direction of the ray through a point in 0..1 screen units; not
  // normalised.
  math::Vec3 ScreenToWorldDir(const math::Vec2& point) const;

  // The camera owns the controller and deletes the one it replaces.
  void SetController(CameraController* controller) { controller_.reset(controller); }
  CameraController* GetController() const { return controller_.get(); }
  // Set on the device at every Begin from now on.
  void SetViewport(const D3DVIEWPORT8& viewport) { viewport_ = std::make_unique<D3DVIEWPORT8>(viewport); }
  const D3DVIEWPORT8* GetViewport() const { return viewport_.get(); }

  uint32_t GetClearColour() const { return clearColour_; }
  void SetClearColour(uint32_t argb) { clearColour_ = argb; }

  const math::Matrix4& GetView() const { return view_; }
  const math::Matrix4& GetProjection() const { return projection_; }
  const math::Matrix4& GetViewProjection() const { return viewProjection_; }
  const math::Matrix4& GetInverseViewProjection() const { return inverseViewProjection_; }
  const math::Matrix4& GetInverseView() const { return inverseView_; }
  const math::Matrix4& GetInverseProjection() const { return inverseProjection_; }
  const math::Frustum& GetFrustum() const { return frustum_; }
  const math::Vec3& GetEye() const { return eye_; }
  const math::Vec3& GetDirection() const { return direction_; }
  const math::Vec3& GetUp() const { return up_; }
  const math::Vec3& GetRight() const { return right_; }
  float GetFov() const { return fov_; }
  float GetAspect() const { return aspect_; }
  float GetNear() const { return near_; }
  float GetFar() const { return far_; }
  uint32_t GetScreenWidth() const { return screenWidth_; }
  uint32_t GetScreenHeight() const { return screenHeight_; }

 protected:
  // The products, inverses and frustum of the current view and projection.
  void UpdateMatrices();

  math::Matrix4 view_;
  math::Vec3 eye_;
  math::Vec3 direction_;
  math::Vec3 up_;
  math::Vec3 right_;
  math::Matrix4 projection_;
  float fov_ = 0.0f;
  float aspect_ = 0.0f;
  float near_ = 0.0f;
  float far_ = 0.0f;
  math::Frustum frustum_;
  math::Matrix4 viewProjection_;
  math::Matrix4 inverseViewProjection_;
  math::Matrix4 inverseView_;
  math::Matrix4 inverseProjection_;
  uint32_t clearColour_ = 0xFF000000u;
  uint32_t screenHeight_ = 1;
  uint32_t screenWidth_ = 1;
  std::unique_ptr<D3DVIEWPORT8> viewport_;
  std::unique_ptr<CameraController> controller_;
};

// The matrix in the renderer's layout.
D3DMATRIX ToD3DMatrix(const math::Matrix4& matrix);

}  // namespace camera
