#include "render/particles/part_die.h"

#include <cmath>
#include <cstdlib>
#include <strings.h>

#include "render/particles/part2d.h"

namespace part2d {

bool PartDie::Roll() const { return percent_ >= 100 || std::rand() % 100 < percent_; }

int PartDie::ToPercent(float probability) {
  const double percent = std::round(static_cast<double>(probability) * 100.0);
  if (!(percent > 0.0)) return 0;
  return percent > 100.0 ? 100 : static_cast<int>(percent);
}

std::unique_ptr<PartDie> PartDie::Make(const std::string& type, Part2D* owner, int group, int percent) {
  if (strcasecmp(type.c_str(), "part_rebirth") == 0) return std::make_unique<PartRebirth>(owner, group, percent);
  if (strcasecmp(type.c_str(), "part_direction") == 0) {
    return std::make_unique<PartDirection>(owner, group, percent);
  }
  return nullptr;
}

bool PartRebirth::OnDie(const Particle& particle) {
  if (!Roll()) return false;
  PartGroup* target = group_ >= 0 ? owner_->GetGroup(static_cast<unsigned>(group_)) : nullptr;
  return target && target->AddParticle(particle.position);
}

bool PartDirection::OnDie(const Particle& particle) {
  if (!Roll()) return false;
  PartGroup* target = group_ >= 0 ? owner_->GetGroup(static_cast<unsigned>(group_)) : nullptr;
  if (!target) return false;
  const math::Vec2 r = target->RandomVelocity();
  const math::Vec2& d = particle.direction;
  const math::Vec2 v = (math::Vec2(d.y, -d.x) * r.x - d * r.y) * particle.speed;
  return target->AddParticleDir(particle.position, v);
}

}  // namespace part2d
