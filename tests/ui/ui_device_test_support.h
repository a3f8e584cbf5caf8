// Widget tests on a real device: the renderer draws into a hidden window's
// frame, which the tests read back; images are TGA files the tests write, and
// the font "Help" lays text out with one of the game's fonts. A test of
// another fixture borrows the device for its body with RealDevice.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/files/resman.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_font.h"
#include "render/dx8/dx8_graphics.h"
#include "render/font_test_support.h"
#include "render/sprites/sprite_set.h"
#include "ui/manager/ui_manager.h"
#include "ui_test_support.h"

namespace ui_testing {

// Inked pixels' bounds, right and bottom exclusive.
struct Ink {
  int left = 800, top = 600, right = -1, bottom = -1;
  bool Any() const { return right > left; }
};

// Swaps the recording renderer for the real one (800 x 600, windowed) and
// back. What was made for a renderer goes with it: the movie player, the
// sprite set and the loaded surfaces.
class RealDevice {
 public:
  RealDevice() = default;
  RealDevice(const RealDevice&) = delete;
  RealDevice& operator=(const RealDevice&) = delete;
  ~RealDevice() { Stop(); }

  // Call through ASSERT_NO_FATAL_FAILURE: a device that cannot start ends the test.
  void Start() {
    started_ = true;
    recorder_ = GetGraphics();
    SetGraphics(nullptr);
    GetUIMan()->ShutdownFlash();
    Dx8Graphics::Create();
    device_ = GetDx8Graphics();
    ASSERT_TRUE(device_->Init());
    ASSERT_TRUE(device_->SetDisplayMode(800, 600, false, false));
  }
  void Stop() {
    if (!started_) return;
    started_ = false;
    GetUIMan()->ShutdownFlash();
    ui::GetSpriteSet()->Clear();
    res::GetResMan().ClearResources();
    Graphics::SHUTDOWN();
    SetGraphics(recorder_);
    device_ = nullptr;
  }
  Dx8Graphics* Get() const { return device_; }

 private:
  bool started_ = false;
  Graphics* recorder_ = nullptr;
  Dx8Graphics* device_ = nullptr;
};

class DeviceUITest : public UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    ASSERT_NO_FATAL_FAILURE(real_.Start());
    device_ = real_.Get();
    device_->SetDefaultRenderStates();
    ASSERT_TRUE(device_->BeginScene());
    for (const char* name : font_test::kFontFiles) AddFontResourceA(font_test::FontPath(name).c_str());
    help_ = new DX8Font("Help");
    help_->Resize("DejaVu Sans", 0, 20, 400, 1);
    ASSERT_TRUE(GetFontManager()->Add("Help", help_));
  }
  void TearDown() override {
    GetUIMan()->DropAllPanels();
    if (help_) GetFontManager()->Entries().erase(GetFontManager()->KeyOf("Help"));
    delete help_;
    help_ = nullptr;
    for (const char* name : font_test::kFontFiles) RemoveFontResourceA(font_test::FontPath(name).c_str());
    real_.Stop();
    UITest::TearDown();
  }

  // An uncompressed 32-bit TGA, rows from the top, of colour(x, y) (ARGB).
  static void WriteTga(const std::string& path, int width, int height,
                       const std::function<uint32_t(int, int)>& colour) {
    std::vector<char> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, char(width & 0xFF), char(width >> 8),
                               char(height & 0xFF), char(height >> 8), 32, 0x28};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint32_t c = colour(x, y);
        for (int shift : {0, 8, 16, 24}) bytes.push_back(char(c >> shift & 0xFF));
      }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // The frame after the widget alone drew on black, RGB only.
  std::vector<uint32_t> Frame(ui::UIWidget* widget) {
    device_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
    widget->Render(false);
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(device_->GetDevice(), pixels, w, h));
    for (uint32_t& p : pixels) p &= 0xFFFFFFu;
    return pixels;
  }
  static uint32_t At(const std::vector<uint32_t>& frame, int x, int y) { return frame.at(size_t(y) * 800 + x); }
  Ink Drawn(ui::UIWidget* widget) {
    const std::vector<uint32_t> frame = Frame(widget);
    Ink ink;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (At(frame, x, y)) {
          ink.left = std::min(ink.left, x);
          ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1);
          ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
  }

  RealDevice real_;
  Dx8Graphics* device_ = nullptr;
  DX8Font* help_ = nullptr;
};

}  // namespace ui_testing
