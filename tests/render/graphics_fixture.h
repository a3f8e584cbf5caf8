// A real renderer for tests: Dx8Graphics on a hidden window of its own
// (800 x 600, windowed), default render states set, log lines captured.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/files/resman.h"
#include "log_capture.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_graphics.h"

// Each colour channel of the two within the tolerance.
inline bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dx8Graphics::Create();
    graphics_ = GetDx8Graphics();
    ASSERT_TRUE(graphics_->Init());
    ASSERT_TRUE(graphics_->SetDisplayMode(800, 600, false, false));
    graphics_->SetDefaultRenderStates();
    ASSERT_TRUE(graphics_->BeginScene());
  }
  void TearDown() override { Graphics::SHUTDOWN(); }

  std::vector<uint32_t> Frame() {
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(graphics_->GetDevice(), pixels, w, h));
    for (uint32_t& p : pixels) p &= 0xFFFFFFu;
    return pixels;
  }
  uint32_t Pixel(uint32_t x, uint32_t y) { return Frame().at(static_cast<size_t>(y) * 800 + x); }

  Dx8Graphics* graphics_ = nullptr;
};

// The screen starts dark grey, so that dark and light ink both show; the
// resources a test loaded go with it.
class GreyScreenTest : public GraphicsTest {
 public:
  static constexpr uint32_t kBackground = 0x202020u;

 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Clear();
  }
  void TearDown() override {
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  void Clear() { graphics_->Clear(0xFF000000u | kBackground, 1, 0, 1, 0, 0); }
};
