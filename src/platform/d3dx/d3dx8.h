// The D3DX8 calls the renderer makes: textures from image files in memory,
// surface copies and screenshots, and the view matrix.
#pragma once
#include "platform/d3d8/d3d8.h"

constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;
constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;
constexpr HRESULT D3DXERR_INVALIDDATA = MakeD3DError(2905);

enum D3DXIMAGE_FILEFORMAT : DWORD {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
  D3DXIFF_DDS = 4,
};

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
  BYTE peRed, peGreen, peBlue, peFlags;
};

struct D3DXVECTOR3 {
  float x, y, z;
};

struct D3DXMATRIX : D3DMATRIX {};

// Width, height or levels D3DX_DEFAULT take the image's own (levels: the
// whole chain); format D3DFMT_UNKNOWN takes the file's, widened to
// A8R8G8B8 or X8R8G8B8 when the device keeps no such texture. `info`
// receives the source image's size and format. Palettes are not used.
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice8* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            DWORD filter, DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* info,
                                            PALETTEENTRY* palette, IDirect3DTexture8** texture);
// An empty texture. Width or height D3DX_DEFAULT is 256 and 0 is 1; levels
// D3DX_DEFAULT or 0 the whole chain. The size is brought to what the device
// keeps (powers of two, square, its largest side); a format it does not
// keep (D3DFMT_UNKNOWN among them) becomes A8R8G8B8.
HRESULT D3DXCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture8** texture);
// Cube maps come from DDS files only.
HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice8* device, const void* data, UINT size,
                                              IDirect3DCubeTexture8** texture);
HRESULT D3DXLoadSurfaceFromSurface(IDirect3DSurface8* destination, const PALETTEENTRY* destinationPalette,
                                   const RECT* destinationRect, IDirect3DSurface8* source,
                                   const PALETTEENTRY* sourcePalette, const RECT* sourceRect, DWORD filter,
                                   D3DCOLOR colorKey);
// Reads `sourceRect` of an image in memory (`sourcePitch` bytes a row, or
// a row of blocks) and scales it over the destination area (the whole
// surface for null), converting the format; a block-compressed destination
// is compressed as it is written, and takes areas that start and end on
// whole blocks (or end at its edge). Palettes are not used.
HRESULT D3DXLoadSurfaceFromMemory(IDirect3DSurface8* destination, const PALETTEENTRY* destinationPalette,
                                  const RECT* destinationRect, const void* source, D3DFORMAT sourceFormat,
                                  UINT sourcePitch, const PALETTEENTRY* sourcePalette, const RECT* sourceRect,
                                  DWORD filter, D3DCOLOR colorKey);
// BMP only.
HRESULT D3DXSaveSurfaceToFileA(const char* path, D3DXIMAGE_FILEFORMAT format, IDirect3DSurface8* surface,
                               const PALETTEENTRY* palette, const RECT* rect);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
