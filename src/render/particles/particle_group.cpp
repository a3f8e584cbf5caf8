#include "render/particles/particle_group.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "core/log.h"
#include "core/script/script_helper.h"
#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/particles/particle_system.h"

namespace partsys {

namespace {

constexpr uint32_t kBatchVertices = 2000;
Vertex3D batch[kBatchVertices];

std::unique_ptr<ParticleEmitter> MakeEmitter(const LuaPlus::LuaObject& table) {
  if (!table.IsTable()) return nullptr;
  const std::string type = LowerCase(script::ReadString(table, "Type", "Box"));
  std::unique_ptr<ParticleEmitter> emitter;
  if (type == "box") emitter = std::make_unique<ParticleEmitterBox>();
  if (type == "mesh") emitter = std::make_unique<ParticleEmitterMesh>();
  if (emitter) emitter->Load(table);
  return emitter;
}

uint8_t Channel(float value) { return static_cast<uint8_t>(static_cast<int>(value * 255.0f)); }

void PutVertex(Vertex3D& out, const math::Vec3& p, uint32_t colour, float u, float v) {
  out = {p.x, p.y, p.z, colour, u, v};
}

}  // namespace

ParticleGroup::ParticleGroup(ParticleSystem* owner) : owner_(owner) {}

ParticleGroup::~ParticleGroup() { delete texture_; }

std::unique_ptr<ParticleForce> ParticleGroup::GetForce(const LuaPlus::LuaObject& table) {
  if (!table.IsTable()) return nullptr;
  const std::string type = LowerCase(script::ReadString(table, "Type", "Linear"));
  std::unique_ptr<ParticleForce> force;
  if (type == "attractor") force = std::make_unique<ParticleForceAttractor>();
  if (type == "linear") force = std::make_unique<ParticleForceLinear>();
  if (type == "killplane") force = std::make_unique<ParticleForceKillPlane>();
  if (type == "sphereex") force = std::make_unique<ParticleForceSphereEx>();
  if (type == "path") force = std::make_unique<ParticleForcePath>();
  if (type == "steer") force = std::make_unique<ParticleForceSteer>();
  if (force) force->Load(table);
  return force;
}

bool ParticleGroup::Load(const LuaPlus::LuaObject& table) {
  const std::string textureName = script::ReadString(table, "Texture", "");
  Graphics* graphics = GetGraphics();
  if (!textureName.empty() && graphics) texture_ = graphics->LoadImageA(textureName);
  dirAlign_ = script::ReadBool(table, "DirAlign", false);
  startC_ = script::ReadInt(table, "StartC", 1000);
  maxC_ = script::ReadInt(table, "MaxC", 1000);
  rebirth_ = script::ReadBool(table, "Rebirth", true);
  startColour_ = script::ReadVec3(table, "StartColor", {1.0f, 1.0f, 1.0f});
  colourDelta_ = script::ReadVec3(table, "EndColor", {0.0f, 0.0f, 1.0f}) - startColour_;
  startAlpha_ = script::ReadFloat(table, "StartAlpha", 0.0f);
  alphaDelta_ = script::ReadFloat(table, "EndAlpha", 1.0f) - startAlpha_;
  additive_ = script::ReadBool(table, "Additive", true);
  emitter_ = MakeEmitter(script::GetField(table, "Emitter"));

  const LuaPlus::LuaObject cells = script::GetField(table, "ImageSubSet");
  if (cells.IsTable()) {
    const int width = script::ReadInt(cells, "Width", 3), height = script::ReadInt(cells, "Height", 3);
    if (width >= 1 && height >= 1 && width <= 256 && height <= 256) {
      subset_ = std::make_unique<ImageSubset>(width, height, script::ReadFloat(cells, "FrameTime", 0.12f));
      frameC_ = std::min(script::ReadInt(cells, "FrameC", width * height), width * height);
    }
  }

  const LuaPlus::LuaObject forces = script::GetField(table, "Forces");
  for (int i = 1, n = forces.IsTable() ? forces.GetTableCount() : 0; i <= n; ++i) {
    std::unique_ptr<ParticleForce> force = GetForce(forces[i]);
    if (force) forces_.push_back(std::move(force));
  }

  if (maxC_ < 0 || maxC_ > kMaxPool) {
    LOG_LINE(MSG_ERROR, "Particle pool of " + std::to_string(maxC_) + " refused: the group stays empty");
    maxC_ = 0;
  }
  particles_.reset(maxC_ > 0 ? new (std::nothrow) Particle[maxC_]() : nullptr);
  if (!particles_) maxC_ = 0;
  return true;
}

int ParticleGroup::FindFreeSlot() {
  if (liveCount >= maxC_) return -1;
  const uint32_t count = static_cast<uint32_t>(maxC_);
  for (uint32_t i = hint_; i < count; ++i) {
    if (!particles_[i].alive) return static_cast<int>(hint_ = i);
  }
  for (uint32_t i = 0; i < hint_ && i < count; ++i) {
    if (!particles_[i].alive) return static_cast<int>(hint_ = i);
  }
  return -1;
}

Particle* ParticleGroup::GetFreeParticle() {
  const int slot = FindFreeSlot();
  return slot < 0 ? nullptr : &particles_[slot];
}

int ParticleGroup::SpawnParticle(const math::Matrix4& frame) {
  const int slot = emitter_ ? FindFreeSlot() : -1;
  if (slot < 0) return -1;
  emitter_->Spawn(frame, particles_[slot]);
  ++liveCount;
  return slot;
}

const ImageCell* ParticleGroup::CellFor(float age) const {
  const float frameTime = subset_->GetFrameTime();
  if (frameC_ <= 0 || frameTime <= 0.0f) return subset_->Cell(0);
  const double frame = std::floor(static_cast<double>(age) / frameTime);
  const double index = std::fmod(frame < 0.0 ? 0.0 : frame, static_cast<double>(frameC_));
  return subset_->Cell(static_cast<uint32_t>(index));
}

bool ParticleGroup::Update(float dt) {
  const math::Matrix4 frame = owner_->GetWorld() * local_;
  if (burstPending_) {
    for (int i = 0; i < startC_ && SpawnParticle(frame) >= 0; ++i) {
    }
    burstPending_ = false;
  }
  if (liveCount > 0) {
    for (auto& force : forces_) force->Apply(frame, particles_.get(), maxC_, dt);
    for (int i = 0; i < maxC_; ++i) {
      Particle& p = particles_[i];
      if (!p.alive) continue;
      p.position += p.velocity * dt;
      p.age += dt;
      if (p.age <= p.life && !p.killed) continue;
      if (rebirth_ && emitter_) {
        emitter_->Spawn(frame, p);
      } else {
        p.alive = 0;
        --liveCount;
      }
    }
  }
  if (subset_) {
    for (int i = 0; i < maxC_; ++i) {
      Particle& p = particles_[i];
      const ImageCell* cell = p.alive ? CellFor(p.age) : nullptr;
      if (cell) p.uMin = cell->left, p.vMin = cell->top, p.uMax = cell->right, p.vMax = cell->bottom;
    }
  }
  return true;
}

bool ParticleGroup::Render(const math::Vec3& right, const math::Vec3& up, float alpha) {
  if (liveCount == 0) return true;
  Graphics* graphics = GetGraphics();
  if (!graphics) return false;
  graphics->SetTexture(0, texture_);  // without a texture stage 0 is emptied
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend,
                           additive_ ? Graphics::kBlendOne : Graphics::kBlendInverseSourceAlpha);
  graphics->SetTextureStage(0, Graphics::kColourOp, Graphics::kModulate);
  graphics->SetTextureStage(0, Graphics::kColourArg1, Graphics::kTexture);
  graphics->SetTextureStage(0, Graphics::kColourArg2, Graphics::kDiffuse);
  graphics->SetTextureStage(0, Graphics::kAlphaOp, Graphics::kModulate);
  graphics->SetTextureStage(0, Graphics::kAlphaArg1, Graphics::kTexture);
  graphics->SetTextureStage(0, Graphics::kAlphaArg2, Graphics::kDiffuse);

