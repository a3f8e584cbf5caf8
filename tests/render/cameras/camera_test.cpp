#include "render/cameras/perspective_camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/math/math_expect.h"
#include "render/graphics_fixture.h"

namespace {

const math::Vec3 kEye{0, 20, -20}, kOrigin{0, 0, 0}, kUp{0, 1, 0};

class CameraTest : public GraphicsTest {
 protected:
  camera::PerspectiveCamera MakeCamera(float aspect = 4.0f / 3.0f) {
    return camera::PerspectiveCamera(kEye, kOrigin, kUp, 60.0f, aspect, 5.0f, 4000.0f);
  }
  D3DMATRIX DeviceTransform(D3DTRANSFORMSTATETYPE type) {
    D3DMATRIX m{};
    graphics_->GetDevice()->GetTransform(type, &m);
    return m;
  }
};

class CountingController : public camera::CameraController {
 public:
  explicit CountingController(int& deleted) : deleted_(deleted) {}
  ~CountingController() override { ++deleted_; }
  void Update(camera::AbstractCamera& camera, float elapsed) override {
    camera.LookAt(camera.GetEye() + math::Vec3(elapsed, 0, 0), kOrigin, kUp);
  }

 private:
  int& deleted_;
};

TEST_F(CameraTest, ProjectionFollowsFieldOfViewAndTheScreensAspect) {
  LogCapture log;
  {
    camera::PerspectiveCamera camera = MakeCamera(2.5f);  // the 800 x 600 screen wins
    EXPECT_TRUE(LogCapture::Has("Camera created"));
    EXPECT_FLOAT_EQ(camera.GetAspect(), 1.3333334f);
    EXPECT_EQ(camera.GetScreenWidth(), 800u);
    EXPECT_EQ(camera.GetScreenHeight(), 600u);
    const math::Matrix4& p = camera.GetProjection();
    EXPECT_FLOAT_EQ(p.m[1][1], 1.7320508f);
    EXPECT_FLOAT_EQ(p.m[0][0], 1.2990381f);
    EXPECT_FLOAT_EQ(p.m[2][2], 4000.0f / 3995.0f);
    EXPECT_EQ(p.m[2][3], 1.0f);
    EXPECT_FLOAT_EQ(p.m[3][2], -5.0f * 4000.0f / 3995.0f);
    EXPECT_EQ(p.m[3][3], 0.0f);
    EXPECT_EQ(camera.GetClearColour(), 0xFF000000u);
  }
  EXPECT_TRUE(LogCapture::Has("Camera Destroyed"));
}

TEST_F(CameraTest, LookAtGivesAnOrthonormalFrameAndTheDerivedMatrices) {
  camera::PerspectiveCamera camera = MakeCamera();
  const float r = std::sqrt(0.5f);
  EXPECT_TRUE(Near(camera.GetDirection(), {0, -r, r}));
  EXPECT_TRUE(Near(camera.GetUp(), {0, r, r}));
  EXPECT_TRUE(Near(camera.GetRight(), {1, 0, 0}));
  EXPECT_TRUE(Near(math::TransformCoord(kEye, camera.GetView()), {0, 0, 0}, 1e-4f));
  EXPECT_TRUE(Near(camera.GetView() * camera.GetInverseView(), math::Matrix4::Identity()));
  EXPECT_TRUE(Near(camera.GetViewProjection() * camera.GetInverseViewProjection(), math::Matrix4::Identity(), 1e-4f));
  EXPECT_TRUE(Near(camera.GetProjection() * camera.GetInverseProjection(), math::Matrix4::Identity()));
  // The frustum's near plane is the projection's third column through the view.
  math::Frustum expected;
  expected.Build(camera.GetView(), camera.GetProjection(), false, false);
  EXPECT_TRUE(Near(camera.GetFrustum().planes[math::Frustum::kNear].normal,
                   expected.planes[math::Frustum::kNear].normal));
  // The origin lies inside every plane.
  for (const math::Plane& plane : camera.GetFrustum().planes) EXPECT_GT(plane.d, 0.0f);
}

TEST_F(CameraTest, ScreenPointsTurnIntoWorldDirections) {
  camera::PerspectiveCamera camera = MakeCamera();
  const math::Matrix4& inverse = camera.GetInverseView();
  EXPECT_TRUE(Near(camera.ScreenToWorldDir({0.5f, 0.5f}), {inverse.m[2][0], inverse.m[2][1], inverse.m[2][2]}));
  EXPECT_TRUE(Near(camera.ScreenToWorldDir({0.5f, 0.5f}), camera.GetDirection()));
  // The right edge leans right by the half-width of the view at distance 1.
  const math::Vec3 right = camera.ScreenToWorldDir({1.0f, 0.5f});
  EXPECT_NEAR(right.x, 1.0f / 1.2990381f, 1e-5f);
  // The top of the screen leans up.
  EXPECT_GT(math::Dot(camera.ScreenToWorldDir({0.5f, 0.0f}), camera.GetUp()), 0.5f);
}

TEST_F(CameraTest, CopiesTakeThePlaceAndProjectionAndTurnInTheOthersAxes) {
  camera::PerspectiveCamera source(kEye, kOrigin, kUp, 45.0f, 1.0f, 1.0f, 100.0f);
  camera::PerspectiveCamera copy = MakeCamera();
  copy.CopyFrom(source);
  EXPECT_TRUE(Near(copy.GetView(), source.GetView()));
  EXPECT_TRUE(Near(copy.GetProjection(), source.GetProjection()));
  EXPECT_EQ(copy.GetFov(), 45.0f);

  camera::PerspectiveCamera turned = MakeCamera();
  turned.CopyFromRotated(source, {0, 0, 0, 1});
  EXPECT_TRUE(Near(turned.GetView(), source.GetView(), 1e-4f));
  // A quarter turn about the camera's own up axis looks along its right.
  const float s = std::sqrt(0.5f);
  turned.CopyFromRotated(source, {0, s, 0, s});
  EXPECT_TRUE(Near(turned.GetEye(), kEye, 1e-4f));
  EXPECT_TRUE(Near(turned.GetDirection(), source.GetRight(), 1e-5f));
  EXPECT_TRUE(Near(turned.GetUp(), source.GetUp(), 1e-5f));
}

TEST_F(CameraTest, ControllerMovesTheCameraAndGoesWithIt) {
  int deleted = 0;
  {
    camera::PerspectiveCamera camera = MakeCamera();
    camera.Update(0.5f);  // no controller: nothing moves
    EXPECT_TRUE(Near(camera.GetEye(), kEye));
    camera.SetController(new CountingController(deleted));
    camera.Update(0.5f);
    EXPECT_TRUE(Near(camera.GetEye(), {0.5f, 20, -20}));
    camera.SetController(new CountingController(deleted));
    EXPECT_EQ(deleted, 1);
  }
  EXPECT_EQ(deleted, 2);
}

TEST_F(CameraTest, BeginSetsTheTransformsAndClearsUnlessTheDeviceIsLost) {
  graphics_->EndScene();
  camera::PerspectiveCamera camera = MakeCamera();
  camera.SetClearColour(0xFF336699u);
  ASSERT_TRUE(camera.Begin(true));
  EXPECT_EQ(std::memcmp(DeviceTransform(D3DTS_VIEW).m, camera.GetView().m, sizeof(D3DMATRIX)), 0);
  EXPECT_EQ(std::memcmp(DeviceTransform(D3DTS_PROJECTION).m, camera.GetProjection().m, sizeof(D3DMATRIX)), 0);
  EXPECT_EQ(Pixel(400, 300), 0x336699u);
  EXPECT_TRUE(camera.End());
  EXPECT_TRUE(camera.Present());

  // Without clearing, the last frame stays; a viewport is set.
  camera.SetClearColour(0xFF000000u);
  camera.SetViewport({0, 0, 400, 300, 0.0f, 1.0f});
  ASSERT_TRUE(camera.Begin(false));
  D3DVIEWPORT8 viewport{};
  graphics_->GetDevice()->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 400u);
  EXPECT_EQ(Pixel(400, 300), 0x336699u);
  camera.End();

  // A lost device: no scene, no transform, nothing cleared.
  const math::Matrix4 identity = math::Matrix4::Identity();
  graphics_->SetTransform(Graphics::kView, camera::ToD3DMatrix(identity));
  platform::testing::LoseDevice(graphics_->GetDevice());
  EXPECT_FALSE(camera.Begin(true));
  EXPECT_EQ(std::memcmp(DeviceTransform(D3DTS_VIEW).m, identity.m, sizeof(D3DMATRIX)), 0);
  EXPECT_EQ(Pixel(400, 300), 0x336699u);
}

}  // namespace
