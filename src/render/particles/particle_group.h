// A fixed pool of 3D particles fed by one emitter, pushed by a list of
// forces and drawn as camera-facing quads with one texture.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/math/matrix4.h"
#include "platform/lua/luaplus.h"
#include "render/particles/image_subset.h"
#include "render/particles/particle.h"
#include "render/particles/particle_emitter.h"
#include "render/particles/particle_force.h"

class Image;

namespace partsys {

class ParticleSystem;

class ParticleGroup {
 public:
  // Pools above this are refused as a fault of the file.
  static constexpr int kMaxPool = 1 << 20;

  explicit ParticleGroup(ParticleSystem* owner);
  ~ParticleGroup();
  ParticleGroup(const ParticleGroup&) = delete;
  ParticleGroup& operator=(const ParticleGroup&) = delete;

  // Reads the group table; a pool size that is negative or too large gives
  // an empty pool and a log line. True.
  bool Load(const LuaPlus::LuaObject& table);
  bool Update(float dt);
  bool Render(const math::Vec3& right, const math::Vec3& up, float alpha);
  // The caller initialises the slot and raises the live count.
  Particle* GetFreeParticle();
  // One particle of the opening burst; the slot's index, -1 when full.
  int SpawnParticle(const math::Matrix4& frame);
  // A force made from a table, or null when its type names no force.
  static std::unique_ptr<ParticleForce> GetForce(const LuaPlus::LuaObject& table);

  ParticleEmitter* GetEmitter() { return emitter_.get(); }
  Particle* GetParticles() { return particles_.get(); }
  int GetMaxC() const { return maxC_; }
  int GetStartC() const { return startC_; }
  int liveCount = 0;

 private:
  // The first dead slot from the hint round to it, or -1.
  int FindFreeSlot();
  const ImageCell* CellFor(float age) const;

  ParticleSystem* owner_;
  math::Matrix4 local_ = math::Matrix4::Identity();
  std::unique_ptr<Particle[]> particles_;
  int startC_ = 0;
  int maxC_ = 0;
  uint32_t hint_ = 0;
  math::Vec3 startColour_, colourDelta_;
  float startAlpha_ = 0.0f, alphaDelta_ = 0.0f;
  bool rebirth_ = false;
  bool additive_ = false;
  bool burstPending_ = true;
  std::vector<std::unique_ptr<ParticleForce>> forces_;
  std::unique_ptr<ParticleEmitter> emitter_;
  Image* texture_ = nullptr;  // owned
  std::unique_ptr<ImageSubset> subset_;
  int frameC_ = 0;
  bool dirAlign_ = false;
};

}  // namespace partsys
