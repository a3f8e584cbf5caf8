// The 800 x 600 back buffer shown in windows of other sizes: straight into a
// window of its own size, scaled and centred with bars into any other, and
// the pointer mapped back into the picture.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/gl/presentation.h"
#include "platform/window/win32.h"
#include "offscreen_device.h"
#include "virtual_display.h"

namespace {

constexpr UINT kBackWidth = 800, kBackHeight = 600;
constexpr D3DCOLOR kBackground = 0xFF2060A0, kMark = 0xFFE0C040;
// The mark: pixels [100, 200) x [50, 150) of the back buffer.
constexpr int kMarkLeft = 100, kMarkTop = 50, kMarkSize = 100;

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
};

class PresentationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.lpszClassName = "PresentationTestWindow";
    RegisterClassExA(&windowClass);
    direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(direct3d_, nullptr);
  }
  void TearDown() override {
    platform::testing::SetPresentObserver(nullptr);
    if (device_) device_->Release();
    if (direct3d_) direct3d_->Release();
    if (window_) DestroyWindow(window_);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // A window without a frame: its client area is the whole window.
  void MakeWindowAndDevice(int width, int height) {
    window_ = CreateWindowExA(0, "PresentationTestWindow", "presentation", WS_POPUP, 0, 0, width, height, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    D3DPRESENT_PARAMETERS params = WindowedBackBuffer(kBackWidth, kBackHeight);
    ASSERT_EQ(direct3d_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params,
                                      &device_),
              D3D_OK);
  }

  // One frame: the background with the mark; what reached the window.
  void PresentFrame(std::vector<uint32_t>& shown, uint32_t& width, uint32_t& height) {
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, kBackground, 1.0f, 0);
    device_->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    const float x0 = kMarkLeft - 0.5f, y0 = kMarkTop - 0.5f, x1 = x0 + kMarkSize, y1 = y0 + kMarkSize;
    ScreenVertex v[6] = {{x0, y1, 0, 1, kMark}, {x0, y0, 0, 1, kMark}, {x1, y1, 0, 1, kMark},
                         {x1, y0, 0, 1, kMark}, {x1, y1, 0, 1, kMark}, {x0, y0, 0, 1, kMark}};
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v, sizeof(ScreenVertex)), D3D_OK);
    device_->EndScene();
    bool read = false;
    platform::testing::SetPresentObserver(
        [&](IDirect3DDevice8*) { read = platform::testing::ReadBackWindow(shown, width, height); });
    ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    platform::testing::SetPresentObserver(nullptr);
    ASSERT_TRUE(read);
  }

  // Where the window shows a point of the back buffer.
  static void InWindow(const platform::Presentation& p, double x, double y, int& wx, int& wy) {
    wx = p.x + static_cast<int>(x * p.width / kBackWidth);
    wy = p.y + static_cast<int>(y * p.height / kBackHeight);
  }

  // The client position the window reports for a pointer at (x, y) in it.
  POINT PointerAt(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(platform::SdlWindowOf(window_));
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
    POINT at{-1000, -1000};
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_MOUSEMOVE && msg.hwnd == window_) at = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    }
    return at;
  }

  IDirect3D8* direct3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(PresentationTest, BackBufferFillsEveryWindowKeepingItsShape) {
  const struct {
    int width, height;
    bool scaled;
  } windows[] = {{800, 600, false}, {1024, 768, true}, {1280, 720, true}, {640, 640, true}};
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::Message() << w.width << " x " << w.height);
    MakeWindowAndDevice(w.width, w.height);
    if (!device_) return;
    std::vector<uint32_t> shown;
    uint32_t width = 0, height = 0;
    PresentFrame(shown, width, height);
    ASSERT_EQ(width, static_cast<uint32_t>(w.width));
    ASSERT_EQ(height, static_cast<uint32_t>(w.height));
    EXPECT_EQ(platform::testing::DrawsThroughBuffer(device_), w.scaled);
    const platform::Presentation p = platform::Letterbox(kBackWidth, kBackHeight, w.width, w.height);
    EXPECT_EQ(p.width * kBackHeight, p.height * kBackWidth) << "the picture keeps its shape";
    auto at = [&](int x, int y) { return shown.at(static_cast<size_t>(y) * width + x) & 0xFFFFFFu; };
    // The whole picture is inside: its four corners and the mark.
    int x = 0, y = 0;
    for (auto corner : {std::pair{1.5, 1.5}, {798.5, 1.5}, {1.5, 598.5}, {798.5, 598.5}}) {
      InWindow(p, corner.first, corner.second, x, y);
      EXPECT_EQ(at(x, y), kBackground & 0xFFFFFFu) << x << ", " << y;
    }
    InWindow(p, kMarkLeft + kMarkSize / 2, kMarkTop + kMarkSize / 2, x, y);
    EXPECT_EQ(at(x, y), kMark & 0xFFFFFFu);
    // Black bars beside it, where there is room for them.
    if (p.x > 0) {
      EXPECT_EQ(at(p.x / 2, w.height / 2), 0u);
    }
    if (p.y > 0) {
      EXPECT_EQ(at(w.width / 2, p.y / 2), 0u);
    }
    // The pointer over the mark's centre is there in the picture too.
    const POINT pointer = PointerAt(x, y);
    EXPECT_NEAR(pointer.x, kMarkLeft + kMarkSize / 2, 2);
    EXPECT_NEAR(pointer.y, kMarkTop + kMarkSize / 2, 2);
    device_->Release();
    device_ = nullptr;
    DestroyWindow(window_);
    window_ = nullptr;
  }
}

