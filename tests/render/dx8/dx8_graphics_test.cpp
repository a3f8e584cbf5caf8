#include "render/dx8/dx8_graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/files/resman.h"
#include "image_identify.h"
#include "render/device/image.h"
#include "render/graphics_fixture.h"
#include "render/image_files.h"
#include "render/sprites/quad_builders.h"

namespace {

TEST(Dx8GraphicsTablesTest, PrimitiveCountsFollowTheVertexCount) {
  const struct {
    uint32_t type, count;
    D3DPRIMITIVETYPE primitive;
    uint32_t primitives;
  } cases[] = {
      {Graphics::kTriangleFan, 5, D3DPT_TRIANGLEFAN, 3}, {Graphics::kTriangleStrip, 5, D3DPT_TRIANGLESTRIP, 3},
      {Graphics::kLineStrip, 5, D3DPT_LINESTRIP, 4},     {Graphics::kTriangleList, 5, D3DPT_TRIANGLELIST, 1},
      {Graphics::kLineList, 5, D3DPT_LINELIST, 2},       {Graphics::kPointList, 5, D3DPT_POINTLIST, 5},
      {42, 6, D3DPT_TRIANGLELIST, 2},
  };
  for (const auto& c : cases) {
    uint32_t primitives = 0;
    EXPECT_EQ(Dx8Graphics::PrimitiveOf(c.type, c.count, primitives), c.primitive) << c.type;
    EXPECT_EQ(primitives, c.primitives) << c.type;
  }
}

TEST(Dx8GraphicsTablesTest, StageValuesAreDecodedByTheKindOfSetting) {
  const struct {
    uint32_t setting, value;
    bool accepted;
    DWORD translated;
  } cases[] = {
      {Graphics::kColourArg1, Graphics::kTexture, true, D3DTA_TEXTURE},
      {Graphics::kColourOp, Graphics::kSelectArg1, true, D3DTOP_SELECTARG1},
      {Graphics::kAlphaArg2, Graphics::kDiffuse, true, D3DTA_DIFFUSE},
      {Graphics::kAlphaArg1, Graphics::kTextureFactor, true, D3DTA_TFACTOR},
      {Graphics::kColourArg2, Graphics::kCurrent, true, D3DTA_CURRENT},
      {Graphics::kAlphaOp, Graphics::kAdd, true, D3DTOP_ADD},
      {Graphics::kColourOp, Graphics::kDisable, true, D3DTOP_DISABLE},
      {Graphics::kColourOp, 99, true, D3DTOP_MODULATE},
      {Graphics::kColourArg1, Graphics::kModulate, false, 0},  // not an argument
      {Graphics::kColourArg1, Graphics::kAdd, false, 0},
      {Graphics::kColourOp, Graphics::kTexture, false, 0},     // not an operation
  };
  for (const auto& c : cases) {
    DWORD out = 0;
    EXPECT_EQ(Dx8Graphics::StageValueOf(c.setting, c.value, out), c.accepted) << c.setting << "/" << c.value;
    if (c.accepted) {
      EXPECT_EQ(out, c.translated) << c.setting << "/" << c.value;
    }
  }
}

class Dx8GraphicsTest : public GraphicsTest {};

TEST_F(Dx8GraphicsTest, DestinationBlendSelectorSetsOnlyThatState) {
  IDirect3DDevice8* device = graphics_->GetDevice();
  DWORD cull = 0, dest = 0;
  device->GetRenderState(D3DRS_CULLMODE, &cull);
  graphics_->SetRenderState(Graphics::kDestBlend, Graphics::kBlendOne);
  device->GetRenderState(D3DRS_DESTBLEND, &dest);
  EXPECT_EQ(dest, static_cast<DWORD>(D3DBLEND_ONE));
  DWORD cullAfter = 0;
  device->GetRenderState(D3DRS_CULLMODE, &cullAfter);
  EXPECT_EQ(cullAfter, cull);

  LogCapture log;
  graphics_->SetTextureStage(0, Graphics::kColourArg1, Graphics::kAdd);
  EXPECT_TRUE(LogCapture::Has("Unable to set texture stage because D3DERR_INVALIDCALL"));
}

TEST_F(Dx8GraphicsTest, LogicalResolutionStaysAtEightHundredBySixHundred) {
  ASSERT_TRUE(graphics_->SetDisplayMode(1024, 768, false, false));
  EXPECT_EQ(graphics_->GetScreenWidth(), 800);
  EXPECT_EQ(graphics_->GetScreenHeight(), 600);
  EXPECT_TRUE(graphics_->IsWindowed());
  EXPECT_FALSE(graphics_->IsDeviceLost());
}

TEST_F(Dx8GraphicsTest, ImageNamesAreJudgedByTheirLastThreeLetters) {
  const std::string folder = image_files::Folder("names");
  ASSERT_TRUE(image_files::WritePng(folder + "CAPS.PNG", 2, 2, std::vector<uint32_t>(4, 0xFFFFFFFFu)));
  const struct {
    std::string name;
    bool made;
    const char* message;
  } cases[] = {
      {"", false, "Trying to load texture, but no file-name given"},
      {"png", false, "Unable to find the file-type of image file png"},
      {"picture.jpeg", false, "Unable to find the file-type of image file picture.jpeg"},
      {"picture.gif", false, nullptr},
      {folder + "CAPS.PNG", true, nullptr},
  };
  for (const auto& c : cases) {
    LogCapture log;
    std::unique_ptr<Image> image(graphics_->LoadImageA(c.name));
    EXPECT_EQ(image != nullptr, c.made) << c.name;
    if (c.message) {
      EXPECT_TRUE(LogCapture::Has(c.message)) << c.name;
    } else if (!c.made) {
      EXPECT_TRUE(LogCapture::Lines().empty()) << c.name;
    }
  }
  res::GetResMan().ClearResources();
}

TEST_F(Dx8GraphicsTest, DrawArray2DUnbindsTheTextureUnlessItDrewNothing) {
  const std::string path = image_files::Folder("unbind") + "red.png";
  ASSERT_TRUE(image_files::WritePng(path, 2, 2, std::vector<uint32_t>(4, 0xFFFF0000u)));
  std::unique_ptr<Image> image(graphics_->LoadImageA(path));
  ASSERT_NE(image, nullptr);
  // Not black: the textured half must turn black (red x green) by drawing.
  graphics_->Clear(0xFF336699, 0, 0, 1, 0, 0);
  Vertex2D v[6];
  BuildRectQuad(v, {0, 0}, {0.5f, 1}, {0, 0}, {1, 1}, 0xFF00FF00);
  graphics_->SetTexture(0, image.get());
  graphics_->DrawArray2D(v, 0, Graphics::kTriangleList);  // draws nothing, keeps the texture
  graphics_->DrawArray2D(v, 6, Graphics::kTriangleList);  // red x green
  BuildRectQuad(v, {0.5f, 0}, {0.5f, 1}, {0, 0}, {1, 1}, 0xFF00FF00);
  graphics_->DrawArray2D(v, 6, Graphics::kTriangleList);  // no texture: the diffuse colour
  EXPECT_EQ(Pixel(200, 300), 0x000000u);
  EXPECT_EQ(Pixel(600, 300), 0x00FF00u);
  res::GetResMan().ClearResources();
}

TEST_F(Dx8GraphicsTest, ScreenshotIsABitmapOutsideToolsRead) {
  const std::string folder = image_files::Folder("screenshots");
  const struct {
    bool half;
    const char* size;
  } cases[] = {{false, "800x600"}, {true, "400x300"}};
  for (const auto& c : cases) {
    graphics_->Clear(0xFF336699, 0, 0, 1, 0, 0);
    const std::string name = folder + (c.half ? "half" : "full");
    graphics_->RequestScreenshot(name, c.half);
    graphics_->EndScene();
    EXPECT_TRUE(graphics_->GetPendingScreenshot().empty());
    const std::string text = IdentifyImage(name + ".bmp");
    EXPECT_EQ(text.rfind("BMP", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.find(' ') + 1), c.size) << text;
    ASSERT_TRUE(graphics_->BeginScene());
  }
}

TEST_F(Dx8GraphicsTest, FailedScreenshotSaveIsLogged) {
  LogCapture log;
  graphics_->RequestScreenshot(image_files::Folder("missing") + "no/such/folder/shot", false);
  graphics_->EndScene();
  EXPECT_TRUE(LogCapture::Has("Unable to save screenshot "));
  EXPECT_TRUE(graphics_->GetPendingScreenshot().empty());
}

TEST_F(Dx8GraphicsTest, LostDeviceIsResetAndFramesResume) {
  IDirect3DDevice8* device = graphics_->GetDevice();
  graphics_->EndScene();
  platform::testing::LoseDevice(device);
  EXPECT_FALSE(graphics_->BeginScene());  // the cooperative level refuses
  platform::testing::AllowDeviceReset(device);
  EXPECT_TRUE(graphics_->ResetDevice(800, 600, false));
  EXPECT_FALSE(graphics_->IsDeviceLost());
  EXPECT_TRUE(graphics_->BeginScene());
  graphics_->EndScene();

  // A failing first reset is retried once the device may be reset.
  platform::testing::AllowDeviceReset(device);
  platform::testing::FailNextResets(device, 1);
  LogCapture log;
  EXPECT_TRUE(graphics_->ResetDevice(800, 600, false));
  EXPECT_TRUE(LogCapture::Has("Unable to reset 3D Device.. try with delay"));
  EXPECT_TRUE(LogCapture::Has("Driver successfully initalized!"));

  // A device that stays lost keeps the flag, and the next frame tries again.
  platform::testing::LoseDevice(device);
  EXPECT_FALSE(graphics_->ResetDevice(800, 600, false));
  EXPECT_TRUE(graphics_->IsDeviceLost());
  platform::testing::AllowDeviceReset(device);
  EXPECT_FALSE(graphics_->BeginScene());  // resets, and reports no frame yet
  EXPECT_FALSE(graphics_->IsDeviceLost());
  EXPECT_TRUE(graphics_->BeginScene());
}

TEST(Dx8GraphicsReportTest, ReportListsEverySectionInOrder) {
  LogCapture log;
  Dx8Graphics::Create();
  ASSERT_TRUE(GetDx8Graphics()->Init());
  const char* const expected[] = {
      "Initializing D3D8", "D3D8 COM Object created", "System has ", " Adapter : 0", " - Device Name\t\t: ",
      " - Description\t\t: ", " - Driver\t\t\t: ", " - Driver Version\t: [", " - Vendor Info\t\t: [",
      " - Device supports HAL", "SYSTEM INFORMATION", " - supports HW T&L : Yes", " - consider graphics card DX7 class.",
      "Texture info", " - Max texture size : [", " - supports only square textures : No", "Texture Adress info",
      "Vertex & Pixel Shaders", " - No Pixel Shaders supported", " - supports dynamic textures : ", "Adapter info",
      " - Device\t\t: ", "System Info", " - Clockspeed : 0 mhz", " - CPU Count  : ", " - OS Version : ",
      " - Network Enabled : ", " - Total Physical RAM\t\t: ", " - Available Virtual RAM\t: ", "Viable Display Modes",
      " - [", "D3D8 Initialized successfully"};
  size_t at = 0;
  for (const char* text : expected) {
    while (at < LogCapture::Lines().size() && LogCapture::Lines()[at].find(text) == std::string::npos) ++at;
    EXPECT_LT(at, LogCapture::Lines().size()) << "missing or out of order: " << text;
  }
  // The report's lines are bare, without call site or level tag; the lines
  // after it have both again.
  auto logged = [](const std::string& line) {
    return std::count(LogCapture::Lines().begin(), LogCapture::Lines().end(), line) > 0;
  };
  EXPECT_TRUE(logged(" Adapter : 0 \n"));
  EXPECT_TRUE(logged("Viable Display Modes \n"));
  EXPECT_TRUE(LogCapture::Has("> D3D8 Initialized successfully  [MSG_INIT]"));
  // The 47-bit address space in megabytes: figures past 4 GB need 64 bits.
  EXPECT_TRUE(logged(" - Total Virtual RAM\t\t: 134217728 MB \n"));
  EXPECT_EQ(GetDx8Graphics()->GetHardwareClass(), 1u);
  EXPECT_FALSE(GetDx8Graphics()->SixteenBitBackBuffer());
  EXPECT_EQ(GetDx8Graphics()->GetSystemSummary().rfind("[Linux ", 0), 0u);
  EXPECT_NE(GetDx8Graphics()->GetSystemSummary().find("][CPU:8664 x "), std::string::npos);
  Graphics::SHUTDOWN();
}

TEST(Dx8GraphicsReportTest, NoCapabilitiesOnAnyAdapterFailsStartUp) {
  platform::testing::SetCapsUnavailable(true);
  LogCapture log;
  Dx8Graphics::Create();
  EXPECT_FALSE(GetDx8Graphics()->Init());
  EXPECT_TRUE(LogCapture::Has("Can't find a valid adaptor!"));
  EXPECT_TRUE(GetLog().prefix);  // back on for the lines after the report
  EXPECT_EQ(GetDx8Graphics()->GetHardwareClass(), 3u);
  Graphics::SHUTDOWN();
  platform::testing::SetCapsUnavailable(false);
}

// Draws into an image replace its pixels; the image drawn on the screen
// later blends as the same draws made straight on the screen.
TEST_F(Dx8GraphicsTest, AnImageDrawnIntoBlendsLaterAsItsDrawsWould) {
  Image* target = graphics_->CreateRenderTarget(8, 8);
  ASSERT_NE(target, nullptr);
  graphics_->Clear(0xFF0000FFu, 1.0f, 0, 1, 0, 0);
  Vertex2D half[6];
  const math::Vec2 whole(0.0f, 0.0f), all(1.0f, 1.0f);
  // A half-transparent red square over the image's top-left 4 x 4 pixels.
  BuildRectQuad(half, whole, math::Vec2(4.0f / 800.0f, 4.0f / 600.0f), whole, all, 0x80FF0000u);
  ASSERT_TRUE(graphics_->SetRenderTarget(target));
  graphics_->Clear(0u, 1.0f, 0, 1, 0, 0);
  graphics_->DrawArray2D(half, 6, Graphics::kTriangleList);
  ASSERT_TRUE(graphics_->SetRenderTarget(nullptr));
  // The screen kept its blue; the same square straight on it at (100, 0).
  EXPECT_EQ(Pixel(2, 2), 0x0000FFu);
  for (Vertex2D& vertex : half) vertex.x += 100.0f;
  graphics_->DrawArray2D(half, 6, Graphics::kTriangleList);
  Vertex2D image[6];
  BuildRectQuad(image, whole, math::Vec2(8.0f / 800.0f, 8.0f / 600.0f), whole, all, 0xFFFFFFFFu);
  graphics_->SetTexture(0, target);
  graphics_->DrawArray2D(image, 6, Graphics::kTriangleList);
  const uint32_t straight = Pixel(102, 2);
  EXPECT_TRUE(Near(straight, 0x80007Fu, 2)) << std::hex << straight;
  EXPECT_EQ(Pixel(2, 2), straight);
  // Where the image holds nothing the screen shows through.
  EXPECT_EQ(Pixel(6, 6), 0x0000FFu);
  delete target;
}

}  // namespace
