// The renderer on a game window made by the window layer, as the game makes it.
#include <gtest/gtest.h>

#include "platform/d3d8/d3d8_testing.h"
#include "platform/window/win32.h"
#include "render/dx8/dx8_graphics.h"

namespace {

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.lpszClassName = "RendererTestWindow";
    RegisterClassExA(&windowClass);
    window_ = CreateWindowExA(0, "RendererTestWindow", "renderer", WS_POPUP | WS_CAPTION, 0, 0, 800, 600, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    Dx8Graphics::Create();
    graphics_ = GetDx8Graphics();
    graphics_->SetWindow(window_);
    ASSERT_TRUE(graphics_->Init());
  }
  void TearDown() override {
    Graphics::SHUTDOWN();
    if (window_) DestroyWindow(window_);
  }

  uint32_t CentrePixel() {
    std::vector<uint32_t> pixels;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(platform::testing::ReadBackFrame(graphics_->GetDevice(), pixels, w, h));
    return pixels.at(static_cast<size_t>(h / 2) * w + w / 2) & 0xFFFFFFu;
  }

  HWND window_ = nullptr;
  Dx8Graphics* graphics_ = nullptr;
};

TEST_F(GameWindowTest, ClearsAndPresentsWindowedThenFullScreen) {
  ASSERT_TRUE(graphics_->SetDisplayMode(800, 600, false, false));
  EXPECT_EQ(CentrePixel(), 0u);  // the first frame is black
  const struct {
    bool fullscreen;
    uint32_t colour;
  } frames[] = {{false, 0xFF204060}, {true, 0xFF604020}, {false, 0xFF102030}};
  for (const auto& frame : frames) {
    ASSERT_TRUE(graphics_->ResetDevice(800, 600, frame.fullscreen));
    EXPECT_EQ(graphics_->IsWindowed(), !frame.fullscreen);
    ASSERT_TRUE(graphics_->BeginScene());
    graphics_->Clear(frame.colour, 1.0f, 0, 1, 1, 1);
    EXPECT_EQ(CentrePixel(), frame.colour & 0xFFFFFFu);
    graphics_->EndScene();
    EXPECT_TRUE(graphics_->Present());
  }
}

}  // namespace
