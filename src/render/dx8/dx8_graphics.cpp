#include "render/dx8/dx8_graphics.h"

#include <cctype>

#include "core/files/resman.h"
#include "core/log.h"
#include "platform/d3dx/d3dx8.h"
#include "platform/d3dx/dxerr8.h"
#include "platform/window/win32.h"
#include "render/device/image.h"
#include "render/dx8/dx8_avi.h"
#include "render/dx8/dx8_dynamic_image.h"
#include "render/dx8/dx8_font.h"
#include "render/dx8/dx8_render_target.h"
#include "render/dx8/dx8_surface.h"

namespace {

constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD kWorldFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

std::string ErrorName(HRESULT result) { return DXGetErrorString8(result); }

void LogCreateFailure(HRESULT result) {
  LOG_LINE(MSG_FATAL, "Unable to create 3D Device");
  LOG_LINE(MSG_FATAL, "Are you trying to create an unsupported mode ?");
  LOG_LINE(MSG_FATAL, "DX Error: " + ErrorName(result));
}

D3DBLEND BlendOf(uint32_t value) {
  switch (value) {
    case Graphics::kBlendOne: return D3DBLEND_ONE;
    case Graphics::kBlendZero: return D3DBLEND_ZERO;
    case Graphics::kBlendSourceColour: return D3DBLEND_SRCCOLOR;
    case Graphics::kBlendInverseSourceColour: return D3DBLEND_INVSRCCOLOR;
    case Graphics::kBlendInverseSourceAlpha: return D3DBLEND_INVSRCALPHA;
    default: return D3DBLEND_SRCALPHA;
  }
}

}  // namespace

Dx8Graphics* GetDx8Graphics() { return static_cast<Dx8Graphics*>(GetGraphics()); }

void Dx8Graphics::Create() {
  if (GetGraphics()) return;
  SetGraphics(new Dx8Graphics());
  Dx8Surface::RegisterFileFormats();
}

Dx8Graphics::Dx8Graphics() = default;

bool Dx8Graphics::Init() {
  LOG_LINE(MSG_INIT, "Initializing D3D8");
  direct3d_ = Direct3DCreate8(D3D_SDK_VERSION);
  if (!direct3d_) {
    LOG_LINE(MSG_FATAL, "Unable to co-initialise D3D.. ");
    LOG_LINE(MSG_FATAL, "Unable to start DX8.. .is it installed ?");
    return false;
  }
  LOG_LINE(MSG_INIT, "D3D8 COM Object created");
  if (!LogSystemInfo()) return false;
  LOG_LINE(MSG_INIT, "D3D8 Initialized successfully");
  return true;
}

void Dx8Graphics::BuildPresentParams(uint32_t width, uint32_t height, bool fullscreen) {
  if (FAILED(direct3d_->GetAdapterDisplayMode(0, &desktopMode_))) return;
  presentParams_ = D3DPRESENT_PARAMETERS{};
  windowed_ = fullscreen ? 0 : 1;
  D3DFORMAT format = sixteenBitBackBuffer_ ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
  presentParams_.BackBufferWidth = width;
  presentParams_.BackBufferHeight = height;
  presentParams_.BackBufferFormat = format;
  presentParams_.BackBufferCount = 2;
  presentParams_.hDeviceWindow = window_;
  presentParams_.EnableAutoDepthStencil = FALSE;
  if (!fullscreen) {
    presentParams_.Windowed = TRUE;
    presentParams_.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParams_.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    return;
  }
  presentParams_.Windowed = FALSE;
  presentParams_.SwapEffect = D3DSWAPEFFECT_FLIP;
  presentParams_.MultiSampleType = D3DMULTISAMPLE_NONE;
  presentParams_.FullScreen_RefreshRateInHz = 0;
  presentParams_.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
  HRESULT result = direct3d_->CheckDeviceFormat(adapter_, D3DDEVTYPE_HAL, format, D3DUSAGE_RENDERTARGET,
                                                D3DRTYPE_SURFACE, format);
  if (FAILED(result)) {
    LOG_LINE(MSG_FATAL, "Error testing device format for fullscreen!");
    LOG_LINE(MSG_FATAL, "DX Error: " + ErrorName(result));
  }
}

