#include "platform/d3dx/d3dx8.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <squish.h>

#include "platform/codecs/bmp_writer.h"
#include "platform/codecs/dds_reader.h"
#include "platform/codecs/image_decoder.h"
#include "platform/d3d8/d3d8_format.h"

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "a 32-bit texel is stored as its word");

using platform::d3d8::FindFormat;
using platform::d3d8::FormatInfo;

D3DXIMAGE_FILEFORMAT FileFormatOf(const uint8_t* bytes, size_t size) {
  if (platform::IsDds(bytes, size)) return D3DXIFF_DDS;
  if (size >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') return D3DXIFF_PNG;
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return D3DXIFF_JPG;
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return D3DXIFF_BMP;
  return D3DXIFF_TGA;
}

int SquishFlags(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_DXT1: return squish::kDxt1;
    case D3DFMT_DXT3: return squish::kDxt3;
    default: return squish::kDxt5;
  }
}

// An area of texels at (left, top) of an image in memory, in any format the
// layer stores, to 0xAARRGGBB words; compressed images are decoded block by block.
void ReadPixels(const uint8_t* bytes, size_t pitch, const FormatInfo& format, uint32_t left, uint32_t top,
                uint32_t width, uint32_t height, std::vector<uint32_t>& out) {
  out.resize(static_cast<size_t>(width) * height);
  if (!format.bytesPerBlock) {
    for (uint32_t y = 0; y < height; ++y) {
      const uint8_t* row = bytes + (top + y) * pitch + static_cast<size_t>(left) * format.bytesPerTexel;
      for (uint32_t x = 0; x < width; ++x) {
        out[static_cast<size_t>(y) * width + x] = platform::d3d8::ReadTexel(format.format, row + x * format.bytesPerTexel);
      }
    }
    return;
  }
  const int flags = SquishFlags(format.format);
  uint8_t block[64];
  for (uint32_t by = top / 4; by * 4 < top + height; ++by) {
    for (uint32_t bx = left / 4; bx * 4 < left + width; ++bx) {
      squish::Decompress(block, bytes + by * pitch + static_cast<size_t>(bx) * format.bytesPerBlock, flags);
      for (uint32_t i = 0; i < 16; ++i) {
        const uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
        if (x < left || x >= left + width || y < top || y >= top + height) continue;
        const uint8_t* p = block + i * 4;
        out[static_cast<size_t>(y - top) * width + (x - left)] =
            (static_cast<uint32_t>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
      }
    }
  }
}

// Writes `pixels` (width x height words) at (left, top) of an image in memory;
// a compressed image takes whole blocks, so the area starts on a block and
// ends on one or at the image's edge (`imageWidth`, `imageHeight`).
void WritePixels(uint8_t* bytes, size_t pitch, const FormatInfo& format, uint32_t left, uint32_t top, uint32_t width,
                 uint32_t height, const std::vector<uint32_t>& pixels) {
  if (format.format == D3DFMT_A8R8G8B8 || format.format == D3DFMT_X8R8G8B8) {
    // The texel is the word as it is stored, the unused alpha of X8R8G8B8 set.
    const uint32_t setAlpha = format.format == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    for (uint32_t y = 0; y < height; ++y) {
      uint8_t* row = bytes + (top + y) * pitch + static_cast<size_t>(left) * 4;
      const uint32_t* from = &pixels[static_cast<size_t>(y) * width];
      for (uint32_t x = 0; x < width; ++x) {
        const uint32_t texel = from[x] | setAlpha;
        std::memcpy(row + static_cast<size_t>(x) * 4, &texel, 4);
      }
    }
    return;
  }
  if (!format.bytesPerBlock) {
    for (uint32_t y = 0; y < height; ++y) {
      uint8_t* row = bytes + (top + y) * pitch + static_cast<size_t>(left) * format.bytesPerTexel;
      for (uint32_t x = 0; x < width; ++x) {
        platform::d3d8::WriteTexel(format.format, row + x * format.bytesPerTexel,
                                   pixels[static_cast<size_t>(y) * width + x]);
      }
    }
    return;
  }
  const int flags = SquishFlags(format.format);
  uint8_t block[64];
  for (uint32_t by = 0; by * 4 < height; ++by) {
    for (uint32_t bx = 0; bx * 4 < width; ++bx) {
      // Texels past the area's edge repeat its last row and column.
      for (uint32_t i = 0; i < 16; ++i) {
        const uint32_t x = std::min(bx * 4 + i % 4, width - 1), y = std::min(by * 4 + i / 4, height - 1);
        const uint32_t argb = pixels[static_cast<size_t>(y) * width + x];
        block[i * 4] = static_cast<uint8_t>(argb >> 16);
        block[i * 4 + 1] = static_cast<uint8_t>(argb >> 8);
        block[i * 4 + 2] = static_cast<uint8_t>(argb);
        block[i * 4 + 3] = static_cast<uint8_t>(argb >> 24);
      }
      squish::Compress(block, bytes + (top / 4 + by) * pitch + static_cast<size_t>(left / 4 + bx) * format.bytesPerBlock,
                       flags);
    }
  }
}

struct Area {
  RECT rect;
  uint32_t width, height;
};

bool AreaOf(IDirect3DSurface8* surface, const RECT* rect, D3DSURFACE_DESC& desc, Area& area) {
  if (!surface || FAILED(surface->GetDesc(&desc))) return false;
  area.rect = rect ? *rect : RECT{0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
  if (area.rect.left < 0 || area.rect.top < 0 || area.rect.right <= area.rect.left ||
      area.rect.bottom <= area.rect.top || area.rect.right > static_cast<LONG>(desc.Width) ||
      area.rect.bottom > static_cast<LONG>(desc.Height)) {
    return false;
  }
  area.width = static_cast<uint32_t>(area.rect.right - area.rect.left);
  area.height = static_cast<uint32_t>(area.rect.bottom - area.rect.top);
  return true;
}

void ApplyColourKey(std::vector<uint32_t>& pixels, D3DCOLOR key) {
  if (key == 0) return;
  for (uint32_t& p : pixels) {
    if (p == key) p = 0;
  }
}

bool ReadSurface(IDirect3DSurface8* surface, const RECT* rect, std::vector<uint32_t>& pixels, Area& area) {
  D3DSURFACE_DESC desc;
  const FormatInfo* format = nullptr;
  if (!AreaOf(surface, rect, desc, area) || !(format = FindFormat(desc.Format))) return false;
  D3DLOCKED_RECT locked;
  if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) return false;
  ReadPixels(static_cast<const uint8_t*>(locked.pBits), static_cast<size_t>(locked.Pitch), *format,
             static_cast<uint32_t>(area.rect.left), static_cast<uint32_t>(area.rect.top), area.width, area.height,
             pixels);
  surface->UnlockRect();
  return true;
}

// Resamples `pixels` (from.width x from.height) over the destination area
// and stores them in the destination's format.
HRESULT WriteSurface(IDirect3DSurface8* destination, const RECT* destinationRect, std::vector<uint32_t> pixels,
                     uint32_t width, uint32_t height, D3DCOLOR colorKey) {
  Area to;
  D3DSURFACE_DESC desc;
  if (!AreaOf(destination, destinationRect, desc, to)) return D3DERR_INVALIDCALL;
  const FormatInfo* format = FindFormat(desc.Format);
  if (!format) return D3DERR_INVALIDCALL;
  if (format->bytesPerBlock) {
    auto onBlock = [](LONG at, UINT edge) { return at % 4 == 0 || static_cast<UINT>(at) == edge; };
    if (!onBlock(to.rect.left, 0) || !onBlock(to.rect.top, 0) || !onBlock(to.rect.right, desc.Width) ||
        !onBlock(to.rect.bottom, desc.Height)) {
      return D3DERR_INVALIDCALL;
    }
  }
  ApplyColourKey(pixels, colorKey);
  pixels = platform::Resample(pixels, width, height, to.width, to.height);
  D3DLOCKED_RECT locked;
  if (FAILED(destination->LockRect(&locked, &to.rect, 0))) return D3DERR_INVALIDCALL;
  // The lock hands out the area's first texel (or block).
  WritePixels(static_cast<uint8_t*>(locked.pBits), static_cast<size_t>(locked.Pitch), *format, 0, 0, to.width,
              to.height, pixels);
  destination->UnlockRect();
  return D3D_OK;
}

// Fills every level of a texture from one image: level 0 resampled to the
// texture's size, each further level box-filtered from the one above.
HRESULT FillLevels(IDirect3DTexture8* texture, std::vector<uint32_t> pixels, uint32_t width, uint32_t height) {
  for (DWORD level = 0; level < texture->GetLevelCount(); ++level) {
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(level, &desc);
    if (desc.Width != width || desc.Height != height)
      pixels = platform::Resample(pixels, width, height, desc.Width, desc.Height);
    width = desc.Width;
    height = desc.Height;
    D3DLOCKED_RECT locked;
    if (FAILED(texture->LockRect(level, &locked, nullptr, 0))) return D3DERR_INVALIDCALL;
    WritePixels(static_cast<uint8_t*>(locked.pBits), static_cast<size_t>(locked.Pitch), *FindFormat(desc.Format), 0,
                0, width, height, pixels);
    texture->UnlockRect(level);
  }
  return D3D_OK;
}

// A compressed DDS goes to the texture block for block; it cannot be resized.
HRESULT CreateCompressedTexture(IDirect3DDevice8* device, const platform::DdsImage& dds, UINT width, UINT height,
                                UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                IDirect3DTexture8** texture) {
  if ((width != D3DX_DEFAULT && width != dds.width) || (height != D3DX_DEFAULT && height != dds.height) ||
      (format != D3DFMT_UNKNOWN && format != dds.format)) {
    return D3DXERR_INVALIDDATA;
  }
  UINT levels = (mipLevels == D3DX_DEFAULT || mipLevels == 0) ? dds.levels : std::min(mipLevels, dds.levels);
  HRESULT result = device->CreateTexture(dds.width, dds.height, levels, usage, dds.format, pool, texture);
  if (FAILED(result)) return result;
  for (UINT level = 0; level < levels; ++level) {
    D3DLOCKED_RECT locked;
    if (FAILED((*texture)->LockRect(level, &locked, nullptr, 0))) continue;
    std::copy(dds.data[level].bytes, dds.data[level].bytes + dds.data[level].size,
              static_cast<uint8_t*>(locked.pBits));
    (*texture)->UnlockRect(level);
  }
  return D3D_OK;
}

UINT PowerOfTwoAtLeast(UINT side) {
  UINT power = 1;
  while (power < side && power < 0x80000000u) power *= 2;
  return power;
}

// A side as D3DX reads it, before the device's limits.
UINT AskedSide(UINT side) {
  if (side == D3DX_DEFAULT) return 256;
  return side == 0 ? 1 : side;
}

}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture) {
  if (!device || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  D3DCAPS8 caps{};
  if (FAILED(device->GetDeviceCaps(&caps))) return D3DERR_INVALIDCALL;
  width = AskedSide(width);
  height = AskedSide(height);
  if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) {
    width = PowerOfTwoAtLeast(width);
    height = PowerOfTwoAtLeast(height);
  }
  if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) width = height = std::max(width, height);
  width = std::min<UINT>(width, caps.MaxTextureWidth);
  height = std::min<UINT>(height, caps.MaxTextureHeight);
  UINT levels = mipLevels == D3DX_DEFAULT ? 0 : mipLevels;
  if (!FindFormat(format)) format = D3DFMT_A8R8G8B8;
  return device->CreateTexture(width, height, levels, usage, format, pool, texture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            DWORD, DWORD, D3DCOLOR colorKey, D3DXIMAGE_INFO* info, PALETTEENTRY*,
                                            IDirect3DTexture8** texture) {
  if (!device || !data || size == 0 || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  const auto* bytes = static_cast<const uint8_t*>(data);
  D3DXIMAGE_INFO found{};
  found.Depth = 1;
  found.ResourceType = D3DRTYPE_TEXTURE;
  found.ImageFileFormat = FileFormatOf(bytes, size);

  platform::DdsImage dds;
  if (platform::ReadDds(bytes, size, dds) && FindFormat(dds.format)->bytesPerBlock) {
    found.Width = dds.width;
    found.Height = dds.height;
    found.MipLevels = dds.levels;
    found.Format = dds.format;
    if (info) *info = found;
    return CreateCompressedTexture(device, dds, width, height, mipLevels, usage, format, pool, texture);
  }
  platform::DecodedImage image;
  if (!platform::DecodeImage(bytes, size, image)) return D3DXERR_INVALIDDATA;
  found.Width = image.width;
  found.Height = image.height;
  found.MipLevels = 1;
  found.Format = image.sourceFormat;
  if (info) *info = found;

  UINT w = width == D3DX_DEFAULT ? image.width : width;
  UINT h = height == D3DX_DEFAULT ? image.height : height;
  UINT levels = mipLevels == D3DX_DEFAULT ? 0 : mipLevels;
  if (format == D3DFMT_UNKNOWN) {
    const FormatInfo* own = FindFormat(image.sourceFormat);
    bool keep = own && own->bytesPerTexel == 4;
    format = keep ? image.sourceFormat : (image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8);
  }
  HRESULT result = device->CreateTexture(w, h, levels, usage, format, pool, texture);
  if (FAILED(result)) return result;
  ApplyColourKey(image.pixels, colorKey);
  result = FillLevels(*texture, std::move(image.pixels), image.width, image.height);
  if (FAILED(result)) {
    (*texture)->Release();
    *texture = nullptr;
  }
  return result;
}

HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice8* device, const void* data, UINT size,
                                              IDirect3DCubeTexture8** texture) {
  if (!device || !data || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  platform::DdsImage dds;
  if (!platform::ReadDds(static_cast<const uint8_t*>(data), size, dds) || !dds.cube) return D3DXERR_INVALIDDATA;
  HRESULT result = device->CreateCubeTexture(dds.width, dds.levels, 0, dds.format, D3DPOOL_MANAGED, texture);
  if (FAILED(result)) return result;
  for (UINT face = 0; face < 6; ++face) {
    for (UINT level = 0; level < dds.levels; ++level) {
      const platform::DdsImage::Level& source = dds.data[face * dds.levels + level];
      D3DLOCKED_RECT locked;
      auto cubeFace = static_cast<D3DCUBEMAP_FACES>(face);
      if (FAILED((*texture)->LockRect(cubeFace, level, &locked, nullptr, 0))) continue;
      std::copy(source.bytes, source.bytes + source.size, static_cast<uint8_t*>(locked.pBits));
      (*texture)->UnlockRect(cubeFace, level);
    }
  }
  return D3D_OK;
}

HRESULT D3DXLoadSurfaceFromSurface(IDirect3DSurface8* destination, const PALETTEENTRY*, const RECT* destinationRect,
                                   IDirect3DSurface8* source, const PALETTEENTRY*, const RECT* sourceRect, DWORD,
                                   D3DCOLOR colorKey) {
  std::vector<uint32_t> pixels;
  Area from;
  if (!ReadSurface(source, sourceRect, pixels, from)) return D3DERR_INVALIDCALL;
  return WriteSurface(destination, destinationRect, std::move(pixels), from.width, from.height, colorKey);
}

HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destination, const PALETTEENTRY*, const RECT* destinationRect,
                                  const void* source, D3DFORMAT sourceFormat, UINT sourcePitch, const PALETTEENTRY*,
                                  const RECT* sourceRect, DWORD, D3DCOLOR colorKey) {
  const FormatInfo* format = FindFormat(sourceFormat);
  if (!destination || !source || !sourceRect || !format || sourceRect->left < 0 || sourceRect->top < 0 ||
      sourceRect->right <= sourceRect->left || sourceRect->bottom <= sourceRect->top ||
      sourcePitch < platform::d3d8::RowPitch(*format, static_cast<uint32_t>(sourceRect->right))) {
    return D3DERR_INVALIDCALL;
  }
  const auto width = static_cast<uint32_t>(sourceRect->right - sourceRect->left);
  const auto height = static_cast<uint32_t>(sourceRect->bottom - sourceRect->top);
  std::vector<uint32_t> pixels;
  ReadPixels(static_cast<const uint8_t*>(source), sourcePitch, *format, static_cast<uint32_t>(sourceRect->left),
             static_cast<uint32_t>(sourceRect->top), width, height, pixels);
  return WriteSurface(destination, destinationRect, std::move(pixels), width, height, colorKey);
}

