#include "render/particles/part_group.h"

#include <algorithm>
#include <new>

#include "core/log.h"
#include "core/math/random.h"
#include "core/script/lua_writer.h"
#include "core/script/script_helper.h"
#include "render/device/graphics.h"
#include "render/sprites/quad_builders.h"
#include "render/sprites/sprite_set.h"

namespace part2d {

namespace {
constexpr uint32_t kBatchVertices = 600;
constexpr uint32_t kParticleVertices = 12;
// The batch is drawn once 6 more vertices would pass 599: whole particles then
// fill it exactly, and none is ever written past its end.
static_assert(kBatchVertices % kParticleVertices == 0, "particles fill the batch exactly");
Vertex2D batch[kBatchVertices];
}  // namespace

PartGroup::PartGroup(Part2D* owner) : owner_(owner) { std::fill(std::begin(colours_), std::end(colours_), 0xFFFFFFFFu); }

void PartGroup::SetMaxC(int n) {
  particles_.reset();
  maxC_ = 0;
  liveCount_ = 0;
  hint_ = 0;
  if (n < 0 || n > kMaxPool) {
    LOG_LINE(MSG_ERROR, "Particle pool of " + std::to_string(n) + " refused: the group stays empty");
    return;
  }
  if (n == 0) return;
  particles_.reset(new (std::nothrow) Particle[n]());
  if (particles_) maxC_ = n;
}

void PartGroup::ClearParticles() {
  for (int i = 0; i < maxC_; ++i) particles_[i].alive = 0;
  liveCount_ = 0;
  hint_ = 0;
}

void PartGroup::SetImage(const std::string& name) {
  if (name.empty()) return;
  image_ = name;
  sprite_.Setup(name, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
}

void PartGroup::AddColor(float r, float g, float b, float a) {
  colourKeys_.emplace_back(r, g, b, a);
  RecalcColors();
}

void PartGroup::ClearColors() {
  colourKeys_.clear();
  RecalcColors();
}

void PartGroup::RecalcColors() {
  if (colourKeys_.empty()) {
    std::fill(std::begin(colours_), std::end(colours_), 0xFFFFFFFFu);
    return;
  }
  const size_t n = colourKeys_.size();
  const size_t per = 256 / n;
  for (size_t k = 0; k < n && per > 0; ++k) {
    const math::Vec4& cur = colourKeys_[k];
    const math::Vec4& next = colourKeys_[k + 1 < n ? k + 1 : k];
    for (size_t j = 0; j < per; ++j) {
      const math::Vec4 c = cur + (next - cur) * (static_cast<float>(j) / static_cast<float>(per));
      colours_[k * per + j] = PackARGB(c.x, c.y, c.z, c.w);
    }
  }
  const math::Vec4& last = colourKeys_.back();
  for (size_t i = n * per; i < 256; ++i) colours_[i] = PackARGB(last.x, last.y, last.z, last.w);
}

bool PartGroup::TickGeneration(float dt) {
  if (genRate <= 0.0f) return false;
  accumulator_ += dt;
  if (accumulator_ <= genRate) return false;
  accumulator_ -= genRate;
  return true;
}

Particle* PartGroup::GetFreeParticle() {
  if (liveCount_ >= maxC_) return nullptr;
  for (int i = hint_; i < maxC_; ++i) {
    if (!particles_[i].alive) return &particles_[hint_ = i];
  }
  for (int i = 0; i < hint_ && i < maxC_; ++i) {
    if (!particles_[i].alive) return &particles_[hint_ = i];
  }
  return nullptr;
}

math::Vec2 PartGroup::RandomVelocity() const { return num::GetRandom().RangeVec2(minSpeed, maxSpeed); }

void PartGroup::SetVelocity(Particle& particle, const math::Vec2& v) const {
  particle.direction = v;
  particle.speed = v.Magnitude();
  if (minSpeedMag > 0.0f && particle.speed <= minSpeedMag) particle.speed = minSpeedMag;
  if (v.Magnitude() <= 0.001f) particle.direction = {1.0f, 1.3333334f};
  particle.direction.Normalize();
}

Particle* PartGroup::AddParticle(const math::Vec2& position) {
  Particle* p = GetFreeParticle();
  if (!p) return nullptr;
  num::Random& random = num::GetRandom();
  p->position = position + random.RangeVec2(-fuzzyBirth, fuzzyBirth);
  p->sizeFrom = random.RangeVec2(sizeFromMin, sizeFromMax);
  p->sizeDelta = random.RangeVec2(sizeToMin, sizeToMax) - p->sizeFrom;
  p->alive = 1;
  p->dying = 0;
  p->animClock = 0.0f;
  const float life = random.Range(lifespan.x, lifespan.y);
  p->life.period = p->life.remaining = life;
  SetVelocity(*p, RandomVelocity());
  if (lockRect) {
    p->sizeFrom.y = p->sizeFrom.x;
    p->sizeDelta.y = p->sizeDelta.x;
  }
  ++liveCount_;
  return p;
}

Particle* PartGroup::AddParticleDir(const math::Vec2& position, const math::Vec2& velocity) {
  Particle* p = AddParticle(position);
  if (!p) return nullptr;
  p->direction = velocity;
  p->speed = velocity.Magnitude();
  if (p->speed <= 0.0f) p->direction = {1.0f, 1.0f};
  p->direction.Normalize();
  return p;
}

bool PartGroup::CanAnimate() const { return active && liveCount_ != 0 && sprite_.HasImage() && particles_; }

bool PartGroup::Tick(float dt) {
  if (!CanAnimate()) return false;
  const ui::SpriteSetEntry* entry = sprite_.GetEntry();
  for (int i = 0; i < maxC_; ++i) {
    Particle& p = particles_[i];
    if (!p.alive) continue;
    p.life.Tick(dt);
    if (p.life.remaining < 0.0f) p.dying = 1;
    p.position += p.direction * (dt * p.speed);
    if (entry) entry->Advance(p.animClock, dt);
    if (!p.dying) continue;
    p.alive = 0;
    --liveCount_;
    if (partDie_) partDie_->OnDie(p);
  }
  if (attractorCount > 0) ApplyAttractors(particles_.get(), maxC_);
  return true;
}

void PartGroup::ApplyAttractors(Particle* slots, int count) {
  for (int a = 0; a < attractorCount && a < kAttractorSlots; ++a) {
    const Attractor& attractor = attractors[a];
    for (int i = 0; i < count; ++i) {
      Particle& p = slots[i];
      if (!p.alive) continue;
      math::Vec2 d = attractor.position - p.position;
      const float distanceSqr = d.MagSqr();
      if (distanceSqr >= attractor.radius) continue;
      if (distanceSqr < 0.0001f) {
        d = p.direction;
      } else {
        d.Normalize();
      }
      p.position = attractor.position - d * attractor.pushDistance;
    }
  }
}

bool PartGroup::Draw(const math::Vec2& offset, const math::Vec2&, const math::Vec2&) {
  Graphics* graphics = GetGraphics();
  if (!CanAnimate() || !graphics) return false;
  if (additive) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendOne);
  }
  const ui::SpriteSetEntry* entry = sprite_.GetEntry();
  uint32_t count = 0;
  auto flush = [&] {
    sprite_.BindTexture();
    graphics->DrawArray2D(batch, count, Graphics::kTriangleList);
    count = 0;
  };
  for (int i = 0; i < maxC_; ++i) {
    const Particle& p = particles_[i];
    if (!p.alive) continue;
    const float t = p.life.period > 0.0f ? p.life.GetProgress() : 1.0f;
    const math::Vec2 size = p.sizeFrom + p.sizeDelta * t;
    const math::Vec2 centre = p.position - offset;
    const math::Vec2 half = p.direction * ((size.y + stretchSpeed * p.speed) * 0.5f);
    const uint32_t colour = colours_[std::clamp(static_cast<int>(t * 256.0f), 0, 255)];
    math::Vec2 uvMin(0.01f, 0.01f), uvMax(0.99f, 0.99f);
    if (entry) entry->GetFrameUVs(p.animClock, uvMin, uvMax);
    count += BuildLineQuads(batch + count, centre - half, centre + half, size.x * 0.5f, colour, colour, uvMin, uvMax);
    if (count + 6 > kBatchVertices - 1) flush();
  }
  if (count > 0) flush();
  if (additive) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  }
  return true;
}

