#include "platform/d3d8/d3d8_device.h"

#include <SDL2/SDL.h>

#include <algorithm>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/d3d8/d3d8_adapter.h"
#include "platform/d3d8/d3d8_context.h"
#include "platform/d3d8/d3d8_cube_texture.h"
#include "platform/d3d8/d3d8_surface.h"
#include "platform/d3d8/d3d8_texture.h"
#include "platform/gl/gl_drawable.h"
#include "platform/gl/presentation.h"
#include "platform/window/sdl_events.h"
#include "platform/window/window_loss.h"

namespace platform {

void PrepareGlWindowAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // The device draws straight into a window that has a stencil buffer; a
  // window made before this was called has none and is drawn through a
  // buffer of the device's own.
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

}  // namespace platform

namespace platform::d3d8 {
namespace {

UINT VerticesOf(D3DPRIMITIVETYPE type, UINT count) {
  switch (type) {
    case D3DPT_POINTLIST: return count;
    case D3DPT_LINELIST: return count * 2;
    case D3DPT_LINESTRIP: return count + 1;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return count + 2;
    default: return count * 3;
  }
}

}  // namespace

Device* Device::Create(IDirect3D8* creator, HWND window, const D3DPRESENT_PARAMETERS& params, const D3DCAPS8& caps,
                       HRESULT& result) {
  result = D3DERR_NOTAVAILABLE;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  PrepareGlWindowAttributes();
  HoldGlDriver();
  SDL_Window* sdlWindow = nullptr;
  bool ownsWindow = window == nullptr;
  if (ownsWindow) {
    sdlWindow = SDL_CreateWindow("", 0, 0, static_cast<int>(std::max(1u, params.BackBufferWidth)),
                                 static_cast<int>(std::max(1u, params.BackBufferHeight)),
                                 SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  } else {
    sdlWindow = platform::SdlWindowOf(window);
  }
  if (!sdlWindow || !(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL)) {
    if (ownsWindow && sdlWindow) SDL_DestroyWindow(sdlWindow);
    result = D3DERR_INVALIDCALL;
    return nullptr;
  }
  // The new context is current from its making on.
  TextureStorage::KeepCopies(CurrentContextSerial());
  SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
  if (!context) {
    if (ownsWindow) SDL_DestroyWindow(sdlWindow);
    return nullptr;
  }
  Device* device = new Device(creator, sdlWindow, ownsWindow, context, caps);
  if (!device->ApplyPresentation(params)) {
    device->Release();
    return nullptr;
  }
  result = D3D_OK;
  return device;
}

Device::Device(IDirect3D8* creator, SDL_Window* window, bool ownsWindow, void* context, const D3DCAPS8& caps)
    : creator_(creator), window_(window), ownsWindow_(ownsWindow), context_(context), serial_(NewContextSerial()),
      caps_(caps) {
  if (creator_) creator_->AddRef();
  MakeCurrent();
  GLint stencilBits = 0;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  windowHasStencil_ = stencilBits >= 8;
}

Device::~Device() {
  SetStream(nullptr, 0);
  if (creator_) creator_->Release();
  MakeCurrent();
  TextureStorage::KeepCopies(serial_);
  pipeline_.ReleaseTextures();
  DropTextureTarget();
  if (textureFrameBuffer_) glDeleteFramebuffers(1, &textureFrameBuffer_);
  DeleteTarget();
  // The pipeline's own OpenGL objects go with the context.
  SDL_GL_DeleteContext(context_);
  if (CurrentContextSerial() == serial_) SetCurrentContextSerial(0);
  ForgetPresentation(window_);
  if (ownsWindow_) SDL_DestroyWindow(window_);
}

void Device::MakeCurrent() {
  if (SDL_GL_GetCurrentContext() != context_) {
    // Another device's textures keep their copies while their context is away.
    TextureStorage::KeepCopies(CurrentContextSerial());
    SDL_GL_MakeCurrent(window_, context_);
  }
  SetCurrentContextSerial(serial_);
}

bool Device::ApplyPresentation(const D3DPRESENT_PARAMETERS& params) {
  MakeCurrent();
  int windowWidth = 0, windowHeight = 0;
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  uint32_t width = params.BackBufferWidth ? params.BackBufferWidth : static_cast<uint32_t>(windowWidth);
  uint32_t height = params.BackBufferHeight ? params.BackBufferHeight : static_cast<uint32_t>(windowHeight);
  if (width == 0 || height == 0) return false;
  if (!params.Windowed && Overrides().fullScreenUnavailable) return false;
  if (!ownsWindow_) {
    // A display that refused full screen is asked again only after a
    // windowed reset, not by every retry of the same switch.
    if (!params.Windowed && fullScreenRefused_) return false;
    // Full screen takes the desktop's mode; Present scales the back buffer into it.
    if (SDL_SetWindowFullscreen(window_, params.Windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
    fullScreenRefused_ = !params.Windowed && !FullScreenTookEffect();
    if (fullScreenRefused_) {
      SDL_SetWindowFullscreen(window_, 0);
      return false;
    }
  }
  bool waitForRetrace = !params.Windowed && params.FullScreen_PresentationInterval == D3DPRESENT_INTERVAL_ONE;
  SDL_GL_SetSwapInterval(waitForRetrace ? 1 : 0);
  DropTextureTarget();
  if (!MakeTarget(width, height)) return false;
  glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
  params_ = params;
  params_.BackBufferWidth = width;
  params_.BackBufferHeight = height;
  pipeline_.Reset(width, height);
  PublishPresentation();
  return true;
}

bool Device::FullScreenTookEffect() {
  // An offscreen driver shows nothing: its surfaces keep their size, and
  // there is no display to refuse the switch.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && SDL_strcmp(driver, "offscreen") == 0) return true;
  SDL_DisplayMode desktop{};
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0 || SDL_GetDesktopDisplayMode(display, &desktop) != 0) return false;
  // A window manager resizes the window a moment after the request, once the
  // window is shown (the frame hides it while it switches, and shows it after
  // anyway); a display without one, or one that refuses, leaves it as it was.
  SDL_ShowWindow(window_);
  constexpr Uint32 kSettleMs = 500;
  const Uint32 start = SDL_GetTicks();
  for (;;) {
    int width = 0, height = 0;
    CurrentDrawableSize(window_, &width, &height);
    if (width == desktop.w && height == desktop.h) return true;
    if (SDL_GetTicks() - start >= kSettleMs) return false;
    SDL_Delay(10);
    // Some window systems resize the drawable only as SDL reads their events;
    // the events wait in SDL's queue for the next pump.
    SDL_PumpEvents();
  }
}

bool Device::MakeTarget(uint32_t width, uint32_t height) {
  DeleteTarget();
  width_ = width;
  height_ = height;
  if (!WindowFits(width, height)) {
    glGenFramebuffers(1, &frameBuffer_);
    glGenRenderbuffers(1, &colourBuffer_);
    glGenRenderbuffers(1, &stencilBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glBindRenderbuffer(GL_RENDERBUFFER, stencilBuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_STENCIL_INDEX8, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, stencilBuffer_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
      DeleteTarget();
      return false;
    }
  }
  BindTarget();
  return true;
}

void Device::DrawableSize(int* width, int* height) const { CurrentDrawableSize(window_, width, height); }

bool Device::WindowFits(uint32_t width, uint32_t height) const {
  int drawableWidth = 0, drawableHeight = 0;
  DrawableSize(&drawableWidth, &drawableHeight);
  return windowHasStencil_ && static_cast<uint32_t>(drawableWidth) == width &&
         static_cast<uint32_t>(drawableHeight) == height;
}

void Device::PublishPresentation() {
  int drawableWidth = 0, drawableHeight = 0;
  DrawableSize(&drawableWidth, &drawableHeight);
  SetPresentation(window_, Letterbox(static_cast<int>(width_), static_cast<int>(height_), drawableWidth,
                                     drawableHeight));
}

void Device::BindTarget() {
  if (textureTarget_) {
    glBindFramebuffer(GL_FRAMEBUFFER, textureFrameBuffer_);
    return;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer_);
  if (!frameBuffer_) {
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
  }
}

void Device::DeleteTarget() {
  if (!frameBuffer_) return;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &frameBuffer_);
  glDeleteRenderbuffers(1, &colourBuffer_);
  glDeleteRenderbuffers(1, &stencilBuffer_);
  frameBuffer_ = colourBuffer_ = stencilBuffer_ = 0;
}

HRESULT Device::TestCooperativeLevel() {
  switch (cooperation_) {
    case Cooperation::kLost: return D3DERR_DEVICELOST;
    case Cooperation::kNotReset: return D3DERR_DEVICENOTRESET;
    default: return D3D_OK;
  }
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* params) {
  if (!params) return D3DERR_INVALIDCALL;
  if (cooperation_ == Cooperation::kLost) return D3DERR_DEVICELOST;
  if (failingResets_ > 0) {
    --failingResets_;
    cooperation_ = Cooperation::kNotReset;
    return D3DERR_NOTAVAILABLE;
  }
  inScene_ = false;
  SetStream(nullptr, 0);
  if (!ApplyPresentation(*params)) {
    cooperation_ = Cooperation::kNotReset;
    return D3DERR_NOTAVAILABLE;
  }
  cooperation_ = Cooperation::kReady;
  return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const void*) {
  if (cooperation_ != Cooperation::kReady) return D3DERR_DEVICELOST;
  MakeCurrent();
  if (frameBuffer_) ShowBuffer();
  if (Overrides().presentObserver) Overrides().presentObserver(this);
  // A window destroyed from outside takes no more frames; the game is told
  // and closes.
  if (!IsWindowLost(window_)) SDL_GL_SwapWindow(window_);
  // The next frame goes straight into a window that fits the back buffer
  // (again), and through the buffer into one that does not (any longer).
  if (WindowFits(width_, height_) != (frameBuffer_ == 0)) {
    MakeTarget(width_, height_);
  } else if (frameBuffer_ || textureTarget_) {
    BindTarget();
  }
  PublishPresentation();
  return D3D_OK;
}

void Device::ShowBuffer() {
  int drawableWidth = 0, drawableHeight = 0;
  DrawableSize(&drawableWidth, &drawableHeight);
  const Presentation picture =
      Letterbox(static_cast<int>(width_), static_cast<int>(height_), drawableWidth, drawableHeight);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, frameBuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  // OpenGL counts rows from the bottom.
  const int bottom = drawableHeight - picture.y - picture.height;
  const bool sameSize = picture.width == static_cast<int>(width_) && picture.height == static_cast<int>(height_);
  glBlitFramebuffer(0, 0, static_cast<GLint>(width_), static_cast<GLint>(height_), picture.x, bottom,
                    picture.x + picture.width, bottom + picture.height, GL_COLOR_BUFFER_BIT,
                    sameSize ? GL_NEAREST : GL_LINEAR);
  pipeline_.ForgetApplied();
}

HRESULT Device::GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) {
  if (!surface || index >= std::max(1u, params_.BackBufferCount) || type != D3DBACKBUFFER_TYPE_MONO) {
    return D3DERR_INVALIDCALL;
  }
  MakeCurrent();
  // A copy of what has been drawn so far, rows from the top as Direct3D stores them.
  auto* copy = new MemorySurface(*FindFormat(D3DFMT_X8R8G8B8), width_, height_, D3DPOOL_DEFAULT,
                                 D3DUSAGE_RENDERTARGET);
  BindTarget();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  uint8_t* bytes = copy->Bytes();
  if (!bytes) {
    copy->Release();
    return E_OUTOFMEMORY;
  }
  const size_t pitch = copy->Pitch();
  for (uint32_t row = 0; row < height_; ++row) {
    glReadPixels(0, static_cast<GLint>(height_ - 1 - row), static_cast<GLsizei>(width_), 1, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, bytes + row * pitch);
  }
  *surface = copy;
  return D3D_OK;
}

HRESULT Device::GetDeviceCaps(D3DCAPS8* caps) {
  if (!caps) return D3DERR_INVALIDCALL;
  *caps = caps_;
  return D3D_OK;
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DTexture8** texture) {
  const FormatInfo* info = FindFormat(format);
  if (!texture || !info || width == 0 || height == 0 || width > caps_.MaxTextureWidth ||
      height > caps_.MaxTextureHeight) {
    return D3DERR_INVALIDCALL;
  }
  MakeCurrent();
  *texture = new Texture(*info, width, height, levels, pool, usage);
  return D3D_OK;
}

HRESULT Device::CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DCubeTexture8** texture) {
  const FormatInfo* info = FindFormat(format);
  if (!texture || !info || edge == 0 || edge > caps_.MaxTextureWidth) return D3DERR_INVALIDCALL;
  MakeCurrent();
  *texture = new CubeTexture(*info, edge, levels, pool, usage);
  return D3D_OK;
}

HRESULT Device::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) {
  const FormatInfo* info = FindFormat(format);
  if (!surface || !info || width == 0 || height == 0) return D3DERR_INVALIDCALL;
  *surface = new MemorySurface(*info, width, height, D3DPOOL_SYSTEMMEM, 0);
  return D3D_OK;
}

