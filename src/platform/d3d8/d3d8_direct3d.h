// IDirect3D8: SDL's displays as adapters, one OpenGL implementation behind all.
#pragma once
#include "platform/d3d8/d3d8_adapter.h"
#include "platform/d3d8/d3d8_com_object.h"

namespace platform::d3d8 {

class Direct3D : public ComObject<IDirect3D8> {
 public:
  explicit Direct3D(const GlIdentity& gl) : gl_(gl) {}

  UINT GetAdapterCount() override;
  HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER8* identifier) override;
  UINT GetAdapterModeCount(UINT adapter) override;
  HRESULT EnumAdapterModes(UINT adapter, UINT mode, D3DDISPLAYMODE* displayMode) override;
  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
  HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, D3DFORMAT backBufferFormat,
                          BOOL windowed) override;
  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override;
  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS8* caps) override;
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                       D3DPRESENT_PARAMETERS* params, IDirect3DDevice8** device) override;

 private:
  bool ValidAdapter(UINT adapter);

  const GlIdentity& gl_;
};

}  // namespace platform::d3d8
