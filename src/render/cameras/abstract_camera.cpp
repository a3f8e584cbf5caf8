#include "render/cameras/abstract_camera.h"

#include <cmath>
#include <cstring>

#include "core/log.h"

namespace camera {

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;

math::Vec3 Row(const math::Matrix4& m, int row) { return {m.m[row][0], m.m[row][1], m.m[row][2]}; }
}  // namespace

D3DMATRIX ToD3DMatrix(const math::Matrix4& matrix) {
  D3DMATRIX out;
  std::memcpy(out.m, matrix.m, sizeof out.m);
  return out;
}

AbstractCamera::AbstractCamera(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up, float fov,
                               float aspect, float nearPlane, float farPlane) {
  LOG_LINE(MSG_INIT, "Camera created");
  LookAt(eye, target, up);
  SetProjection(nearPlane, farPlane, fov, aspect);
}

AbstractCamera::~AbstractCamera() { LOG_LINE(MSG_INIT, "Camera Destroyed"); }

void AbstractCamera::LookAt(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up) {
  eye_ = eye;
  direction_ = (target - eye).Normalize();
  up_ = math::Vec3(up).Normalize();
  right_ = math::Cross(up_, direction_).Normalize();
  up_ = math::Cross(direction_, right_).Normalize();
  view_ = math::LookAtLH(eye, target, up_);
  UpdateMatrices();
}

void AbstractCamera::SetProjection(float nearPlane, float farPlane, float fov, float aspect) {
  fov_ = fov;
  aspect_ = aspect;
  near_ = nearPlane;
  far_ = farPlane;
  const float half = fov * kRadiansPerDegree / 2.0f;
  const float t = std::cos(half) / std::sin(half);
  projection_ = math::Matrix4();
  projection_.m[0][0] = t / aspect;
  projection_.m[1][1] = t;
  projection_.m[2][2] = farPlane / (farPlane - nearPlane);
  projection_.m[2][3] = 1.0f;
  projection_.m[3][2] = -nearPlane * farPlane / (farPlane - nearPlane);
  UpdateMatrices();
}

void AbstractCamera::UpdateMatrices() {
  viewProjection_ = view_ * projection_;
  // A singular matrix (a degenerate view or projection) keeps the last inverse.
  math::Invert(viewProjection_, inverseViewProjection_);
  math::Invert(view_, inverseView_);
  math::Invert(projection_, inverseProjection_);
  frustum_.Build(view_, projection_, false, false);
}

math::Vec3 AbstractCamera::ScreenToWorldDir(const math::Vec2& point) const {
  const float x = (2.0f * point.x - 1.0f) / projection_.m[0][0];
  const float y = -(2.0f * point.y - 1.0f) / projection_.m[1][1];
  return math::TransformNormal({x, y, 1.0f}, inverseView_);
}

void AbstractCamera::CopyFrom(const AbstractCamera& other) {
  LookAt(other.eye_, other.eye_ + other.direction_, other.up_);
  SetProjection(other.near_, other.far_, other.fov_, other.aspect_);
}

void AbstractCamera::CopyFromRotated(const AbstractCamera& other, const math::Vec4& rotation) {
  // The inverse view's rows are the camera's right, up, direction and eye;
  // the rotation turns the first three in those axes.
  const math::Matrix4 turned = math::RotationQuaternion(rotation) * other.inverseView_;
  const math::Vec3 eye = Row(turned, 3);
  LookAt(eye, eye + Row(turned, 2), Row(turned, 1));
  SetProjection(other.near_, other.far_, other.fov_, other.aspect_);
}

void AbstractCamera::Update(float elapsed) {
  if (controller_) controller_->Update(*this, elapsed);
}

}  // namespace camera