bool Dx8Graphics::TryCreateDevice(D3DDEVTYPE type, DWORD behaviour) {
  UINT adapter = behaviour == D3DCREATE_MIXED_VERTEXPROCESSING ? 0 : adapter_;
  HRESULT result = direct3d_->CreateDevice(adapter, type, window_, behaviour, &presentParams_, &device_);
  if (FAILED(result)) {
    LogCreateFailure(result);
    device_ = nullptr;
    return false;
  }
  return true;
}

bool Dx8Graphics::SetDisplayMode(uint32_t width, uint32_t height, bool fullscreen, bool reference) {
  if (!direct3d_) return false;
  BuildPresentParams(width, height, fullscreen);
  ReleaseDevice();
  if (reference) {
    LOG_LINE(MSG_COMMENT, "Trying to initialize Reference Rasterizer");
    if (!TryCreateDevice(D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING)) return false;
    LOG_LINE(MSG_INIT, "Initialized Reference Rasterizer!");
  } else {
    if (caps_.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
      LOG_LINE(MSG_COMMENT, "Trying to initialize HWTL card");
      if (TryCreateDevice(D3DDEVTYPE_HAL, D3DCREATE_MIXED_VERTEXPROCESSING)) {
        LOG_LINE(MSG_INIT, "Initialized D3D HWTL!");
      }
    }
    if (!device_) {
      LOG_LINE(MSG_COMMENT, "Trying to initialize software T&L card");
      if (!TryCreateDevice(D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING)) return false;
      LOG_LINE(MSG_INIT, "Initialized D3D Software T&L!");
    }
  }
  // What an earlier device held is built again on this one.
  res::GetResMan().ReloadAll();
  SetupWindow(width, height, fullscreen);
  ApplyResolution(width, height);
  if (window_) ShowWindow(window_, SW_SHOW);
  Graphics::SetResolution(800, 600);
  deviceLost_ = 0;
  if (SUCCEEDED(device_->BeginScene())) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0);
    device_->EndScene();
  }
  return true;
}

void Dx8Graphics::SetupWindow(uint32_t width, uint32_t height, bool fullscreen) {
  // Tools and tests draw without a game window: nothing to arrange then.
  if (!window_) return;
  DWORD style, exStyle;
  HWND order;
  int x = 0, y = 0, outerWidth = static_cast<int>(width), outerHeight = static_cast<int>(height);
  UINT flags;
  if (fullscreen) {
    LOG_LINE(MSG_COMMENT, "Setting up fullscreen parameters");
    style = WS_POPUP;
    exStyle = WS_EX_APPWINDOW;
    order = HWND_TOPMOST;
    flags = SWP_FRAMECHANGED;
  } else {
    LOG_LINE(MSG_COMMENT, "Setting up windowed parameters");
    DEVMODEA desktop{};
    desktop.dmSize = sizeof desktop;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop);
    style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    outerWidth += 2 * (GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXDLGFRAME));
    outerHeight += GetSystemMetrics(SM_CYCAPTION) + 2 * (GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYBORDER));
    x = (static_cast<int>(desktop.dmPelsWidth) - outerWidth) / 2;
    y = (static_cast<int>(desktop.dmPelsHeight) - outerHeight) / 2;
    order = HWND_NOTOPMOST;
    flags = SWP_NOCOPYBITS | SWP_FRAMECHANGED;
  }
  SetLastError(0);
  if (SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(style)) == 0 && GetLastError() != 0) {
    GetLog().BeginLine(MSG_ERROR, __FILE__, __LINE__);
    GetLog().WriteString("Unable to setup draw style : !").WriteInt(static_cast<int>(GetLastError()));
    GetLog().EndLine();
  }
  SetLastError(0);
  if (SetWindowLongA(window_, GWL_EXSTYLE, static_cast<LONG>(exStyle)) == 0 && GetLastError() != 0) {
    GetLog().BeginLine(MSG_ERROR, __FILE__, __LINE__);
    GetLog().WriteString("Unable to setup drawex style : !").WriteInt(static_cast<int>(GetLastError()));
    GetLog().EndLine();
  }
  if (!SetWindowPos(window_, order, x, y, outerWidth, outerHeight, flags)) {
    GetLog().BeginLine(MSG_ERROR, __FILE__, __LINE__);
    GetLog().WriteString("Unable to setup window position :").WriteInt(static_cast<int>(GetLastError()));
    GetLog().EndLine();
  }
  ShowWindow(window_, SW_SHOW);
}

