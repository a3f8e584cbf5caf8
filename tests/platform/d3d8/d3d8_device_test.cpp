// Draws through the Direct3D layer on a real OpenGL context and reads the
// frame back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_device.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/d3dx/d3dx8.h"
#include "offscreen_device.h"

namespace {

constexpr UINT kSize = 32;
constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct ScreenVertex {
  float x, y, z, rhw;
  D3DCOLOR colour;
  float u, v;
};

class D3D8DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(screen_.device(), nullptr);
    d3d_ = screen_.direct3d();
    device_ = screen_.device();
    device_->SetVertexShader(kScreenFvf);
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->BeginScene();
  }

  uint32_t Pixel(UINT x, UINT y) { return screen_.Pixel(x, y); }

  // A quad covering pixels [x0, x1) x [y0, y1), wound clockwise on screen.
  void DrawRect(float x0, float y0, float x1, float y1, D3DCOLOR colour) {
    x0 -= 0.5f; y0 -= 0.5f; x1 -= 0.5f; y1 -= 0.5f;
    ScreenVertex v[6] = {{x0, y1, 0, 1, colour, 0, 1}, {x0, y0, 0, 1, colour, 0, 0}, {x1, y1, 0, 1, colour, 1, 1},
                         {x1, y0, 0, 1, colour, 1, 0}, {x1, y1, 0, 1, colour, 1, 1}, {x0, y0, 0, 1, colour, 0, 0}};
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, v, sizeof(ScreenVertex)), D3D_OK);
  }

  IDirect3DTexture8* SolidTexture(D3DCOLOR colour) { return SolidTextureOn(device_, colour); }
  static IDirect3DTexture8* SolidTextureOn(IDirect3DDevice8* device, D3DCOLOR colour) {
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
    Fill(texture, colour);
    return texture;
  }
  static void Fill(IDirect3DTexture8* texture, D3DCOLOR colour) {
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 2; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch);
      row[0] = row[1] = colour;
    }
    texture->UnlockRect(0);
  }

  OffscreenDevice screen_{kSize, kSize};
  IDirect3D8* d3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
};

TEST_F(D3D8DeviceTest, TexturedQuadBlendsByTextureAlphaTimesDiffuse) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 0, 0);
  IDirect3DTexture8* texture = SolidTexture(0x80FF0000);  // half-transparent red
  device_->SetTexture(0, texture);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
  texture->Release();
  uint32_t p = Pixel(10, 10);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 128, 2);
  EXPECT_EQ((p >> 8) & 0xFF, 0u);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 127, 2);
}

TEST_F(D3D8DeviceTest, ChainWrittenOnlyAtItsTopLevelSamplesIt) {
  // A glyph cache asks for a whole chain and writes level 0 alone.
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] = 0xFF30C050;
  texture->UnlockRect(0);
  device_->SetTexture(0, texture);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(16, 16), 0x30C050u);

  // Once every level is written, a draw that shrinks the texture reads the chain.
  for (DWORD level = 1; level < 3; ++level) {
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
    const int side = 4 >> level;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x)
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] = 0xFF0000FF;
    texture->UnlockRect(level);
  }
  device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  DrawRect(0, 0, 1, 1, 0xFFFFFFFF);  // four texels into one pixel
  EXPECT_EQ(Pixel(0, 0), 0x0000FFu);
  texture->Release();
}

