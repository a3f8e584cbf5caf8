// IDirect3DDevice8 on an OpenGL context. While the window's drawable has the
// back buffer's size (and a stencil buffer), drawing goes straight to it and
// Present only swaps. While it has another size (a full-screen desktop of
// another size, a window the desktop resized) drawing goes to a frame buffer
// object of the back buffer's size (with a stencil buffer, no depth buffer),
// which Present scales into the window, keeping its shape, before it swaps.
// Each Present judges the drawable again for the next frame.
// OpenGL never loses its device: the lost and not-reset states exist only
// through the testing seam, so the callers' recovery paths can be run.
#pragma once
#include <cstdint>

#include "platform/d3d8/d3d8_com_object.h"
#include "platform/d3d8/d3d8_pipeline.h"
#include "platform/d3d8/d3d8_vertex_buffer.h"

struct SDL_Window;

namespace platform::d3d8 {

class Device : public ComObject<IDirect3DDevice8> {
 public:
  enum class Cooperation { kReady, kLost, kNotReset };

  // Null (with the reason in `result`) when the window cannot host OpenGL.
  // The device keeps a reference to `creator` for GetDirect3D.
  static Device* Create(IDirect3D8* creator, HWND window, const D3DPRESENT_PARAMETERS& params, const D3DCAPS8& caps,
                        HRESULT& result);
  ~Device() override;

  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND override, const void* dirty) override;
  HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) override;
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture8** texture) override;
  HRESULT CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                            IDirect3DCubeTexture8** texture) override;
  HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
  HRESULT SetVertexShader(DWORD fvf) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
  HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                 const void* indices, D3DFORMAT indexFormat, const void* vertices,
                                 UINT stride) override;
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                             IDirect3DVertexBuffer8** buffer) override;
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
  HRESULT GetDirect3D(IDirect3D8** direct3d) override;
  HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
  HRESULT SetPixelShader(DWORD handle) override;
  HRESULT SetRenderTarget(IDirect3DSurface8* target, IDirect3DSurface8* depth) override;

  // Testing seam.
  void SetCooperation(Cooperation state) { cooperation_ = state; }
  void FailNextResets(int count) { failingResets_ = count; }
  bool DrawsThroughBuffer() const { return frameBuffer_ != 0; }
  uint64_t AppliedStateChanges() const { return pipeline_.AppliedChanges(); }

 private:
  Device(IDirect3D8* creator, SDL_Window* window, bool ownsWindow, void* context, const D3DCAPS8& caps);
  void SetStream(IDirect3DVertexBuffer8* buffer, UINT stride);
  bool ApplyPresentation(const D3DPRESENT_PARAMETERS& params);
  bool FullScreenTookEffect();
  bool MakeTarget(uint32_t width, uint32_t height);
  void DrawableSize(int* width, int* height) const;
  bool WindowFits(uint32_t width, uint32_t height) const;
  // Scales the buffer's picture into the window's back buffer, bars around it.
  void ShowBuffer();
  void PublishPresentation();
  void DeleteTarget();
  // The texture's frame buffer while one is the target, else the back buffer.
  void BindTarget();
  // The back buffer is the target again.
  void DropTextureTarget();
  void MakeCurrent();

  IDirect3D8* creator_;
  SDL_Window* window_;
  bool ownsWindow_;
  void* context_;
  const uint64_t serial_;  // of the context, for the textures made in it
  D3DCAPS8 caps_;
  D3DPRESENT_PARAMETERS params_{};
  Pipeline pipeline_;
  bool windowHasStencil_ = false;
  bool fullScreenRefused_ = false;
  uint32_t frameBuffer_ = 0;  // 0 while drawing straight to the window
  uint32_t colourBuffer_ = 0;
  uint32_t stencilBuffer_ = 0;
  IDirect3DSurface8* textureTarget_ = nullptr;  // held while drawn into
  uint32_t textureFrameBuffer_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  IDirect3DVertexBuffer8* stream_ = nullptr;
  UINT streamStride_ = 0;
  bool inScene_ = false;
  Cooperation cooperation_ = Cooperation::kReady;
  int failingResets_ = 0;
};

}  // namespace platform::d3d8
