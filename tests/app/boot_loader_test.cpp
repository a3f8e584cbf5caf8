// Splash pages on the real renderer, with the clock and the input devices
// driven through their test seams: each step is 100 ms.
#include "app/boot_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/script/lua_test_support.h"
#include "core/input/mouse.h"
#include "core/files/resman.h"
#include "platform/codecs/bmp_writer.h"
#include "platform/input/dinput_testing.h"
#include "platform/timer/winmm_testing.h"
#include "render/graphics_fixture.h"
#include "render/device/image.h"
#include "render/device/surface.h"

namespace {

constexpr uint32_t kAmber = 0xFFC86428u;
constexpr uint32_t kTeal = 0xFF2896A0u;

class BootLoaderTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    graphics_->EndScene();
    platform::testing::ResetInputState();
    input::Input& devices = input::GetInput();
    if (!devices.GetKeyboard()) {
      ASSERT_TRUE(devices.Init(nullptr));
    }
    // Whatever other tests of this program fed the devices is dropped.
    devices.GetMouse()->Update(true, 0.1f, 0.0f);
    devices.GetKeyboard()->Update(true, 0.1f, 0.0f);
    platform::testing::SetMilliseconds(now_);
    GetFrameTimer().Tick();
  }
  void TearDown() override {
    platform::testing::UseRealClock();
    platform::testing::ResetInputState();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }

  // A picture of one colour; returns its path.
  std::string Picture(const std::string& name, uint32_t colour) {
    const std::vector<uint32_t> pixels(64 * 64, colour);
    const std::string path = scratch_.Path(name);
    EXPECT_TRUE(platform::WriteBmp(path, 64, 64, pixels.data()));
    return path;
  }
  void Step(BootLoader& loader) {
    now_ += 100;
    platform::testing::SetMilliseconds(now_);
    loader.Tick();
    loader.Render();
  }
  void Steps(BootLoader& loader, int count) {
    for (int i = 0; i < count; ++i) Step(loader);
  }
  // Steps until the loader is done; how many it took (at most the limit).
  int StepsUntilDone(BootLoader& loader, int limit) {
    int steps = 0;
    while (!loader.done && steps < limit) {
      Step(loader);
      ++steps;
    }
    return steps;
  }
  // The screen's centre against the colour at the brightness.
  void ExpectCentre(uint32_t colour, float brightness) {
    const uint32_t pixel = Pixel(400, 300);
    for (int shift : {16, 8, 0}) {
      const float expected = static_cast<float>((colour >> shift) & 0xFF) * brightness;
      EXPECT_NEAR(static_cast<float>((pixel >> shift) & 0xFF), expected, 2.5f)
          << std::hex << "pixel " << pixel << " colour " << colour << " brightness " << brightness;
    }
  }
  static void Release(SDL_Scancode key) {
    platform::testing::FeedKey(key, true);
    platform::testing::FeedKey(key, false);
  }

  uint32_t now_ = 500000;
  testsupport::ScratchDir scratch_;
};

TEST_F(BootLoaderTest, PagesFadeInHoldAndFadeOut) {
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 1.0f, 1.0f, 2.0f);
  Steps(loader, 5);
  EXPECT_EQ(loader.GetCurrentPage(), 0);
  ExpectCentre(kAmber, 0.5f);
  Steps(loader, 8);
  ASSERT_GE(loader.GetFadeIn().remaining, -1.0f);
  EXPECT_LT(loader.GetFadeIn().remaining, 0.0f);
  EXPECT_GT(loader.GetHold().remaining, 0.0f);
  ExpectCentre(kAmber, 1.0f);
  // Into the fade-out by a quarter of its two seconds.
  Steps(loader, 10);
  ASSERT_GT(loader.GetFadeOut().remaining, 0.0f);
  ExpectCentre(kAmber, 1.0f - loader.GetFadeOut().GetProgress());
  // About four seconds, plus at most one step for each phase (the one that
  // passes zero, when the steps land on it exactly) and the switch.
  const int total = 23 + StepsUntilDone(loader, 100);
  EXPECT_GE(total, 41);
  EXPECT_LE(total, 44);
}

TEST_F(BootLoaderTest, PhasesOfNoTimeStillTakeOneStepEach) {
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(StepsUntilDone(loader, 10), 4);
  // Done stays done.
  Step(loader);
  EXPECT_TRUE(loader.done);
}

