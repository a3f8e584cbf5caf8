#include "render/particles/particle_emitter.h"

#include "core/math/random.h"
#include "core/script/script_helper.h"

namespace partsys {

namespace {
float Uniform(float a, float b) { return num::GetRandom().Range(a, b); }

// An independent offset in [-extent, +extent] on each axis.
math::Vec3 Scatter(const math::Vec3& extent) {
  const float z = Uniform(-extent.z, extent.z);
  const float y = Uniform(-extent.y, extent.y);
  const float x = Uniform(-extent.x, extent.x);
  return {x, y, z};
}
}  // namespace

math::Vec3 FrameOrigin(const math::Matrix4& frame) { return {frame.m[3][0], frame.m[3][1], frame.m[3][2]}; }

bool ParticleEmitter::Load(const LuaPlus::LuaObject& table) {
  maxForce = script::ReadVec3(table, "MaxForce", maxForce);
  minForce = script::ReadVec3(table, "MinForce", minForce);
  maxLife = script::ReadFloat(table, "MaxLife", maxLife);
  minLife = script::ReadFloat(table, "MinLife", minLife);
  minSize = script::ReadFloat(table, "MinSize", minSize);
  maxSize = script::ReadFloat(table, "MaxSize", maxSize);
  range = script::ReadFloat(table, "Range", range);
  minMag = script::ReadFloat(table, "MinMag", minMag);
  maxMag = script::ReadFloat(table, "MaxMag", maxMag);
  return true;
}

void ParticleEmitter::InitParticle(const math::Vec3& position, Particle& particle) {
  particle.position = position;
  particle.velocity.z = Uniform(maxForce.z, minForce.z);
  particle.velocity.y = Uniform(maxForce.y, minForce.y);
  particle.velocity.x = Uniform(maxForce.x, minForce.x);
  particle.size = Uniform(minSize, maxSize);
  particle.life = Uniform(minLife, maxLife);
  const float speedSqr = particle.velocity.MagSqr();
  if (minMag > 0.0f && speedSqr < minMag * minMag) particle.velocity = particle.velocity.Normalize() * minMag;
  if (maxMag > 0.0f && speedSqr > maxMag * maxMag) particle.velocity = particle.velocity.Normalize() * maxMag;
  particle.age = 0.0f;
  particle.killed = 0;
  particle.uMin = particle.vMin = 0.0f;
  particle.uMax = particle.vMax = 1.0f;
  particle.alive = 1;
}

void ParticleEmitter::Spawn(const math::Matrix4& frame, Particle& particle) {
  InitParticle(FrameOrigin(frame) + Scatter({range, range, range}), particle);
}

bool ParticleEmitterBox::Load(const LuaPlus::LuaObject& table) {
  ParticleEmitter::Load(table);
  boxSize = script::ReadVec3(table, "BoxSize", boxSize) + math::Vec3(range, range, range);
  return true;
}

void ParticleEmitterBox::Spawn(const math::Matrix4& frame, Particle& particle) {
  ParticleEmitter::Spawn(frame, particle);
  particle.position = FrameOrigin(frame) + Scatter(boxSize);
}

bool ParticleEmitterMesh::Load(const LuaPlus::LuaObject& table) {
  ParticleEmitter::Load(table);
  mesh = script::ReadString(table, "Mesh", mesh);
  return true;
}

void ParticleEmitterMesh::SetMesh(std::vector<math::Vec3> vertices,
                                  const std::vector<std::pair<uint32_t, uint32_t>>& edges) {
  vertices_ = std::move(vertices);
  edges_.clear();
  for (const auto& edge : edges) {
    if (edge.first < vertices_.size() && edge.second < vertices_.size() && edges_.size() < 0xFFFF) {
      edges_.push_back(edge);
    }
  }
}

void ParticleEmitterMesh::Spawn(const math::Matrix4& frame, Particle& particle) {
  ParticleEmitter::Spawn(frame, particle);
  if (edges_.empty()) return;
  const float last = static_cast<float>(edges_.size() - 1);
  size_t index = static_cast<size_t>(Uniform(0.0f, last) + 0.5f);
  if (index >= edges_.size()) index = edges_.size() - 1;
  const math::Vec3& a = vertices_[edges_[index].first];
  const math::Vec3& b = vertices_[edges_[index].second];
  const float t = Uniform(0.0f, 1.0f);
  particle.position = a + (b - a) * t + FrameOrigin(frame);
}

}  // namespace partsys
