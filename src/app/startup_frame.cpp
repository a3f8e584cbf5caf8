#include "app/startup_frame.h"

#include "render/device/graphics.h"

void DrawStartupFrame(uint32_t clearColour, const std::function<void()>& draw) {
  Graphics* graphics = GetGraphics();
  if (!graphics) return;
  const bool filtering = graphics->GetFiltering();
  graphics->SetFiltering(true);
  graphics->SetDefaultRenderStates();
  graphics->Clear(clearColour, 1.0f, 0, 1, 1, 1);
  if (graphics->BeginScene()) {
    draw();
    graphics->EndScene();
    graphics->Present();
  }
  graphics->SetFiltering(filtering);
}
