// The 3D particle system: bursts and pools, emitters, forces, cells and the
// quads it draws.
#include <gtest/gtest.h>

#include <cmath>

#include "core/math/random.h"
#include "core/script/lua_test_support.h"
#include "render/lua_table.h"
#include "render/particles/particle_system.h"
#include "render/recording_graphics.h"

namespace {

using partsys::Particle;
using partsys::ParticleGroup;
using partsys::ParticleSystem;

class ParticleSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { num::GetRandom().Seed(1234); }

  // A system of one group made from the table's Lua source.
  ParticleGroup* Group(const std::string& source) {
    system_.AddParticleGroup(lua_.Value(source));
    return system_.GetGroup(system_.GroupC() - 1);
  }
  std::vector<const Particle*> Alive(ParticleGroup* group) {
    std::vector<const Particle*> alive;
    for (int i = 0; i < group->GetMaxC(); ++i) {
      if (group->GetParticles()[i].alive) alive.push_back(&group->GetParticles()[i]);
    }
    return alive;
  }

  RecordingGraphics graphics_;
  LuaTables lua_;
  ParticleSystem system_;
};

TEST_F(ParticleSystemTest, BurstFillsThePoolOnceAndRebirthKeepsItFull) {
  ParticleGroup* capped = Group("{ StartC = 50, MaxC = 10, Emitter = {} }");
  ParticleGroup* full = Group("{ Emitter = { MinLife = 0.5, MaxLife = 0.5 } }");
  ParticleGroup* mortal = Group("{ StartC = 5, MaxC = 5, Rebirth = 0, Emitter = { MinLife = 0.5, MaxLife = 0.5 } }");
  ParticleGroup* barren = Group("{ StartC = 5, MaxC = 5 }");
  system_.Update(0.1f);
  EXPECT_EQ(10, capped->liveCount);
  EXPECT_EQ(1000, full->liveCount);
  EXPECT_EQ(5, mortal->liveCount);
  EXPECT_EQ(0, barren->liveCount) << "no emitter, no particles";
  system_.Update(0.3f);
  system_.Update(0.3f);
  EXPECT_EQ(1000, full->liveCount);
  EXPECT_EQ(0, mortal->liveCount);
  EXPECT_EQ(10, capped->liveCount) << "the burst happens once";
}

TEST_F(ParticleSystemTest, EmitterRanges) {
  struct Case {
    const char* emitter;
    math::Vec3 velocity;
  } cases[] = {
      {"{ MinForce = {0, 0, 0}, MaxForce = {0, 0, 0}, MinMag = 2 }", {0, 0, 0}},
      {"{ MinForce = {10, 0, 0}, MaxForce = {10, 0, 0}, MaxMag = 4 }", {4, 0, 0}},
      {"{ MinForce = {0, 1, 0}, MaxForce = {0, 1, 0}, MinMag = 3 }", {0, 3, 0}},
  };
  for (const Case& c : cases) {
    ParticleGroup* group = Group(std::string("{ StartC = 1, MaxC = 1, Emitter = ") + c.emitter + " }");
    system_.Update(0.0f);
    const Particle& p = group->GetParticles()[0];
    EXPECT_NEAR(c.velocity.x, p.velocity.x, 1e-5f) << c.emitter;
    EXPECT_NEAR(c.velocity.y, p.velocity.y, 1e-5f) << c.emitter;
    EXPECT_NEAR(c.velocity.z, p.velocity.z, 1e-5f) << c.emitter;
  }

  ParticleGroup* box = Group("{ StartC = 500, MaxC = 500, Emitter = { Type = 'box', BoxSize = {1, 1, 1} } }");
  system_.Update(0.0f);
  float widest = 0.0f;
  for (const Particle* p : Alive(box)) {
    widest = std::max({widest, std::fabs(p->position.x), std::fabs(p->position.y), std::fabs(p->position.z)});
  }
  EXPECT_LE(widest, 6.0f);
  EXPECT_GT(widest, 5.0f) << "the box reaches past its own size by Range";
}

TEST_F(ParticleSystemTest, MeshEmitterSpawnsOnItsEdgesOrAtTheBasePosition) {
  ParticleGroup* group = Group("{ StartC = 0, MaxC = 50, Emitter = { Type = 'MESH', Range = 0 } }");
  auto* mesh = dynamic_cast<partsys::ParticleEmitterMesh*>(group->GetEmitter());
  ASSERT_NE(nullptr, mesh) << "the type is compared lower-cased";
  Particle p;
  mesh->Spawn(math::Matrix4::Identity(), p);
  EXPECT_EQ(0.0f, p.position.MagSqr()) << "without edges the base spawn stands";
  mesh->SetMesh({{0, 0, 0}, {10, 0, 0}}, {{0, 1}, {0, 7}});
  math::Matrix4 frame = math::Matrix4::Identity();
  frame.m[3][1] = 5.0f;
  for (int i = 0; i < 20; ++i) {
    mesh->Spawn(frame, p);
    EXPECT_GE(p.position.x, 0.0f);
    EXPECT_LE(p.position.x, 10.0f);
    EXPECT_EQ(5.0f, p.position.y);
  }
}

