#include "ui/gameflow/plain_frame.h"

#include "render/device/graphics.h"

namespace gameflow {

namespace {
constexpr uint32_t kOpaqueBlack = 0xFF000000u;
}

bool BeginPlainFrame(Graphics& graphics) {
  if (!graphics.BeginScene()) return false;
  graphics.Clear(kOpaqueBlack, 1.0f, 0, 1, 1, 1);
  return true;
}

bool EndPlainFrame(Graphics& graphics) {
  graphics.EndScene();
  return graphics.Present();
}

}  // namespace gameflow
