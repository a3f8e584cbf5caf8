#include "render/device/surface.h"

#include "core/log.h"

bool Surface::InitializeResource() {
  switch (state_) {
    case res::kStateReleased:
      return Load();
    case res::kStateFileLoaded:
      InitTexture();
      file_.Release();
      file_.size = 0;
      return state_ == res::kStateReady;
    default:
      LOG_LINE(MSG_WARNING, "Surface " + name_ + " not yet loaded!");
      return false;
  }
}