TEST_F(D3D8DeviceTest, LowerLevelsArrivingKeepTheTopLevelAsTheDeviceHeldIt) {
  // The top level is given again when the chain's first lower level comes;
  // what was written there without being marked changed must stay out.
  struct Case {
    D3DFORMAT format;
    uint32_t marked, unmarked, lower;  // texels in the format
  };
  const Case cases[] = {{D3DFMT_A8R8G8B8, 0xFF00FF00, 0xFF0000FF, 0xFFFF0000},
                        {D3DFMT_A4R4G4B4, 0xF0F0, 0xF00F, 0xFF00}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture(4, 4, 0, 0, c.format, D3DPOOL_MANAGED, &texture), D3D_OK);
    auto write = [&](UINT level, DWORD flags, uint32_t texel) {
      D3DLOCKED_RECT locked;
      ASSERT_EQ(texture->LockRect(level, &locked, nullptr, flags), D3D_OK);
      const size_t bytes = c.format == D3DFMT_A8R8G8B8 ? 4 : 2, side = 4 >> level;
      for (size_t i = 0; i < side * side; ++i)  // the texel's low bytes, little-endian
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + i / side * locked.Pitch + i % side * bytes, &texel, bytes);
      texture->UnlockRect(level);
    };
    write(0, 0, c.marked);
    write(0, D3DLOCK_NO_DIRTY_UPDATE, c.unmarked);
    write(1, 0, c.lower);
    write(2, 0, c.lower);
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT);
    auto drawnOver = [&](float side) {  // the texture stretched over a square from the corner
      device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
      DrawRect(0, 0, side, side, 0xFFFFFFFF);
      return Pixel(0, 0);
    };
    EXPECT_EQ(drawnOver(kSize), 0x00FF00u);
    EXPECT_EQ(drawnOver(1), 0xFF0000u);  // four texels into one pixel
    // Marking it changed brings the unmarked write in.
    ASSERT_EQ(texture->AddDirtyRect(nullptr), D3D_OK);
    EXPECT_EQ(drawnOver(kSize), 0x0000FFu);
    device_->SetTexture(0, nullptr);
    texture->Release();
  }
}

// An 8 x 8 texture level's bytes, row by row as a lock shows them.
class LevelBytes {
 public:
  LevelBytes(D3DFORMAT format) : blocks_(format == D3DFMT_DXT1) {
    rowBytes_ = blocks_ ? 2 * 8 : 8 * (format == D3DFMT_A4R4G4B4 || format == D3DFMT_R5G6B5 ? 2 : 4);
  }
  std::vector<uint8_t> Read(IDirect3DTexture8* texture, DWORD flags = D3DLOCK_READONLY) const {
    std::vector<uint8_t> bytes;
    D3DLOCKED_RECT locked;
    if (texture->LockRect(0, &locked, nullptr, flags) != D3D_OK) return bytes;
    for (int row = 0; row < Rows(); ++row) {
      const uint8_t* from = static_cast<const uint8_t*>(locked.pBits) + row * locked.Pitch;
      bytes.insert(bytes.end(), from, from + rowBytes_);
    }
    texture->UnlockRect(0);
    return bytes;
  }
  // Writes `bytes` over the level's first rows.
  bool Write(IDirect3DTexture8* texture, const std::vector<uint8_t>& bytes, DWORD flags = 0) const {
    D3DLOCKED_RECT locked;
    if (texture->LockRect(0, &locked, nullptr, flags) != D3D_OK) return false;
    for (size_t at = 0; at < bytes.size(); at += rowBytes_)
      std::memcpy(static_cast<uint8_t*>(locked.pBits) + at / rowBytes_ * locked.Pitch, &bytes[at],
                  std::min(rowBytes_, bytes.size() - at));
    return texture->UnlockRect(0) == D3D_OK;
  }
  std::vector<uint8_t> Pattern(int seed) const {
    std::vector<uint8_t> bytes(rowBytes_ * Rows());
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + seed);
    return bytes;
  }

 private:
  int Rows() const { return blocks_ ? 2 : 8; }
  bool blocks_;
  size_t rowBytes_;
};

