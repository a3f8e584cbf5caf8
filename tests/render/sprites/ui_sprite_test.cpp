#include "render/sprites/ui_sprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "render/device/image.h"
#include "render/sprite_test_support.h"
#include "render/sprites/quad_builders.h"

namespace {

using sprite_testing::MessageOf;
using sprite_testing::SpriteTest;

static_assert(!std::is_copy_constructible_v<ui::UISprite> && !std::is_copy_assignable_v<ui::UISprite>,
              "a sprite may own its image");

// The pixel rectangle a quad covers: left, top, right, bottom, with its UVs.
struct QuadBox {
  float left, top, right, bottom, u0, v0, u1, v1;
};
QuadBox BoxOf(const Vertex2D* v) {
  QuadBox box{v[0].x, v[0].y, v[0].x, v[0].y, 0, 0, 0, 0};
  for (int i = 1; i < 6; ++i) {
    box.left = std::min(box.left, v[i].x);
    box.top = std::min(box.top, v[i].y);
    box.right = std::max(box.right, v[i].x);
    box.bottom = std::max(box.bottom, v[i].y);
  }
  for (int i = 0; i < 6; ++i) {
    if (v[i].x == box.left && v[i].y == box.top) box.u0 = v[i].u, box.v0 = v[i].v;
    if (v[i].x == box.right && v[i].y == box.bottom) box.u1 = v[i].u, box.v1 = v[i].v;
  }
  return box;
}

TEST_F(SpriteTest, LoadingResolvesTheLanguageAndPrefersSpriteSetEntries) {
  AddEntry("Gem", "gem_256x64.png", 4, 10);
  const int live = RecordingGraphics::LiveImages();
  {
    ui::UISprite sprite;
    sprite.LoadImage("flag_###.png");
    EXPECT_EQ(graphics_.loaded.back(), "flag_English.png");
    EXPECT_EQ(sprite.GetName(), "flag_###.png");
    EXPECT_TRUE(sprite.IsLocalised());
    EXPECT_EQ(sprite.GetEntry(), nullptr);

    host_.language = "Deutsch";
    sprite.LoadImage("flag_###.png");
    EXPECT_EQ(graphics_.loaded.back(), "flag_Deutsch.png");
    EXPECT_EQ(RecordingGraphics::LiveImages(), live + 1);  // the first image was released

    // A sprite-set name, in any letter case, shows the entry's shared image.
    sprite.clock = 3;
    sprite.LoadImage("GEM");
    EXPECT_EQ(sprite.GetEntry(), ui::GetSpriteSet()->Find("gem"));
    EXPECT_EQ(sprite.GetImage(), ui::GetSpriteSet()->Find("gem")->image);
    EXPECT_EQ(sprite.clock, 0);
    EXPECT_FALSE(sprite.IsLocalised());
    EXPECT_EQ(RecordingGraphics::LiveImages(), live);

    ui::UISprite other;
    other.LoadImage("gem");
    other.Invalidate();
    EXPECT_EQ(other.GetImage(), nullptr);
    EXPECT_EQ(other.GetName(), "");
    EXPECT_NE(ui::GetSpriteSet()->Find("gem")->image, nullptr);  // still there for the first sprite
    EXPECT_EQ(RecordingGraphics::LiveImages(), live);

    sprite.LoadImage("");  // nothing happens
    EXPECT_EQ(sprite.GetName(), "GEM");
  }
  EXPECT_EQ(RecordingGraphics::LiveImages(), live);
}

TEST_F(SpriteTest, AnImageThatDoesNotLoadLeavesNoImageAndNoName) {
  ui::UISprite sprite;
  sprite.LoadImage("mine_32x32.png");
  LogCapture log;
  sprite.LoadImage("missing_###.png");
  ASSERT_EQ(LogCapture::Lines().size(), 1u);
  EXPECT_EQ(MessageOf(LogCapture::Lines()[0]),
            "Unable to load image missing_English.png into the UI sprite  [MSG_ERROR]\n");
  EXPECT_FALSE(sprite.HasImage());
  EXPECT_EQ(sprite.GetName(), "");
  EXPECT_FALSE(sprite.Render());
  EXPECT_FALSE(sprite.RenderRotated());
  EXPECT_FALSE(sprite.RenderClipped({0, 0}, {1, 1}));
  math::Vec2 size{7, 7};
  sprite.GetNativeSize(size);
  EXPECT_EQ(size.x, 7);  // untouched
  EXPECT_TRUE(graphics_.calls.empty());
}

TEST_F(SpriteTest, NativeSizesAreThoseOfAnEightHundredBySixHundredScreen) {
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("strip", "strip_256x64.png", 4, 0.1f, 0, 0, false, false, 0, 0));
  // The border enters as its UV fraction (8 / 256), not in pixels.
  ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("cut", "cut_256x64.png", 2, 0.1f, 8, 0, false, false, 56, 4));
  const struct {
    const char* name;
    math::Vec2 size;
  } cases[] = {
      {"plain_400x300.png", {0.5f, 0.5f}},
      {"strip", {256 / 3200.0f, 64 / 600.0f}},
      {"cut", {(200 - 8 / 256.0f) / 1600.0f, 60 / 600.0f}},
  };
  for (const auto& c : cases) {
    ui::UISprite sprite;
    EXPECT_TRUE(sprite.Setup(c.name, {0.1f, 0.2f}, {0.3f, 0.4f}, true));
    EXPECT_FLOAT_EQ(sprite.size.x, c.size.x) << c.name;
    EXPECT_FLOAT_EQ(sprite.size.y, c.size.y) << c.name;
    EXPECT_EQ(sprite.uv2.y, 0.4f);
    EXPECT_EQ(sprite.additive, 1);
  }
}

