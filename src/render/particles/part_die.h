// What a 2D particle's death sets off: a new particle in a group of the same
// system, at the dead one's place, with a given chance.
#pragma once
#include <memory>
#include <string>

#include "render/particles/part2d_particle.h"

namespace part2d {

class Part2D;

class PartDie {
 public:
  PartDie(Part2D* owner, int group, int percent) : owner_(owner), group_(group), percent_(percent) {}
  virtual ~PartDie() = default;
  // Whether a particle was made.
  virtual bool OnDie(const Particle& particle) = 0;
  virtual std::string GetType() const = 0;

  // True at 100 percent and above, else with the percent's chance.
  bool Roll() const;
  int GetGroup() const { return group_; }
  int GetPercent() const { return percent_; }

  // The action of that type name (either case), or null for another name.
  static std::unique_ptr<PartDie> Make(const std::string& type, Part2D* owner, int group, int percent);
  // A probability to the nearest percent within 0..100.
  static int ToPercent(float probability);

 protected:
  Part2D* owner_;
  int group_;
  int percent_;
};

// A particle at the same place in the target group.
class PartRebirth : public PartDie {
 public:
  using PartDie::PartDie;
  bool OnDie(const Particle& particle) override;
  std::string GetType() const override { return "part_rebirth"; }
};

// A particle at the same place whose velocity is the target group's random
// velocity turned into the dead particle's frame of travel.
class PartDirection : public PartDie {
 public:
  using PartDie::PartDie;
  bool OnDie(const Particle& particle) override;
  std::string GetType() const override { return "part_direction"; }
};

}  // namespace part2d
