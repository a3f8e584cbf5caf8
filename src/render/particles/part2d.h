// A screen-space particle effect: the groups of one ".p2d" file (global
// table "Part2D"), ticked, drawn and triggered in file order.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "render/particles/part_group.h"

namespace part2d {

// The groups of one ".p2d" file as read, in file order.
struct Part2DDefinition {
  std::vector<PartGroupDefinition> groups;
};

class Part2D {
 public:
  Part2D() = default;

  // Appends the file's groups; false, with a log line, when it cannot run.
  bool Load(const std::string& path);
  // The file's groups into `definition`; false when it cannot run.
  static bool Read(const std::string& path, Part2DDefinition& definition);
  // Appends groups made from the definition read from `path`; false, with
  // the same log line as Load, for a null one (a file that could not run).
  bool Build(const Part2DDefinition* definition, const std::string& path);
  bool Save(const std::string& path);
  bool Tick(float dt);
  bool Draw(const math::Vec2& offset, const math::Vec2& unused1, const math::Vec2& unused2);
  // A particle in group 0, or null.
  Particle* TriggerParticle(const math::Vec2& position);
  // One particle in every group.
  void Trigger(const math::Vec2& position);
  void TriggerParticleSet(int count, const math::Vec2& position);
  PartGroup* GetGroup(unsigned index) { return index < groups_.size() ? groups_[index].get() : nullptr; }
  int GroupC() const { return static_cast<int>(groups_.size()); }
  PartGroup* CreateGroup();
  const std::string& GetFileName() const { return fileName_; }

  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  std::string fileName_;
  std::vector<std::unique_ptr<PartGroup>> groups_;
};

}  // namespace part2d