void Dx8Graphics::RegisterFileFormats() { Dx8Surface::RegisterFileFormats(); }

bool Dx8Graphics::Shutdown() {
  ReleaseDevice();
  if (direct3d_) direct3d_->Release();
  direct3d_ = nullptr;
  return true;
}

bool Dx8Graphics::ReleaseDevice() {
  // Loaded surfaces outlive the device, their textures must not: a texture's
  // name means nothing, or another texture, on the next device.
  if (device_) res::GetResMan().ReleaseAll();
  if (device_) device_->Release();
  device_ = nullptr;
  return true;
}

bool Dx8Graphics::SetResolution(uint32_t width, uint32_t height) { return Graphics::SetResolution(width, height); }

bool Dx8Graphics::BeginScene() {
  if (!device_) return false;
  if (deviceLost_) {
    ResetDevice(screenWidth_, screenHeight_, !windowed_);
    return false;
  }
  if (FAILED(device_->TestCooperativeLevel())) return false;
  if (FAILED(device_->BeginScene())) {
    deviceLost_ = 1;
    return false;
  }
  return true;
}

void Dx8Graphics::EndScene() {
  if (device_) {
    device_->EndScene();
    SaveScreenshot();
  }
  ++frameCount_;
}

void Dx8Graphics::Clear(uint32_t colour, float depth, uint32_t stencil, uint32_t clearTarget, uint32_t, uint32_t) {
  if (device_ && (clearTarget & 1)) device_->Clear(0, nullptr, D3DCLEAR_TARGET, colour, depth, stencil);
}

bool Dx8Graphics::Present() {
  if (!device_) return true;
  if (device_->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST) {
    Sleep(100);
    device_->Reset(&presentParams_);
  }
  return true;
}

bool Dx8Graphics::ResetDevice(uint32_t width, uint32_t height, bool fullscreen) {
  if (!device_) return false;
  BuildPresentParams(width, height, fullscreen);
  Sleep(100);
  if (SUCCEEDED(device_->Reset(&presentParams_))) {
    deviceLost_ = 0;
  } else {
    LOG_LINE(MSG_WARNING, "Unable to reset 3D Device.. try with delay");
    deviceLost_ = 1;
    for (int attempt = 0; attempt < 20 && deviceLost_; ++attempt) {
      Sleep(50);
      if (device_->TestCooperativeLevel() != D3DERR_DEVICENOTRESET) continue;
      LOG_LINE(MSG_WARNING, "Trying to re-initialize driver");
      if (FAILED(device_->Reset(&presentParams_))) {
        LOG_LINE(MSG_WARNING, "\t\tFailed to reinialize driver!");
      } else {
        deviceLost_ = 0;
        LOG_LINE(MSG_WARNING, "\t\tDriver successfully initalized!");
      }
    }
  }
  ApplyResolution(width, height);
  SetupWindow(width, height, fullscreen);
  return deviceLost_ == 0;
}

