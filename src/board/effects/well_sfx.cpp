#include "board/effects/well_sfx.h"

namespace well {

WellSFX::WellSFX(void* owner, BaseWell* board) : owner_(owner), board_(board) {}

WellSFX::~WellSFX() = default;

void WellSFX::Tick(float) {}

void WellSFX::Draw() {}

}  // namespace well
