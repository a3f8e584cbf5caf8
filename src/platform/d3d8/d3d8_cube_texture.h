// IDirect3DCubeTexture8 on OpenGL; faces keep Direct3D's order, which is
// also OpenGL's.
#pragma once
#include "platform/d3d8/d3d8_com_object.h"
#include "platform/d3d8/d3d8_texture_storage.h"

namespace platform::d3d8 {

class CubeTexture : public ComObject<IDirect3DCubeTexture8> {
 public:
  CubeTexture(const FormatInfo& format, uint32_t edge, uint32_t levels, D3DPOOL pool, DWORD usage);

  D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
  DWORD GetLevelCount() override { return storage_.LevelCount(); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override { return storage_.LevelDesc(level, desc); }
  HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface8** surface) override;
  HRESULT LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* locked, const RECT* rect,
                   DWORD flags) override;
  HRESULT UnlockRect(D3DCUBEMAP_FACES face, UINT level) override;

  TextureStorage& Storage() { return storage_; }

 private:
  TextureStorage storage_;
};

}  // namespace platform::d3d8
