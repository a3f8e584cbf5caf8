// The Direct3D 8 backend drawing on a real device, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "offscreen_device.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_testing.h"
#include "swf/bitmap/pixel_image.h"
#include "swf/geometry/shape_character.h"
#include "swf/movie_fixture.h"
#include "swf/player_log_capture.h"
#include "swf/render/backend_bitmap.h"
#include "swf/render/render_backend_d3d8.h"

namespace {
using namespace swf_test;

constexpr UINT kWidth = 256;
constexpr UINT kHeight = 64;
constexpr float kTwips = 20.0f;

struct Rgb {
  int r, g, b;
};

// A strip of the rectangle, in twips.
std::vector<int16_t> Rect(int x0, int y0, int x1, int y1) {
  return {int16_t(x0), int16_t(y0), int16_t(x1), int16_t(y0), int16_t(x0), int16_t(y1), int16_t(x1), int16_t(y1)};
}

swf::rgb_image* HalvesImage(int width, int height, Rgb left, Rgb right) {
  swf::rgb_image* image = swf::make_rgb_image(width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = swf::image_row(image, y);
    for (int x = 0; x < width; ++x) {
      const Rgb& c = x < width / 2 ? left : right;
      row[3 * x] = uint8_t(c.r);
      row[3 * x + 1] = uint8_t(c.g);
      row[3 * x + 2] = uint8_t(c.b);
    }
  }
  return image;
}

class D3D8Backend : public ::testing::Test {
 protected:
  void SetUp() override {
    device_ = screen_.device();
    ASSERT_NE(device_, nullptr);
    device_->BeginScene();
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 0, 0);
    MakeBackend();
  }
  void TearDown() override {
    swf::set_render_backend(nullptr);
    delete backend_;
    platform::testing::RefuseTextureFormats({});
  }
  void MakeBackend() {
    swf::set_render_backend(nullptr);
    delete backend_;
    backend_ = swf::create_render_backend_d3d8(device_);
    swf::set_render_backend(backend_);
  }
  // A frame over the whole back buffer, one pixel 20 twips.
  void StartFrame(swf::rgba_color background = swf::rgba_color(0, 0, 0, 0)) {
    backend_->start_frame(background, 0, 0, kWidth, kHeight, 0, kWidth * kTwips, 0, kHeight * kTwips);
  }
  void FillPixels(int x0, int y0, int x1, int y1) {
    std::vector<int16_t> strip = Rect(int(x0 * kTwips), int(y0 * kTwips), int(x1 * kTwips), int(y1 * kTwips));
    backend_->render_triangle_strip(strip.data(), 4);
  }
  Rgb Pixel(UINT x, UINT y) {
    const uint32_t p = screen_.Pixel(x, y);
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
  }
  ::testing::AssertionResult PixelIs(UINT x, UINT y, Rgb want, int tolerance = 2) {
    const Rgb got = Pixel(x, y);
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << got.r << "," << got.g << ","
                                         << got.b << ", not " << want.r << "," << want.g << "," << want.b;
  }

  OffscreenDevice screen_{kWidth, kHeight};
  IDirect3DDevice8* device_ = nullptr;
  swf::render_backend_d3d8* backend_ = nullptr;
  PlayerLogCapture log;
};

TEST_F(D3D8Backend, SolidStripLandsAtItsTwipsInsideTheViewport) {
  // A 64 x 32 viewport at (100, 16) showing a frame of 1280 x 640 twips.
  backend_->start_frame(swf::rgba_color(0, 0, 0, 0), 100, 16, 64, 32, 0, 1280, 0, 640);
  backend_->solid_fill(0, swf::rgba_color(255, 0, 0, 255));
  std::vector<int16_t> strip = Rect(200, 100, 600, 300);  // pixels 10..30 x 5..15 of the viewport
  backend_->render_triangle_strip(strip.data(), 4);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(111, 22, {255, 0, 0}));
  EXPECT_TRUE(PixelIs(129, 30, {255, 0, 0}));
  EXPECT_TRUE(PixelIs(109, 22, {0, 0, 0}));
  EXPECT_TRUE(PixelIs(131, 22, {0, 0, 0}));
  EXPECT_TRUE(PixelIs(120, 20, {0, 0, 0}));
}

