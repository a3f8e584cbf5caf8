// Particles on the real renderer: a 2D and a 3D effect read back from the
// frame where they were put, and nowhere else.
#include <gtest/gtest.h>

#include "render/lua_table.h"
#include "render/particles/part2d.h"
#include "render/particles/particle_system.h"
#include "render/sprite_test_support.h"

namespace {

class ParticleReadbackTest : public sprite_testing::SpriteGraphicsTest {
 protected:
  void Identity(uint32_t transform) {
    D3DMATRIX identity = {};
    for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.0f;
    graphics_->SetTransform(transform, identity);
  }
};

TEST_F(ParticleReadbackTest, TwoDimensionalEffectLandsAtItsTrigger) {
  graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 1, 0);
  part2d::Part2D system;
  part2d::PartGroup* group = system.CreateGroup();
  const std::string white = scratch_.Path("white.png");
  ASSERT_TRUE(image_files::WritePng(white, 16, 16, std::vector<uint32_t>(256, 0xFFFFFFFFu)));
  group->SetImage(white);
  group->AddColor(0, 1, 0, 1);
  group->sizeFromMin = group->sizeFromMax = group->sizeToMin = group->sizeToMax = {0.05f, 0.05f};
  group->maxSpeed = {0, 0};
  group->lifespan = {10, 10};
  system.TriggerParticleSet(3, {0.25f, 0.25f});
  ASSERT_TRUE(system.Draw({0, 0}, {}, {}));
  EXPECT_TRUE(Near(0x00FF00u, Pixel(200, 150), 8));
  EXPECT_EQ(0u, Pixel(600, 450));
}

TEST_F(ParticleReadbackTest, ThreeDimensionalEffectLandsAtItsEmitter) {
  graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 1, 0);
  Identity(Graphics::kView);
  Identity(Graphics::kProjection);
  LuaTables lua;
  partsys::ParticleSystem system;
  system.AddParticleGroup(lua.Value(
      "{ StartC = 5, MaxC = 5, Additive = 0, StartColor = {0, 1, 0}, EndColor = {0, 1, 0}, StartAlpha = 1,"
      " Emitter = { Type = 'box', BoxSize = {0, 0, 0}, Range = 0, MinForce = {0, 0, 0}, MaxForce = {0, 0, 0},"
      " MinSize = 0.5, MaxSize = 0.5, MinLife = 9, MaxLife = 9 } }"));
  system.Update(0.0f);
  ASSERT_TRUE(system.Render(math::Matrix4::Identity(), 1.0f));
  EXPECT_TRUE(Near(0x00FF00u, Pixel(500, 225), 8));
  EXPECT_EQ(0u, Pixel(200, 450));
}

}  // namespace