HRESULT Device::BeginScene() {
  if (inScene_) return D3DERR_INVALIDCALL;
  MakeCurrent();
  BindTarget();
  inScene_ = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  if (!inScene_) return D3DERR_INVALIDCALL;
  inScene_ = false;
  glFlush();
  return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float, DWORD stencil) {
  if (count > 0 && !rects) return D3DERR_INVALIDCALL;
  MakeCurrent();
  pipeline_.Clear(count, rects, flags, color, stencil);
  return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  return pipeline_.SetTransform(state, matrix);
}
HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  return pipeline_.GetTransform(state, matrix);
}
HRESULT Device::SetViewport(const D3DVIEWPORT8* viewport) { return pipeline_.SetViewport(viewport); }
HRESULT Device::GetViewport(D3DVIEWPORT8* viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = pipeline_.Viewport();
  return D3D_OK;
}
HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return pipeline_.SetRenderState(state, value);
}
HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  return pipeline_.GetRenderState(state, value);
}
HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  // Another device's texture names nothing here, or another texture: the stage is left empty.
  if (texture && StorageOf(texture).Context() != serial_) {
    pipeline_.SetTexture(stage, nullptr);
    return D3DERR_INVALIDCALL;
  }
  return pipeline_.SetTexture(stage, texture);
}
HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  return pipeline_.SetStageState(stage, type, value);
}
HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
  return pipeline_.GetStageState(stage, type, value);
}
HRESULT Device::SetVertexShader(DWORD fvf) {
  pipeline_.SetVertexFormat(fvf);
  return D3D_OK;
}

