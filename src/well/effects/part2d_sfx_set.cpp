#include "well/effects/part2d_sfx_set.h"

#include "core/math/random.h"
#include "render/particles/part2d.h"
#include "well/effects/well_sfx.h"

namespace well {

Part2DSFXSet::Part2DSFXSet(void* owner, WellSFX* effects) : SFXSet(owner, effects) {}

Part2DSFXSet::~Part2DSFXSet() = default;

bool Part2DSFXSet::Load(const std::string& file) {
  system_ = std::make_unique<part2d::Part2D>();
  return system_->Load(file);
}

void Part2DSFXSet::TriggerCount(float count, const math::Vec2& position) {
  if (!system_) return;
  for (int i = 0; static_cast<float>(i) < count; ++i) system_->Trigger(position);
}

void Part2DSFXSet::TriggerSpread(float count, const math::Vec2& position, const math::Vec2& extent) {
  if (!system_) return;
  for (int i = 0; static_cast<float>(i) < count; ++i)
    system_->Trigger(position + num::GetRandom().RangeVec2({0.0f, 0.0f}, extent));
}

void Part2DSFXSet::Draw() {
  if (system_) system_->Draw(effects_->GetOffset(), {0.0f, 0.0f}, {0.0f, 0.0f});
}

void Part2DSFXSet::Tick(float dt) {
  if (system_) system_->Tick(dt);
}

}  // namespace well