TEST_F(D3D8DeviceTest, LockAfterTheCopyIsDroppedShowsTheBytesLastWritten) {
  // OpenGL holds every bit of some formats; the X byte, a 5-bit green for a
  // 6-bit one and compressed blocks may not come back, and those keep their
  // copies.
  for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5, D3DFMT_DXT1}) {
    SCOPED_TRACE(format);
    const LevelBytes level(format);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture(8, 8, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
    const std::vector<uint8_t> first = level.Pattern(1);
    ASSERT_TRUE(level.Write(texture, first));
    if (format == D3DFMT_A8R8G8B8) {
      EXPECT_FALSE(platform::testing::KeepsLevelCopy(texture, 0));
    }
    EXPECT_EQ(level.Read(texture), first);
    EXPECT_EQ(level.Read(texture, 0), first);
    // Written and not marked changed: the copy holds what OpenGL does not.
    std::vector<uint8_t> second = level.Pattern(2);
    second.resize(second.size() / 2);
    ASSERT_TRUE(level.Write(texture, second, D3DLOCK_NO_DIRTY_UPDATE));
    std::vector<uint8_t> both = second;
    both.insert(both.end(), first.begin() + second.size(), first.end());
    EXPECT_TRUE(platform::testing::KeepsLevelCopy(texture, 0));
    EXPECT_EQ(level.Read(texture), both);
    texture->Release();
  }
  // A dynamic texture, written again and again, keeps its copy.
  const LevelBytes level(D3DFMT_A8R8G8B8);
  IDirect3DTexture8* dynamic = nullptr;
  ASSERT_EQ(device_->CreateTexture(8, 8, 1, D3DUSAGE_DYNAMIC, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &dynamic), D3D_OK);
  ASSERT_TRUE(level.Write(dynamic, level.Pattern(4)));
  EXPECT_TRUE(platform::testing::KeepsLevelCopy(dynamic, 0));
  EXPECT_EQ(level.Read(dynamic), level.Pattern(4));
  dynamic->Release();
}

TEST_F(D3D8DeviceTest, TextureOutlivingItsDeviceStillLocksWithItsBytes) {
  const LevelBytes level(D3DFMT_A8R8G8B8);
  IDirect3DTexture8* orphan = nullptr;
  IDirect3DTexture8* here = nullptr;
  IDirect3DTexture8* there = nullptr;
  {
    OffscreenDevice earlier(kSize, kSize);
    ASSERT_NE(earlier.device(), nullptr);
    ASSERT_EQ(earlier.device()->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &orphan), D3D_OK);
    ASSERT_TRUE(level.Write(orphan, level.Pattern(3)));
    EXPECT_FALSE(platform::testing::KeepsLevelCopy(orphan, 0));
    // Another device's context made current takes the copies back first.
    ASSERT_EQ(device_->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &here), D3D_OK);
    EXPECT_TRUE(platform::testing::KeepsLevelCopy(orphan, 0));
    EXPECT_EQ(level.Read(orphan), level.Pattern(3));
    // And so does a new device's, made current as it is made.
    ASSERT_EQ(earlier.device()->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &there), D3D_OK);
    ASSERT_TRUE(level.Write(orphan, level.Pattern(4)));
    EXPECT_FALSE(platform::testing::KeepsLevelCopy(orphan, 0));
    OffscreenDevice later(kSize, kSize);
    ASSERT_NE(later.device(), nullptr);
    EXPECT_TRUE(platform::testing::KeepsLevelCopy(orphan, 0));
    EXPECT_EQ(level.Read(orphan), level.Pattern(4));
  }
  EXPECT_EQ(level.Read(orphan), level.Pattern(4));
  orphan->Release();
  here->Release();
  there->Release();
}

TEST_F(D3D8DeviceTest, TextureTakesOnlyTheAreasLockedOrMarkedChanged) {
  IDirect3DTexture8* texture = SolidTexture(0xFFFF0000);  // 2 x 2, red
  auto fill = [&](const RECT* area, DWORD flags, D3DCOLOR colour) {
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, area, flags), D3D_OK);
    const LONG width = area ? area->right - area->left : 2, height = area ? area->bottom - area->top : 2;
    for (LONG y = 0; y < height; ++y)
      for (LONG x = 0; x < width; ++x)
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] = colour;
    texture->UnlockRect(0);
  };
  auto texels = [&] {
    device_->SetTexture(0, texture);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
    DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
    return std::vector<uint32_t>{Pixel(4, 4), Pixel(28, 4), Pixel(4, 28), Pixel(28, 28)};
  };
  // Written without marking anything: the device keeps the red.
  fill(nullptr, D3DLOCK_NO_DIRTY_UPDATE, 0xFF0000FF);
  EXPECT_EQ(texels(), (std::vector<uint32_t>{0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
  const RECT topLeft{0, 0, 1, 1};
  ASSERT_EQ(texture->AddDirtyRect(&topLeft), D3D_OK);
  EXPECT_EQ(texels(), (std::vector<uint32_t>{0x0000FF, 0xFF0000, 0xFF0000, 0xFF0000}));
  // A lock of an area marks that area.
  const RECT right{1, 0, 2, 2};
  fill(&right, 0, 0xFF00FF00);
  EXPECT_EQ(texels(), (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0x00FF00}));
  ASSERT_EQ(texture->AddDirtyRect(nullptr), D3D_OK);
  EXPECT_EQ(texels(), (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00}));
  const RECT outside{1, 1, 3, 2};
  EXPECT_EQ(texture->AddDirtyRect(&outside), D3DERR_INVALIDCALL);
  texture->Release();
}

