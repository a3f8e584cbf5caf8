#include "platform/video/vfw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "avi_writer.h"
#include "platform/video/vfw_testing.h"
#include "temp_folder.h"

namespace {

const std::vector<uint32_t> kTops = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
const std::vector<uint32_t> kBottoms = {0x202020, 0x808080, 0xFF00FF, 0x400000, 0x004000};

// Frame i: its top half kTops[i % 5], its bottom half kBottoms[i % 5].
avi_writer::Clip TwoBandClip(uint32_t width, uint32_t height, uint32_t count) {
  avi_writer::Clip clip;
  clip.width = width;
  clip.height = height;
  for (uint32_t i = 0; i < count; ++i) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, kBottoms[i % 5]);
    std::fill(pixels.begin(), pixels.begin() + static_cast<size_t>(width) * (height / 2), kTops[i % 5]);
    clip.frames.push_back(pixels);
  }
  return clip;
}

class VfwTest : public ::testing::Test {
 protected:
  void SetUp() override { AVIFileInit(); }
  void TearDown() override {
    if (reader_) AVIStreamGetFrameClose(reader_);
    if (stream_) AVIStreamRelease(stream_);
    AVIFileExit();
  }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = (folder_.Path() / name).string();
    EXPECT_TRUE(avi_writer::WriteFile(path, bytes));
    return path;
  }
  HRESULT Open(const std::string& path) {
    return AVIStreamOpenFromFileA(&stream_, path.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr);
  }
  void OpenClip(const avi_writer::Clip& clip) {
    ASSERT_EQ(Open(Write("clip.avi", avi_writer::Write(clip))), AVIERR_OK);
    reader_ = AVIStreamGetFrameOpen(stream_, nullptr);
    ASSERT_NE(reader_, nullptr);
  }

  TempFolder folder_;
  PAVISTREAM stream_ = nullptr;
  PGETFRAME reader_ = nullptr;
};

TEST_F(VfwTest, StreamInfoGivesFrameSizeCountAndDuration) {
  const struct {
    uint32_t rate, scale, frames;
    LONG milliseconds;
  } cases[] = {{10, 1, 10, 1000}, {2000, 1, 20, 10}, {30000, 1001, 30, 1001}, {1, 1, 3, 3000}};
  for (const auto& c : cases) {
    avi_writer::Clip clip = avi_writer::SolidFrames(24, 8, c.frames, {0x123456});
    clip.rate = c.rate;
    clip.scale = c.scale;
    ASSERT_EQ(Open(Write("info.avi", avi_writer::Write(clip))), AVIERR_OK) << c.rate;
    AVISTREAMINFOA info{};
    ASSERT_EQ(AVIStreamInfoA(stream_, &info, sizeof info), AVIERR_OK);
    EXPECT_EQ(info.fccType, streamtypeVIDEO);
    EXPECT_EQ(info.rcFrame.right - info.rcFrame.left, 24);
    EXPECT_EQ(info.rcFrame.bottom - info.rcFrame.top, 8);
    EXPECT_EQ(AVIStreamLength(stream_), static_cast<LONG>(c.frames));
    EXPECT_EQ(AVIStreamSampleToTime(stream_, AVIStreamLength(stream_)), c.milliseconds) << c.rate;
    AVIStreamRelease(stream_);
    stream_ = nullptr;
  }
}

TEST_F(VfwTest, FramesComeUprightInAnyOrder) {
  OpenClip(TwoBandClip(10, 6, 10));  // rows of 30 bytes padded to 32 in the file
  for (LONG n : {0, 1, 7, 2, 2, 9, 0, 5}) {
    auto* header = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(reader_, n));
    ASSERT_NE(header, nullptr) << n;
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 10);
    EXPECT_EQ(header->biHeight, 6);  // bottom-up
    EXPECT_EQ(header->biBitCount, 32);
    const auto* pixels = reinterpret_cast<const uint32_t*>(header + 1);
    EXPECT_EQ(pixels[5 * 10 + 4], kTops[n % 5]) << "top row, frame " << n;
    EXPECT_EQ(pixels[0 * 10 + 4], kBottoms[n % 5]) << "bottom row, frame " << n;
  }
  EXPECT_EQ(AVIStreamGetFrame(reader_, -1), nullptr);
  EXPECT_EQ(AVIStreamGetFrame(reader_, 10), nullptr);
}

