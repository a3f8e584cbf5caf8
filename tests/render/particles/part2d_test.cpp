// The 2D particle system: colour tables, births, generation, death actions,
// drawing batches, the ".p2d" files and the script classes.
#include <gtest/gtest.h>
#include <luabind/luabind.hpp>

#include <cmath>
#include <cstdlib>

#include "core/math/random.h"
#include "render/lua_table.h"
#include "render/particles/part2d.h"
#include "render/sprite_test_support.h"

namespace {

using part2d::Part2D;
using part2d::PartGroup;

class Part2DTest : public sprite_testing::SpriteTest {
 protected:
  void SetUp() override {
    num::GetRandom().Seed(99);
    std::srand(7);
  }
  // A group of the system with an image, so that it ticks and draws.
  PartGroup* Group(int maxC = 100) {
    PartGroup* group = system_.CreateGroup();
    group->SetMaxC(maxC);
    group->SetImage("dot_16x16.png");
    return group;
  }

  Part2D system_;
  testsupport::ScratchDir scratch_;
};

TEST_F(Part2DTest, ColourTableRunsFromKeyToKey) {
  PartGroup* group = Group();
  EXPECT_EQ(0xFFFFFFFFu, group->GetColour(0));
  EXPECT_EQ(0xFFFFFFFFu, group->GetColour(255));
  group->AddColor(1, 0, 0, 1);
  EXPECT_EQ(0xFFFF0000u, group->GetColour(0));
  EXPECT_EQ(0xFFFF0000u, group->GetColour(255));
  group->AddColor(0, 0, 1, 0);
  EXPECT_EQ(PackARGB(1.0f / 128, 0, 127.0f / 128, 1.0f / 128), group->GetColour(127));
  EXPECT_EQ(0x000000FFu, group->GetColour(128));
  EXPECT_EQ(0x000000FFu, group->GetColour(255));
  group->AddColor(0, 1, 0, 1);
  EXPECT_EQ(0x000000FFu, group->GetColour(85));
  EXPECT_EQ(0xFF00FF00u, group->GetColour(170));
  EXPECT_EQ(0xFF00FF00u, group->GetColour(255));
  group->ClearColors();
  EXPECT_EQ(0xFFFFFFFFu, group->GetColour(128));
}

TEST_F(Part2DTest, BirthRangesSpeedFloorAndSquareParticles) {
  PartGroup* group = Group();
  group->minSpeedMag = 0.05f;
  group->sizeFromMin = {0.1f, 0.5f};
  group->sizeFromMax = {0.1f, 0.5f};
  part2d::Particle* p = group->AddParticle({0.5f, 0.5f});
  ASSERT_NE(nullptr, p);
  EXPECT_FLOAT_EQ(0.05f, p->speed);
  EXPECT_NEAR(0.6f, p->direction.x, 1e-6f);
  EXPECT_NEAR(0.8f, p->direction.y, 1e-6f);
  EXPECT_FLOAT_EQ(0.1f, p->sizeFrom.y) << "LockRect copies the width";
  group->Tick(1.0f / 8);
  EXPECT_NEAR(0.5f + 0.05f * 0.6f / 8, p->position.x, 1e-6f);

  part2d::Particle* aimed = group->AddParticleDir({0, 0}, {0, 0});
  ASSERT_NE(nullptr, aimed);
  EXPECT_EQ(0.0f, aimed->speed);
  EXPECT_NEAR(std::sqrt(0.5f), aimed->direction.x, 1e-6f);
}

TEST_F(Part2DTest, GenerationCountsWholePeriods) {
  struct Case {
    float rate, dt;
    int made;
  } cases[] = {{0.02f, 0.05f, 2}, {0.25f, 1.0f, 3}, {0.0f, 1.0f, 0}, {-1.0f, 5.0f, 0}};
  for (const Case& c : cases) {
    PartGroup fresh(&system_);
    fresh.SetGenRate(c.rate);
    int made = 0;
    for (bool more = fresh.TickGeneration(c.dt); more; more = fresh.TickGeneration(0.0f)) ++made;
    EXPECT_EQ(c.made, made) << c.rate << " over " << c.dt;
  }
}

TEST_F(Part2DTest, DeathActionsFollowTheirOdds) {
  struct Case {
    const char* die;
    int low, high;  // rebirths of 400 deaths
  } cases[] = {{"{ Group = 1, Probability = 0.5 }", 150, 250},
               {"{ Group = 1, Probability = 1.0 }", 400, 400},
               {"{ Group = 1, Probability = 3 }", 400, 400},
               {"{ Group = 1, Probability = 0 }", 0, 0},
               {"{ Type = 'PART_DIRECTION', Group = 1 }", 400, 400},
               {"{ Group = 7 }", 0, 0}};
  for (const Case& c : cases) {
    Part2D system;
    LuaTables lua;
    std::string path = scratch_.Write("die.p2d", std::string("Part2D = { { Image = 'dot_16x16.png', MaxC = 400, "
                                                             "Lifespan = {0.1, 0.1}, PartDie = ") +
                                                     c.die + " }, { Image = 'dot_16x16.png', MaxC = 400 } }");
    ASSERT_TRUE(system.Load(path));
    for (int i = 0; i < 400; ++i) system.GetGroup(0)->AddParticle({0.5f, 0.5f});
    system.GetGroup(0)->Tick(0.2f);
    const int reborn = system.GetGroup(1)->GetLiveCount();
    EXPECT_GE(reborn, c.low) << c.die;
    EXPECT_LE(reborn, c.high) << c.die;
  }
}

TEST_F(Part2DTest, ParticlesAreDrawnFiftyToABatchEachBoundFirst) {
  PartGroup* group = Group(200);
  for (int i = 0; i < 120; ++i) group->AddParticle({0.5f, 0.5f});
  graphics_.calls.clear();
  EXPECT_TRUE(system_.Draw({0, 0}, {}, {}));
  const Surface* dot = graphics_.TextureOf("dot_16x16.png");
  EXPECT_EQ((std::vector<RecordingGraphics::Call>{RecordingGraphics::Bind(dot), RecordingGraphics::Draw(600),
                                                  RecordingGraphics::Bind(dot), RecordingGraphics::Draw(600),
                                                  RecordingGraphics::Bind(dot), RecordingGraphics::Draw(240)}),
            graphics_.calls);
}

TEST_F(Part2DTest, AGroupWithoutImageStandsStill) {
  PartGroup* group = system_.CreateGroup();
  part2d::Particle* p = group->AddParticle({0.5f, 0.5f});
  ASSERT_NE(nullptr, p);
  const float remaining = p->life.remaining;
  EXPECT_FALSE(group->Tick(0.1f));
  EXPECT_FALSE(group->Draw({0, 0}, {}, {}));
  EXPECT_EQ(remaining, p->life.remaining);
  EXPECT_FALSE(Part2D().Tick(0.1f)) << "no groups";
}

TEST_F(Part2DTest, AttractorsPushToTheirDistanceAndLeaveNoNaN) {
  PartGroup* group = Group();
  part2d::Particle* near = group->AddParticle({0.5f, 0.4f});
  part2d::Particle* on = group->AddParticle({0.5f, 0.5f});
  group->attractorCount = 1;
  group->attractors[0] = {{0.5f, 0.5f}, 0.2f, 0.04f};
  const math::Vec2 heading = on->direction;
  group->ApplyAttractors(group->GetParticles(), group->GetMaxC());
  EXPECT_NEAR(0.3f, near->position.y, 1e-6f);
  EXPECT_NEAR(0.5f - heading.x * 0.2f, on->position.x, 1e-6f);
  EXPECT_TRUE(std::isfinite(on->position.y));
}

TEST_F(Part2DTest, TriggersFeedGroupZero) {
  for (int i = 0; i < 3; ++i) Group();
  system_.TriggerParticleSet(5, {0.5f, 0.5f});
  EXPECT_EQ(5, system_.GetGroup(0)->GetLiveCount());
  EXPECT_EQ(0, system_.GetGroup(1)->GetLiveCount());
  system_.Trigger({0.5f, 0.5f});
  EXPECT_EQ(1, system_.GetGroup(2)->GetLiveCount());
  EXPECT_EQ(nullptr, Part2D().TriggerParticle({0, 0}));
}

TEST_F(Part2DTest, PoolGuardsAndTheBigSystemWarning) {
  LogCapture log;
  for (int i = 0; i < 3; ++i) system_.CreateGroup();
  EXPECT_TRUE(log.At(MSG_ERROR).empty());
  system_.CreateGroup();
  EXPECT_TRUE(log.Has("You're creating a VERY VERY big particle system."));
  PartGroup* group = system_.GetGroup(0);
  for (int bad : {-1, PartGroup::kMaxPool + 1}) {
    group->SetMaxC(bad);
    EXPECT_EQ(0, group->GetMaxC());
    EXPECT_EQ(nullptr, group->AddParticle({0, 0}));
  }
  EXPECT_EQ(3u, log.At(MSG_ERROR).size());
}

TEST_F(Part2DTest, FileEntriesDefaultsAndRepeatedLoads) {
  std::string path = scratch_.Write("mixed.p2d", "Part2D = { 5, {}, { MaxC = 10, Additive = 1, LockRect = true } }");
  ASSERT_TRUE(system_.Load(path));
  ASSERT_EQ(2, system_.GroupC());
  PartGroup* plain = system_.GetGroup(0);
  EXPECT_EQ(100, plain->GetMaxC());
  EXPECT_FALSE(plain->lockRect);
  EXPECT_FLOAT_EQ(0.1f, plain->maxSpeed.x);
  EXPECT_NEAR(1.0f / 60, plain->genRate, 1e-7f);
  EXPECT_EQ(10, system_.GetGroup(1)->GetMaxC());
  EXPECT_TRUE(system_.GetGroup(1)->additive);
  EXPECT_TRUE(system_.GetGroup(1)->lockRect);
  ASSERT_TRUE(system_.Load(path));
  EXPECT_EQ(4, system_.GroupC());

  LogCapture log;
  EXPECT_FALSE(system_.Load(scratch_.Path("none.p2d")));
  EXPECT_TRUE(log.Has("\t Error loading Particle system object " + scratch_.Path("none.p2d")));
  EXPECT_EQ(4, system_.GroupC());
  EXPECT_EQ(path, system_.GetFileName());
  EXPECT_TRUE(Part2D().Load(scratch_.Write("other.p2d", "Other = 1")));
}

TEST_F(Part2DTest, SavedFilesReadBackInStockLuaAndKeepEveryPercent) {
  PartGroup* group = Group(33);
  group->additive = true;
  group->fuzzyBirth = {0.25f, 0.5f};
  group->AddColor(1, 0.5f, 0, 1);
  group->AddColor(0, 0, 1, 0);
  Group(7);
  std::string path = scratch_.Path("saved.p2d");
  ASSERT_TRUE(system_.Save(path));
  EXPECT_EQ(path, system_.GetFileName());
  EXPECT_EQ("dot_16x16.png\t33\t1\t1\t0.5\t0.5\t0\t0.016667\tnil\t7\n",
            testsupport::RunStockLua(path, "local a, b = Part2D[1], Part2D[2] print(a.Image, a.MaxC, a.Additive, "
                                           "a.LockRect, a.FuzzyBirth[2], a.Color[1][2], a.Color[2][4], "
                                           "string.format('%.6f', a.GenRate), b.Color, b.MaxC)"));

  for (int percent = 0; percent <= 100; ++percent) {
    std::string file = scratch_.Write("odds.p2d", "Part2D = { { PartDie = { Probability = " +
                                                      std::to_string(percent / 100.0) + " } } }");
    for (int round = 0; round < 3; ++round) {
      Part2D system;
      ASSERT_TRUE(system.Load(file));
      ASSERT_NE(nullptr, system.GetGroup(0)->GetPartDie());
      EXPECT_EQ(percent, system.GetGroup(0)->GetPartDie()->GetPercent()) << "round " << round;
      ASSERT_TRUE(system.Save(file));
    }
  }
  Part2D odd;
  ASSERT_TRUE(odd.Load(scratch_.Write("odd.p2d", "Part2D = { { PartDie = { Probability = 0.255 } } }")));
  EXPECT_EQ(25, odd.GetGroup(0)->GetPartDie()->GetPercent());
  ASSERT_TRUE(odd.Save(path));
  EXPECT_EQ("0.250000\tpart_rebirth\n",
            testsupport::RunStockLua(path, "local d = Part2D[1].PartDie print(string.format('%.6f', d.Probability), "
                                           "d.Type)"));
  EXPECT_FALSE(odd.Save(scratch_.Path("no/such/folder/x.p2d")));
}

TEST_F(Part2DTest, ScriptsReachGroupsThroughTheSystem) {
  LuaTables lua;
  lua_State* L = lua.State()->GetCState();
  luabind::module(L)[luabind::class_<math::Vec2>("Vec2")
                         .def(luabind::constructor<float, float>())
                         .def_readwrite("x", &math::Vec2::x)
                         .def_readwrite("y", &math::Vec2::y)];
  Part2D::RegisterLua(lua.State());
  Group();
  luabind::globals(L)["sys"] = &system_;
  ASSERT_EQ(0, lua.State()->DoString(
                   "local g = sys:GetGroup(0)\n"
                   "g:SetSize(Vec2(0.1, 0.2), Vec2(0.3, 0.4), Vec2(0.5, 0.6), Vec2(0.7, 0.8))\n"
                   "g:SetInitialSpeed(Vec2(1, 2), Vec2(3, 4), 0.5)\n"
                   "g:SetLifespan(Vec2(2, 3)) g:SetAdditive(true) g:SetLockRect(false) g:SetActive(false)\n"
                   "g:SetStretchSpeed(0.25) g:SetGenRate(0.5) g:SetMaxC(12) g:AddColor(1, 0, 0, 1)\n"
                   "sys:TriggerParticleSet(3, Vec2(0.5, 0.5))\n"
                   "result = string.format('%g %g %g %g %s %s %s %g %g %d %s %d %s', g:GetSizeToMax().y, "
                   "g:GetMaxSpeed().x, g:GetMinSpeedMag(), g:GetLifespan().y, tostring(g:GetAdditive()), "
                   "tostring(g:GetLockRect()), tostring(g:IsActive()), g:GetStretchSpeed(), g:GetGenRate(), "
                   "g:GetMaxC(), g:GetImage(), sys:GroupC(), tostring(sys:GetGroup(5)))\n"
                   "local made = sys:CreateGroup() made:SetImage('spark_8x8.png')\n"));
  EXPECT_EQ("0.8 3 0.5 3 true false false 0.25 0.5 12 dot_16x16.png 1 nil",
            script::ReadString(lua.State()->GetGlobals(), "result", ""));
  EXPECT_EQ(3, system_.GetGroup(0)->GetLiveCount());
  EXPECT_EQ(0xFFFF0000u, system_.GetGroup(0)->GetColour(0));
  ASSERT_EQ(2, system_.GroupC());
  EXPECT_EQ("spark_8x8.png", system_.GetGroup(1)->GetImage());
}

}  // namespace