TEST_F(D3D8DeviceTest, UnboundStageReadsOpaqueWhite) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  DrawRect(0, 0, kSize, kSize, 0xFF40A0C0);  // texture x diffuse with no texture: the diffuse colour
  EXPECT_EQ(Pixel(3, 3), 0x40A0C0u);
}

// OpenGL names die with their context, and the next context hands the same
// names out again: a texture that outlives its device must not reach them.
TEST_F(D3D8DeviceTest, ATextureOutlivingItsDeviceLeavesTheNextDevicesTexturesAlone) {
  IDirect3DTexture8* orphan = nullptr;
  {
    OffscreenDevice earlier(kSize, kSize);
    ASSERT_NE(earlier.device(), nullptr);
    orphan = SolidTextureOn(earlier.device(), 0xFFFF0000);
  }
  IDirect3DTexture8* green = SolidTexture(0xFF00FF00);
  // Refused as a texture of another device: the stage reads as unbound.
  EXPECT_EQ(device_->SetTexture(0, orphan), D3DERR_INVALIDCALL);
  DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(10, 10), 0xFFFFFFu);
  // Writing and releasing the orphan changes nothing here.
  Fill(orphan, 0xFF0000FF);
  orphan->Release();
  device_->SetTexture(0, green);
  DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(10, 10), 0x00FF00u);
  green->Release();
}

// A draw gives OpenGL only the state that changed since the draw before:
// what changed still shows, as does what a clear or a texture made under a
// released texture's name did meanwhile.
TEST_F(D3D8DeviceTest, ADrawGivesOnlyTheStateThatChanged) {
  auto* device = dynamic_cast<platform::d3d8::Device*>(device_);
  ASSERT_NE(device, nullptr);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  IDirect3DTexture8* blue = SolidTexture(0xFF0000FF);
  device_->SetTexture(0, blue);
  DrawRect(0, 0, 8, 8, 0xFFFFFFFF);
  const uint64_t first = device->AppliedStateChanges();
  DrawRect(8, 0, 16, 8, 0xFFFFFFFF);
  EXPECT_EQ(device->AppliedStateChanges(), first) << "nothing changed";
  EXPECT_EQ(Pixel(12, 4), 0x0000FFu);

  device_->SetTexture(0, nullptr);
  blue->Release();
  IDirect3DTexture8* green = SolidTexture(0xFF00FF00);
  device_->SetTexture(0, green);
  DrawRect(16, 0, 24, 8, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(20, 4), 0x00FF00u) << "the new texture, whatever its name";

  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  device_->SetTexture(0, nullptr);
  const uint64_t beforeBlend = device->AppliedStateChanges();
  DrawRect(8, 0, 16, 8, 0xFF800000);
  EXPECT_GT(device->AppliedStateChanges(), beforeBlend);
  EXPECT_EQ(Pixel(12, 4), 0x8000FFu) << "added to the blue";

  // Only red is written; a clear writes every channel between two draws.
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 1);  // red alone
  DrawRect(0, 8, 8, 16, 0xFFFFFFFF);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  DrawRect(0, 8, 8, 16, 0xFFFFFFFF);
  EXPECT_EQ(Pixel(4, 12), 0xFF0000u);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
  green->Release();
}

TEST_F(D3D8DeviceTest, AlphaTestPassesAtTheReferenceValue) {
  device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device_->SetRenderState(D3DRS_ALPHAREF, 128);
  device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  const struct {
    D3DCOLOR colour;
    bool drawn;
  } cases[] = {{0x7F00FF00, false}, {0x8000FF00, true}, {0x8100FF00, true}, {0x0000FF00, false}};
  for (const auto& c : cases) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
    DrawRect(0, 0, kSize, kSize, c.colour);
    EXPECT_EQ(Pixel(5, 5), c.drawn ? 0x00FF00u : 0u) << std::hex << c.colour;
  }
}

