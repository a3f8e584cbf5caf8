// Image files through the resource manager to textures, drawn and read back.
#include <gtest/gtest.h>

#include <memory>

#include "core/files/resman.h"
#include "render/device/image.h"
#include "render/dx8/dx8_surface.h"
#include "render/graphics_fixture.h"
#include "render/image_files.h"
#include "render/sprites/quad_builders.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

class SurfaceTest : public GraphicsTest {
 protected:
  void TearDown() override {
    platform::testing::SetSquareTexturesOnly(false);
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }

  void DrawFullScreen(Image* image) {
    Vertex2D v[6];
    BuildRectQuad(v, {0, 0}, {1, 1}, {0, 0}, {1, 1}, 0xFFFFFFFF);
    graphics_->SetTexture(0, image);
    graphics_->DrawArray2D(v, 6, Graphics::kTriangleList);
  }

  Dx8Surface* SurfaceOf(const std::string& path) {
    return dynamic_cast<Dx8Surface*>(res::GetResMan().FindResource(path));
  }
};

TEST_F(SurfaceTest, EachImageTypeDecodesToItsColours) {
  const std::string folder = image_files::Folder("five_types");
  const std::vector<uint32_t> bands = image_files::TwoBands(16, 16, kRed, kBlue);
  const struct {
    const char* name;
    bool written;
    int tolerance;  // JPEG is lossy
  } cases[] = {
      {"bands.png", image_files::WritePng(folder + "bands.png", 16, 16, bands), 0},
      {"bands.jpg", image_files::WriteJpg(folder + "bands.jpg", 16, 16, bands), 24},
      {"bands.bmp", image_files::WriteBmp(folder + "bands.bmp", 16, 16, bands), 0},
      {"bands.tga", image_files::WriteTga(folder + "bands.tga", 16, 16, bands), 0},
      {"bands.dds", image_files::WriteDds(folder + "bands.dds", 16, 16, bands, false), 0},
      {"dxt1.dds", image_files::WriteDxt1(folder + "dxt1.dds", 16, 16, 0xF800, 0x001F), 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(c.written) << c.name;
    std::unique_ptr<Image> image(graphics_->LoadImageA(folder + c.name));
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(image->GetWidth(), 16u);
    EXPECT_EQ(image->GetHeight(), 16u);
    graphics_->Clear(0xFF000000, 0, 0, 1, 0, 0);
    DrawFullScreen(image.get());
    EXPECT_TRUE(Near(Pixel(400, 100), kRed & 0xFFFFFF, c.tolerance)) << c.name << " " << std::hex << Pixel(400, 100);
    EXPECT_TRUE(Near(Pixel(400, 500), kBlue & 0xFFFFFF, c.tolerance)) << c.name << " " << std::hex << Pixel(400, 500);
  }
}

TEST_F(SurfaceTest, TranslucentTextureBlendsOverTheFrame) {
  const std::string path = image_files::Folder("blend") + "half.png";
  ASSERT_TRUE(image_files::WritePng(path, 4, 4, std::vector<uint32_t>(16, 0x80FF0000u)));
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  graphics_->Clear(0xFF0000FF, 0, 0, 1, 0, 0);
  DrawFullScreen(image.get());
  EXPECT_TRUE(Near(Pixel(400, 300), 0x80007F, 2)) << std::hex << Pixel(400, 300);
}

TEST_F(SurfaceTest, KeepsTheSourceSizeWithAWholeMipChain) {
  const std::string path = image_files::Folder("chain") + "wide.png";
  ASSERT_TRUE(image_files::WritePng(path, 100, 50, std::vector<uint32_t>(5000, kRed)));
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  Dx8Surface* surface = SurfaceOf(path);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->GetWidth(), 100u);
  EXPECT_EQ(surface->GetHeight(), 50u);
  EXPECT_EQ(surface->GetFormat(), D3DFMT_A8R8G8B8);
  EXPECT_EQ(surface->GetTexture()->GetLevelCount(), 7u);  // 100 x 50 down to 1 x 1
}

TEST_F(SurfaceTest, SquareOnlyDevicesGetTheNextPowerOfTwoUpToFiveHundredTwelve) {
  const struct {
    uint32_t width, height, side;
  } cases[] = {{100, 50, 128}, {64, 64, 64}, {20, 3, 32}, {600, 10, 512}};
  for (const auto& c : cases) EXPECT_EQ(Dx8Surface::SquareSide(std::max(c.width, c.height)), c.side) << c.width;

  Graphics::SHUTDOWN();
  platform::testing::SetSquareTexturesOnly(true);
  GraphicsTest::SetUp();
  ASSERT_TRUE(graphics_->SquareTexturesOnly());
  const std::string path = image_files::Folder("square") + "wide.png";
  ASSERT_TRUE(image_files::WritePng(path, 100, 50, std::vector<uint32_t>(5000, kRed)));
  LogCapture log;
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  Dx8Surface* surface = SurfaceOf(path);
  EXPECT_EQ(surface->GetWidth(), 128u);
  EXPECT_EQ(surface->GetHeight(), 128u);
  EXPECT_EQ(surface->GetTexture()->GetLevelCount(), 1u);
  EXPECT_TRUE(LogCapture::Has("Clamping texture size for texture "));
}