TEST_F(VfwTest, DamagedFrameReadsAsNullWithoutHidingItsNeighbours) {
  avi_writer::Clip clip = TwoBandClip(8, 8, 6);
  clip.damagedFrame = 3;
  OpenClip(clip);
  EXPECT_NE(AVIStreamGetFrame(reader_, 2), nullptr);
  EXPECT_EQ(AVIStreamGetFrame(reader_, 3), nullptr);
  EXPECT_EQ(AVIStreamGetFrame(reader_, 3), nullptr);
  auto* header = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(reader_, 4));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(reinterpret_cast<const uint32_t*>(header + 1)[7 * 8], kTops[4]);
  EXPECT_NE(AVIStreamGetFrame(reader_, 1), nullptr);
}

TEST_F(VfwTest, FilesWithoutWholeVideoAreRefused) {
  std::vector<uint8_t> whole = avi_writer::Write(TwoBandClip(16, 16, 10));
  avi_writer::Clip sound = avi_writer::SolidFrames(16, 16, 4, {0});
  sound.video = false;
  avi_writer::Clip huge = avi_writer::SolidFrames(16, 16, 1, {0});
  huge.width = 5000;
  huge.frames.clear();
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    HRESULT result;
  } cases[] = {
      {"cut in the frames", std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2), AVIERR_FILEOPEN},
      {"cut in the index", std::vector<uint8_t>(whole.begin(), whole.end() - 20), AVIERR_FILEOPEN},
      {"cut in the header", std::vector<uint8_t>(whole.begin(), whole.begin() + 100), AVIERR_FILEOPEN},
      {"not an AVI", std::vector<uint8_t>(300, 0x41), AVIERR_FILEOPEN},
      {"empty", {}, AVIERR_FILEOPEN},
      {"sound only", avi_writer::Write(sound), AVIERR_NODATA},
      {"frame too wide", avi_writer::Write(huge), AVIERR_BADFORMAT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Open(Write("refused.avi", c.bytes)), c.result) << c.what;
    EXPECT_EQ(stream_, nullptr) << c.what;
  }
  EXPECT_EQ(Open((folder_.Path() / "missing.avi").string()), AVIERR_FILEOPEN);
}

TEST_F(VfwTest, EmptyStreamOpensWithNoFrames) {
  ASSERT_EQ(Open(Write("empty.avi", avi_writer::Write(avi_writer::SolidFrames(16, 16, 0, {0})))), AVIERR_OK);
  EXPECT_EQ(AVIStreamLength(stream_), 0);
  EXPECT_EQ(AVIStreamSampleToTime(stream_, 0), 0);
}

TEST_F(VfwTest, UnknownCodecOpensButGivesNoFrameReader) {
  avi_writer::Clip clip = avi_writer::SolidFrames(16, 16, 2, {0});
  clip.compression = avi_writer::detail::FourCC("QZQZ");
  ASSERT_EQ(Open(Write("codec.avi", avi_writer::Write(clip))), AVIERR_OK);
  EXPECT_EQ(AVIStreamGetFrameOpen(stream_, nullptr), nullptr);
}

TEST_F(VfwTest, ReaderKeepsItsStreamAlive) {
  OpenClip(TwoBandClip(8, 8, 3));
  EXPECT_EQ(AVIStreamRelease(stream_), 1u);  // the reader's reference is left
  stream_ = nullptr;
  EXPECT_NE(AVIStreamGetFrame(reader_, 2), nullptr);
}

