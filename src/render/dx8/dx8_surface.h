// The Direct3D texture of an image file, made with the D3DX loader from the
// bytes the resource manager has read.
#pragma once
#include "platform/d3d8/d3d8.h"
#include "render/device/surface.h"

class Dx8Surface : public Surface {
 public:
  // The resource constructor registered for the image types.
  static res::Resource* CreateImage();
  // Registers CreateImage for "jpg", "tga", "bmp", "dds" and "png", once per process.
  static void RegisterFileFormats();
  // The next power of two at or above `side`, at most 512: the side of a
  // texture on a device that keeps square textures only.
  static uint32_t SquareSide(uint32_t side);

  Dx8Surface() = default;
  ~Dx8Surface() override;

  void Release() override;
  bool Bind(uint32_t stage) override;
  SurfaceMask* GenerateMask() override;
  void InitTexture() override;

  // The bytes are a DDS whose header marks a cube map.
  bool IsCubeMap() const;
  D3DFORMAT GetFormat() const { return format_; }
  IDirect3DBaseTexture8* GetTexture() const { return texture_; }

 private:
  void ReleaseTexture();
  HRESULT CreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT levels);

  IDirect3DBaseTexture8* texture_ = nullptr;
  D3DFORMAT format_ = D3DFMT_UNKNOWN;
};