TEST_F(D3D8DeviceTest, AdditiveBlendAddsToTheTarget) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF640000, 0, 0);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  DrawRect(0, 0, kSize, kSize, 0xFF323C00);
  EXPECT_EQ(Pixel(8, 8), 0x963C00u);
}

TEST_F(D3D8DeviceTest, CullModeJudgesWindingAsSeenOnScreen) {
  // (0,0) -> (0,20) -> (20,0) turns counter-clockwise on a y-down screen.
  const ScreenVertex counterClockwise[3] = {
      {0, 0, 0, 1, 0xFFFFFFFF, 0, 0}, {0, 20, 0, 1, 0xFFFFFFFF, 0, 0}, {20, 0, 0, 1, 0xFFFFFFFF, 0, 0}};
  const ScreenVertex clockwise[3] = {counterClockwise[0], counterClockwise[2], counterClockwise[1]};
  const struct {
    DWORD cull;
    const ScreenVertex* triangle;
    bool drawn;
  } cases[] = {
      {D3DCULL_CCW, counterClockwise, false}, {D3DCULL_CCW, clockwise, true}, {D3DCULL_CW, counterClockwise, true},
      {D3DCULL_CW, clockwise, false},         {D3DCULL_NONE, counterClockwise, true},
  };
  for (const auto& c : cases) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
    device_->SetRenderState(D3DRS_CULLMODE, c.cull);
    device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, c.triangle, sizeof(ScreenVertex));
    EXPECT_EQ(Pixel(4, 4), c.drawn ? 0xFFFFFFu : 0u) << "cull " << c.cull;
  }
}

TEST_F(D3D8DeviceTest, PretransformedPixelCentresLieOnWholeNumbers) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  // A horizontal line through the centres of row 5, from column 2 to column 10.
  const ScreenVertex line[2] = {{2, 5, 0, 1, 0xFFFFFFFF, 0, 0}, {10, 5, 0, 1, 0xFFFFFFFF, 0, 0}};
  device_->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(ScreenVertex));
  EXPECT_EQ(Pixel(2, 5), 0xFFFFFFu);
  EXPECT_EQ(Pixel(9, 5), 0xFFFFFFu);
  EXPECT_EQ(Pixel(10, 5), 0u);  // the last pixel of a line is not drawn
  EXPECT_EQ(Pixel(5, 4), 0u);
  EXPECT_EQ(Pixel(5, 6), 0u);
  EXPECT_EQ(Pixel(1, 5), 0u);

  // A quad from -0.5 to 3.5 covers exactly pixels 0..3.
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  DrawRect(0, 0, 4, 4, 0xFFFF0000);
  EXPECT_EQ(Pixel(3, 3), 0xFF0000u);
  EXPECT_EQ(Pixel(4, 3), 0u);
  EXPECT_EQ(Pixel(3, 4), 0u);
}

TEST_F(D3D8DeviceTest, TransformedGeometryClipsDepthToZeroThroughOne) {
  struct Vertex {
    float x, y, z;
    D3DCOLOR colour;
  };
  device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  for (float z : {-0.1f, 0.0f, 0.5f, 0.9f, 1.1f}) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
    const Vertex quad[4] = {{-1, -1, z, 0xFF00FF00}, {-1, 1, z, 0xFF00FF00}, {1, -1, z, 0xFF00FF00},
                            {1, 1, z, 0xFF00FF00}};
    device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex));
    bool inside = z >= 0.0f && z <= 1.0f;
    EXPECT_EQ(Pixel(16, 16), inside ? 0x00FF00u : 0u) << "z " << z;
  }
}

TEST_F(D3D8DeviceTest, TransformedTopOfClipSpaceIsTheTopOfTheScreen) {
  struct Vertex {
    float x, y, z;
    D3DCOLOR colour;
  };
  device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  // Upper half of clip space, wound clockwise on screen.
  const Vertex quad[4] = {{-1, 0, 0, 0xFFFFFFFF}, {-1, 1, 0, 0xFFFFFFFF}, {1, 0, 0, 0xFFFFFFFF},
                          {1, 1, 0, 0xFFFFFFFF}};
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(Vertex));
  EXPECT_EQ(Pixel(16, 4), 0xFFFFFFu);
  EXPECT_EQ(Pixel(16, 28), 0u);
}

