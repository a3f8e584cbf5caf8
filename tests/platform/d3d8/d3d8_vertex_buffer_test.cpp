// Vertex buffers, stream drawing, the device's Direct3D object and display
// mode, and D3DXLoadSurfaceFromMemory, on a real OpenGL context.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/d3dx/d3dx8.h"
#include "offscreen_device.h"

namespace {

constexpr UINT kSize = 32;

class D3D8Stream : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(screen_.device(), nullptr);
    d3d_ = screen_.direct3d();
    device_ = screen_.device();
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device_->BeginScene();
  }
  uint32_t Pixel(UINT x, UINT y) { return screen_.Pixel(x, y); }
  OffscreenDevice screen_{kSize, kSize};
  IDirect3D8* d3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
};

TEST_F(D3D8Stream, StripFromAVertexBufferDrawsFromItsStartVertex) {
  IDirect3DVertexBuffer8* buffer = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(6 * 12, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, D3DFVF_XYZ, D3DPOOL_DEFAULT,
                                        &buffer),
            D3D_OK);
  BYTE* bytes = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &bytes, D3DLOCK_DISCARD), D3D_OK);
  // Two throwaway vertices, then the left half of clip space as a strip.
  const float vertices[6][3] = {{9, 9, 0}, {9, 9, 0}, {-1, 1, 0.5f}, {0, 1, 0.5f}, {-1, -1, 0.5f}, {0, -1, 0.5f}};
  std::memcpy(bytes, vertices, sizeof vertices);
  EXPECT_EQ(buffer->Lock(0, 0, &bytes, 0), D3DERR_INVALIDCALL) << "locked already";
  ASSERT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Lock(8, 72, &bytes, 0), D3DERR_INVALIDCALL) << "past the end";

  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 0, 0);
  device_->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFF00FF00u);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
  device_->SetVertexShader(D3DFVF_XYZ);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL) << "no stream bound";
  ASSERT_EQ(device_->SetStreamSource(0, buffer, 12), D3D_OK);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 2, 3), D3DERR_INVALIDCALL) << "runs past the buffer";
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 2, 2), D3D_OK);
  EXPECT_EQ(Pixel(4, 16), 0x00FF00u);
  EXPECT_EQ(Pixel(28, 16), 0x000000u);
  buffer->Release();  // the stream keeps it until unbound
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 2, 2), D3D_OK);
  EXPECT_EQ(device_->SetStreamSource(0, nullptr, 0), D3D_OK);
}

TEST_F(D3D8Stream, DeviceAnswersItsDirect3DDisplayModeAndPixelShader) {
  IDirect3D8* direct3d = nullptr;
  ASSERT_EQ(device_->GetDirect3D(&direct3d), D3D_OK);
  EXPECT_EQ(direct3d, d3d_);
  direct3d->Release();
  D3DDISPLAYMODE mode{};
  ASSERT_EQ(device_->GetDisplayMode(&mode), D3D_OK);
  EXPECT_GT(mode.Width, 0u);
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, mode.Format, 0, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8), D3D_OK);
  EXPECT_EQ(device_->SetPixelShader(0), D3D_OK);
  EXPECT_EQ(device_->SetPixelShader(1), D3DERR_INVALIDCALL);
}

TEST_F(D3D8Stream, RefusedFormatsAreRefusedAsTexturesOnly) {
  platform::testing::RefuseTextureFormats({D3DFMT_R8G8B8, D3DFMT_A8});
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_R8G8B8),
            D3DERR_NOTAVAILABLE);
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8),
            D3DERR_NOTAVAILABLE);
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_A8L8), D3D_OK);
  platform::testing::RefuseTextureFormats({});
  EXPECT_EQ(d3d_->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, 0, D3DRTYPE_TEXTURE, D3DFMT_R8G8B8), D3D_OK);
}

// The texels of a surface as 0xAARRGGBB words, through an A8R8G8B8 copy.
std::vector<uint32_t> Texels(IDirect3DDevice8* device, IDirect3DSurface8* surface) {
  D3DSURFACE_DESC desc{};
  surface->GetDesc(&desc);
  IDirect3DSurface8* copy = nullptr;
  device->CreateImageSurface(desc.Width, desc.Height, D3DFMT_A8R8G8B8, &copy);
  EXPECT_EQ(D3DXLoadSurfaceFromSurface(copy, nullptr, nullptr, surface, nullptr, nullptr, D3DX_DEFAULT, 0), D3D_OK);
  D3DLOCKED_RECT locked;
  copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  std::vector<uint32_t> texels(desc.Width * desc.Height);
  for (UINT y = 0; y < desc.Height; ++y) {
    std::memcpy(&texels[y * desc.Width], static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, desc.Width * 4);
  }
  copy->UnlockRect();
  copy->Release();
  return texels;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  }
  return true;
}