TEST_F(PresentationTest, DrawsStraightIntoTheWindowOnceItFitsTheBackBufferAgain) {
  MakeWindowAndDevice(800, 600);
  if (!device_) return;
  EXPECT_FALSE(platform::testing::DrawsThroughBuffer(device_));
  D3DPRESENT_PARAMETERS params = WindowedBackBuffer(640, 480);
  ASSERT_EQ(device_->Reset(&params), D3D_OK);
  EXPECT_TRUE(platform::testing::DrawsThroughBuffer(device_));
  params.BackBufferWidth = kBackWidth;
  params.BackBufferHeight = kBackHeight;
  ASSERT_EQ(device_->Reset(&params), D3D_OK);
  EXPECT_FALSE(platform::testing::DrawsThroughBuffer(device_));
  std::vector<uint32_t> shown;
  uint32_t width = 0, height = 0;
  PresentFrame(shown, width, height);
  EXPECT_FALSE(platform::testing::DrawsThroughBuffer(device_));
  EXPECT_EQ(shown.at(static_cast<size_t>(kMarkTop + 1) * width + kMarkLeft + 1) & 0xFFFFFFu, kMark & 0xFFFFFFu);
  EXPECT_EQ(PointerAt(kMarkLeft, kMarkTop).x, kMarkLeft);
}

TEST_F(PresentationTest, FullScreenInAWindowTheDisplayLeftAsItWasShowsTheWholePicture) {
  // SDL takes the desktop's size for a full-screen window at once; the
  // drawable keeps the window's own.
  MakeWindowAndDevice(800, 600);
  if (!device_) return;
  ShowWindow(window_, SW_SHOW);
  D3DPRESENT_PARAMETERS params = WindowedBackBuffer(kBackWidth, kBackHeight);
  params.Windowed = FALSE;
  ASSERT_EQ(device_->Reset(&params), D3D_OK);
  std::vector<uint32_t> shown;
  uint32_t width = 0, height = 0;
  PresentFrame(shown, width, height);
  ASSERT_EQ(width, kBackWidth);
  ASSERT_EQ(height, kBackHeight);
  EXPECT_FALSE(platform::testing::DrawsThroughBuffer(device_));
  EXPECT_EQ(shown.at(static_cast<size_t>(kMarkTop + 1) * width + kMarkLeft + 1) & 0xFFFFFFu, kMark & 0xFFFFFFu);
  EXPECT_EQ(shown.at(static_cast<size_t>(598) * width + 798) & 0xFFFFFFu, kBackground & 0xFFFFFFu);
  const POINT pointer = PointerAt(kMarkLeft + 10, kMarkTop + 10);
  EXPECT_EQ(pointer.x, kMarkLeft + 10);
  EXPECT_EQ(pointer.y, kMarkTop + 10);
}