TEST_F(D3D8Backend, ShapesDrawThroughTheirTessellations) {
  MovieFolder folder;
  auto movie = LoadMovie("shapes.swf");
  ASSERT_TRUE(movie);
  auto* shape = dynamic_cast<swf::shape_character*>(movie->find_character(1));
  ASSERT_NE(shape, nullptr);
  StartFrame();
  swf::display_state state;
  state.world_matrix.m00 = state.world_matrix.m11 = 4;  // 100 twips: 20 pixels
  state.world_matrix.m02 = 400;
  state.world_matrix.m12 = 400;
  shape->display_with(state);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(30, 30, {255, 0, 0}));
  EXPECT_TRUE(PixelIs(20, 30, {0, 0, 0})) << "the black outline";
  EXPECT_TRUE(PixelIs(50, 30, {0, 0, 0}));
}

TEST_F(D3D8Backend, TranslucentFillBlendsWithTheTarget) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 0, 0);
  StartFrame();
  backend_->solid_fill(0, swf::rgba_color(255, 0, 0, 128));
  FillPixels(0, 0, 10, 10);
  swf::color_xform half_green;
  half_green.m[1][0] = 0;
  half_green.m[1][1] = 128;
  backend_->put_color_transform(half_green);
  backend_->solid_fill(0, swf::rgba_color(0, 0, 0, 255));
  FillPixels(20, 0, 30, 10);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(5, 5, {128, 0, 127}));
  EXPECT_TRUE(PixelIs(25, 5, {0, 128, 0})) << "the colour transform applies when the style is set";
}

TEST_F(D3D8Backend, BitmapFillsRepeatOrClampOverTheImagesOwnSize) {
  // 100 x 30 pixels, red left of column 50 and blue from it: the texture is
  // 128 x 32 but fills are measured in the image's pixels.
  swf::counted_ptr<swf::backend_bitmap> bitmap(
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(100, 30, {255, 0, 0}, {0, 0, 255})).get()));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->width, 100);
  swf::matrix2x3 to_pixels;
  to_pixels.m00 = to_pixels.m11 = 1 / kTwips;
  StartFrame();
  backend_->textured_fill(0, bitmap.get(), to_pixels, 0);
  FillPixels(0, 0, 250, 30);
  to_pixels.m12 = -32;  // the second row of strips starts at the image's top
  backend_->textured_fill(0, bitmap.get(), to_pixels, 1);
  FillPixels(0, 32, 250, 62);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(40, 10, {255, 0, 0}, 8));
  EXPECT_TRUE(PixelIs(60, 10, {0, 0, 255}, 8)) << "divided by 100, not 128";
  EXPECT_TRUE(PixelIs(125, 10, {255, 0, 0}, 8)) << "repeated";
  EXPECT_TRUE(PixelIs(40, 42, {255, 0, 0}, 8));
  EXPECT_TRUE(PixelIs(125, 42, {0, 0, 255}, 8)) << "clamped to the last column";
  EXPECT_TRUE(PixelIs(240, 42, {0, 0, 255}, 8));
}

TEST_F(D3D8Backend, BitmapFillFollowsTheShapeMatrix) {
  swf::counted_ptr<swf::backend_bitmap> bitmap(
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(100, 30, {255, 0, 0}, {0, 0, 255})).get()));
  swf::matrix2x3 to_pixels;
  to_pixels.m00 = to_pixels.m11 = 1 / kTwips;
  swf::matrix2x3 shape_matrix;
  shape_matrix.m00 = shape_matrix.m11 = 2;
  shape_matrix.m02 = 40 * kTwips;
  StartFrame();
  backend_->put_transform(shape_matrix);
  backend_->textured_fill(0, bitmap.get(), to_pixels, 1);
  std::vector<int16_t> strip = Rect(0, 0, int(100 * kTwips), int(15 * kTwips));
  backend_->render_triangle_strip(strip.data(), 4);
  backend_->finish_frame();
  // The image doubled from x = 40: its middle at 140.
  EXPECT_TRUE(PixelIs(60, 10, {255, 0, 0}, 8));
  EXPECT_TRUE(PixelIs(135, 10, {255, 0, 0}, 8));
  EXPECT_TRUE(PixelIs(150, 10, {0, 0, 255}, 8));
  EXPECT_TRUE(PixelIs(30, 10, {0, 0, 0}));
}

