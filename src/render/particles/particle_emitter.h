// Emitters give each new or reborn 3D particle its position, velocity, size
// and life. The spawn frame's translation is the emitter's origin.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/math/matrix4.h"
#include "platform/lua/luaplus.h"
#include "render/particles/particle.h"

namespace partsys {

class ParticleEmitter {
 public:
  virtual ~ParticleEmitter() = default;
  virtual bool Load(const LuaPlus::LuaObject& table);
  // Velocity, size and life drawn from the ranges; age 0, whole texture, alive.
  virtual void InitParticle(const math::Vec3& position, Particle& particle);
  // Origin plus a scatter of Range on each axis, then InitParticle.
  virtual void Spawn(const math::Matrix4& frame, Particle& particle);

  math::Vec3 maxForce{1.0f, 1.0f, 1.0f};
  math::Vec3 minForce{1.0f, 1.0f, 1.0f};
  float maxLife = 5.0f, minLife = 5.0f;
  float minSize = 5.0f, maxSize = 5.0f;
  float range = 5.0f;
  float minMag = -1.0f, maxMag = -1.0f;  // no bound unless positive
};

class ParticleEmitterBox : public ParticleEmitter {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  void Spawn(const math::Matrix4& frame, Particle& particle) override;

  math::Vec3 boxSize{1.0f, 1.0f, 1.0f};  // Range included once loaded
};

// Spawns along the edges of a mesh, translated to the origin (not turned).
// Without edges it keeps the base spawn position.
class ParticleEmitterMesh : public ParticleEmitter {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  void Spawn(const math::Matrix4& frame, Particle& particle) override;
  // Edges whose indices name no vertex are dropped.
  void SetMesh(std::vector<math::Vec3> vertices, const std::vector<std::pair<uint32_t, uint32_t>>& edges);

  std::string mesh;

 private:
  std::vector<std::pair<uint32_t, uint32_t>> edges_;
  std::vector<math::Vec3> vertices_;
};

// The frame's translation row.
math::Vec3 FrameOrigin(const math::Matrix4& frame);

}  // namespace partsys