HRESULT Device::SetRenderTarget(IDirect3DSurface8* target, IDirect3DSurface8* depth) {
  if (depth) return D3DERR_INVALIDCALL;
  MakeCurrent();
  if (!target) {
    DropTextureTarget();
    BindTarget();
    pipeline_.SetTarget(width_, height_, false);
    return D3D_OK;
  }
  // Every surface of this layer is a memory surface; only level 0 of a plain
  // texture of this context, made to be drawn into, is taken.
  auto* surface = static_cast<MemorySurface*>(target);
  auto* texture = static_cast<IDirect3DBaseTexture8*>(surface->Container());
  if (!texture || !(surface->Usage() & D3DUSAGE_RENDERTARGET) || surface->Index() != 0 ||
      texture->GetType() != D3DRTYPE_TEXTURE || StorageOf(texture).Context() != serial_) {
    return D3DERR_INVALIDCALL;
  }
  if (!textureFrameBuffer_) glGenFramebuffers(1, &textureFrameBuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, textureFrameBuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, StorageOf(texture).GlName(), 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    BindTarget();
    return D3DERR_INVALIDCALL;
  }
  target->AddRef();
  if (textureTarget_) textureTarget_->Release();
  textureTarget_ = target;
  pipeline_.SetTarget(surface->Width(), surface->Height(), true);
  return D3D_OK;
}