TEST_F(D3D8Backend, AddendAboveOneAddsASecondPass) {
  swf::counted_ptr<swf::backend_bitmap> black(
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(4, 4, {0, 0, 0}, {0, 0, 0})).get()));
  swf::matrix2x3 to_pixels;
  to_pixels.m00 = to_pixels.m11 = 1 / kTwips;
  StartFrame();
  swf::color_xform add;
  add.m[0][1] = 1.0f;
  backend_->put_color_transform(add);
  backend_->textured_fill(0, black.get(), to_pixels, 0);
  FillPixels(0, 0, 10, 10);
  add.m[0][1] = 100.0f;
  add.m[2][1] = -50.0f;
  backend_->put_color_transform(add);
  backend_->textured_fill(0, black.get(), to_pixels, 0);
  FillPixels(20, 0, 30, 10);
  add.m[0][1] = 2.0f;
  backend_->put_color_transform(add);
  backend_->textured_fill(0, black.get(), to_pixels, 0);
  FillPixels(40, 0, 50, 10);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(5, 5, {0, 0, 0})) << "one pass";
  EXPECT_TRUE(PixelIs(25, 5, {100, 0, 0})) << "the addends on top, a negative one adding nothing";
  EXPECT_TRUE(PixelIs(45, 5, {2, 0, 0}));
}

TEST_F(D3D8Backend, MaskClipsLaterDrawsWithoutShowing) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 0, 0);
  StartFrame();
  backend_->begin_mask();
  backend_->solid_fill(0, swf::rgba_color(255, 0, 0, 255));
  FillPixels(0, 0, 20, 20);
  backend_->end_mask();
  EXPECT_TRUE(PixelIs(10, 10, {0, 0, 255})) << "the mask shape stays off screen";
  backend_->solid_fill(0, swf::rgba_color(0, 255, 0, 255));
  FillPixels(0, 0, 40, 20);
  EXPECT_TRUE(PixelIs(10, 10, {0, 255, 0}));
  EXPECT_TRUE(PixelIs(30, 10, {0, 0, 255})) << "outside the mask";
  backend_->drop_mask();
  backend_->solid_fill(0, swf::rgba_color(255, 255, 0, 255));
  FillPixels(30, 0, 40, 20);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(35, 10, {255, 255, 0}));
}

TEST_F(D3D8Backend, GlyphQuadTakesItsAlphaFromTheTexture) {
  std::vector<uint8_t> coverage(8 * 8, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) coverage[y * 8 + x] = 255;
  swf::counted_ptr<swf::backend_bitmap> glyph(backend_->new_alpha_bitmap(8, 8, coverage.data()));
  StartFrame();
  swf::matrix2x3 m;
  m.m02 = 100 * kTwips;
  swf::bounds_rect coords{0, 16 * kTwips, 0, 16 * kTwips};
  swf::bounds_rect uv{0, 1, 0, 1};
  backend_->render_bitmap(m, glyph.get(), coords, uv, swf::rgba_color(0, 255, 0, 255));
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(102, 8, {0, 255, 0}));
  EXPECT_TRUE(PixelIs(113, 8, {0, 0, 0})) << "transparent half";
  EXPECT_TRUE(PixelIs(98, 8, {0, 0, 0}));
}