PartGroupDefinition PartGroupDefinition::Read(const LuaPlus::LuaObject& table) {
  PartGroupDefinition definition;
  definition.image = script::ReadString(table, "Image", "");
  definition.additive = script::ReadBool(table, "Additive", false);
  definition.lockRect = script::ReadBool(table, "LockRect", false);
  definition.fuzzyBirth = script::ReadVec2(table, "FuzzyBirth", {0.0f, 0.0f});
  definition.sizeFromMin = script::ReadVec2(table, "SizeFromMin", {0.0f, 0.0f});
  definition.sizeFromMax = script::ReadVec2(table, "SizeFromMax", {0.0f, 0.0f});
  definition.sizeToMin = script::ReadVec2(table, "SizeToMin", definition.sizeToMin);
  definition.sizeToMax = script::ReadVec2(table, "SizeToMax", definition.sizeToMax);
  definition.lifespan = script::ReadVec2(table, "Lifespan", definition.lifespan);
  definition.minSpeed = script::ReadVec2(table, "MinSpeed", {0.0f, 0.0f});
  definition.maxSpeed = script::ReadVec2(table, "MaxSpeed", definition.maxSpeed);
  definition.stretchSpeed = script::ReadFloat(table, "StretchSpeed", 0.0f);
  definition.minSpeedMag = script::ReadFloat(table, "MinSpeedMag", -1.0f);
  definition.genRate = script::ReadFloat(table, "GenRate", definition.genRate);
  const LuaPlus::LuaObject colours = script::GetField(table, "Color");
  for (int i = 1, n = colours.IsTable() ? colours.GetTableCount() : 0; i <= n; ++i) {
    definition.colourKeys.push_back(script::ToVec4(colours[i], {1.0f, 1.0f, 1.0f, 1.0f}));
  }
  const LuaPlus::LuaObject die = script::GetField(table, "PartDie");
  definition.dies = die.IsTable();
  if (definition.dies) {
    definition.dieType = script::ReadString(die, "Type", "part_rebirth");
    definition.dieGroup = script::ReadInt(die, "Group", 0);
    definition.diePercent = PartDie::ToPercent(script::ReadFloat(die, "Probability", 1.0f));
  }
  definition.maxC = script::ReadInt(table, "MaxC", definition.maxC);
  return definition;
}