TEST_F(D3D8DeviceTest, StencilMasksLaterDraws) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_STENCILENABLE, TRUE);
  device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
  device_->SetRenderState(D3DRS_STENCILREF, 1);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
  DrawRect(0, 0, 8, 8, 0xFFFFFFFF);  // the mask: top-left 8 x 8
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
  DrawRect(0, 0, kSize, kSize, 0xFF0000FF);
  EXPECT_EQ(Pixel(4, 4), 0x0000FFu);
  EXPECT_EQ(Pixel(12, 12), 0u);
}

TEST_F(D3D8DeviceTest, BackBufferOfAnotherSizeThanTheWindowIsDrawnApartAndPresented) {
  // The device's window stays kSize square; a smaller back buffer cannot be
  // drawn into it directly.
  constexpr UINT kSmaller = kSize / 2;
  D3DPRESENT_PARAMETERS params{};
  params.BackBufferWidth = params.BackBufferHeight = kSmaller;
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.Windowed = TRUE;
  device_->EndScene();
  ASSERT_EQ(device_->Reset(&params), D3D_OK);
  device_->SetVertexShader(kScreenFvf);
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_STENCILENABLE, TRUE);
  device_->SetRenderState(D3DRS_STENCILREF, 1);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
  DrawRect(0, 0, 4, 4, 0xFFFFFFFF);
  device_->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
  device_->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
  device_->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
  DrawRect(0, 0, kSmaller, kSmaller, 0xFF00FF00);

  std::vector<uint32_t> pixels;
  uint32_t w = 0, h = 0;
  ASSERT_TRUE(platform::testing::ReadBackFrame(device_, pixels, w, h));
  EXPECT_EQ(w, kSmaller);
  EXPECT_EQ(h, kSmaller);
  EXPECT_EQ(pixels.at(2 * w + 2) & 0xFFFFFFu, 0x00FF00u);
  EXPECT_EQ(pixels.at(8 * w + 8) & 0xFFFFFFu, 0u);
  device_->EndScene();
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  device_->BeginScene();
}

TEST_F(D3D8DeviceTest, TextureTransformShiftsTwoDimensionalCoordinatesByTheThirdRow) {
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(2, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DLOCKED_RECT locked;
  texture->LockRect(0, &locked, nullptr, 0);
  static_cast<uint32_t*>(locked.pBits)[0] = 0xFFFF0000;
  static_cast<uint32_t*>(locked.pBits)[1] = 0xFF0000FF;
  texture->UnlockRect(0);
  device_->SetTexture(0, texture);
  device_->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
  D3DMATRIX shift{};
  for (int i = 0; i < 4; ++i) shift.m[i][i] = 1.0f;
  shift.m[2][0] = 0.5f;  // u + 0.5
  device_->SetTransform(D3DTS_TEXTURE0, &shift);
  device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  const ScreenVertex quad[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFFFFFF, 0, 0}, {31.5f, -0.5f, 0, 1, 0xFFFFFFFF, 0, 0},
                                {-0.5f, 31.5f, 0, 1, 0xFFFFFFFF, 0, 1}, {31.5f, 31.5f, 0, 1, 0xFFFFFFFF, 0, 1}};
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
  texture->Release();
  EXPECT_EQ(Pixel(2, 2), 0x0000FFu);  // without the shift this would be the red texel
}

TEST_F(D3D8DeviceTest, LostDeviceIsResetOnlyOnceItMayBe) {
  platform::testing::LoseDevice(device_);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
  D3DPRESENT_PARAMETERS params{};
  params.BackBufferWidth = params.BackBufferHeight = kSize;
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.Windowed = TRUE;
  EXPECT_EQ(device_->Reset(&params), D3DERR_DEVICELOST);

  platform::testing::AllowDeviceReset(device_);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  platform::testing::FailNextResets(device_, 1);
  EXPECT_TRUE(FAILED(device_->Reset(&params)));
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  EXPECT_EQ(device_->Reset(&params), D3D_OK);
  EXPECT_EQ(device_->TestCooperativeLevel(), D3D_OK);
  DWORD blending = 1;
  device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &blending);
  EXPECT_EQ(blending, 0u);  // a reset restores the default states
}

