// A world-space particle effect: the groups of one particle file (global
// table "ParticleGroups"), updated and drawn in file order.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/math/matrix4.h"
#include "render/particles/particle_group.h"

namespace partsys {

class ParticleSystem {
 public:
  ParticleSystem() = default;

  // Appends the file's groups; false, with a log line, when the file cannot
  // be run or has no "ParticleGroups" table.
  bool Load(const std::string& path);
  bool AddParticleGroup(const LuaPlus::LuaObject& table);
  bool Update(float dt);
  // Draws with quads facing the camera of `view`; leaves depth on, alpha
  // test off and the usual alpha blend.
  bool Render(const math::Matrix4& view, float alpha);

  const math::Matrix4& GetWorld() const { return world_; }
  size_t GroupC() const { return groups_.size(); }
  ParticleGroup* GetGroup(size_t index) { return index < groups_.size() ? groups_[index].get() : nullptr; }
  const std::string& GetFileName() const { return fileName_; }

 private:
  math::Matrix4 world_ = math::Matrix4::Identity();
  std::vector<std::unique_ptr<ParticleGroup>> groups_;
  std::string fileName_;
};

}  // namespace partsys