TEST_F(ParticleSystemTest, ForcesMoveBounceAndKill) {
  ParticleGroup* group = Group(
      "{ StartC = 0, MaxC = 4, Rebirth = 0, Emitter = { MinLife = 100, MaxLife = 100 }, Forces = {"
      " { Type = 'SphereEx', Action = 'BOUNCE', Magnitude = 2, BounceForce = 0.5 },"
      " { Type = 'KillPlane', Height = -10 }, { Type = 'nonsense' }, 7 } }");
  Particle* p = group->GetFreeParticle();
  group->GetEmitter()->InitParticle({1, 0, 0}, *p);
  p->velocity = {-4, 0, 0};
  ++group->liveCount;
  Particle* low = group->GetFreeParticle();
  group->GetEmitter()->InitParticle({50, -11, 0}, *low);
  low->velocity = {};
  ++group->liveCount;
  system_.Update(0.0f);
  EXPECT_NEAR(2.0f, p->position.x, 1e-5f) << "put on the surface";
  EXPECT_NEAR(2.0f, p->velocity.x, 1e-5f) << "reflected at half speed";
  EXPECT_FALSE(low->alive) << "below the kill plane";
  EXPECT_EQ(1, group->liveCount);
}

TEST_F(ParticleSystemTest, AttractorKinds) {
  Particle at[2];
  at[0].alive = at[1].alive = 1;
  struct Case {
    const char* type;
    float pull;  // velocity gained by a particle 2 away, in 1 s with Magnitude 1
  } cases[] = {{"constant", 1.0f}, {"Linear", 2.0f}, {"invlinear", 0.5f}, {"InvSqr", 0.25f}, {"other", 1.0f}};
  for (const Case& c : cases) {
    auto force = ParticleGroup::GetForce(lua_.Value(std::string("{ Type = 'attractor', AttractorType = '") +
                                                    c.type + "' }"));
    ASSERT_NE(nullptr, force);
    at[0].position = {2, 0, 0}, at[0].velocity = {};
    at[1].position = {}, at[1].velocity = {};
    force->Apply(math::Matrix4::Identity(), at, 2, 1.0f);
    EXPECT_NEAR(-c.pull, at[0].velocity.x, 1e-5f) << c.type;
    EXPECT_TRUE(std::isfinite(at[1].velocity.x)) << c.type;
    EXPECT_EQ(0.0f, at[1].velocity.MagSqr()) << c.type << ": a particle on the point is left alone";
  }
}

TEST_F(ParticleSystemTest, CellsFollowAgeAndDegenerateSubsetsShowCellZero) {
  struct Case {
    const char* subset;
    float u;
  } cases[] = {
      {"{ Width = 3, Height = 3, FrameC = 5, FrameTime = 0.12 }", 0.0f},
      {"{ Width = 3, Height = 3, FrameC = 5, FrameTime = 0.3 }", 2.0f / 3.0f},
      {"{ Width = 3, Height = 3, FrameC = 0 }", 0.0f},
      {"{ Width = 3, Height = 3, FrameTime = 0 }", 0.0f},
  };
  for (const Case& c : cases) {
    ParticleGroup* group =
        Group(std::string("{ StartC = 1, MaxC = 1, Emitter = { MinLife = 9, MaxLife = 9 }, ImageSubSet = ") +
              c.subset + " }");
    system_.Update(0.0f);
    group->GetParticles()[0].age = 0.65f;
    system_.Update(0.0f);
    EXPECT_NEAR(c.u, group->GetParticles()[0].uMin, 1e-5f) << c.subset;
  }
}

TEST_F(ParticleSystemTest, QuadsAreDrawnInBatchesOf333) {
  Group("{ StartC = 400, MaxC = 400, Texture = 'spark_16x16.png' }");
  ParticleGroup* plain = Group("{ StartC = 1, MaxC = 1, Emitter = { MinSize = 1, MaxSize = 1 } }");
  Group("{ StartC = 400, MaxC = 400, Texture = 'spark_16x16.png', Emitter = {} }");
  system_.Update(0.0f);
  plain->GetParticles()[0].position = {};
  plain->GetParticles()[0].velocity = {0, 1, 0};
  graphics_.calls.clear();
  system_.Render(math::Matrix4::Identity(), 1.0f);
  ASSERT_EQ(3u, graphics_.draws3D.size());
  EXPECT_EQ(6u, graphics_.draws3D[0].first);
  EXPECT_EQ(1998u, graphics_.draws3D[1].first);
  EXPECT_EQ(402u, graphics_.draws3D[2].first);
  ASSERT_EQ(2u, graphics_.calls.size()) << "the untextured group unbinds stage 0, the textured one binds";
  EXPECT_EQ(RecordingGraphics::Bind(nullptr), graphics_.calls[0]);
  EXPECT_EQ(RecordingGraphics::Bind(graphics_.TextureOf("spark_16x16.png")), graphics_.calls[1]);
  const std::vector<Vertex3D>& quad = graphics_.drawn3D[0];
  EXPECT_EQ(1.0f, quad[1].x) << "velocity straight up keeps the quad unturned";
  EXPECT_EQ(1.0f, quad[1].y);
}

TEST_F(ParticleSystemTest, BadPoolsAndFilesAreRefusedWithALogLine) {
  testsupport::LogCapture log;
  ParticleGroup* negative = Group("{ MaxC = -5, Emitter = {} }");
  ParticleGroup* huge = Group("{ MaxC = 2000000000, Emitter = {} }");
  system_.Update(0.1f);
  EXPECT_EQ(0, negative->GetMaxC());
  EXPECT_EQ(0, huge->GetMaxC());
  EXPECT_EQ(2u, log.At(MSG_ERROR).size());

  testsupport::ScratchDir scratch;
  ParticleSystem system;
  EXPECT_FALSE(system.Load(scratch.Path("missing.lua")));
  EXPECT_FALSE(system.Load(scratch.Write("empty.lua", "Other = {}")));
  EXPECT_TRUE(log.Has("\t Error loading Particle system object " + scratch.Path("empty.lua")));
  EXPECT_TRUE(system.Load(scratch.Write("two.lua", "ParticleGroups = { { MaxC = 3 }, 5 }")));
  EXPECT_EQ(2u, system.GroupC());
  EXPECT_EQ(scratch.Path("two.lua"), system.GetFileName());
}

}  // namespace
