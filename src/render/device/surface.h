// A texture resource made from an image file; the device-neutral part.
#pragma once
#include <cstdint>

#include "core/files/resource.h"

// The alpha bytes of a texture's top level, row-major from the top row.
struct SurfaceMask {
  uint32_t width;
  uint32_t height;
  uint8_t* data;
  ~SurfaceMask() { delete[] data; }
};

class Surface : public res::Resource {
 public:
  Surface() = default;
  ~Surface() override { state_ = res::kStateReleased; }

  // Released: loads the file again (which comes back here); file loaded:
  // builds the texture and frees the bytes; otherwise only warns.
  bool InitializeResource() override;
  void Release() override { state_ = res::kStateReleased; }

  virtual bool Bind(uint32_t stage) = 0;
  // Null when the texture keeps no A8R8G8B8 top level; owned by the caller.
  virtual SurfaceMask* GenerateMask() = 0;
  virtual void InitTexture() = 0;

  uint32_t GetWidth() const { return width_; }
  uint32_t GetHeight() const { return height_; }
  bool IsCubeMapSurface() const { return cubeMap_ != 0; }

 protected:
  uint32_t width_ = 256;
  uint32_t height_ = 256;
  uint8_t cubeMap_ = 0;
};
