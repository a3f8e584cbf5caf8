// Forces change the velocities, positions or killed flags of a group's
// alive particles at every update; each can queue a debug shape.
#pragma once
#include <cstdint>
#include <string>

#include "core/math/matrix4.h"
#include "platform/lua/luaplus.h"
#include "render/particles/particle.h"

namespace partsys {

// Type names in files are compared lower-cased.
std::string LowerCase(std::string text);

class ParticleForce {
 public:
  virtual ~ParticleForce() = default;
  virtual bool Load(const LuaPlus::LuaObject& table) = 0;
  // Queues the force's shape with the debug drawing; false when it has none.
  virtual bool DebugDraw(const math::Matrix4& frame) = 0;
  virtual bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) = 0;
};

class ParticleForceLinear : public ParticleForce {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4& frame) override;
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  math::Vec3 force{0.0f, -9.8f, 0.0f};
};

class ParticleForceAttractor : public ParticleForce {
 public:
  enum Kind { kConstant = 0, kLinear = 1, kInvLinear = 2, kInvSqr = 3 };
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4& frame) override;
  // The inverse kinds leave a particle exactly on the attractor alone.
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  math::Vec3 offset;
  float magnitude = 1.0f;
  int kind = kConstant;
};

class ParticleForceKillPlane : public ParticleForce {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4& frame) override;
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  float height = 0.0f;
};

class ParticleForceSphereEx : public ParticleForce {
 public:
  enum Action { kMove = 0, kBounce = 1, kKill = 2 };
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4& frame) override;
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  math::Vec3 offset;
  float magnitude = 1.0f;  // radius
  float bounceForce = 0.9f;
  int action = kMove;
  float radiusSqr = 1.0f;
};

class ParticleForcePath : public ParticleForce {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4&) override { return false; }
  // Turns the velocity in x and y once per update, whatever dt.
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  float speed = 1.0f;
  float amplitude = 1.0f;
  bool closePath = false;
};

class ParticleForceSteer : public ParticleForce {
 public:
  bool Load(const LuaPlus::LuaObject& table) override;
  bool DebugDraw(const math::Matrix4&) override { return false; }
  bool Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) override;
  float steeringForce = 1.0f;
  float maxSpeed = 1.0f;
  math::Vec3 offset;  // a world point
};

}  // namespace partsys