bool PartGroup::Load(const LuaPlus::LuaObject& table) {
  if (table.IsTable()) {
    Apply(PartGroupDefinition::Read(table));
    return true;
  }
  // Not a group: the settings stay, the pool is made anew.
  RecalcColors();
  SetMaxC(PartGroupDefinition().maxC);
  return true;
}

void PartGroup::Apply(const PartGroupDefinition& definition) {
  SetImage(definition.image);
  additive = definition.additive;
  lockRect = definition.lockRect;
  fuzzyBirth = definition.fuzzyBirth;
  sizeFromMin = definition.sizeFromMin;
  sizeFromMax = definition.sizeFromMax;
  sizeToMin = definition.sizeToMin;
  sizeToMax = definition.sizeToMax;
  lifespan = definition.lifespan;
  minSpeed = definition.minSpeed;
  maxSpeed = definition.maxSpeed;
  stretchSpeed = definition.stretchSpeed;
  minSpeedMag = definition.minSpeedMag;
  genRate = definition.genRate;
  colourKeys_.insert(colourKeys_.end(), definition.colourKeys.begin(), definition.colourKeys.end());
  partDie_ = definition.dies
                 ? PartDie::Make(definition.dieType, owner_, definition.dieGroup, definition.diePercent)
                 : nullptr;
  RecalcColors();
  SetMaxC(definition.maxC);
}

bool PartGroup::Save(WriteLua& writer) const {
  writer.BeginTable("");
  writer.WriteString("Image", image_);
  writer.WriteInt("MaxC", maxC_);
  writer.WriteInt("Additive", additive ? 1 : 0);
  writer.WriteInt("LockRect", lockRect ? 1 : 0);
  writer.WriteVec2("FuzzyBirth", fuzzyBirth);
  writer.WriteVec2("SizeFromMin", sizeFromMin);
  writer.WriteVec2("SizeFromMax", sizeFromMax);
  writer.WriteVec2("SizeToMin", sizeToMin);
  writer.WriteVec2("SizeToMax", sizeToMax);
  writer.WriteVec2("Lifespan", lifespan);
  writer.WriteVec2("MinSpeed", minSpeed);
  writer.WriteVec2("MaxSpeed", maxSpeed);
  writer.WriteFloat("StretchSpeed", stretchSpeed);
  writer.WriteFloat("MinSpeedMag", minSpeedMag);
  writer.WriteFloat("GenRate", genRate);
  if (!colourKeys_.empty()) {
    writer.BeginTable("Color");
    for (const math::Vec4& key : colourKeys_) writer.PrintLine("{ %f, %f, %f, %f }, ", key.x, key.y, key.z, key.w);
    writer.EndTable(true);
  }
  if (partDie_) {
    writer.BeginTable("PartDie");
    writer.WriteString("Type", partDie_->GetType());
    writer.WriteInt("Group", partDie_->GetGroup());
    writer.WriteFloat("Probability", static_cast<float>(partDie_->GetPercent()) * 0.01f);
    writer.EndTable(true);
  }
  writer.EndTable(true);
  return true;
}

}  // namespace part2d
