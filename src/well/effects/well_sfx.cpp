#include "well/effects/well_sfx.h"

namespace well {

WellSFX::WellSFX(void* owner, BaseWell* board) : owner_(owner), board_(board) {}

WellSFX::~WellSFX() = default;

void WellSFX::Tick(float dt) {
  for (const std::unique_ptr<SFXSet>& set : sets_) set->Tick(dt);
}

void WellSFX::Draw() {
  for (const std::unique_ptr<SFXSet>& set : sets_) set->Draw();
}

}  // namespace well
