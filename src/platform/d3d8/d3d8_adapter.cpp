#include "platform/d3d8/d3d8_adapter.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstring>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/window/sdl_events.h"

namespace platform::d3d8 {
namespace {

std::string GlString(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

GlIdentity Probe() {
  GlIdentity gl;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return gl;
  PrepareGlWindowAttributes();
  HoldGlDriver();
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
  SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window) {
    if (SDL_GLContext context = SDL_GL_CreateContext(window)) {
      gl.available = true;
      gl.renderer = GlString(GL_RENDERER);
      gl.vendor = GlString(GL_VENDOR);
      gl.version = GlString(GL_VERSION);
      GLint size = 0;
      glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
      gl.maxTextureSize = static_cast<uint32_t>(size);
      gl.compressedTextures = SDL_GL_ExtensionSupported("GL_EXT_texture_compression_s3tc");
      SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(window);
  }
  if (previousContext) SDL_GL_MakeCurrent(previousWindow, previousContext);
  return gl;
}

D3DFORMAT FormatOf(Uint32 sdlFormat) {
  switch (sdlFormat) {
    case SDL_PIXELFORMAT_ARGB8888: return D3DFMT_A8R8G8B8;
    case SDL_PIXELFORMAT_RGB565: return D3DFMT_R5G6B5;
    case SDL_PIXELFORMAT_RGB555: return D3DFMT_X1R5G5B5;
    case SDL_PIXELFORMAT_ARGB1555: return D3DFMT_A1R5G5B5;
    default: return D3DFMT_X8R8G8B8;  // 24- and 32-bit modes, and drivers that name none
  }
}

D3DDISPLAYMODE ModeOf(const SDL_DisplayMode& mode) {
  // SDL says 0 when the rate is unknown (virtual displays); report the nominal rate.
  UINT refresh = mode.refresh_rate > 0 ? static_cast<UINT>(mode.refresh_rate) : 60;
  return {static_cast<UINT>(mode.w), static_cast<UINT>(mode.h), refresh, FormatOf(mode.format)};
}

// "Mesa 22.3.6" in the version string becomes 22.3 / 6.0, as Direct3D splits
// driver versions into a high and a low half.
void ParseDriverVersion(const std::string& version, LARGE_INTEGER_PARTS& out) {
  out = {0, 0};
  size_t at = version.find("Mesa ");
  const char* numbers = at == std::string::npos ? version.c_str() : version.c_str() + at + 5;
  unsigned major = 0, minor = 0, patch = 0;
  if (std::sscanf(numbers, "%u.%u.%u", &major, &minor, &patch) >= 2) {
    out.HighPart = static_cast<LONG>(((major & 0xFFFF) << 16) | (minor & 0xFFFF));
    out.LowPart = (patch & 0xFFFF) << 16;
  }
}

void CopyText(char* out, const std::string& text) {
  std::snprintf(out, MAX_DEVICE_IDENTIFIER_STRING, "%s", text.c_str());
}

}  // namespace

const GlIdentity& ProbeGl() {
  static const GlIdentity identity = Probe();
  return identity;
}

TestOverrides& Overrides() {
  static TestOverrides overrides;
  return overrides;
}

bool DesktopModeOf(int display, D3DDISPLAYMODE& mode) {
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(display, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) return false;
  mode = ModeOf(desktop);
  return true;
}

std::vector<D3DDISPLAYMODE> DisplayModesOf(int display) {
  std::vector<D3DDISPLAYMODE> modes;
  int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(display, i, &mode) == 0 && mode.w > 0 && mode.h > 0) modes.push_back(ModeOf(mode));
  }
  D3DDISPLAYMODE desktop;
  if (modes.empty() && DesktopModeOf(display, desktop)) modes.push_back(desktop);
  return modes;
}

void FillIdentifier(const GlIdentity& gl, D3DADAPTER_IDENTIFIER8& identifier) {
  std::memset(&identifier, 0, sizeof identifier);
  CopyText(identifier.Driver, gl.vendor + " OpenGL " + gl.version);
  CopyText(identifier.Description, gl.renderer);
  ParseDriverVersion(gl.version, identifier.DriverVersion);
}

void FillCaps(const GlIdentity& gl, UINT adapter, D3DCAPS8& caps) {
  std::memset(&caps, 0, sizeof caps);
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.AdapterOrdinal = adapter;
  caps.Caps2 = D3DCAPS2_CANMANAGERESOURCE | D3DCAPS2_DYNAMICTEXTURES;
  caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
  caps.TextureCaps = D3DPTEXTURECAPS_ALPHA | D3DPTEXTURECAPS_CUBEMAP | D3DPTEXTURECAPS_MIPMAP |
                     D3DPTEXTURECAPS_MIPCUBEMAP | D3DPTEXTURECAPS_PROJECTED;
  caps.TextureAddressCaps =
      D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_MIRROR | D3DPTADDRESSCAPS_CLAMP | D3DPTADDRESSCAPS_BORDER;
  caps.MaxTextureWidth = caps.MaxTextureHeight = gl.maxTextureSize;
  caps.MaxTextureAspectRatio = gl.maxTextureSize;
  if (Overrides().squareTexturesOnly) {
    caps.MaxTextureAspectRatio = 1;
    caps.TextureCaps |= D3DPTEXTURECAPS_SQUAREONLY;
  }
  caps.MaxTextureBlendStages = kD3DStageCount;
  caps.MaxSimultaneousTextures = kD3DStageCount;
  // The layer is fixed function only: no shader versions to offer.
  caps.VertexShaderVersion = 0;
  caps.PixelShaderVersion = 0;
}

}  // namespace platform::d3d8