void Dx8Graphics::SetDefaultRenderStates() {
  if (!device_) return;
  const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
      {D3DRS_WRAP0, 0},
      {D3DRS_WRAP1, 0},
      {D3DRS_WRAP2, 0},
      {D3DRS_WRAP3, 0},
      {D3DRS_LIGHTING, FALSE},
      {D3DRS_ALPHABLENDENABLE, TRUE},
      {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
      {D3DRS_ALPHATESTENABLE, TRUE},
      {D3DRS_ALPHAREF, 16},
      {D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL},
      {D3DRS_FILLMODE, D3DFILL_SOLID},
      {D3DRS_CULLMODE, D3DCULL_CCW},
      {D3DRS_ZENABLE, FALSE},
      {D3DRS_ZWRITEENABLE, FALSE},
      {D3DRS_STENCILENABLE, FALSE},
      {D3DRS_CLIPPING, FALSE},
      {D3DRS_CLIPPLANEENABLE, 0},
      {D3DRS_VERTEXBLEND, 0},
      {D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE},
      {D3DRS_FOGENABLE, FALSE},
  };
  for (const auto& state : states) device_->SetRenderState(state.first, state.second);
  SetDefaultTextureStages();
  device_->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  device_->SetTexture(0, nullptr);
  device_->SetTexture(1, nullptr);
  SetFiltering(filtering_ != 0);
}

