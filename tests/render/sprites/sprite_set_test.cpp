#include "render/sprites/sprite_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "render/device/image.h"
#include "render/sprite_test_support.h"

namespace {

using sprite_testing::MessageOf;
using sprite_testing::SpriteTest;

TEST_F(SpriteTest, FrameRectanglesFollowClipBorderAndFlips) {
  const struct {
    const char* image;
    int frames;
    float borderX, borderY, clipX, clipY;
    bool flipU, flipV;
    int frame;
    math::Vec2 uvMin, uvMax;
  } cases[] = {
      {"strip_256x64.png", 4, 0, 0, 0, 0, false, false, 1, {0.25f, 0}, {0.5f, 1}},
      {"strip_256x64.png", 4, 0, 0, 0, 0, false, false, 5, {0.25f, 0}, {0.5f, 1}},  // wraps to frame 1
      {"strip_256x64.png", 4, 0, 0, 0, 0, true, false, 0, {0.25f, 0}, {0, 1}},
      {"strip_256x64.png", 4, 0, 0, 0, 0, false, true, 3, {0.75f, 1}, {1, 0}},
      // 200 pixels left after the clip, two frames of 100.
      {"clip_256x64.png", 2, 0, 0, 56, 0, false, false, 1, {100 / 256.0f, 0}, {200 / 256.0f, 1}},
      {"clip_256x64.png", 2, 0, 0, 0, 16, false, false, 0, {0, 0}, {0.5f, 0.75f}},
      // An 8 x 4 pixel border insets each frame on both sides.
      {"border_256x64.png", 4, 8, 4, 0, 0, false, false, 2,
       {0.5f + 8 / 256.0f, 4 / 64.0f}, {0.75f - 8 / 256.0f, 1 - 4 / 64.0f}},
      {"border_256x64.png", 4, 8, 4, 0, 0, true, true, 0,
       {0.25f - 8 / 256.0f, 1 - 4 / 64.0f}, {8 / 256.0f, 4 / 64.0f}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string name = "case" + std::to_string(n++);
    ASSERT_TRUE(ui::GetSpriteSet()->AddSprite(name, c.image, c.frames, 0.1f, c.borderX, c.borderY, c.flipU,
                                              c.flipV, c.clipX, c.clipY));
    math::Vec2 uvMin, uvMax;
    ui::GetSpriteSet()->Find(name)->GetFrameUVsByIndex(c.frame, uvMin, uvMax);
    EXPECT_FLOAT_EQ(uvMin.x, c.uvMin.x) << name;
    EXPECT_FLOAT_EQ(uvMin.y, c.uvMin.y) << name;
    EXPECT_FLOAT_EQ(uvMax.x, c.uvMax.x) << name;
    EXPECT_FLOAT_EQ(uvMax.y, c.uvMax.y) << name;
  }
}

TEST_F(SpriteTest, TheClockPicksTheFrameAndBrokenClocksShowTheFirst) {
  // FrameTime is a rate: 10 frames a second.
  const ui::SpriteSetEntry* entry = AddEntry("walk", "walk_256x64.png", 4, 10);
  ASSERT_NE(entry, nullptr);
  EXPECT_FLOAT_EQ(entry->frameDuration, 0.1f);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float clock;
    int frame;
  } cases[] = {{0, 0}, {0.25f, 2}, {0.39f, 3}, {0.45f, 4}, {-0.2f, 0}, {nan, 0}, {inf, 0}, {1e30f, 0}};
  for (const auto& c : cases) EXPECT_EQ(entry->FrameAt(c.clock), c.frame) << c.clock;
  math::Vec2 uvMin, uvMax;
  entry->GetFrameUVs(0.25f, uvMin, uvMax);
  EXPECT_FLOAT_EQ(uvMin.x, 0.5f);

  // FrameTime 0: an endless frame, the animation stays on frame 0.
  const ui::SpriteSetEntry* still = AddEntry("still", "walk_256x64.png", 4, 0);
  ASSERT_NE(still, nullptr);
  EXPECT_EQ(still->FrameAt(123.0f), 0);
}

TEST_F(SpriteTest, AdvanceReportsEachFinishedCycleOfAnAnimation) {
  const struct {
    const char* name;
    int frames;
    float frameTime, dt;
    int steps, finished;
  } cases[] = {
      {"cycle_0.2s", 4, 20, 0.03f, 66, 9},  // 1.98 s
      {"single_frame", 1, 20, 0.03f, 66, 0},
      {"frame_time_0", 4, 0, 0.03f, 66, 0},
  };
  for (const auto& c : cases) {
    const ui::SpriteSetEntry* entry = AddEntry(c.name, "a_64x64.png", c.frames, c.frameTime);
    ASSERT_NE(entry, nullptr);
    float clock = 0;
    int finished = 0;
    for (int i = 0; i < c.steps; ++i) finished += entry->Advance(clock, c.dt) ? 0 : 1;
    EXPECT_EQ(finished, c.finished) << c.name;
    EXPECT_LE(clock, entry->GetCycle()) << c.name;
  }

  // A clock of exactly one cycle has not wrapped; past it, it goes back once.
  const ui::SpriteSetEntry* entry = AddEntry("exact", "a_64x64.png", 4, 16);  // cycle 0.25 s
  float clock = 0;
  EXPECT_TRUE(entry->Advance(clock, 0.25f));
  EXPECT_EQ(clock, 0.25f);
  EXPECT_FALSE(entry->Advance(clock, 0.0625f));
  EXPECT_EQ(clock, 0.0625f);
  // A broken step starts the clock again instead of ending a cycle every frame.
  EXPECT_TRUE(entry->Advance(clock, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_EQ(clock, 0.0f);
}

TEST_F(SpriteTest, AddSpriteRegistersOnlyEntriesWithFramesAndAnImage) {
  ui::SpriteSet* set = ui::GetSpriteSet();
  EXPECT_FALSE(set->AddSprite("none", "a_64x64.png", 0, 0.1f, 0, 0, false, false, 0, 0));
  EXPECT_FALSE(set->AddSprite("negative", "a_64x64.png", -2, 0.1f, 0, 0, false, false, 0, 0));
  EXPECT_TRUE(graphics_.loaded.empty());  // nothing was even loaded
  EXPECT_FALSE(set->AddSprite("lost", "missing.png", 4, 0.1f, 0, 0, false, false, 0, 0));
  EXPECT_EQ(set->Find("none"), nullptr);
  EXPECT_EQ(set->Find("negative"), nullptr);
  EXPECT_EQ(set->Find("lost"), nullptr);

  // The first of two names in any letter case stays; the second is freed.
  const int live = RecordingGraphics::LiveImages();
  EXPECT_TRUE(set->AddSprite("Gem", "first_64x64.png", 2, 0.1f, 0, 0, false, false, 0, 0));
  EXPECT_TRUE(set->AddSprite("GEM", "second_64x64.png", 3, 0.1f, 0, 0, false, false, 0, 0));
  ASSERT_NE(set->Find("gem"), nullptr);
  EXPECT_EQ(set->Find("gem")->imageFile, "first_64x64.png");
  EXPECT_EQ(RecordingGraphics::LiveImages(), live + 1);
}

using SpriteSetFileTest = sprite_testing::SpriteGraphicsTest;

TEST_F(SpriteSetFileTest, AFileThatDoesNotRunIsReported) {
  const std::string path = scratch_.Write("broken.lua", "Sprites = { {\n");
  LogCapture log;
  ui::GetSpriteSet()->Load(path);
  std::vector<std::string> messages;
  for (const std::string& line : LogCapture::Lines()) messages.push_back(MessageOf(line));
  EXPECT_EQ(messages, (std::vector<std::string>{"?:2: unexpected symbol near <eof>  [MSG_SCRIPT]\n",
                                                "Unable to parse script file " + path + "  [MSG_SCRIPT]\n",
                                                "Unable to load Sprite set " + path + "!  [MSG_ERROR]\n"}));
}

TEST_F(SpriteSetFileTest, EntriesLoadAndMissingImagesAreListedAfterTheFile) {
  const std::string gem = TwoBands("gem.png", 64, 16);
  const std::string lost = scratch_.Path("lost.png");
  const std::string path = scratch_.Write("sprites.lua",
      "Sprites = {\n"
      "  { Name = 'Gem', ImageFile = [[" + gem + "]], SpriteC = 4, FrameTime = 20, FrameBorderX = 2,\n"
      "    FlipU = 1, ClipY = 4 },\n"
      "  { Name = 'first_lost', ImageFile = [[" + lost + "]], SpriteC = 2 },\n"
      "  { Name = 'no_frames', ImageFile = [[" + gem + "]] },\n"
      "  'not a table',\n"
      "  { ImageFile = [[" + gem + "]], SpriteC = 1 },\n"
      "  { Name = 'GEM', ImageFile = [[" + gem + "]], SpriteC = 8 },\n"
      "  { Name = 'second_lost', ImageFile = 'nowhere/lost.png', SpriteC = 1 },\n"
      "}\n");
  LogCapture log;
  ui::GetSpriteSet()->Load(path);

  const ui::SpriteSetEntry* entry = ui::GetSpriteSet()->Find("gem");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->name, "Gem");
  EXPECT_EQ(entry->frameCount, 4);  // the first of the two names
  EXPECT_FLOAT_EQ(entry->frameDuration, 0.05f);
  EXPECT_FLOAT_EQ(entry->borderU, 2 / 64.0f);
  EXPECT_FLOAT_EQ(entry->borderV, 0);
  EXPECT_FLOAT_EQ(entry->clipY, 4);
  EXPECT_EQ(entry->flipU, 1);
  EXPECT_EQ(entry->flipV, 0);
  EXPECT_EQ(ui::GetSpriteSet()->Find("no_frames"), nullptr);
  EXPECT_EQ(ui::GetSpriteSet()->Entries().size(), 1u);

  // The comments come last, in file order, after the loader's own lines.
  std::vector<std::string> messages;
  for (const std::string& line : LogCapture::Lines()) messages.push_back(MessageOf(line));
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages[messages.size() - 2], "Missing Sprite first_lost : " + lost + "  [MSG_COMMENT]\n");
  EXPECT_EQ(messages.back(), "Missing Sprite second_lost : nowhere/lost.png  [MSG_COMMENT]\n");
  EXPECT_EQ(LogCapture::At(MSG_COMMENT).size(), 2u);
  EXPECT_TRUE(LogCapture::At(MSG_ERROR).size() + LogCapture::At(MSG_WARNING).size() >= 2u)
      << "the image loader reports each missing file while the file is read";
  EXPECT_EQ(LogCapture::At(MSG_INIT).size(), 1u);  // the script loaded
}

}  // namespace
