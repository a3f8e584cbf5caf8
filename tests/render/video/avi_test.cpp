// Video images: AVI files played into textures, drawn and read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include "avi_writer.h"
#include "core/frame_timer.h"
#include "platform/video/vfw_testing.h"
#include "render/dx8/dx8_avi.h"
#include "render/graphics_fixture.h"
#include "render/image_files.h"
#include "render/sprites/quad_builders.h"
#include "render/video/avi.h"

namespace {

const std::vector<uint32_t> kTops = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                     0xFF00FF, 0x800000, 0x008000, 0x000080, 0x808000};
constexpr uint32_t kBottom = 0x404040;

// Frame i: its top half kTops[i], its bottom half kBottom.
avi_writer::Clip BandClip(uint32_t width, uint32_t height, uint32_t count) {
  avi_writer::Clip clip;
  clip.width = width;
  clip.height = height;
  for (uint32_t i = 0; i < count; ++i) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, kBottom);
    std::fill(pixels.begin(), pixels.begin() + static_cast<size_t>(width) * (height / 2), kTops[i % kTops.size()]);
    clip.frames.push_back(pixels);
  }
  return clip;
}

class AviTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    libraryDepth_ = platform::testing::AviFileInitDepth();
    // Test programs run side by side: each test writes into a folder of its own.
    folder_ = image_files::Folder(std::string("avi_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override {
    GetFrameTimer().frameDelta = 0.0f;
    platform::testing::SetSquareTexturesOnly(false);
    // Every image gone, every AVIFileInit has had its AVIFileExit.
    EXPECT_EQ(platform::testing::AviFileInitDepth(), libraryDepth_);
    GraphicsTest::TearDown();
  }

  std::string WriteClip(const std::string& name, const avi_writer::Clip& clip) {
    std::string path = folder_ + name;
    EXPECT_TRUE(avi_writer::WriteFile(path, clip));
    return path;
  }
  std::unique_ptr<AviImage> Load(const std::string& path) {
    return std::unique_ptr<AviImage>(dynamic_cast<AviImage*>(graphics_->LoadImageA(path)));
  }
  // Advances the clip by one frame of `seconds`.
  bool Advance(AviImage& clip, float seconds) {
    GetFrameTimer().frameDelta = seconds;
    return clip.Update();
  }
  // The image over the whole screen, texels as they are (no blending or alpha test).
  void DrawFullScreen(Image* image, math::Vec2 uvMax = {1, 1}) {
    graphics_->SetRenderState(Graphics::kAlphaBlend, 0);
    graphics_->SetRenderState(Graphics::kAlphaTest, 0);
    graphics_->Clear(0xFF000000, 0, 0, 1, 0, 0);
    Vertex2D v[6];
    BuildRectQuad(v, {0, 0}, {1, 1}, {0, 0}, uvMax, 0xFFFFFFFF);
    graphics_->SetTexture(0, image);
    graphics_->DrawArray2D(v, 6, Graphics::kTriangleList);
  }
  void ExpectShows(Image* image, uint32_t top, int tolerance = 0) {
    DrawFullScreen(image);
    EXPECT_TRUE(Near(Pixel(400, 100), top, tolerance)) << std::hex << Pixel(400, 100) << " for " << top;
    EXPECT_TRUE(Near(Pixel(400, 500), kBottom, tolerance)) << std::hex << Pixel(400, 500);
  }

  int libraryDepth_ = 0;
  std::string folder_;
};

TEST_F(AviTest, LoopingClipStepsByTheFrameClockAndWrapsToTheStart) {
  auto clip = Load(WriteClip("loop.avi", BandClip(16, 16, 10)));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->GetType(), 0x00617669u);
  EXPECT_EQ(clip->GetWidth(), 16u);
  EXPECT_EQ(clip->GetFrameCount(), 10u);
  EXPECT_EQ(clip->GetFrameTime(), 100u);
  EXPECT_TRUE(clip->IsPlaying());
  EXPECT_EQ(clip->GetSurface(), nullptr);

  const struct {
    float seconds;
    uint32_t frame;
    bool ended;
  } steps[] = {
      {0.35f, 3, false},  // three frames in one call
      {0.04f, 3, false},  // countdown still above zero
      {0.56f, 9, false},  // 0.6 s late: six frames
      {0.10f, 0, true},   // the tenth step wraps
      {0.10f, 1, false},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(Advance(*clip, s.seconds), s.ended) << s.seconds;
    EXPECT_EQ(clip->GetCurrentFrame(), s.frame) << s.seconds;
  }
}

TEST_F(AviTest, ClipWithoutLoopHoldsItsLastFrameAndKeepsReportingTheEnd) {
  auto clip = Load(WriteClip("once.avi", BandClip(16, 16, 10)));
  ASSERT_NE(clip, nullptr);
  clip->SetLoop(false);
  EXPECT_FALSE(Advance(*clip, 0.95f));
  EXPECT_EQ(clip->GetCurrentFrame(), 9u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(Advance(*clip, 0.1f)) << i;
    EXPECT_EQ(clip->GetCurrentFrame(), 9u);
  }
  ExpectShows(clip.get(), kTops[9]);
}

TEST_F(AviTest, DamagedFramePausesTheClipForGood) {
  avi_writer::Clip damaged = BandClip(16, 16, 10);
  damaged.damagedFrame = 3;
  auto clip = Load(WriteClip("damaged.avi", damaged));
  ASSERT_NE(clip, nullptr);
  EXPECT_FALSE(Advance(*clip, 0.25f));
  LogCapture log;
  EXPECT_FALSE(Advance(*clip, 0.1f));
  EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 1u);
  EXPECT_TRUE(LogCapture::Has("Illegal AVI frame found.. pausing movie"));
  EXPECT_TRUE(clip->IsPaused());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Advance(*clip, 1.0f));
  EXPECT_EQ(clip->GetCurrentFrame(), 3u);
  ExpectShows(clip.get(), kTops[2]);  // the last good frame stays
}