TEST_F(D3D8DeviceTest, EmptyTextureTakesItsSizeLevelsAndFormatAsD3DXReadsThem) {
  const struct {
    UINT width, height, levels;
    D3DFORMAT format;
    UINT gotWidth, gotHeight, gotLevels;
    D3DFORMAT gotFormat;
  } cases[] = {
      {100, 50, 1, D3DFMT_R8G8B8, 100, 50, 1, D3DFMT_R8G8B8},
      {D3DX_DEFAULT, 0, 1, D3DFMT_R5G6B5, 256, 1, 1, D3DFMT_R5G6B5},
      {8, 4, 0, D3DFMT_A8R8G8B8, 8, 4, 4, D3DFMT_A8R8G8B8},
      {8, 4, D3DX_DEFAULT, D3DFMT_UNKNOWN, 8, 4, 4, D3DFMT_A8R8G8B8},
      {8, 8, 1, D3DFMT_P8, 8, 8, 1, D3DFMT_A8R8G8B8},  // no palettes here
  };
  for (const auto& c : cases) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device_, c.width, c.height, c.levels, D3DUSAGE_DYNAMIC, c.format, D3DPOOL_DEFAULT,
                                &texture),
              D3D_OK)
        << c.width;
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, c.gotWidth);
    EXPECT_EQ(desc.Height, c.gotHeight);
    EXPECT_EQ(desc.Format, c.gotFormat);
    EXPECT_EQ(texture->GetLevelCount(), c.gotLevels);
    texture->Release();
  }
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(D3DXCreateTexture(nullptr, 8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
  EXPECT_EQ(texture, nullptr);
}

// A texture made to be drawn into takes the draws, its rows from the top as
// it is sampled and the winding as seen on screen, and leaves the back
// buffer alone; drawn on the screen afterwards it shows what was drawn.
TEST_F(D3D8DeviceTest, ATextureTargetTakesTheDrawsAsTheScreenWould) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 0, 0);
  IDirect3DTexture8* target = nullptr;
  ASSERT_EQ(device_->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target),
            D3D_OK);
  IDirect3DSurface8* level = nullptr;
  ASSERT_EQ(target->GetSurfaceLevel(0, &level), D3D_OK);
  ASSERT_EQ(device_->SetRenderTarget(level, nullptr), D3D_OK);
  D3DVIEWPORT8 viewport{};
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 8u);
  EXPECT_EQ(viewport.Height, 8u);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0, 0);
  // Wound clockwise on screen: kept by the default culling.
  DrawRect(0, 0, 4, 2, 0xFFFF0000);
  ASSERT_EQ(device_->SetRenderTarget(nullptr, nullptr), D3D_OK);
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, kSize);
  EXPECT_EQ(Pixel(1, 1), 0x0000FFu);

  // Each texel four pixels wide and high on the screen.
  device_->SetTexture(0, target);
  DrawRect(0, 0, kSize, kSize, 0xFFFFFFFF);
  device_->SetTexture(0, nullptr);
  const struct {
    UINT x, y;
    uint32_t colour;
  } pixels[] = {{1, 1, 0xFF0000u}, {14, 6, 0xFF0000u}, {1, 9, 0u}, {17, 1, 0u}, {30, 30, 0u}};
  for (const auto& p : pixels) EXPECT_EQ(Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;

  // Only level 0 of a texture made to be drawn into is taken, without depth.
  IDirect3DTexture8* plain = SolidTexture(0xFFFFFFFF);
  IDirect3DSurface8* plainLevel = nullptr;
  ASSERT_EQ(plain->GetSurfaceLevel(0, &plainLevel), D3D_OK);
  EXPECT_EQ(device_->SetRenderTarget(plainLevel, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->SetRenderTarget(level, level), D3DERR_INVALIDCALL);
  plainLevel->Release();
  plain->Release();
  level->Release();
  target->Release();
}

}  // namespace