TEST_F(D3D8Backend, FinishPutsBackWhatTheFrameChanged) {
  D3DMATRIX view{}, world{}, projection{};
  for (int i = 0; i < 4; ++i) view.m[i][i] = 2, world.m[i][i] = 3, projection.m[i][i] = 4;
  device_->SetTransform(D3DTS_VIEW, &view);
  device_->SetTransform(D3DTS_WORLD, &world);
  device_->SetTransform(D3DTS_PROJECTION, &projection);
  const D3DVIEWPORT8 before{4, 4, 100, 50, 0, 1};
  device_->SetViewport(&before);
  swf::counted_ptr<swf::backend_bitmap> bitmap(
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(4, 4, {1, 2, 3}, {4, 5, 6})).get()));
  backend_->start_frame(swf::rgba_color(0, 0, 0, 0), 10, 10, 20, 20, 0, 400, 0, 400);
  backend_->textured_fill(0, bitmap.get(), swf::matrix2x3(), 1);
  FillPixels(0, 0, 5, 5);
  backend_->finish_frame();

  D3DVIEWPORT8 after{};
  device_->GetViewport(&after);
  EXPECT_EQ(after.X, 4u);
  EXPECT_EQ(after.Width, 100u);
  D3DMATRIX m{};
  device_->GetTransform(D3DTS_VIEW, &m);
  EXPECT_EQ(m.m[0][0], 2.0f);
  device_->GetTransform(D3DTS_WORLD, &m);
  EXPECT_EQ(m.m[0][0], 3.0f);
  device_->GetTransform(D3DTS_PROJECTION, &m);
  EXPECT_EQ(m.m[0][0], 4.0f);
  const std::pair<D3DTEXTURESTAGESTATETYPE, DWORD> stage[] = {
      {D3DTSS_ADDRESSU, D3DTADDRESS_WRAP},       {D3DTSS_ADDRESSV, D3DTADDRESS_WRAP},
      {D3DTSS_COLORARG2, D3DTA_CURRENT},         {D3DTSS_ALPHAARG2, D3DTA_CURRENT},
      {D3DTSS_COLOROP, D3DTOP_MODULATE},         {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
      {D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE}, {D3DTSS_TEXCOORDINDEX, 0},
  };
  for (const auto& [state, value] : stage) {
    DWORD got = 0;
    device_->GetTextureStageState(0, state, &got);
    EXPECT_EQ(got, value) << "stage state " << state;
  }
}

TEST_F(D3D8Backend, BackgroundsByTheirAlpha) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FFu, 0, 0);
  backend_->start_frame(swf::rgba_color(0, 255, 0, 255), 100, 16, 64, 32, -5000, 5000, -5000, 5000);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(100, 16, {0, 255, 0}));
  EXPECT_TRUE(PixelIs(163, 47, {0, 255, 0}));
  EXPECT_TRUE(PixelIs(99, 16, {0, 0, 255})) << "an opaque background clears exactly the viewport";
  EXPECT_TRUE(PixelIs(164, 20, {0, 0, 255}));
  backend_->start_frame(swf::rgba_color(255, 0, 0, 128), 0, 0, 64, 32, 0, 640, 0, 320);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(10, 10, {128, 0, 127}));
  backend_->start_frame(swf::rgba_color(255, 255, 255, 0), 0, 0, 64, 32, 0, 640, 0, 320);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(10, 10, {128, 0, 127})) << "alpha 0 draws nothing";
}

TEST_F(D3D8Backend, ShortStripsAndLinesAreNotDrawnAndLongOnesGrowTheBuffer) {
  StartFrame();
  backend_->solid_fill(0, swf::rgba_color(255, 255, 255, 255));
  backend_->solid_stroke(swf::rgba_color(255, 255, 255, 255));
  const int16_t two[] = {0, 0, 400, 400};
  backend_->render_triangle_strip(two, 2);
  backend_->render_polyline(two, 1);
  EXPECT_TRUE(PixelIs(5, 5, {0, 0, 0}));
  // A strip of 300 points: 150 columns of a 150-pixel-wide band.
  std::vector<int16_t> band;
  for (int i = 0; i < 150; ++i) band.insert(band.end(), {int16_t(i * 20), 0, int16_t(i * 20), 200});
  backend_->render_triangle_strip(band.data(), 300);
  EXPECT_TRUE(PixelIs(140, 5, {255, 255, 255}));
  const int16_t line[] = {0, 400, 5000, 400};
  backend_->render_polyline(line, 2);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(200, 20, {255, 255, 255}));
  EXPECT_EQ(log.ErrorCount(), 0) << log.Text();
}