TEST_F(D3D8Stream, LoadFromMemoryScalesTheSourceRectangleOverTheSurface) {
  // A 3 x 2 source of which the 2 x 1 rectangle at (1, 1) is loaded, doubled
  // to a 4 x 2 surface of another format.
  const uint32_t source[6] = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFFFF0000u, 0x800000FFu};
  IDirect3DSurface8* surface = nullptr;
  ASSERT_EQ(device_->CreateImageSurface(4, 2, D3DFMT_A4R4G4B4, &surface), D3D_OK);
  const RECT rect{1, 1, 3, 2};
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, source, D3DFMT_A8R8G8B8, 12, nullptr, &rect,
                                      D3DX_DEFAULT, 0),
            D3D_OK);
  const std::vector<uint32_t> texels = Texels(device_, surface);
  EXPECT_EQ(texels, (std::vector<uint32_t>{0xFFFF0000u, 0xFFFF0000u, 0x880000FFu, 0x880000FFu, 0xFFFF0000u,
                                           0xFFFF0000u, 0x880000FFu, 0x880000FFu}));
  EXPECT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, source, D3DFMT_A8R8G8B8, 8, nullptr, &rect,
                                      D3DX_DEFAULT, 0),
            D3DERR_INVALIDCALL)
      << "a pitch too short for the rectangle";
  EXPECT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, nullptr, source, D3DFMT_A8R8G8B8, 12, nullptr, nullptr,
                                      D3DX_DEFAULT, 0),
            D3DERR_INVALIDCALL)
      << "the source rectangle is required";
  surface->Release();

  IDirect3DSurface8* alpha = nullptr;
  ASSERT_EQ(device_->CreateImageSurface(2, 1, D3DFMT_A8L8, &alpha), D3D_OK);
  const uint8_t coverage[2] = {0x40, 0xC0};
  const RECT whole{0, 0, 2, 1};
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(alpha, nullptr, nullptr, coverage, D3DFMT_A8, 2, nullptr, &whole, D3DX_DEFAULT,
                                      0),
            D3D_OK);
  EXPECT_EQ(Texels(device_, alpha), (std::vector<uint32_t>{0x40000000u, 0xC0000000u}));
  alpha->Release();
}

TEST_F(D3D8Stream, CompressedSurfacesRoundTripWithinTheirRounding) {
  // A ramp of colour and alpha, 8 x 8, through DXT1 (opaque) and DXT5.
  std::vector<uint32_t> source(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) source[y * 8 + x] = (uint32_t(x * 32) << 24) | (uint32_t(x * 30) << 16) | (x * 20 << 8) | 0x40;
  const RECT rect{0, 0, 8, 8};
  for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT5}) {
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture(8, 8, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
    IDirect3DSurface8* level = nullptr;
    texture->GetSurfaceLevel(0, &level);
    std::vector<uint32_t> loaded = source;
    if (format == D3DFMT_DXT1) {
      for (uint32_t& p : loaded) p |= 0xFF000000u;
    }
    ASSERT_EQ(D3DXLoadSurfaceFromMemory(level, nullptr, nullptr, loaded.data(), D3DFMT_A8R8G8B8, 32, nullptr, &rect,
                                        D3DX_DEFAULT, 0),
              D3D_OK);
    const std::vector<uint32_t> texels = Texels(device_, level);
    for (size_t i = 0; i < texels.size(); ++i) {
      EXPECT_TRUE(Near(texels[i], loaded[i], 24)) << std::hex << texels[i] << " for " << loaded[i];
    }
    const RECT inside{1, 0, 4, 4};
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(level, nullptr, &inside, level, nullptr, nullptr, D3DX_DEFAULT, 0),
              D3DERR_INVALIDCALL)
        << "compressed areas start on whole blocks";
    level->Release();
    texture->Release();
  }
}

}  // namespace
