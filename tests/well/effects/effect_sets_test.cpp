#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/particles/part2d.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "ui/widgets/ui_widget.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"
#include "well/effects/simple_sfx.h"
#include "well/effects/sprite_sfx_set.h"
#include "well/effects/text_sfx.h"
#include "well/effects/well_sfx.h"

namespace {

using Call = RecordingGraphics::Call;

// The first vertex of a draw, in pixels.
struct Corner {
  float x, y;
};

class EffectSetsTest : public ::testing::Test {
 protected:
  void TearDown() override { ui::GetSpriteSet()->Clear(); }

  // An animation of `frames` frames at `rate` frames a second.
  void AddEntry(const std::string& name, int frames, float rate) {
    ASSERT_TRUE(ui::GetSpriteSet()->AddSprite(name, name + "_64x64.png", frames, 1.0f / rate, 0, 0, false, false,
                                              0, 0));
  }
  // The first vertex of each draw that `draw` makes.
  std::vector<Corner> Corners(const std::function<void()>& draw) {
    graphics_.drawn.clear();
    draw();
    std::vector<Corner> corners;
    for (const auto& vertices : graphics_.drawn) corners.push_back({vertices[0].x, vertices[0].y});
    return corners;
  }
  size_t Draws() const {
    size_t draws = 0;
    for (const Call& call : graphics_.calls) draws += call.kind == Call::kDraw;
    return draws;
  }

