#include "render/device/graphics.h"

#include <cmath>

namespace {

Graphics* g_graphics = nullptr;
float g_heightOverWidth = 0.0f;
float g_widthOverHeight = 0.0f;

}  // namespace

Graphics* GetGraphics() { return g_graphics; }
void SetGraphics(Graphics* graphics) { g_graphics = graphics; }
float GetAspectHeightOverWidth() { return g_heightOverWidth; }
float GetAspectWidthOverHeight() { return g_widthOverHeight; }

void Graphics::SHUTDOWN() {
  if (!g_graphics) return;
  g_graphics->Shutdown();
  delete g_graphics;
  g_graphics = nullptr;
}

Image* Graphics::CreateRenderTarget(uint32_t, uint32_t) { return nullptr; }

bool Graphics::SetRenderTarget(Image* target) { return target == nullptr; }

bool Graphics::SetResolution(uint32_t width, uint32_t height) {
  screenWidth_ = static_cast<uint16_t>(width);
  screenHeight_ = static_cast<uint16_t>(height);
  g_heightOverWidth = static_cast<float>(screenHeight_) / static_cast<float>(screenWidth_);
  g_widthOverHeight = static_cast<float>(screenWidth_) / static_cast<float>(screenHeight_);
  return true;
}

uint32_t PackARGB(float red, float green, float blue, float alpha) {
  auto channel = [](float value) {
    // Below 2^63 in size, so that truncating to 64 bits is defined; NaN fails too.
    constexpr float kLimit = 9.2e18f;
    const float scaled = value * 255.0f;
    if (!(std::fabs(scaled) < kLimit)) return 0u;
    return static_cast<uint32_t>(static_cast<int64_t>(scaled)) & 0xFF;
  };
  return channel(alpha) << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
}