TEST_F(BootLoaderTest, KeyReleasedHalfWayThroughTheFadeInFadesOutFromHalfBrightness) {
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 1.0f, 1.0f, 2.0f);
  Steps(loader, 4);
  // Heard in the fifth step, after its fade-in has reached half way.
  Release(SDL_SCANCODE_SPACE);
  Step(loader);
  EXPECT_LT(loader.GetFadeIn().remaining, 0.0f);
  EXPECT_LT(loader.GetHold().remaining, 0.0f);
  EXPECT_NEAR(loader.GetFadeOut().remaining, 1.0f, 1e-4f);
  ExpectCentre(kAmber, 0.5f);
  Step(loader);
  ExpectCentre(kAmber, 0.45f);
  // Half of the two-second fade-out is left: ten steps, the one that passes
  // zero and the switch.
  const int left = StepsUntilDone(loader, 100);
  EXPECT_GE(left, 10);
  EXPECT_LE(left, 11);
}

TEST_F(BootLoaderTest, KeyReleasedDuringTheHoldStartsTheWholeFadeOut) {
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 1.0f, 0.0f, 2.0f);
  Steps(loader, 3);
  Release(SDL_SCANCODE_RETURN);
  Step(loader);
  EXPECT_LT(loader.GetHold().remaining, 0.0f);
  EXPECT_FLOAT_EQ(loader.GetFadeOut().remaining, 2.0f);
  // A release during the fade-out changes nothing.
  Step(loader);
  const float remaining = loader.GetFadeOut().remaining;
  Release(SDL_SCANCODE_RETURN);
  Step(loader);
  EXPECT_NEAR(loader.GetFadeOut().remaining, remaining - 0.1f, 1e-4f);
}

TEST_F(BootLoaderTest, WithSkipFadeOutAButtonReleaseShowsTheNextPageAtTheNextStep) {
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 1.0f, 0.5f, 1.0f);
  loader.AddPage(Picture("teal.bmp", kTeal), 1.0f, 0.0f, 1.0f);
  loader.skipFadeOut = true;
  Steps(loader, 8);
  ExpectCentre(kAmber, 1.0f);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, true);
  Step(loader);
  EXPECT_EQ(loader.GetCurrentPage(), 0);
  platform::testing::FeedMouseButton(SDL_BUTTON_LEFT, false);
  Step(loader);
  Step(loader);
  EXPECT_EQ(loader.GetCurrentPage(), 1);
  ExpectCentre(kTeal, 1.0f);
}

// The screen shows the picture's top-left 800 x 600 texels one to one,
// whatever the picture's size: near the screen's bottom-right corner, the
// texel there. Amber up to a corner of teal.
TEST_F(BootLoaderTest, APageShowsTheTopLeft800By600OfItsPicture) {
  struct Case {
    uint32_t width, height, tealFromX, tealFromY, corner;
  };
  const Case cases[] = {{1024, 1024, 800, 600, kAmber}, {800, 600, 780, 580, kTeal}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    std::vector<uint32_t> pixels(static_cast<size_t>(c.width) * c.height);
    for (uint32_t y = 0; y < c.height; ++y)
      for (uint32_t x = 0; x < c.width; ++x)
        pixels[static_cast<size_t>(y) * c.width + x] = x >= c.tealFromX || y >= c.tealFromY ? kTeal : kAmber;
    const std::string path = scratch_.Path("page" + std::to_string(c.width) + ".bmp");
    ASSERT_TRUE(platform::WriteBmp(path, c.width, c.height, pixels.data()));
    BootLoader loader(true);
    loader.AddPage(path, 1.0f, 0.0f, 0.0f);
    Steps(loader, 2);
    ASSERT_LT(loader.GetFadeIn().remaining, 0.0f);
    EXPECT_EQ(Pixel(795, 595), c.corner & 0xFFFFFFu);
    EXPECT_EQ(Pixel(5, 5), kAmber & 0xFFFFFFu);
  }
}

TEST_F(BootLoaderTest, ALoaderThatIsNotSkippableIgnoresKeysAndButtons) {
  BootLoader loader(false);
  loader.AddPage(Picture("amber.bmp", kAmber), 1.0f, 1.0f, 1.0f);
  Step(loader);
  Release(SDL_SCANCODE_ESCAPE);
  platform::testing::FeedMouseButton(SDL_BUTTON_RIGHT, true);
  Step(loader);
  platform::testing::FeedMouseButton(SDL_BUTTON_RIGHT, false);
  Step(loader);
  EXPECT_NEAR(loader.GetFadeIn().remaining, 0.7f, 1e-4f);
  EXPECT_FLOAT_EQ(loader.GetHold().remaining, 1.0f);
  EXPECT_FLOAT_EQ(loader.GetFadeOut().remaining, 1.0f);
}