TEST_F(AviTest, TextureShowsTheCurrentFrameUpright) {
  // Width 10: rows of 30 bytes in the file, 30 in an R8G8B8 texture.
  auto clip = Load(WriteClip("bands.avi", BandClip(10, 6, 10)));
  ASSERT_NE(clip, nullptr);
  ExpectShows(clip.get(), kTops[0]);
  for (uint32_t frame : {1u, 2u, 7u}) {
    while (clip->GetCurrentFrame() != frame) Advance(*clip, 0.1f);
    ExpectShows(clip.get(), kTops[frame]);
  }
}

TEST_F(AviTest, CompressedClipShowsItsColoursWithinATolerance) {
  const std::string source = WriteClip("plain.avi", BandClip(32, 32, 4));
  const std::string compressed = folder_ + "mjpeg.avi";
  const std::string command =
      "ffmpeg -loglevel quiet -y -i '" + source + "' -c:v mjpeg -q:v 2 -pix_fmt yuvj420p '" + compressed + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the ffmpeg tool of the install list";
  auto clip = Load(compressed);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->GetFrameCount(), 4u);
  ExpectShows(clip.get(), kTops[0], 24);
  Advance(*clip, 0.2f);
  ExpectShows(clip.get(), kTops[2], 24);
}

TEST_F(AviTest, SquareOnlyDeviceKeepsTheFrameInsideItsTexture) {
  Graphics::SHUTDOWN();
  platform::testing::SetSquareTexturesOnly(true);
  GraphicsTest::SetUp();
  auto clip = Load(WriteClip("wide.avi", BandClip(16, 8, 2)));
  ASSERT_NE(clip, nullptr);
  // The frame fills the upper half of a 16 x 16 texture.
  DrawFullScreen(clip.get(), {1.0f, 0.5f});
  EXPECT_EQ(Pixel(400, 100), kTops[0]);
  EXPECT_EQ(Pixel(400, 500), kBottom);
}

TEST_F(AviTest, FilesThatCannotPlayFailTheirLoadWithTheirLine) {
  avi_writer::Clip sound = BandClip(16, 16, 4);
  sound.video = false;
  avi_writer::Clip codec = BandClip(16, 16, 4);
  codec.compression = avi_writer::detail::FourCC("QZQZ");
  std::vector<uint8_t> whole = avi_writer::Write(BandClip(16, 16, 10));
  const std::string& folder = folder_;
  ASSERT_TRUE(avi_writer::WriteFile(folder + "cut.avi",
                                    std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2)));
  const struct {
    std::string name;
    const char* line;
  } cases[] = {
      {WriteClip("empty.avi", BandClip(16, 16, 0)), "Unable to load Video "},
      {WriteClip("sound.avi", sound), "Unable to load Video "},
      {folder + "cut.avi", "Unable to load Video "},
      {folder + "missing.avi", "Unable to load Video "},
      {WriteClip("codec.avi", codec), "Unable to open frame from "},
  };
  for (const auto& c : cases) {
    LogCapture log;
    EXPECT_EQ(graphics_->LoadImageA(c.name), nullptr) << c.name;
    EXPECT_TRUE(LogCapture::Has(c.line + c.name)) << c.name << ": " << LogCapture::Text();
  }
  // An image that was never given a file finds none.
  Dx8AviImage unnamed;
  LogCapture log;
  EXPECT_FALSE(unnamed.Load(""));
  EXPECT_TRUE(LogCapture::Has("Unable to find AVI "));
}

TEST_F(AviTest, FastOrTimelessClipsStepAtLeastAMillisecondAFrame) {
  avi_writer::Clip fast = BandClip(16, 16, 20);
  fast.rate = 2000;  // 10 ms in all: 0 ms a frame by whole milliseconds
  auto clip = Load(WriteClip("fast.avi", fast));
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->GetFrameTime(), 1u);
  EXPECT_TRUE(Advance(*clip, 0.1f));  // a hundred steps, five times round
  // No elapsed time, however odd, stalls it.
  EXPECT_TRUE(Advance(*clip, 1e30f));
  Advance(*clip, std::numeric_limits<float>::quiet_NaN());
  EXPECT_FALSE(Advance(*clip, 0.0005f));
  EXPECT_LT(clip->GetCurrentFrame(), 20u);
}

TEST_F(AviTest, TitleClipPlaysFromTheGamesContent) {
  auto clip = Load(std::string(VANTOR_SOURCE_DIR) + "/data/video/sunrise.avi");
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->GetWidth(), 256u);
  EXPECT_EQ(clip->GetHeight(), 128u);
  EXPECT_EQ(clip->GetFrameCount(), 24u);
  EXPECT_EQ(clip->GetFrameTime(), 83u);  // 12 frames a second
  DrawFullScreen(clip.get());
  EXPECT_TRUE(Near(Pixel(10, 2), 0x1B2A5E, 24)) << std::hex << Pixel(10, 2);    // night sky above
  EXPECT_TRUE(Near(Pixel(790, 560), 0xC9A45C, 24)) << std::hex << Pixel(790, 560);  // sand below
  int ends = 0;
  for (int i = 0; i < 40; ++i) ends += Advance(*clip, 0.1f) ? 1 : 0;  // four seconds: two loops
  EXPECT_EQ(ends, 2);
  EXPECT_FALSE(clip->IsPaused());
}

}  // namespace
