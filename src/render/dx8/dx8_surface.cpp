#include "render/dx8/dx8_surface.h"

#include <algorithm>
#include <cstring>

#include "core/log.h"
#include "core/files/resman.h"
#include "platform/d3dx/d3dx8.h"
#include "platform/codecs/dds_reader.h"
#include "platform/d3dx/dxerr8.h"
#include "platform/codecs/little_endian.h"
#include "render/dx8/dx8_graphics.h"

namespace {

// Registered before main runs, so every image type is known from the start.
const bool kRegisteredAtStart = (Dx8Surface::RegisterFileFormats(), true);

}  // namespace

res::Resource* Dx8Surface::CreateImage() { return new Dx8Surface(); }

void Dx8Surface::RegisterFileFormats() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  for (const char* type : {"jpg", "tga", "bmp", "dds", "png"}) {
    res::GetResMan().AddResourceConstructor(&Dx8Surface::CreateImage, type);
  }
  LOG_LINE(MSG_INIT, "File formats registered for surface");
}

uint32_t Dx8Surface::SquareSide(uint32_t side) {
  uint32_t square = 1;
  while (square < side && square < 512) square *= 2;
  return square;
}

Dx8Surface::~Dx8Surface() { ReleaseTexture(); }

void Dx8Surface::ReleaseTexture() {
  if (texture_) texture_->Release();
  texture_ = nullptr;
}

void Dx8Surface::Release() {
  ReleaseTexture();
  Surface::Release();
}

bool Dx8Surface::Bind(uint32_t stage) {
  Dx8Graphics* graphics = GetDx8Graphics();
  if (state_ == res::kStateReady && graphics && graphics->GetDevice()) {
    graphics->GetDevice()->SetTexture(stage, texture_);
  }
  return true;
}

bool Dx8Surface::IsCubeMap() const {
  // Only a whole header is read; the second caps word sits at byte 112.
  if (!file_.data || file_.size < platform::kDdsHeaderSize || !platform::IsDds(file_.data, file_.size)) return false;
  return (platform::Load32(file_.data + 112) & platform::kDdsCubeMapBit) != 0;
}

HRESULT Dx8Surface::CreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT levels) {
  IDirect3DTexture8* texture = nullptr;
  D3DXIMAGE_INFO info{};
  HRESULT result = D3DXCreateTextureFromFileInMemoryEx(device, file_.data, file_.size, width, height, levels, 0,
                                                       D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE,
                                                       D3DX_DEFAULT, 0, &info, nullptr, &texture);
  if (SUCCEEDED(result)) {
    texture_ = texture;
    width_ = info.Width;
    height_ = info.Height;
    format_ = info.Format;
  }
  return result;
}

void Dx8Surface::InitTexture() {
  Dx8Graphics* graphics = GetDx8Graphics();
  IDirect3DDevice8* device = graphics ? graphics->GetDevice() : nullptr;
  ReleaseTexture();
  cubeMap_ = IsCubeMap() ? 1 : 0;
  HRESULT result = D3DERR_INVALIDCALL;
  if (device && cubeMap_) {
    IDirect3DCubeTexture8* cube = nullptr;
    result = D3DXCreateCubeTextureFromFileInMemory(device, file_.data, file_.size, &cube);
    if (SUCCEEDED(result)) {
      D3DSURFACE_DESC desc;
      cube->GetLevelDesc(0, &desc);
      texture_ = cube;
      width_ = desc.Width;
      height_ = desc.Height;
      format_ = desc.Format;
    }
  } else if (device) {
    result = CreateTexture(device, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT);
    if (SUCCEEDED(result) && graphics->SquareTexturesOnly()) {
      ReleaseTexture();
      uint32_t side = SquareSide(std::max(width_, height_));
      LOG_LINE(MSG_WARNING, "Clamping texture size for texture " + name_);
      result = CreateTexture(device, side, side, 1);
      width_ = height_ = side;
    }
  }
  if (FAILED(result)) {
    state_ = res::kStateFailed;
    LOG_LINE(MSG_LOAD, DXGetErrorString8(result));
    LOG_LINE(MSG_LOAD, "Failed to loaded texture " + file_.name);
    return;
  }
  state_ = res::kStateReady;
  LOG_LINE(MSG_LOAD, "Loaded texture " + file_.name);
}

SurfaceMask* Dx8Surface::GenerateMask() {
  if (!texture_ || texture_->GetType() != D3DRTYPE_TEXTURE) return nullptr;
  auto* texture = static_cast<IDirect3DTexture8*>(texture_);
  D3DSURFACE_DESC desc;
  if (FAILED(texture->GetLevelDesc(0, &desc)) || desc.Format != D3DFMT_A8R8G8B8) return nullptr;
  D3DLOCKED_RECT locked;
  if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return nullptr;
  auto* mask = new SurfaceMask{desc.Width, desc.Height, new uint8_t[static_cast<size_t>(desc.Width) * desc.Height]};
  for (uint32_t y = 0; y < desc.Height; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
    for (uint32_t x = 0; x < desc.Width; ++x) mask->data[static_cast<size_t>(y) * desc.Width + x] = row[x * 4 + 3];
  }
  if (FAILED(texture->UnlockRect(0))) {
    delete mask;
    return nullptr;
  }
  return mask;
}
