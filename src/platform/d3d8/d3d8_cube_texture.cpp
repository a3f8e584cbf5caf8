#include "platform/d3d8/d3d8_cube_texture.h"

namespace platform::d3d8 {

CubeTexture::CubeTexture(const FormatInfo& format, uint32_t edge, uint32_t levels, D3DPOOL pool, DWORD usage)
    : storage_(true, format, edge, edge, levels, pool, usage, this) {}

HRESULT CubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface8** surface) {
  MemorySurface* found = storage_.Level(face, level);
  if (!found || !surface) return D3DERR_INVALIDCALL;
  found->AddRef();
  *surface = found;
  return D3D_OK;
}

HRESULT CubeTexture::LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                              DWORD flags) {
  MemorySurface* found = storage_.Level(face, level);
  return found ? found->LockRect(locked, rect, flags) : D3DERR_INVALIDCALL;
}

HRESULT CubeTexture::UnlockRect(D3DCUBEMAP_FACES face, UINT level) {
  MemorySurface* found = storage_.Level(face, level);
  return found ? found->UnlockRect() : D3DERR_INVALIDCALL;
}

}  // namespace platform::d3d8