TEST_F(VfwTest, LibraryCallsNestAndOpeningNeedsThem) {
  const std::string path = Write("nest.avi", avi_writer::Write(TwoBandClip(8, 8, 1)));
  const int outer = platform::testing::AviFileInitDepth();
  AVIFileInit();
  EXPECT_EQ(platform::testing::AviFileInitDepth(), outer + 1);
  AVIFileExit();
  AVIFileExit();
  EXPECT_EQ(platform::testing::AviFileInitDepth(), outer - 1);
  EXPECT_EQ(Open(path), AVIERR_ERROR);
  AVIFileExit();  // one too many changes nothing
  AVIFileInit();
  EXPECT_EQ(Open(path), AVIERR_OK);
}

// A memory device context over a bottom-up 32-bit DIB section.
class Section {
 public:
  Section(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    SelectObject(dc_, bitmap_);
  }
  ~Section() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  // (x, y) counted from the top.
  uint32_t At(int x, int y) const { return pixels_[(height_ - 1 - y) * width_ + x]; }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  uint32_t* pixels_;
};

// A packed bottom-up DIB of four quadrants: red, green above blue, white.
std::vector<uint32_t> QuadrantDib(int side) {
  std::vector<uint32_t> dib(10 + side * side);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  *header = {sizeof(BITMAPINFOHEADER), side, side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      bool top = y < side / 2, left = x < side / 2;
      dib[10 + (side - 1 - y) * side + x] = top ? (left ? 0xFF0000 : 0x00FF00) : (left ? 0x0000FF : 0xFFFFFF);
    }
  }
  return dib;
}

TEST(DrawDibTest, CopiesUprightScalesAndClips) {
  std::vector<uint32_t> dib = QuadrantDib(4);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  HDRAWDIB drawDib = DrawDibOpen();
  ASSERT_NE(drawDib, nullptr);

  Section same(4, 4);
  ASSERT_TRUE(DrawDibDraw(drawDib, same.dc(), 0, 0, 4, 4, header, header + 1, 0, 0, 4, 4, 0));
  EXPECT_EQ(same.At(0, 0), 0xFF0000u);
  EXPECT_EQ(same.At(3, 0), 0x00FF00u);
  EXPECT_EQ(same.At(0, 3), 0x0000FFu);
  EXPECT_EQ(same.At(3, 3), 0xFFFFFFu);

  Section larger(16, 16);
  ASSERT_TRUE(DrawDibDraw(drawDib, larger.dc(), 0, 0, 16, 16, header, header + 1, 0, 0, 4, 4, 0));
  EXPECT_EQ(larger.At(2, 2), 0xFF0000u);
  EXPECT_EQ(larger.At(13, 13), 0xFFFFFFu);

  // Half of it hangs off the bitmap's right and bottom edges.
  Section clipped(4, 4);
  ASSERT_TRUE(DrawDibDraw(drawDib, clipped.dc(), 2, 2, 4, 4, header, header + 1, 0, 0, 4, 4, 0));
  EXPECT_EQ(clipped.At(0, 0), 0u);
  EXPECT_EQ(clipped.At(2, 2), 0xFF0000u);
  EXPECT_EQ(clipped.At(3, 3), 0xFF0000u);
  // Only the source's white quadrant, from the top-left of the bitmap.
  ASSERT_TRUE(DrawDibDraw(drawDib, clipped.dc(), -2, -2, 4, 4, header, header + 1, 0, 0, 4, 4, 0));
  EXPECT_EQ(clipped.At(0, 0), 0xFFFFFFu);

  EXPECT_FALSE(DrawDibDraw(drawDib, same.dc(), 0, 0, 4, 4, header, header + 1, 2, 2, 4, 4, 0));
  EXPECT_FALSE(DrawDibDraw(drawDib, same.dc(), 0, 0, 0, 4, header, header + 1, 0, 0, 4, 4, 0));
  header->biBitCount = 24;
  EXPECT_FALSE(DrawDibDraw(drawDib, same.dc(), 0, 0, 4, 4, header, header + 1, 0, 0, 4, 4, 0));
  EXPECT_TRUE(DrawDibClose(drawDib));
}

}  // namespace
