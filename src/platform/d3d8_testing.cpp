#include "platform/d3d8_testing.h"

#include <cstring>
#include <utility>

#include "platform/d3d8_adapter.h"
#include "platform/d3d8_device.h"

namespace platform::testing {
namespace {

d3d8::Device* DeviceOf(IDirect3DDevice8* device) { return dynamic_cast<d3d8::Device*>(device); }

}  // namespace

bool ReadBackFrame(IDirect3DDevice8* device, std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) {
  IDirect3DSurface8* surface = nullptr;
  if (!device || FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return false;
  D3DSURFACE_DESC desc;
  D3DLOCKED_RECT locked;
  surface->GetDesc(&desc);
  bool ok = SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
  if (ok) {
    width = desc.Width;
    height = desc.Height;
    pixels.resize(static_cast<size_t>(width) * height);
    for (uint32_t row = 0; row < height; ++row) {
      std::memcpy(&pixels[static_cast<size_t>(row) * width],
                  static_cast<const uint8_t*>(locked.pBits) + static_cast<size_t>(row) * locked.Pitch, width * 4);
    }
    surface->UnlockRect();
  }
  surface->Release();
  return ok;
}

void LoseDevice(IDirect3DDevice8* device) {
  if (d3d8::Device* d = DeviceOf(device)) d->SetCooperation(d3d8::Device::Cooperation::kLost);
}

void AllowDeviceReset(IDirect3DDevice8* device) {
  if (d3d8::Device* d = DeviceOf(device)) d->SetCooperation(d3d8::Device::Cooperation::kNotReset);
}

void FailNextResets(IDirect3DDevice8* device, int count) {
  if (d3d8::Device* d = DeviceOf(device)) d->FailNextResets(count);
}

void SetSquareTexturesOnly(bool on) { d3d8::Overrides().squareTexturesOnly = on; }
void SetCapsUnavailable(bool on) { d3d8::Overrides().capsUnavailable = on; }
void SetFullScreenUnavailable(bool on) { d3d8::Overrides().fullScreenUnavailable = on; }
void SetPresentObserver(std::function<void(IDirect3DDevice8*)> observer) {
  d3d8::Overrides().presentObserver = std::move(observer);
}

void RefuseTextureFormats(const std::vector<D3DFORMAT>& formats) {
  d3d8::Overrides().refusedFormats = std::set<D3DFORMAT>(formats.begin(), formats.end());
}

}  // namespace platform::testing
