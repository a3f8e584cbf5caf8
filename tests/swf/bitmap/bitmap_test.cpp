// Bitmaps of every format, the image buffers and the zlib reader.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "read_file.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/bitmap/inflate_wrapper.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/bitmap/pixel_image.h"
#include "swf/memory_file.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"

namespace {
using namespace swf_test;

using Pixel = std::vector<int>;

class Bitmaps : public ::testing::Test {
 protected:
  void SetUp() override {
    movie = LoadMovie("bitmaps.swf");
    ASSERT_TRUE(movie);
  }
  const RecordedBitmap* Bitmap(int id) {
    swf::bitmap_character* character = movie->find_bitmap_character(id);
    return character ? backend.Find(character->get_bitmap()) : nullptr;
  }
  static Pixel PixelAt(const RecordedBitmap* b, int x, int y) {
    const uint8_t* p = &b->rgba[static_cast<size_t>(4 * (y * b->width + x))];
    return {p[0], p[1], p[2], p[3]};
  }
  static bool Near(const Pixel& a, const Pixel& b) {
    for (size_t i = 0; i < 4; ++i)
      if (std::abs(a[i] - b[i]) > 8) return false;
    return true;
  }

  MovieFolder folder;
  PlayerLogCapture log;
  RecordingBackend backend;
  swf::counted_ptr<swf::movie_def_impl> movie;
};

TEST_F(Bitmaps, LosslessFormats) {
  const RecordedBitmap* mapped = Bitmap(1);  // width 5: rows of 8 index bytes
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(mapped->width, 5);
  EXPECT_EQ(mapped->height, 2);
  EXPECT_EQ(PixelAt(mapped, 2, 0), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(mapped, 0, 1), (Pixel{0, 0, 255, 255}));
  EXPECT_EQ(PixelAt(mapped, 4, 1), (Pixel{255, 0, 0, 255}));

  const RecordedBitmap* mapped_alpha = Bitmap(2);
  ASSERT_NE(mapped_alpha, nullptr);
  EXPECT_TRUE(mapped_alpha->has_alpha);
  EXPECT_EQ(PixelAt(mapped_alpha, 0, 0), (Pixel{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(mapped_alpha, 1, 0), (Pixel{0, 0, 0, 0})) << "an index past the table";

  const RecordedBitmap* rgb15 = Bitmap(3);
  ASSERT_NE(rgb15, nullptr);
  EXPECT_EQ(PixelAt(rgb15, 0, 0), (Pixel{248, 0, 0, 255}));
  EXPECT_EQ(PixelAt(rgb15, 1, 0), (Pixel{0, 0, 248, 255}));

  const RecordedBitmap* rgb32 = Bitmap(4);
  ASSERT_NE(rgb32, nullptr);
  EXPECT_EQ(PixelAt(rgb32, 0, 0), (Pixel{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(PixelAt(rgb32, 1, 0), (Pixel{0x40, 0x50, 0x60, 255}));

  const RecordedBitmap* argb = Bitmap(5);
  ASSERT_NE(argb, nullptr);
  EXPECT_EQ(PixelAt(argb, 0, 0), (Pixel{0x10, 0x20, 0x30, 0x80})) << "stored alpha first";
}

TEST_F(Bitmaps, JpegFormats) {
  const Pixel red{254, 0, 0, 255}, blue{0, 0, 254, 255};
  struct Case {
    int id;
    Pixel colour;
  };
  for (const Case& c : {Case{6, red}, Case{7, blue}, Case{8, blue}, Case{10, {128, 128, 128, 255}}}) {
    const RecordedBitmap* b = Bitmap(c.id);
    ASSERT_NE(b, nullptr) << c.id;
    EXPECT_EQ(b->width, 8);
    EXPECT_EQ(b->height, 6);
    EXPECT_TRUE(Near(PixelAt(b, 3, 2), c.colour)) << c.id;
  }
  const RecordedBitmap* transparent = Bitmap(9);
  ASSERT_NE(transparent, nullptr);
  EXPECT_TRUE(transparent->has_alpha);
  EXPECT_TRUE(Near(PixelAt(transparent, 7, 5), {254, 0, 0, 0})) << "the JPEG's colour, alpha 0";
}

TEST_F(Bitmaps, RefusedPicturesEndWithAnErrorLine) {
  EXPECT_EQ(movie->find_bitmap_character(11), nullptr) << "CMYK";
  EXPECT_TRUE(log.Has("colour space"));
  EXPECT_EQ(movie->find_bitmap_character(12), nullptr);
  EXPECT_TRUE(log.Has("jpeg error: empty jpeg source stream.\n"));
  EXPECT_EQ(movie->find_bitmap_character(13), nullptr);
  EXPECT_TRUE(log.Has("image of 65535 x 65535 pixels is too large"));
  EXPECT_EQ(movie->find_bitmap_character(15), nullptr);
  EXPECT_TRUE(log.Has("no JPEG tables for bitmap 15"));
  EXPECT_EQ(movie->find_bitmap_character(16), nullptr);
  EXPECT_TRUE(log.Has("add_bc appears in sprite tags!\n"));
  EXPECT_EQ(movie->find_bitmap_character(17), nullptr);
  EXPECT_TRUE(log.Has("bitmap 17 of 4000 x 4000 pixels cannot come out of 30 bytes; skipping it\n"));
  EXPECT_EQ(movie->get_bitmap_count(), 11) << "bitmaps 1 to 10 and 18";
}

TEST_F(Bitmaps, LosslessDataThatIsMerelyShortStillMakesItsImage) {
  const RecordedBitmap* short_data = Bitmap(18);
  ASSERT_NE(short_data, nullptr);
  EXPECT_EQ(short_data->width, 2);
  EXPECT_EQ(PixelAt(short_data, 1, 0), (Pixel{0, 0, 0, 255}));
}

TEST(LosslessBitmaps, PixelsThatCannotComeOutOfTheFileAreRefused) {
  MovieFolder folder;
  PlayerLogCapture log;
  RecordingBackend backend;
  swf::counted_ptr<swf::movie_def_impl> movie = LoadMovie("bitmap_past_end.swf");
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->find_bitmap_character(17), nullptr);
  EXPECT_TRUE(log.Has("bitmap 17 of 4000 x 4000 pixels cannot come out of 0 bytes; skipping it\n")) << log.Text();
}

TEST(ImageBuffers, PitchesAndAlphaHashes) {
  std::unique_ptr<swf::rgb_image> rgb(swf::make_rgb_image(5, 2));
  EXPECT_EQ(rgb->pitch, 16);
  std::unique_ptr<swf::rgba_image> rgba(swf::make_rgba_image(5, 2));
  EXPECT_EQ(rgba->pitch, 20);
  rgba->set_pixel(4, 1, 1, 2, 3, 4);
  EXPECT_EQ(swf::image_row(rgba.get(), 1)[19], 4);

  swf::alpha_image a(3, 2), b(3, 2), c(2, 3);
  for (swf::alpha_image* image : {&a, &b}) image->data[4] = 9;
  EXPECT_TRUE(a.equals(b));
  EXPECT_EQ(a.hash(), b.hash());
  EXPECT_FALSE(a.equals(c));
  b.data[0] = 1;
  EXPECT_FALSE(a.equals(b));
  EXPECT_NE(a.hash(), b.hash());
}

TEST(InflateWrapper, StopsAtTheStreamsEndAnErrorOrTheDataEnd) {
  PlayerLogCapture log;
  const std::string text = "pixels pixels pixels";
  std::string packed(64, '\0');
  uLongf packed_size = packed.size();
  compress(reinterpret_cast<Bytef*>(&packed[0]), &packed_size, reinterpret_cast<const Bytef*>(text.data()),
           text.size());
  packed.resize(packed_size);

  MemoryFile whole(packed + "after");
  char out[32] = {};
  swf::inflate_wrapper(whole.file(), out, sizeof out);
  EXPECT_EQ(std::string(out), text);
  EXPECT_EQ(whole.position(), static_cast<int64_t>(packed.size())) << "left just after the stream";
  EXPECT_EQ(log.ErrorCount(), 0);

  MemoryFile cut(packed.substr(0, 6));
  char partial[32] = {};
  swf::inflate_wrapper(cut.file(), partial, sizeof partial);
  EXPECT_EQ(log.ErrorCount(), 0) << "the data just stops";

  MemoryFile garbage(std::string("\x78\x9c\xff\xff\xff\xff", 6));
  swf::inflate_wrapper(garbage.file(), partial, sizeof partial);
  EXPECT_TRUE(log.Has("error: inflate_wrapper() inflate() returned -3\n"));
  EXPECT_LT(garbage.position(), 6) << "stops at the first error";
}

TEST(JpegReader, EmptyAndBrokenDataAnswerNull) {
  PlayerLogCapture log;
  MemoryFile empty(std::string{});
  EXPECT_EQ(swf::decode_jpeg_rgb(empty.file()), nullptr);
  EXPECT_TRUE(log.Has("empty jpeg source stream."));
  MemoryFile noise(std::string("\xff\xd8\xff\xc0\x00\x02garbage", 13));
  EXPECT_EQ(swf::decode_jpeg_rgba(noise.file()), nullptr);

  const std::string jpeg = ReadFile(FixturePath("red.jpg"));
  MemoryFile cut(jpeg.substr(0, jpeg.size() - 6));  // into the scan data
  std::unique_ptr<swf::rgb_image> partial(swf::decode_jpeg_rgb(cut.file()));
  ASSERT_NE(partial, nullptr) << "a cut picture decodes as far as it goes";
  EXPECT_EQ(partial->width, 8);
}

}  // namespace