void Device::DropTextureTarget() {
  if (!textureTarget_) return;
  glBindFramebuffer(GL_FRAMEBUFFER, textureFrameBuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
  textureTarget_->Release();
  textureTarget_ = nullptr;
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) {
  if (cooperation_ != Cooperation::kReady) return D3D_OK;  // a lost device drops draws silently
  MakeCurrent();
  return pipeline_.Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices),
                        VerticesOf(type, primitiveCount), stride, nullptr);
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT primitiveCount,
                                       const void* indices, D3DFORMAT indexFormat, const void* vertices,
                                       UINT stride) {
  if (indexFormat != D3DFMT_INDEX16 || !indices) return D3DERR_INVALIDCALL;
  if (cooperation_ != Cooperation::kReady) return D3D_OK;
  MakeCurrent();
  return pipeline_.Draw(type, primitiveCount, static_cast<const uint8_t*>(vertices), minIndex + vertexCount,
                        stride, static_cast<const uint16_t*>(indices));
}

void Device::SetStream(IDirect3DVertexBuffer8* buffer, UINT stride) {
  if (buffer) buffer->AddRef();
  if (stream_) stream_->Release();
  stream_ = buffer;
  streamStride_ = stride;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (length == 0) return D3DERR_INVALIDCALL;
  *buffer = new VertexBuffer(length);
  return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
  if (stream != 0 || (buffer && stride == 0)) return D3DERR_INVALIDCALL;
  SetStream(buffer, stride);
  return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
  auto* buffer = dynamic_cast<VertexBuffer*>(stream_);
  if (!buffer || buffer->Locked()) return D3DERR_INVALIDCALL;
  const uint64_t vertexCount = VerticesOf(type, primitiveCount);
  const uint64_t available = buffer->Length() / streamStride_;
  if (startVertex > available || vertexCount > available - startVertex) return D3DERR_INVALIDCALL;
  if (cooperation_ != Cooperation::kReady) return D3D_OK;
  MakeCurrent();
  return pipeline_.Draw(type, primitiveCount, buffer->Bytes() + static_cast<size_t>(startVertex) * streamStride_,
                        static_cast<UINT>(vertexCount), streamStride_, nullptr);
}

HRESULT Device::GetDirect3D(IDirect3D8** direct3d) {
  if (!direct3d || !creator_) return D3DERR_INVALIDCALL;
  creator_->AddRef();
  *direct3d = creator_;
  return D3D_OK;
}

HRESULT Device::GetDisplayMode(D3DDISPLAYMODE* mode) {
  if (!mode) return D3DERR_INVALIDCALL;
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display >= 0 && DesktopModeOf(display, *mode)) return D3D_OK;
  // A window that SDL places on no display reports the back buffer's mode.
  *mode = D3DDISPLAYMODE{width_, height_, 0, D3DFMT_X8R8G8B8};
  return D3D_OK;
}

HRESULT Device::SetPixelShader(DWORD handle) { return handle == 0 ? D3D_OK : D3DERR_INVALIDCALL; }

}  // namespace platform::d3d8
