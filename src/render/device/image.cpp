#include "render/device/image.h"

#include "core/files/resman.h"
#include "render/device/surface.h"

bool Image::Load(const std::string& name) {
  name_ = name;
  res::Resource* found = res::GetResMan().FindResource(name);
  if (!found) found = res::GetResMan().LoadResource(name);
  surface_ = dynamic_cast<Surface*>(found);
  if (!surface_) return false;
  // A surface released after its last use (a splash page's) loads again.
  if (surface_->GetState() == res::kStateReleased && !surface_->InitializeResource()) return false;
  width_ = surface_->GetWidth();
  height_ = surface_->GetHeight();
  return true;
}

bool Image::Bind(uint32_t stage) {
  if (surface_) surface_->Bind(stage);
  return true;
}