  uint32_t count = 0;
  for (int i = 0; i < maxC_; ++i) {
    const Particle& p = particles_[i];
    if (!p.alive) continue;
    const float t = p.life != 0.0f ? p.age / p.life : 1.0f;
    const math::Vec3 rgb = startColour_ + colourDelta_ * t;
    const float a = (startAlpha_ + alphaDelta_ * t) * alpha;
    const uint32_t colour = static_cast<uint32_t>(Channel(a)) << 24 | static_cast<uint32_t>(Channel(rgb.x)) << 16 |
                            static_cast<uint32_t>(Channel(rgb.y)) << 8 | Channel(rgb.z);
    math::Vec3 r = right * p.size, u = up * p.size;
    if (dirAlign_) {
      const float theta = std::atan2(p.velocity.x, p.velocity.y);
      r = {std::cos(theta) * r.x, std::cos(theta + 1.5707964f) * r.x, r.z};
      u = {std::sin(theta) * u.y, std::sin(theta + 1.5707964f) * u.y, u.z};
    }
    Vertex3D* out = batch + count;
    PutVertex(out[0], p.position, colour, p.uMin, p.vMax);
    PutVertex(out[1], p.position + r + u, colour, p.uMax, p.vMin);
    PutVertex(out[2], p.position + r, colour, p.uMax, p.vMax);
    PutVertex(out[3], p.position, colour, p.uMin, p.vMax);
    PutVertex(out[4], p.position + u, colour, p.uMin, p.vMin);
    PutVertex(out[5], p.position + r + u, colour, p.uMax, p.vMin);
    count += 6;
    if (count + 6 > kBatchVertices) {
      graphics->DrawArray3D(batch, count, Graphics::kTriangleList);
      count = 0;
    }
  }
  graphics->DrawArray3D(batch, count, Graphics::kTriangleList);
  return true;
}

}  // namespace partsys