void Dx8Graphics::SetDefaultTextureStages() {
  if (!device_) return;
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device_->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

void Dx8Graphics::SetFiltering(bool on) {
  Graphics::SetFiltering(on);
  if (!device_) return;
  DWORD filter = on ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

D3DRENDERSTATETYPE Dx8Graphics::RenderStateOf(uint32_t state, bool& known) {
  static const D3DRENDERSTATETYPE kStates[] = {
      D3DRS_ALPHABLENDENABLE, D3DRS_ALPHATESTENABLE, D3DRS_ALPHAREF,  D3DRS_LIGHTING, D3DRS_ZWRITEENABLE,
      D3DRS_ZENABLE,          D3DRS_SRCBLEND,        D3DRS_DESTBLEND, D3DRS_CULLMODE,
  };
  known = state < sizeof kStates / sizeof kStates[0];
  return known ? kStates[state] : D3DRS_ZENABLE;
}

DWORD Dx8Graphics::RenderStateValueOf(uint32_t state, uint32_t value) {
  switch (state) {
    case kSourceBlend:
    case kDestBlend: return BlendOf(value);
    case kCullMode:
      if (value == kCullClockwise) return D3DCULL_CW;
      if (value == kCullNone) return D3DCULL_NONE;
      return D3DCULL_CCW;
    default: return value;
  }
}

D3DTEXTURESTAGESTATETYPE Dx8Graphics::StageSettingOf(uint32_t setting) {
  switch (setting) {
    case kColourArg1: return D3DTSS_COLORARG1;
    case kColourArg2: return D3DTSS_COLORARG2;
    case kAlphaArg1: return D3DTSS_ALPHAARG1;
    case kAlphaArg2: return D3DTSS_ALPHAARG2;
    case kAlphaOp: return D3DTSS_ALPHAOP;
    default: return D3DTSS_COLOROP;
  }
}

bool Dx8Graphics::StageValueOf(uint32_t setting, uint32_t value, DWORD& out) {
  // Operations and arguments are decoded apart, so an argument never lands
  // on an operation's number or the reverse.
  D3DTEXTURESTAGESTATETYPE type = StageSettingOf(setting);
  bool operation = type == D3DTSS_COLOROP || type == D3DTSS_ALPHAOP;
  if (operation) {
    switch (value) {
      case kAdd: out = D3DTOP_ADD; return true;
      case kSelectArg1: out = D3DTOP_SELECTARG1; return true;
      case kSelectArg2: out = D3DTOP_SELECTARG2; return true;
      case kDisable: out = D3DTOP_DISABLE; return true;
      case kDiffuse:
      case kCurrent:
      case kTexture:
      case kTextureFactor: return false;
      default: out = D3DTOP_MODULATE; return true;
    }
  }
  switch (value) {
    case kDiffuse: out = D3DTA_DIFFUSE; return true;
    case kCurrent: out = D3DTA_CURRENT; return true;
    case kTexture: out = D3DTA_TEXTURE; return true;
    case kTextureFactor: out = D3DTA_TFACTOR; return true;
    default: return false;
  }
}

D3DTRANSFORMSTATETYPE Dx8Graphics::TransformOf(uint32_t type) {
  if (type == kWorld) return D3DTS_WORLD;
  if (type == kProjection) return D3DTS_PROJECTION;
  if (type >= kTexture0 && type <= kTexture0 + 7) return D3DTS_TEXTURE(type - kTexture0);
  return D3DTS_VIEW;
}

D3DPRIMITIVETYPE Dx8Graphics::PrimitiveOf(uint32_t type, uint32_t count, uint32_t& primitiveCount) {
  switch (type) {
    case kPointList: primitiveCount = count; return D3DPT_POINTLIST;
    case kLineList: primitiveCount = count / 2; return D3DPT_LINELIST;
    case kLineStrip: primitiveCount = count ? count - 1 : 0; return D3DPT_LINESTRIP;
    case kTriangleStrip: primitiveCount = count >= 2 ? count - 2 : 0; return D3DPT_TRIANGLESTRIP;
    case kTriangleFan: primitiveCount = count >= 2 ? count - 2 : 0; return D3DPT_TRIANGLEFAN;
    default: primitiveCount = count / 3; return D3DPT_TRIANGLELIST;
  }
}

void Dx8Graphics::SetTextureStage(uint32_t stage, uint32_t setting, uint32_t value) {
  if (!device_) return;
  DWORD translated = 0;
  HRESULT result = StageValueOf(setting, value, translated)
                       ? device_->SetTextureStageState(stage, StageSettingOf(setting), translated)
                       : D3DERR_INVALIDCALL;
  if (FAILED(result)) LOG_LINE(MSG_WARNING, "Unable to set texture stage because " + ErrorName(result));
}

void Dx8Graphics::SetRenderState(uint32_t state, uint32_t value) {
  bool known = false;
  D3DRENDERSTATETYPE type = RenderStateOf(state, known);
  if (device_ && known) device_->SetRenderState(type, RenderStateValueOf(state, value));
}

bool Dx8Graphics::SetTexture(uint32_t stage, Image* image) {
  if (image) return image->Bind(stage);
  if (device_) device_->SetTexture(stage, nullptr);
  return true;
}

void Dx8Graphics::SetTransform(uint32_t type, const D3DMATRIX& matrix) {
  if (device_) device_->SetTransform(TransformOf(type), &matrix);
}

void Dx8Graphics::SetViewport(const D3DVIEWPORT8& viewport) {
  if (device_) device_->SetViewport(&viewport);
}

void Dx8Graphics::DrawUserArray(DWORD fvf, const void* vertices, UINT stride, uint32_t count, uint32_t type) {
  uint32_t primitives = 0;
  D3DPRIMITIVETYPE primitive = PrimitiveOf(type, count, primitives);
  device_->SetVertexShader(fvf);
  HRESULT result = device_->DrawPrimitiveUP(primitive, primitives, vertices, stride);
  if (FAILED(result)) LOG_LINE(MSG_ERROR, "Unable to draw array : DX Error: " + ErrorName(result));
}

void Dx8Graphics::DrawArray2D(const Vertex2D* vertices, uint32_t count, uint32_t type) {
  if (count == 0 || !device_) return;
  DrawUserArray(kScreenFvf, vertices, sizeof(Vertex2D), count, type);
  device_->SetTexture(0, nullptr);
}

void Dx8Graphics::DrawArray3D(const Vertex3D* vertices, uint32_t count, uint32_t type) {
  if (count == 0 || !device_) return;
  DrawUserArray(kWorldFvf, vertices, sizeof(Vertex3D), count, type);
}

void Dx8Graphics::DrawIndexedArray3D(const Vertex3D* vertices, uint32_t vertexCount, const uint16_t* indices,
                                     uint32_t indexCount, uint32_t type) {
  if (vertexCount == 0 || indexCount == 0 || !device_) return;
  uint32_t primitives = 0;
  D3DPRIMITIVETYPE primitive = PrimitiveOf(type, indexCount, primitives);
  device_->SetVertexShader(kWorldFvf);
  HRESULT result = device_->DrawIndexedPrimitiveUP(primitive, 0, vertexCount, primitives, indices, D3DFMT_INDEX16,
                                                   vertices, sizeof(Vertex3D));
  if (FAILED(result)) LOG_LINE(MSG_ERROR, "Unable to draw array : DX Error: " + ErrorName(result));
}

Image* Dx8Graphics::LoadImageA(const std::string& fileName) {
  if (fileName.empty()) {
    LOG_LINE(MSG_WARNING, "Trying to load texture, but no file-name given");
    return nullptr;
  }
  if (fileName.size() <= 3 || fileName[fileName.size() - 4] != '.') {
    LOG_LINE(MSG_WARNING, "Unable to find the file-type of image file " + fileName);
    return nullptr;
  }
  std::string type = fileName.substr(fileName.size() - 3);
  for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kImageTypes[] = {"tga", "bmp", "jpg", "png", "dds", "ddc", "tex"};
  bool known = false;
  for (const char* candidate : kImageTypes) known |= type == candidate;
  Image* image = nullptr;
  if (known) {
    image = new Image();
  } else if (type == "avi") {
    image = new Dx8AviImage();
  } else {
    return nullptr;
  }
  if (!image->Load(fileName)) {
    delete image;
    return nullptr;
  }
  return image;
}

Image* Dx8Graphics::CreateDynamicImage(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
  // Returned whatever its load reports: without a texture it binds nothing.
  Image* image = new Dx8DynamicImage(width, height, bitsPerPixel);
  image->Load("");
  return image;
}

Image* Dx8Graphics::CreateRenderTarget(uint32_t width, uint32_t height) {
  return Dx8RenderTarget::Create(device_, width, height);
}

bool Dx8Graphics::SetRenderTarget(Image* target) {
  if (!device_) return false;
  if (!target) {
    if (!drawingIntoImage_) return true;
    drawingIntoImage_ = false;
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, screenBlending_);
    return SUCCEEDED(device_->SetRenderTarget(nullptr, nullptr));
  }
  auto* image = dynamic_cast<Dx8RenderTarget*>(target);
  if (!image || !image->MakeTarget(*device_)) {
    LOG_LINE(MSG_ERROR, "Unable to draw into the image " + target->GetName());
    return false;
  }
  if (!drawingIntoImage_) device_->GetRenderState(D3DRS_ALPHABLENDENABLE, &screenBlending_);
  drawingIntoImage_ = true;
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  return true;
}

Font* Dx8Graphics::CreateFontA(const std::string& name) { return new DX8Font(name); }

void* Dx8Graphics::ReservedFactory(uint32_t, uint32_t) { return nullptr; }

void Dx8Graphics::SaveScreenshot() {
  if (screenshotName_.empty()) return;
  IDirect3DSurface8* backBuffer = nullptr;
  HRESULT result = device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
  if (FAILED(result)) {
    LOG_LINE(MSG_WARNING, "Unable to take screenshot");
    LOG_LINE(MSG_WARNING, "DX Error: " + ErrorName(result));
    return;
  }
  std::string path = screenshotName_ + ".bmp";
  LOG_LINE(MSG_COMMENT, "Saving screenshot at " + path);
  IDirect3DSurface8* saved = backBuffer;
  IDirect3DSurface8* half = nullptr;
  if (screenshotHalfSize_) {
    D3DSURFACE_DESC desc;
    backBuffer->GetDesc(&desc);
    // No colour key: keying out 0xFFFFFFFF would turn every white pixel black.
    if (SUCCEEDED(device_->CreateImageSurface(desc.Width / 2, desc.Height / 2, desc.Format, &half)) &&
        SUCCEEDED(D3DXLoadSurfaceFromSurface(half, nullptr, nullptr, backBuffer, nullptr, nullptr, D3DX_FILTER_BOX,
                                             0))) {
      saved = half;
    }
  }
  result = D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, saved, nullptr, nullptr);
  if (FAILED(result)) LOG_LINE(MSG_WARNING, "Unable to save screenshot " + path + " : DX Error: " + ErrorName(result));
  if (half) half->Release();
  backBuffer->Release();
  screenshotName_.clear();
}
