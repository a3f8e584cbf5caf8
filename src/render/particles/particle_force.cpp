#include "render/particles/particle_force.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/math/plane.h"
#include "core/script/script_helper.h"
#include "render/debug_draw/dd_man.h"
#include "render/particles/particle_emitter.h"

namespace partsys {

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

namespace {

// The index of the lower-cased value in the names, else 0.
template <size_t N>
int Pick(const std::string& value, const char* const (&names)[N]) {
  const std::string lower = LowerCase(value);
  for (size_t i = 0; i < N; ++i) {
    if (lower == names[i]) return static_cast<int>(i);
  }
  return 0;
}

template <typename Body>
void ForAlive(Particle* particles, int count, Body body) {
  for (int i = 0; i < count; ++i) {
    if (particles[i].alive) body(particles[i]);
  }
}

float LengthOrOne(const math::Vec3& v) {
  const float length = v.Magnitude();
  return length == 0.0f ? 1.0f : length;
}

}  // namespace

bool ParticleForceLinear::Load(const LuaPlus::LuaObject& table) {
  force = script::ReadVec3(table, "Force", force);
  return true;
}

bool ParticleForceLinear::DebugDraw(const math::Matrix4& frame) {
  const math::Vec3 origin = FrameOrigin(frame);
  return dd::GetManager()->AddArrow3D(origin, origin + math::TransformNormal(force, frame), true, 0xFFFF0000u);
}

bool ParticleForceLinear::Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) {
  const math::Vec3 push = math::TransformNormal(force, frame) * dt;
  ForAlive(particles, count, [&](Particle& p) { p.velocity += push; });
  return true;
}

bool ParticleForceAttractor::Load(const LuaPlus::LuaObject& table) {
  static const char* const kKinds[] = {"constant", "linear", "invlinear", "invsqr"};
  offset = script::ReadVec3(table, "Offset", offset);
  magnitude = script::ReadFloat(table, "Magnitude", magnitude);
  kind = Pick(script::ReadString(table, "AttractorType", "Constant"), kKinds);
  return true;
}

bool ParticleForceAttractor::DebugDraw(const math::Matrix4& frame) {
  return dd::GetManager()->AddSphere3D(math::TransformCoord(offset, frame), magnitude, true, 0xFFFFFFFFu);
}

bool ParticleForceAttractor::Apply(const math::Matrix4& frame, Particle* particles, int count, float dt) {
  const math::Vec3 attractor = math::TransformCoord(offset, frame);
  const float k = dt * magnitude;
  ForAlive(particles, count, [&](Particle& p) {
    const math::Vec3 d = attractor - p.position;
    const float length = d.Magnitude();
    switch (kind) {
      case kLinear:
        p.velocity += d * k;
        break;
      case kInvLinear:
        if (length > 0.0f) p.velocity += d * (k / (length * length));
        break;
      case kInvSqr:
        if (length > 0.0f) p.velocity += d * (k / (length * length * length));
        break;
      default:
        p.velocity += d * (k / (length == 0.0f ? 1.0f : length));
        break;
    }
  });
  return true;
}

bool ParticleForceKillPlane::Load(const LuaPlus::LuaObject& table) {
  height = script::ReadFloat(table, "Height", height);
  return true;
}

bool ParticleForceKillPlane::DebugDraw(const math::Matrix4& frame) {
  const math::Vec3 position = FrameOrigin(frame) + math::Vec3(0.0f, height, 0.0f);
  return dd::GetManager()->AddPlane3D(0xFFFFFFFFu, {100.0f, 100.0f, 100.0f}, position,
                                      math::Plane({0.0f, 1.0f, 0.0f}, 0.0f), true);
}

bool ParticleForceKillPlane::Apply(const math::Matrix4& frame, Particle* particles, int count, float) {
  const float h = frame.m[3][1] + height;
  ForAlive(particles, count, [&](Particle& p) {
    if (p.position.y < h) p.killed = 1;
  });
  return true;
}

bool ParticleForceSphereEx::Load(const LuaPlus::LuaObject& table) {
  static const char* const kActions[] = {"move", "bounce", "kill"};
  offset = script::ReadVec3(table, "Offset", offset);
  magnitude = script::ReadFloat(table, "Magnitude", magnitude);
  bounceForce = script::ReadFloat(table, "BounceForce", bounceForce);
  action = Pick(script::ReadString(table, "Action", "Move"), kActions);
  radiusSqr = magnitude * magnitude;
  return true;
}

bool ParticleForceSphereEx::DebugDraw(const math::Matrix4& frame) {
  return dd::GetManager()->AddSphere3D(math::TransformCoord(offset, frame), magnitude, true, 0x50FF0000u);
}

bool ParticleForceSphereEx::Apply(const math::Matrix4& frame, Particle* particles, int count, float) {
  const math::Vec3 centre = math::TransformCoord(offset, frame);
  ForAlive(particles, count, [&](Particle& p) {
    const math::Vec3 d = centre - p.position;
    if (d.MagSqr() >= radiusSqr) return;
    if (action == kKill) {
      p.killed = 1;
      return;
    }
    const math::Vec3 n = d * (1.0f / LengthOrOne(d));
    p.position = centre - n * magnitude;
    if (action == kBounce) p.velocity = (p.velocity - n * (2.0f * math::Dot(p.velocity, n))) * bounceForce;
  });
  return true;
}

bool ParticleForcePath::Load(const LuaPlus::LuaObject& table) {
  speed = script::ReadFloat(table, "Speed", speed);
  amplitude = script::ReadFloat(table, "Amplitude", amplitude);
  closePath = script::ReadBool(table, "ClosePath", closePath);
  return true;
}

bool ParticleForcePath::Apply(const math::Matrix4&, Particle* particles, int count, float) {
  ForAlive(particles, count, [&](Particle& p) {
    const float t = p.life != 0.0f ? p.age / p.life : 0.0f;
    float b = amplitude * std::sin(t * speed);
    if (closePath) b *= std::sin(t * 3.14f);
    const float x = p.velocity.x, y = p.velocity.y;
    p.velocity.x = x - b * y;
    p.velocity.y = y + b * x;
  });
  return true;
}

bool ParticleForceSteer::Load(const LuaPlus::LuaObject& table) {
  steeringForce = script::ReadFloat(table, "SteeringForce", steeringForce);
  maxSpeed = script::ReadFloat(table, "MaxSpeed", maxSpeed);
  offset = script::ReadVec3(table, "Offset", offset);
  return true;
}

bool ParticleForceSteer::Apply(const math::Matrix4&, Particle* particles, int count, float dt) {
  ForAlive(particles, count, [&](Particle& p) {
    const math::Vec3 d = p.position - offset;
    const math::Vec3 desired = d * (maxSpeed / LengthOrOne(d));
    p.velocity = p.velocity - (desired - p.velocity) * (dt * steeringForce);
    p.velocity = p.velocity * (maxSpeed / LengthOrOne(p.velocity));
  });
  return true;
}

}  // namespace partsys