// Offscreen surfaces keep the size they were made with; a window that really
// resizes needs a window system. This one runs in a copy of this program on a
// virtual X display, started by the test after it.
constexpr char kOnXDisplay[] = "VANTOR_PRESENTATION_ON_X";

TEST_F(PresentationTest, FollowsAWindowResizedOnAnXDisplay) {
  if (!std::getenv(kOnXDisplay)) GTEST_SKIP() << "runs on a virtual X display only";
  MakeWindowAndDevice(640, 480);
  ASSERT_NE(device_, nullptr);
  ShowWindow(window_, SW_SHOW);
  std::vector<uint32_t> shown;
  uint32_t width = 0, height = 0;
  PresentFrame(shown, width, height);
  EXPECT_TRUE(platform::testing::DrawsThroughBuffer(device_));
  const struct {
    int width, height;
    bool scaled;
  } sizes[] = {{800, 600, false}, {1024, 768, true}, {1280, 720, true}, {800, 600, false}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE);
    // The frame that finds the window resized is shown as it was made; the
    // next goes the new way.
    PresentFrame(shown, width, height);
    EXPECT_EQ(platform::testing::DrawsThroughBuffer(device_), size.scaled);
    PresentFrame(shown, width, height);
    ASSERT_EQ(width, static_cast<uint32_t>(size.width));
    ASSERT_EQ(height, static_cast<uint32_t>(size.height));
    const platform::Presentation p = platform::Letterbox(kBackWidth, kBackHeight, size.width, size.height);
    int x = 0, y = 0;
    InWindow(p, kMarkLeft + kMarkSize / 2, kMarkTop + kMarkSize / 2, x, y);
    EXPECT_EQ(shown.at(static_cast<size_t>(y) * width + x) & 0xFFFFFFu, kMark & 0xFFFFFFu);
    InWindow(p, 798.5, 598.5, x, y);
    EXPECT_EQ(shown.at(static_cast<size_t>(y) * width + x) & 0xFFFFFFu, kBackground & 0xFFFFFFu);
  }
}

TEST(PresentationOnXTest, RunsTheResizeTestOnAVirtualXDisplay) {
  if (std::getenv(kOnXDisplay)) GTEST_SKIP() << "already on it";
  VirtualDisplay display(testing::TempDir() + "presentation_display");
  ASSERT_FALSE(display.Name().empty()) << "Xvfb (package xvfb) must be installed";
  const std::string command = std::string(kOnXDisplay) + "=1 SDL_VIDEODRIVER=x11 DISPLAY=" + display.Name() + " " +
                              "/proc/" + std::to_string(getpid()) + "/exe" +
                              " --gtest_filter=PresentationTest.FollowsAWindowResizedOnAnXDisplay > " +
                              testing::TempDir() + "presentation_on_x.txt 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(testing::TempDir() + "presentation_on_x.txt");
}

TEST(LetterboxTest, CentresTheLargestPictureOfTheBackBuffersShape) {
  const struct {
    int width, height, x, y, w, h;
  } cases[] = {{800, 600, 0, 0, 800, 600},   {1024, 768, 0, 0, 1024, 768}, {1280, 720, 160, 0, 960, 720},
               {800, 800, 0, 100, 800, 600}, {1, 1, 0, 0, 1, 1},           {0, 600, 0, 0, 0, 600}};
  for (const auto& c : cases) {
    const platform::Presentation p = platform::Letterbox(800, 600, c.width, c.height);
    EXPECT_EQ(p.x, c.x) << c.width << " x " << c.height;
    EXPECT_EQ(p.y, c.y) << c.width << " x " << c.height;
    EXPECT_EQ(p.width, c.w) << c.width << " x " << c.height;
    EXPECT_EQ(p.height, c.h) << c.width << " x " << c.height;
  }
}

}  // namespace