TEST_F(SpriteTest, AnAnimationEndsItsCycleOnceItsClockPassesIt) {
  AddEntry("walk", "walk_256x64.png", 4, 10);
  ui::UISprite sprite;
  sprite.owner = FakeOwner();
  sprite.LoadImage("walk");
  sprite.size = {0.2f, 0.1f};
  EXPECT_TRUE(sprite.Tick(0.25f));
  Vertex2D quad[6];
  sprite.BuildQuad(quad);
  EXPECT_FLOAT_EQ(BoxOf(quad).u0, 0.5f);  // frame 2
  EXPECT_FLOAT_EQ(BoxOf(quad).u1, 0.75f);

  EXPECT_TRUE(sprite.Tick(0.125f));
  EXPECT_TRUE(sprite.Tick(0.025f));  // exactly 0.4 s: not yet wrapped
  EXPECT_TRUE(host_.clipEnded.empty());
  EXPECT_FALSE(sprite.Tick(0.05f));
  ASSERT_EQ(host_.clipEnded.size(), 1u);
  EXPECT_EQ(host_.clipEnded[0], FakeOwner());
  EXPECT_FLOAT_EQ(sprite.clock, 0.05f);

  // A single frame never ends a cycle; a sprite without an owner runs nothing.
  AddEntry("one", "one_64x64.png", 1, 10);
  ui::UISprite single;
  single.owner = FakeOwner();
  single.LoadImage("one");
  ui::UISprite ownerless;
  ownerless.LoadImage("walk");
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(single.Tick(0.3f));
    ownerless.Tick(0.3f);
  }
  EXPECT_EQ(host_.clipEnded.size(), 1u);
}

TEST_F(SpriteTest, AStillImageOfItsOwnEndsAClipEveryTick) {
  ui::UISprite sprite;
  sprite.owner = FakeOwner();
  EXPECT_FALSE(sprite.Tick(0.1f));  // no image
  sprite.LoadImage("still_64x64.png");
  EXPECT_TRUE(sprite.Tick(0.1f));
  EXPECT_TRUE(sprite.Tick(0.1f));
  EXPECT_EQ(host_.clipEnded.size(), 2u);
}