TEST_F(SurfaceTest, CubeMapBitMakesACubeTexture) {
  const std::string folder = image_files::Folder("cube");
  const std::vector<uint32_t> pixels(16, kRed);
  ASSERT_TRUE(image_files::WriteDds(folder + "cube.dds", 4, 4, pixels, true));
  ASSERT_TRUE(image_files::WriteDds(folder + "flat.dds", 4, 4, pixels, false));
  std::unique_ptr<Image> cube(graphics_->LoadImageA(folder + "cube.dds"));
  std::unique_ptr<Image> flat(graphics_->LoadImageA(folder + "flat.dds"));
  ASSERT_NE(cube, nullptr);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(SurfaceOf(folder + "cube.dds")->GetTexture()->GetType(), D3DRTYPE_CUBETEXTURE);
  EXPECT_TRUE(SurfaceOf(folder + "cube.dds")->IsCubeMapSurface());
  EXPECT_EQ(SurfaceOf(folder + "flat.dds")->GetTexture()->GetType(), D3DRTYPE_TEXTURE);
}

TEST_F(SurfaceTest, BrokenFilesFailWithoutReadingPastTheirEnd) {
  const std::string folder = image_files::Folder("broken");
  // A DDS cut inside its header, with the cube bit where the header would hold it.
  std::vector<uint8_t> shortDds = {'D', 'D', 'S', ' ', 124, 0, 0, 0};
  ASSERT_TRUE(image_files::WriteBytes(folder + "short.dds", shortDds));
  std::vector<uint8_t> noise(64, 0x5A);
  ASSERT_TRUE(image_files::WriteBytes(folder + "noise.png", noise));
  LogCapture log;
  for (const char* name : {"short.dds", "noise.png"}) {
    EXPECT_EQ(graphics_->LoadImageA(folder + name), nullptr) << name;
    EXPECT_EQ(SurfaceOf(folder + name), nullptr) << name;
  }
  EXPECT_TRUE(LogCapture::Has("Failed to loaded texture "));
  EXPECT_TRUE(LogCapture::Has("Error loading resource "));
}

TEST_F(SurfaceTest, MaskHoldsTheTopLevelsAlphaBytes) {
  const std::string path = image_files::Folder("mask") + "mask.png";
  ASSERT_TRUE(image_files::WritePng(path, 2, 2, {0x00FFFFFFu, 0x40FFFFFFu, 0x80FFFFFFu, 0xFFFFFFFFu}));
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  std::unique_ptr<SurfaceMask> mask(SurfaceOf(path)->GenerateMask());
  ASSERT_NE(mask, nullptr);
  ASSERT_EQ(mask->width, 2u);
  EXPECT_EQ(mask->data[0], 0x00);
  EXPECT_EQ(mask->data[1], 0x40);
  EXPECT_EQ(mask->data[2], 0x80);
  EXPECT_EQ(mask->data[3], 0xFF);
}

TEST_F(SurfaceTest, ReleasedSurfaceRebuildsItsTextureFromTheFile) {
  const std::string path = image_files::Folder("reload") + "reload.png";
  ASSERT_TRUE(image_files::WritePng(path, 4, 4, std::vector<uint32_t>(16, kRed)));
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  res::GetResMan().ReloadAll();
  Dx8Surface* surface = SurfaceOf(path);
  EXPECT_EQ(surface->GetState(), res::kStateReady);
  ASSERT_NE(surface->GetTexture(), nullptr);
  DrawFullScreen(image.get());
  EXPECT_EQ(Pixel(10, 10), 0xFF0000u);
}

// Loaded surfaces stay with the resource manager when the device goes; the
// next device hands their old texture names to textures of its own.
TEST_F(SurfaceTest, ImageLoadedOnAnEarlierDeviceDrawsItsOwnTexels) {
  const std::string folder = image_files::Folder("next_device");
  ASSERT_TRUE(image_files::WritePng(folder + "bands.png", 16, 16, image_files::TwoBands(16, 16, kRed, kBlue)));
  ASSERT_TRUE(image_files::WritePng(folder + "green.png", 4, 4, std::vector<uint32_t>(16, 0xFF00FF00u)));
  std::unique_ptr<Image> bands(graphics_->LoadImageA(folder + "bands.png"));
  ASSERT_NE(bands, nullptr);

  GraphicsTest::TearDown();
  GraphicsTest::SetUp();
  std::unique_ptr<Image> green(graphics_->LoadImageA(folder + "green.png"));
  ASSERT_NE(green, nullptr);
  graphics_->Clear(0xFF000000, 0, 0, 1, 0, 0);
  DrawFullScreen(bands.get());
  EXPECT_EQ(Pixel(400, 100), kRed & 0xFFFFFF) << std::hex << Pixel(400, 100);
  EXPECT_EQ(Pixel(400, 500), kBlue & 0xFFFFFF) << std::hex << Pixel(400, 500);
  DrawFullScreen(green.get());
  EXPECT_EQ(Pixel(400, 300), 0x00FF00u) << std::hex << Pixel(400, 300);
}

TEST_F(SurfaceTest, SecondImageOfANameSharesTheLoadedSurface) {
  const std::string path = image_files::Folder("shared") + "shared.png";
  ASSERT_TRUE(image_files::WritePng(path, 4, 4, std::vector<uint32_t>(16, kRed)));
  std::unique_ptr<Image> first(graphics_->LoadImageA(path));
  ASSERT_NE(first, nullptr);
  LogCapture log;
  std::unique_ptr<Image> second(graphics_->LoadImageA(path));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetSurface(), first->GetSurface());
  EXPECT_FALSE(LogCapture::Has("Loaded texture "));  // the file was not read again
}

TEST(SurfaceRegistrationTest, SecondRegistrationLogsNothing) {
  Dx8Surface::RegisterFileFormats();
  LogCapture log;
  Dx8Surface::RegisterFileFormats();
  EXPECT_TRUE(LogCapture::Lines().empty());
  EXPECT_NE(res::GetResMan().FindConstructor("x.png"), nullptr);
}

}  // namespace
