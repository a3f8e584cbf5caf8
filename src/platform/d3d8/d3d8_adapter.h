// What the Direct3D object reports about the machine: the OpenGL
// implementation (asked once per process through a hidden window), SDL's
// displays as adapters, their display modes and the capabilities the layer
// offers on top of OpenGL.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/d3d8/d3d8.h"

namespace platform::d3d8 {

struct GlIdentity {
  bool available = false;
  std::string renderer;
  std::string vendor;
  std::string version;
  uint32_t maxTextureSize = 0;
  bool compressedTextures = false;
};

// Null-free: `available` is false when no context could be made.
const GlIdentity& ProbeGl();

// Display modes of one SDL display, in SDL's order; a display that lists no
// usable mode reports its desktop mode.
std::vector<D3DDISPLAYMODE> DisplayModesOf(int display);
bool DesktopModeOf(int display, D3DDISPLAYMODE& mode);

void FillIdentifier(const GlIdentity& gl, D3DADAPTER_IDENTIFIER8& identifier);
void FillCaps(const GlIdentity& gl, UINT adapter, D3DCAPS8& caps);

// Test overrides (see d3d8_testing.h).
struct TestOverrides {
  bool squareTexturesOnly = false;
  bool capsUnavailable = false;
  bool fullScreenUnavailable = false;
  std::function<void(IDirect3DDevice8*)> presentObserver;
  std::set<D3DFORMAT> refusedFormats;  // as textures, by CheckDeviceFormat
};
TestOverrides& Overrides();

}  // namespace platform::d3d8