// The plain query owners use: true exactly when the tick ended a cycle.
TEST_F(SpriteTest, TheCycleEndQueryAnswersWhetherATickEndedACycle) {
  AddEntry("spin", "spin_256x64.png", 4, 10);  // 0.4 s a cycle
  AddEntry("dot", "dot_64x64.png", 1, 10);
  ui::UISprite animated, single, still, empty;
  animated.owner = FakeOwner();
  animated.LoadImage("spin");
  single.LoadImage("dot");
  still.LoadImage("still_64x64.png");
  const struct {
    float dt;
    bool animatedEnds, singleEnds, stillEnds;
  } ticks[] = {
      {0.3f, false, false, true},
      {0.1f, false, false, true},  // exactly one cycle: not wrapped yet
      {0.05f, true, false, true},
      {0.0f, false, false, true},
      {0.8f, true, false, true},
  };
  for (const auto& t : ticks) {
    EXPECT_EQ(animated.TickEndsCycle(t.dt), t.animatedEnds) << t.dt;
    EXPECT_EQ(single.TickEndsCycle(t.dt), t.singleEnds) << t.dt;
    EXPECT_EQ(still.TickEndsCycle(t.dt), t.stillEnds) << t.dt;
    EXPECT_FALSE(empty.TickEndsCycle(t.dt));
  }
  EXPECT_EQ(host_.clipEnded.size(), 2u);  // the owner heard each wrap
}

TEST_F(SpriteTest, ClippedQuadsCutTheirRectangleAndTexture) {
  ui::UISprite sprite;
  sprite.LoadImage("a_64x64.png");
  const struct {
    const char* what;
    math::Vec2 position, size, clipMin, clipMax;
    uint32_t orientation;
    QuadBox box;
  } cases[] = {
      {"left fifth cut", {0.1f, 0.1f}, {0.5f, 0.2f}, {0.2f, 0}, {1, 1}, 0,
       {159.5f, 59.5f, 479.5f, 179.5f, 0.2f, 0, 1, 1}},
      {"bottom half cut", {0, 0.5f}, {0.25f, 0.5f}, {0, 0}, {1, 0.75f}, 0,
       {-0.5f, 299.5f, 199.5f, 449.5f, 0, 0, 1, 0.5f}},
      {"inside", {0.3f, 0.3f}, {0.1f, 0.1f}, {0, 0}, {1, 1}, 0, {239.5f, 179.5f, 319.5f, 239.5f, 0, 0, 1, 1}},
      {"oriented: not clipped", {0, 0.5f}, {0.25f, 0.5f}, {0, 0}, {1, 0.75f}, 2,
       {-0.5f, 299.5f, 199.5f, 599.5f, 1, 1, 0, 0}},
  };
  for (const auto& c : cases) {
    sprite.position = c.position;
    sprite.size = c.size;
    sprite.orientation = c.orientation;
    Vertex2D quad[6];
    sprite.BuildClippedQuad(c.clipMin, c.clipMax, quad);
    QuadBox box = BoxOf(quad);
    const float got[] = {box.left, box.top, box.right, box.bottom, box.u0, box.v0, box.u1, box.v1};
    const float want[] = {c.box.left, c.box.top, c.box.right, c.box.bottom, c.box.u0, c.box.v0, c.box.u1, c.box.v1};
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(got[i], want[i], 1e-3f) << c.what << " value " << i;
  }
}

TEST_F(SpriteTest, ClippedDrawingSkipsSpritesOutsideTheRectangle) {
  ui::UISprite sprite;
  sprite.LoadImage("a_64x64.png");
  sprite.size = {0.1f, 0.2f};  // larger dimension 0.2
  const math::Vec2 clipMin{0.4f, 0.4f}, clipMax{0.6f, 0.6f};
  const struct {
    math::Vec2 position;
    bool drawn;
  } cases[] = {
      {{0.19f, 0.5f}, false},  // left by more than 0.2
      {{0.21f, 0.5f}, true},   // left, but within 0.2 (an empty quad is still drawn)
      {{0.61f, 0.5f}, false},  {{0.5f, 0.19f}, false}, {{0.5f, 0.25f}, true},
      {{0.5f, 0.61f}, false},  {{0.6f, 0.6f}, true},
  };
  for (const auto& c : cases) {
    graphics_.calls.clear();
    sprite.position = c.position;
    EXPECT_EQ(sprite.RenderClipped(clipMin, clipMax), c.drawn) << c.position.x << ", " << c.position.y;
    EXPECT_EQ(graphics_.calls.size(), c.drawn ? 2u : 0u);
  }
}

