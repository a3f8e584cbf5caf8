#include "platform/d3d8/d3d8_direct3d.h"

#include <SDL2/SDL.h>

#include "platform/d3d8/d3d8_device.h"
#include "platform/d3d8/d3d8_format.h"

namespace platform::d3d8 {
namespace {

bool IsBackBufferFormat(D3DFORMAT format) {
  return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8 || format == D3DFMT_R5G6B5 ||
         format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5;
}

}  // namespace

bool Direct3D::ValidAdapter(UINT adapter) { return adapter < GetAdapterCount(); }

UINT Direct3D::GetAdapterCount() {
  int displays = SDL_GetNumVideoDisplays();
  return displays > 0 ? static_cast<UINT>(displays) : 0;
}

HRESULT Direct3D::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER8* identifier) {
  if (!identifier || !ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  FillIdentifier(gl_, *identifier);
  return D3D_OK;
}

UINT Direct3D::GetAdapterModeCount(UINT adapter) {
  return ValidAdapter(adapter) ? static_cast<UINT>(DisplayModesOf(static_cast<int>(adapter)).size()) : 0;
}

HRESULT Direct3D::EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode) {
  if (!displayMode || !ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  std::vector<D3DDISPLAYMODE> modes = DisplayModesOf(static_cast<int>(adapter));
  if (mode >= modes.size()) return D3DERR_INVALIDCALL;
  *displayMode = modes[mode];
  return D3D_OK;
}

HRESULT Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
  if (!displayMode || !ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  return DesktopModeOf(static_cast<int>(adapter), *displayMode) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT Direct3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                  D3DFORMAT backBufferFormat, BOOL) {
  if (!ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL || !gl_.available || !IsBackBufferFormat(displayFormat)) return D3DERR_NOTAVAILABLE;
  if (backBufferFormat != D3DFMT_UNKNOWN && !IsBackBufferFormat(backBufferFormat)) return D3DERR_NOTAVAILABLE;
  return D3D_OK;
}

HRESULT Direct3D::CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT, DWORD usage,
                                    D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
  if (!ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL || !gl_.available) return D3DERR_NOTAVAILABLE;
  if (usage & D3DUSAGE_RENDERTARGET) return IsBackBufferFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
  const FormatInfo* info = FindFormat(checkFormat);
  if (!info || resourceType == D3DRTYPE_SURFACE) return info ? D3D_OK : D3DERR_NOTAVAILABLE;
  if (info->bytesPerBlock && !gl_.compressedTextures) return D3DERR_NOTAVAILABLE;
  if (Overrides().refusedFormats.count(checkFormat)) return D3DERR_NOTAVAILABLE;
  return D3D_OK;
}

HRESULT Direct3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) {
  if (!caps || !ValidAdapter(adapter)) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL || !gl_.available || Overrides().capsUnavailable) return D3DERR_NOTAVAILABLE;
  FillCaps(gl_, adapter, *caps);
  return D3D_OK;
}

HRESULT Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) {
  if (!params || !device) return D3DERR_INVALIDCALL;
  *device = nullptr;
  D3DCAPS8 caps;
  // There is no reference rasterizer here; only the OpenGL device.
  HRESULT result = GetDeviceCaps(adapter, type, &caps);
  if (FAILED(result)) return result;
  HWND window = params->hDeviceWindow ? params->hDeviceWindow : focusWindow;
  *device = Device::Create(this, window, *params, caps, result);
  return result;
}

}  // namespace platform::d3d8

IDirect3D8* Direct3DCreate8(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  const platform::d3d8::GlIdentity& gl = platform::d3d8::ProbeGl();
  if (!gl.available) return nullptr;
  return new platform::d3d8::Direct3D(gl);
}