HRESULT D3DXSaveSurfaceToFileA(const char* path, D3DXIMAGE_FILEFORMAT format, IDirect3DSurface8* surface,
                               const PALETTEENTRY*, const RECT* rect) {
  if (!path || format != D3DXIFF_BMP) return D3DERR_INVALIDCALL;
  std::vector<uint32_t> pixels;
  Area area;
  if (!ReadSurface(surface, rect, pixels, area)) return D3DERR_INVALIDCALL;
  return platform::WriteBmp(path, area.width, area.height, pixels.data()) ? D3D_OK : E_FAIL;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  auto normalise = [](D3DXVECTOR3 v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length > 0.0f) v = {v.x / length, v.y / length, v.z / length};
    return v;
  };
  auto cross = [](const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return D3DXVECTOR3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  };
  auto dot = [](const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; };
  D3DXVECTOR3 z = normalise({at->x - eye->x, at->y - eye->y, at->z - eye->z});
  D3DXVECTOR3 x = normalise(cross(*up, z));
  D3DXVECTOR3 y = cross(z, x);
  *out = D3DXMATRIX{{{{x.x, y.x, z.x, 0.0f},
                      {x.y, y.y, z.y, 0.0f},
                      {x.z, y.z, z.z, 0.0f},
                      {-dot(x, *eye), -dot(y, *eye), -dot(z, *eye), 1.0f}}}};
  return out;
}