TEST_F(SpriteTest, AdditiveSpritesRestoreTheUsualBlendAfterTheirDraw) {
  ui::UISprite sprite;
  sprite.LoadImage("glow_32x32.png");
  const Surface* texture = graphics_.TextureOf("glow_32x32.png");
  EXPECT_TRUE(sprite.Render());
  EXPECT_TRUE(graphics_.renderStates.empty());
  sprite.additive = 1;
  EXPECT_TRUE(sprite.RenderRotated());
  const std::vector<std::pair<uint32_t, uint32_t>> states = {
      {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha},
      {Graphics::kDestBlend, Graphics::kBlendOne},
      {Graphics::kSourceBlend, Graphics::kBlendSourceAlpha},
      {Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha},
  };
  EXPECT_EQ(graphics_.renderStates, states);
  // Clipped drawing ignores the additive flag.
  EXPECT_TRUE(sprite.RenderClipped({0, 0}, {1, 1}));
  EXPECT_EQ(graphics_.renderStates.size(), 4u);
  const std::vector<RecordingGraphics::Call> calls = {
      RecordingGraphics::Bind(texture), RecordingGraphics::Draw(6), RecordingGraphics::Bind(texture),
      RecordingGraphics::Draw(6),       RecordingGraphics::Bind(texture), RecordingGraphics::Draw(6)};
  EXPECT_EQ(graphics_.calls, calls);
}

// Sprites drawn on the real renderer and read back.
class UISpritePixelTest : public sprite_testing::SpriteGraphicsTest {
 protected:
  void SetUp() override {
    SpriteGraphicsTest::SetUp();
    graphics_->Clear(0xFF202020u, 1, 0, 1, 0, 0);
  }
};

TEST_F(UISpritePixelTest, PlainAndAdditiveSpritesAndTheLanguageInTheName) {
  TwoBands("bands_English.png");
  ui::UISprite plain;
  plain.LoadImage(scratch_.Path("bands_###.png"));
  ASSERT_TRUE(plain.HasImage());
  EXPECT_EQ(plain.GetName(), scratch_.Path("bands_###.png"));
  plain.SetRect({0.25f, 0.25f}, {0.5f, 0.5f}, 0, 0, 0xFFFFFFFFu);
  ASSERT_TRUE(plain.Render());
  EXPECT_EQ(Pixel(400, 200), 0xFF0000u);
  EXPECT_EQ(Pixel(400, 400), 0x0000FFu);
  EXPECT_EQ(Pixel(100, 300), 0x202020u);

  // Additive: the colour is added to what is there, at the sprite's alpha.
  ui::UISprite glow;
  glow.LoadImage(TwoBands("glow.png"));
  glow.SetRect({0, 0}, {0.1f, 0.1f}, 0, 0, 0xFF808080u);
  glow.additive = 1;
  ASSERT_TRUE(glow.Render());
  EXPECT_EQ(Pixel(40, 10), 0xA02020u);
  // The usual blend is back for the next sprite.
  glow.SetRect({0.9f, 0}, {0.1f, 0.1f}, 0, 0, 0x80FFFFFFu);
  glow.additive = 0;
  ASSERT_TRUE(glow.Render());
  const uint32_t blended = Pixel(760, 10);
  EXPECT_NEAR(static_cast<int>(blended >> 16), 0x8F, 2);
  EXPECT_NEAR(static_cast<int>(blended & 0xFF), 0x10, 2);
}

TEST_F(UISpritePixelTest, RotatedAndClippedSprites) {
  ui::UISprite sprite;
  sprite.LoadImage(TwoBands("bands.png"));
  // A quarter turn counter-clockwise about the centre: the red top ends up on the left.
  sprite.SetRect({0.5f, 0.5f}, {0.2f, 0.2f}, 90, 0, 0xFFFFFFFFu);
  ASSERT_TRUE(sprite.RenderRotated());
  EXPECT_EQ(Pixel(380, 300), 0xFF0000u);
  EXPECT_EQ(Pixel(420, 300), 0x0000FFu);

  // Clipped to the lower half of the screen: only the blue band shows.
  graphics_->Clear(0xFF202020u, 1, 0, 1, 0, 0);
  sprite.SetRect({0.25f, 0.25f}, {0.5f, 0.5f}, 0, 0, 0xFFFFFFFFu);
  ASSERT_TRUE(sprite.RenderClipped({0, 0.5f}, {1, 1}));
  EXPECT_EQ(Pixel(400, 200), 0x202020u);
  EXPECT_EQ(Pixel(400, 310), 0x0000FFu);
  EXPECT_EQ(Pixel(400, 440), 0x0000FFu);
  EXPECT_EQ(Pixel(400, 460), 0x202020u);
}

}  // namespace
