#include "platform/d3d8/d3d8_texture.h"

namespace platform::d3d8 {

Texture::Texture(const FormatInfo& format, uint32_t width, uint32_t height, uint32_t levels, D3DPOOL pool,
                 DWORD usage)
    : storage_(false, format, width, height, levels, pool, usage, this) {}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) {
  MemorySurface* found = storage_.Level(0, level);
  if (!found || !surface) return D3DERR_INVALIDCALL;
  found->AddRef();
  *surface = found;
  return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  MemorySurface* found = storage_.Level(0, level);
  return found ? found->LockRect(locked, rect, flags) : D3DERR_INVALIDCALL;
}

HRESULT Texture::UnlockRect(UINT level) {
  MemorySurface* found = storage_.Level(0, level);
  return found ? found->UnlockRect() : D3DERR_INVALIDCALL;
}

HRESULT Texture::AddDirtyRect(const RECT* rect) {
  return storage_.MarkChanged(0, rect) ? D3D_OK : D3DERR_INVALIDCALL;
}

}  // namespace platform::d3d8
