// IDirect3DTexture8 on OpenGL.
#pragma once
#include "platform/d3d8/d3d8_com_object.h"
#include "platform/d3d8/d3d8_texture_storage.h"

namespace platform::d3d8 {

class Texture : public ComObject<IDirect3DTexture8> {
 public:
  Texture(const FormatInfo& format, uint32_t width, uint32_t height, uint32_t levels, D3DPOOL pool, DWORD usage);

  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return storage_.LevelCount(); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override { return storage_.LevelDesc(level, desc); }
  HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;
  HRESULT AddDirtyRect(const RECT* rect) override;

  TextureStorage& Storage() { return storage_; }

 private:
  TextureStorage storage_;
};

}  // namespace platform::d3d8