TEST_F(D3D8Backend, BitmapsFreeTheirTexturesAndEmptyBitmapsAreNone) {
  EXPECT_EQ(backend_->new_empty_bitmap(), nullptr);
  swf::backend_bitmap* bitmap =
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(4, 4, {1, 2, 3}, {4, 5, 6})).get());
  bitmap->take_ref();
  IDirect3DTexture8* texture = swf::render_backend_d3d8::texture_of(bitmap);
  ASSERT_NE(texture, nullptr);
  texture->AddRef();
  swf::release_ref(bitmap);
  EXPECT_EQ(texture->Release(), 0u) << "the bitmap gave its texture back";

  // A bitmap made before any backend keeps index 0 and draws as none.
  swf::set_render_backend(nullptr);
  swf::counted_ptr<swf::backend_bitmap> early(swf::render::new_rgb_bitmap(nullptr));
  swf::set_render_backend(backend_);
  EXPECT_EQ(early->texture_index, 0);
  EXPECT_EQ(swf::render_backend_d3d8::texture_of(early.get()), nullptr);
  StartFrame();
  backend_->textured_fill(0, early.get(), swf::matrix2x3(), 0);
  FillPixels(0, 0, 10, 10);
  backend_->textured_fill(0, nullptr, swf::matrix2x3(), 0);
  FillPixels(20, 0, 30, 10);
  backend_->finish_frame();
  EXPECT_TRUE(PixelIs(5, 5, {255, 255, 255})) << "the colour alone";
  EXPECT_TRUE(PixelIs(25, 5, {255, 255, 255}));
}

TEST_F(D3D8Backend, RefusedFormatsFallBack) {
  platform::testing::RefuseTextureFormats({D3DFMT_DXT1, D3DFMT_R8G8B8, D3DFMT_DXT5, D3DFMT_A8});
  MakeBackend();
  EXPECT_EQ(backend_->rgb_format(), D3DFMT_A8R8G8B8);
  EXPECT_EQ(backend_->rgba_format(), D3DFMT_A8R8G8B8);
  EXPECT_EQ(backend_->alpha_format(), D3DFMT_A8L8);
  platform::testing::RefuseTextureFormats({D3DFMT_DXT1});
  MakeBackend();
  EXPECT_EQ(backend_->rgb_format(), D3DFMT_R8G8B8);
  platform::testing::RefuseTextureFormats({D3DFMT_DXT1, D3DFMT_R8G8B8});
  MakeBackend();
  swf::counted_ptr<swf::backend_bitmap> bitmap(
      backend_->new_rgb_bitmap(std::unique_ptr<swf::rgb_image>(HalvesImage(4, 4, {10, 20, 30}, {40, 50, 60})).get()));
  D3DSURFACE_DESC desc{};
  swf::render_backend_d3d8::texture_of(bitmap.get())->GetLevelDesc(0, &desc);
  EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
}

TEST_F(D3D8Backend, CompressedTexturesKeepTheirColours) {
  if (backend_->rgb_format() != D3DFMT_DXT1) GTEST_SKIP() << "the adapter offers no DXT textures";
  EXPECT_EQ(backend_->rgba_format(), D3DFMT_DXT5);
  swf::counted_ptr<swf::backend_bitmap> rgb(backend_->new_rgb_bitmap(
      std::unique_ptr<swf::rgb_image>(HalvesImage(16, 16, {200, 40, 10}, {20, 90, 240})).get()));
  swf::rgba_image* translucent = swf::make_rgba_image(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) translucent->set_pixel(x, y, 250, 250, 0, 128);
  swf::counted_ptr<swf::backend_bitmap> rgba(backend_->new_rgba_bitmap(translucent));
  delete translucent;
  D3DSURFACE_DESC desc{};
  swf::render_backend_d3d8::texture_of(rgb.get())->GetLevelDesc(0, &desc);
  EXPECT_EQ(desc.Format, D3DFMT_DXT1);
  swf::matrix2x3 to_pixels;
  to_pixels.m00 = to_pixels.m11 = 1 / kTwips;
  StartFrame();
  backend_->textured_fill(0, rgb.get(), to_pixels, 1);
  FillPixels(0, 0, 16, 16);
  backend_->textured_fill(0, rgba.get(), to_pixels, 1);
  FillPixels(0, 20, 16, 36);
  backend_->finish_frame();
  // DXT keeps 5-6-5 end points and their thirds: within 8 of each channel.
  EXPECT_TRUE(PixelIs(3, 8, {200, 40, 10}, 8));
  EXPECT_TRUE(PixelIs(12, 8, {20, 90, 240}, 8));
  EXPECT_TRUE(PixelIs(8, 28, {125, 125, 0}, 8));
}

}  // namespace