  RecordingGraphics graphics_;
  well::WellSFX effects_{nullptr, nullptr};
};

TEST_F(EffectSetsTest, ExplosionsDrawTwelveDiscsACallInsideTheAdditiveBlend) {
  well::ExplosionSFXSet set(nullptr, &effects_);
  set.Load("strip_64x8.png", 140, 0xFFFF0000u, 0xFF00FF00u);
  for (int i = 0; i < 141; ++i) set.Trigger({0.5f, 0.5f}, 1.0f, 0.1f, 0.2f);
  EXPECT_EQ(set.GetRunningCount(), 140u) << "the request past a full pool is dropped";
  set.Draw();
  const Surface* strip = graphics_.TextureOf("strip_64x8.png");
  std::vector<Call> expected;
  for (int batch = 0; batch < 11; ++batch) {
    expected.push_back(RecordingGraphics::Bind(strip));
    expected.push_back(RecordingGraphics::Draw(12 * 48));
  }
  expected.push_back(RecordingGraphics::Bind(strip));
  expected.push_back(RecordingGraphics::Draw(8 * 48));
  EXPECT_EQ(graphics_.calls, expected);
  const std::vector<std::pair<uint32_t, uint32_t>> states = {
      {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha}, {Graphics::kDestBlend, Graphics::kBlendOne},
      {Graphics::kAlphaTest, 0}, {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha},
      {Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha}, {Graphics::kAlphaTest, 1}};
  EXPECT_EQ(graphics_.renderStates, states);
}

TEST_F(EffectSetsTest, AnExplosionShrinksAndFadesToBrightnessTenThenStops) {
  well::ExplosionSFXSet set(nullptr, &effects_);
  set.Load("strip_64x8.png", 2, 0, 0);
  set.Trigger({0.5f, 0.5f}, 1.0f, 0.1f, 0.0f);
  const struct {
    float dt;
    float radiusPixels;  // along x: the size times the screen width
    uint32_t centre;
  } rows[] = {
      {0.0f, 80.0f, 0xFFFFFFFFu}, {0.25f, 60.0f, 0xBFBFBFBFu}, {0.25f, 40.0f, 0x7F7F7F7Fu},
      {0.46875f, 2.5f, 0x0A0A0A0Au},  // progress 0.96875: 7 by the ramp, held at 10
  };
  for (const auto& row : rows) {
    set.Tick(row.dt);
    graphics_.drawn.clear();
    set.Draw();
    ASSERT_EQ(graphics_.drawn.size(), 1u);
    const std::vector<Vertex2D>& disc = graphics_.drawn[0];
    ASSERT_EQ(disc.size(), 48u);
    EXPECT_EQ(disc[0].diffuse, row.centre);
    EXPECT_EQ(disc[1].diffuse, 0x00FFFFFFu) << "the rim is white, transparent";
    EXPECT_NEAR(disc[1].x - disc[0].x, row.radiusPixels, 0.01f);
  }
  set.Tick(0.1f);
  EXPECT_EQ(set.GetRunningCount(), 0u);
  graphics_.calls.clear();
  graphics_.renderStates.clear();
  set.Draw();
  EXPECT_TRUE(graphics_.calls.empty());
  EXPECT_TRUE(graphics_.renderStates.empty()) << "nothing running, nothing switched";
}

// Explosions and particles lie in board space and follow the offset (the
// board's scroll); sprite, overlay and text effects keep their screen place.
TEST_F(EffectSetsTest, TheOffsetMovesBoardSpaceDrawsOnly) {
  AddEntry("flash", 4, 8.0f);
  well::SpriteSFXSet sprites(nullptr, &effects_);
  sprites.Load("sparkle_32x32.png", "", 2);
  sprites.Trigger({0.2f, 0.2f}, {0.05f, 0.05f}, 1.0f);
  well::SimpleSFX overlays(nullptr, &effects_, "flash", 2, false, false);
  overlays.Trigger({0.3f, 0.3f}, {0.05f, 0.05f}, 0xFFFFFFFFu);
  well::ExplosionSFXSet explosions(nullptr, &effects_);
  explosions.Load("strip_64x8.png", 2, 0, 0);
  explosions.Trigger({0.4f, 0.4f}, 1.0f, 0.05f, 0.05f);
  well::Part2DSFXSet particles(nullptr, &effects_);
  ASSERT_TRUE(particles.Load(VANTOR_TEST_DATA "/spark.p2d"));
  particles.TriggerCount(1.0f, {0.5f, 0.5f});

  struct Drawn {
    const char* name;
    well::SFXSet* set;
    bool follows;
  };
  const Drawn sets[] = {{"sprites", &sprites, false}, {"overlays", &overlays, false},
                        {"explosions", &explosions, true}, {"particles", &particles, true}};
  for (const Drawn& drawn : sets) {
    effects_.SetOffset({0.0f, 0.0f});
    const std::vector<Corner> before = Corners([&] { drawn.set->Draw(); });
    effects_.SetOffset({0.1f, 0.05f});
    const std::vector<Corner> after = Corners([&] { drawn.set->Draw(); });
    ASSERT_EQ(before.size(), 1u) << drawn.name;
    ASSERT_EQ(after.size(), 1u) << drawn.name;
    const float dx = drawn.follows ? -80.0f : 0.0f, dy = drawn.follows ? -30.0f : 0.0f;
    EXPECT_NEAR(after[0].x - before[0].x, dx, 0.01f) << drawn.name;
    EXPECT_NEAR(after[0].y - before[0].y, dy, 0.01f) << drawn.name;
  }
}

TEST_F(EffectSetsTest, SpriteEffectsDriftUntilTheirTimeRunsOutAndAFullPoolRefuses) {
  // Counts the items that finished.
  class CountingSet : public well::SpriteSFXSet {
   public:
    using SpriteSFXSet::SpriteSFXSet;
    void OnItemDone(well::SpriteSFX*) override { ++done; }
    int done = 0;
  } set(nullptr, &effects_);
  set.Load("a_32x32.png", "b_16x16.png", 2);
  well::SpriteSFX* first = set.Trigger({0.1f, 0.1f}, {0.05f, 0.05f}, 1.0f);
  ASSERT_NE(first, nullptr);
  first->velocity = {0.2f, 0.0f};
  well::SpriteSFX* second = set.Trigger({0.5f, 0.5f}, {0.05f, 0.05f}, 0.25f);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(set.Trigger({0.7f, 0.7f}, {0.05f, 0.05f}, 1.0f), nullptr) << "every item runs";
  set.Draw();
  EXPECT_EQ(Draws(), 4u) << "both images of both items";
  set.Tick(0.5f);
  EXPECT_EQ(set.done, 1);
  EXPECT_NEAR(first->position.x, 0.2f, 1e-6f);
  EXPECT_EQ(set.Trigger({0.7f, 0.7f}, {0.05f, 0.05f}, 1.0f), second) << "the finished item starts again";
  // A table of empty slots starts nothing.
  set.Init(3);
  EXPECT_EQ(set.GetSize(), 3u);
  EXPECT_EQ(set.Trigger({0.1f, 0.1f}, {0.05f, 0.05f}, 1.0f), nullptr);
}

TEST_F(EffectSetsTest, OverlaysPlayTheirAnimationOnceAndAPlainImageStopsAfterOneTick) {
  AddEntry("burst", 4, 8.0f);  // one cycle: 0.5 s
  well::SimpleSFX animated(nullptr, &effects_, "burst", 2, false, true);
  well::SimpleSFX plain(nullptr, &effects_, "still_32x32.png", 1, false, false);
  EXPECT_NEAR(animated.GetFrameSize().x, 64.0f / 4.0f / 800.0f, 1e-6f);
  EXPECT_NEAR(plain.GetFrameSize().y, 32.0f / 600.0f, 1e-6f);
  for (int i = 0; i < 3; ++i) animated.Trigger({0.1f, 0.1f}, {0.05f, 0.05f}, 0xFFFFFFFFu);
  plain.Trigger({0.1f, 0.1f}, {0.05f, 0.05f}, 0x80FFFFFFu);
  EXPECT_EQ(animated.GetRunningCount(), 2u) << "the third start finds no free item";
  EXPECT_EQ(plain.GetItem(0).sprite.colour, 0x80FFFFFFu);
  plain.Tick(0.01f);
  EXPECT_EQ(plain.GetRunningCount(), 0u);
  animated.Tick(0.25f);
  EXPECT_EQ(animated.GetRunningCount(), 2u);
  graphics_.renderStates.clear();
  animated.Draw();
  EXPECT_EQ(Draws(), 2u);
  EXPECT_FALSE(graphics_.renderStates.empty()) << "additive overlays switch the blend";
  animated.Tick(0.3f);
  EXPECT_EQ(animated.GetRunningCount(), 0u);
  graphics_.calls.clear();
  animated.Draw();
  EXPECT_EQ(Draws(), 0u);
}

TEST_F(EffectSetsTest, TextEffectsAreMadeAsNamedWidgetsAndStartedByNothing) {
  well::TextSFX set(nullptr, &effects_, "", "tinyfont", 5.0f, 15, true, 0);
  ASSERT_EQ(set.GetItems().size(), 15u);
  for (const well::TextSFX::Item& item : set.GetItems()) {
    EXPECT_EQ(item.widget->GetName(), "TestFX");
    EXPECT_FALSE(item.active);
    EXPECT_FLOAT_EQ(item.timer.remaining, 5.0f);
  }
  set.Tick(1.0f);
  set.Draw();
  EXPECT_TRUE(graphics_.calls.empty());
}

TEST_F(EffectSetsTest, SetsLoadedFromOneFileEachRunASystemOfTheirOwn) {
  // The file is read once; the second set's deaths must still feed its own
  // groups, and neither set's particles show in the other.
  well::Part2DSFXSet first(nullptr, &effects_);
  well::Part2DSFXSet second(nullptr, &effects_);
  ASSERT_TRUE(first.Load(VANTOR_TEST_DATA "/spark_dies.p2d"));
  ASSERT_TRUE(second.Load(VANTOR_TEST_DATA "/spark_dies.p2d"));
  part2d::Part2D& a = *first.GetSystem();
  part2d::Part2D& b = *second.GetSystem();
  ASSERT_NE(&a, &b);
  ASSERT_EQ(b.GroupC(), 2);
  EXPECT_EQ(b.GetFileName(), VANTOR_TEST_DATA "/spark_dies.p2d");
  EXPECT_EQ(b.GetGroup(1)->GetMaxC(), 4);
  EXPECT_EQ(b.GetGroup(1)->GetColour(0), 0xFFFF0000u);
  EXPECT_EQ(b.GetGroup(1)->GetImage(), "dot_8x8.png");
  second.TriggerCount(1.0f, {0.5f, 0.5f});
  second.Tick(0.2f);
  EXPECT_EQ(b.GetGroup(0)->GetLiveCount(), 0);
  EXPECT_EQ(b.GetGroup(1)->GetLiveCount(), 2) << "the triggered one and the one the death left";
  EXPECT_EQ(a.GetGroup(0)->GetLiveCount() + a.GetGroup(1)->GetLiveCount(), 0);
  for (int round = 0; round < 2; ++round)
    EXPECT_FALSE(first.Load(VANTOR_TEST_DATA "/missing.p2d")) << "a file that cannot run fails every time";
}

TEST_F(EffectSetsTest, ParticleTriggersCountWhileBelowTheCount) {
  well::Part2DSFXSet set(nullptr, &effects_);
  set.Draw();
  set.TriggerCount(3.0f, {0.5f, 0.5f});  // no system yet: nothing
  ASSERT_TRUE(set.Load(VANTOR_TEST_DATA "/spark.p2d"));
  set.TriggerCount(1.0f, {0.5f, 0.5f});
  set.Draw();
  ASSERT_EQ(graphics_.drawn.size(), 1u);
  const size_t perParticle = graphics_.drawn[0].size();
  set.TriggerCount(1.5f, {0.5f, 0.5f});  // i = 0, 1
  graphics_.drawn.clear();
  set.Draw();
  ASSERT_EQ(graphics_.drawn.size(), 1u);
  EXPECT_EQ(graphics_.drawn[0].size(), 3 * perParticle);
  set.TriggerSpread(5.0f, {0.1f, 0.1f}, {0.2f, 0.1f});  // one place left in the pool of 4
  graphics_.drawn.clear();
  set.Draw();
  ASSERT_EQ(graphics_.drawn.size(), 1u);
  ASSERT_EQ(graphics_.drawn[0].size(), 4 * perParticle);
  EXPECT_FALSE(set.Load(VANTOR_TEST_DATA "/missing.p2d"));
  EXPECT_NE(set.GetSystem(), nullptr) << "the set keeps its new, empty system";
}

}  // namespace
