// Shared by the sprite tests: a recording renderer, a sprite host that
// records the owners whose "clip_ended" ran, and a sprite-set registry emptied
// after each test (its images come from the renderer the test made); or the
// real renderer with image files.
#pragma once
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/script/lua_test_support.h"
#include "core/files/resman.h"
#include "graphics_fixture.h"
#include "image_files.h"
#include "recording_graphics.h"
#include "render/sprites/sprite_host.h"
#include "render/sprites/sprite_set.h"

namespace sprite_testing {

class RecordingHost : public ui::SpriteHost {
 public:
  RecordingHost() { ui::SetSpriteHost(this); }
  ~RecordingHost() override { ui::SetSpriteHost(nullptr); }
  void RunClipEnded(ui::UIWidget* owner) override { clipEnded.push_back(owner); }
  const std::string& GetLanguage() const override { return language; }

  std::string language = "English";
  std::vector<ui::UIWidget*> clipEnded;
};

class SpriteTest : public ::testing::Test {
 protected:
  void TearDown() override { ui::GetSpriteSet()->Clear(); }

  // A registered entry; FrameTime is the rate (frames per second).
  const ui::SpriteSetEntry* AddEntry(const std::string& name, const std::string& image, int frames,
                                     float frameTime) {
    EXPECT_TRUE(ui::GetSpriteSet()->AddSprite(name, image, frames, 1.0f / frameTime, 0, 0, false, false, 0, 0));
    return ui::GetSpriteSet()->Find(name);
  }
  // Something to stand for a widget: sprites only pass their owner on.
  ui::UIWidget* FakeOwner() { return reinterpret_cast<ui::UIWidget*>(&ownerStandIn_); }

  RecordingGraphics graphics_;
  RecordingHost host_;

 private:
  int ownerStandIn_ = 0;
};

// Sprites on the real renderer, with images the test draws into a scratch
// folder.
class SpriteGraphicsTest : public GraphicsTest {
 protected:
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  // An image of the size, red on top and blue below; returns its path.
  std::string TwoBands(const std::string& name, uint32_t width = 16, uint32_t height = 16) {
    std::string path = scratch_.Path(name);
    EXPECT_TRUE(image_files::WritePng(path, width, height,
                                      image_files::TwoBands(width, height, 0xFFFF0000u, 0xFF0000FFu)));
    return path;
  }

  testsupport::ScratchDir scratch_;
};

// The message of a log line: without its call-site prefix "file(line)> ".
inline std::string MessageOf(const std::string& line) {
  static const std::regex kPrefix(R"(^[^ ]*\(\d+\)> )");
  return std::regex_replace(line, kPrefix, "", std::regex_constants::format_first_only);
}

}  // namespace sprite_testing