TEST_F(BootLoaderTest, PagesWithoutAPictureAreLeftOut) {
  {
    BootLoader loader(true);
    loader.AddPage(scratch_.Path("missing.jpg"), 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(loader.GetPageCount(), 0u);
    graphics_->Clear(0xFF102030u, 1.0f, 0, 1, 0, 0);
    Step(loader);
    EXPECT_TRUE(loader.done);
    // Nothing was drawn over the cleared frame.
    EXPECT_EQ(Pixel(400, 300), 0x102030u);
  }
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 0.0f, 0.0f, 0.0f);
  loader.AddPage(scratch_.Path("missing.jpg"), 1.0f, 1.0f, 1.0f);
  loader.AddPage(Picture("teal.bmp", kTeal), 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(loader.GetPageCount(), 2u);
  EXPECT_EQ(StepsUntilDone(loader, 20), 8);
}

TEST_F(BootLoaderTest, ALaterPagesPictureIsDecodedOnlyWhenItsPageComesUp) {
  const std::string amber = Picture("amber.bmp", kAmber);
  const std::string teal = Picture("teal.bmp", kTeal);
  BootLoader loader(true);
  loader.AddPage(amber, 0.0f, 0.0f, 0.0f);
  loader.AddPage(teal, 1.0f, 0.0f, 0.0f);
  EXPECT_EQ(loader.GetPageCount(), 2u);
  ASSERT_NE(res::GetResMan().FindResource(amber), nullptr);
  EXPECT_EQ(res::GetResMan().FindResource(teal), nullptr);
  Steps(loader, 5);
  ASSERT_EQ(loader.GetCurrentPage(), 1);
  ExpectCentre(kTeal, 1.0f);
  ASSERT_NE(res::GetResMan().FindResource(teal), nullptr);
  EXPECT_EQ(res::GetResMan().FindResource(teal)->GetState(), res::kStateReady);
}

TEST_F(BootLoaderTest, ALaterPageWhosePictureDoesNotDecodeIsLeftOutWhenItComesUp) {
  const std::string broken = scratch_.Path("broken.jpg");
  std::ofstream(broken, std::ios::binary) << "not a picture at all";
  BootLoader loader(true);
  loader.AddPage(Picture("amber.bmp", kAmber), 0.0f, 0.0f, 0.0f);
  loader.AddPage(broken, 1.0f, 1.0f, 1.0f);
  loader.AddPage(Picture("teal.bmp", kTeal), 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(loader.GetPageCount(), 3u);  // the file reads: only decoding tells
  EXPECT_EQ(StepsUntilDone(loader, 20), 8);
  EXPECT_EQ(loader.GetPageCount(), 2u);
}

TEST_F(BootLoaderTest, APagesTextureGoesWithThePageAndComesBackOnALaterUse) {
  const std::string amber = Picture("amber.bmp", kAmber);
  BootLoader loader(true);
  loader.AddPage(amber, 0.0f, 0.0f, 0.0f);
  loader.AddPage(Picture("teal.bmp", kTeal), 1.0f, 0.0f, 0.0f);
  res::Resource* first = res::GetResMan().FindResource(amber);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetState(), res::kStateReady);
  Steps(loader, 5);  // on the second page
  ASSERT_EQ(loader.GetCurrentPage(), 1);
  ExpectCentre(kTeal, 1.0f);
  // Still listed, without its texture.
  EXPECT_EQ(res::GetResMan().FindResource(amber), first);
  EXPECT_EQ(first->GetState(), res::kStateReleased);
  EXPECT_EQ(res::GetResMan().FindResource(scratch_.Path("teal.bmp"))->GetState(), res::kStateReady);

  Image again;
  ASSERT_TRUE(again.Load(amber));
  EXPECT_EQ(again.GetSurface(), first);
  EXPECT_EQ(first->GetState(), res::kStateReady);
  StepsUntilDone(loader, 30);
  EXPECT_EQ(res::GetResMan().FindResource(scratch_.Path("teal.bmp"))->GetState(), res::kStateReleased);
}

}  // namespace
