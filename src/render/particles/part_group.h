// One emitter of screen-space particles: a fixed pool sharing an image,
// birth ranges, a colour table over life, a death action and a generation
// rate. Groups belong to a Part2D, which loads, saves, ticks and draws them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/math/vector.h"
#include "platform/lua/luaplus.h"
#include "render/particles/part2d_particle.h"
#include "render/particles/part_die.h"
#include "render/sprites/ui_sprite.h"

class WriteLua;

namespace part2d {

class Part2D;

// What a file's table says of one group: read once, given to any number of
// groups.
struct PartGroupDefinition {
  // The table's settings; the defaults are those a table without them gets.
  static PartGroupDefinition Read(const LuaPlus::LuaObject& table);

  std::string image;
  bool additive = false;
  bool lockRect = false;
  math::Vec2 fuzzyBirth, sizeFromMin, sizeFromMax;
  math::Vec2 sizeToMin{0.1f, 0.01f}, sizeToMax{0.1f, 0.01f};
  math::Vec2 lifespan{0.4f, 1.0f};
  math::Vec2 minSpeed, maxSpeed{0.1f, 0.01f};
  float stretchSpeed = 0.0f;
  float minSpeedMag = -1.0f;
  float genRate = 1.0f / 60.0f;
  std::vector<math::Vec4> colourKeys;
  int maxC = 100;
  // The death action, when the table names one.
  bool dies = false;
  std::string dieType;
  int dieGroup = 0;
  int diePercent = 0;
};

struct Attractor {
  math::Vec2 position;
  float pushDistance = 0.0f;
  float radius = 0.0f;  // a squared distance
};

class PartGroup {
 public:
  // Pools above this are refused as a fault of the file or script.
  static constexpr int kMaxPool = 1 << 20;
  static constexpr int kAttractorSlots = 10;

  explicit PartGroup(Part2D* owner);
  PartGroup(const PartGroup&) = delete;
  PartGroup& operator=(const PartGroup&) = delete;

  // Drops every particle and makes a pool of n; a negative or too large n
  // gives an empty pool and a log line.
  void SetMaxC(int n);
  void ClearParticles();
  void SetImage(const std::string& name);
  void AddColor(float r, float g, float b, float a);
  void ClearColors();
  void RecalcColors();
  void SetGenRate(float seconds) { genRate = seconds; }
  // True, taking one period off, when the accumulated time passed GenRate.
  bool TickGeneration(float dt);
  // Forgets the time gathered towards the next particle.
  void DropGenerationTime() { accumulator_ = 0.0f; }
  Particle* GetFreeParticle();
  math::Vec2 RandomVelocity() const;
  void SetVelocity(Particle& particle, const math::Vec2& v) const;
  Particle* AddParticle(const math::Vec2& position);
  Particle* AddParticleDir(const math::Vec2& position, const math::Vec2& velocity);
  bool Tick(float dt);
  bool Draw(const math::Vec2& offset, const math::Vec2& unused1, const math::Vec2& unused2);
  void ApplyAttractors(Particle* slots, int count);
  bool Load(const LuaPlus::LuaObject& table);
  // Takes the definition's settings, adds its colour keys to the group's and
  // makes a fresh pool.
  void Apply(const PartGroupDefinition& definition);
  bool Save(WriteLua& writer) const;

  int GetMaxC() const { return maxC_; }
  int GetLiveCount() const { return liveCount_; }
  uint32_t GetColour(int index) const { return colours_[index]; }
  const std::string& GetImage() const { return image_; }
  const PartDie* GetPartDie() const { return partDie_.get(); }
  Particle* GetParticles() { return particles_.get(); }
  const ui::UISprite& GetSprite() const { return sprite_; }

  static void RegisterLua(LuaPlus::LuaState* state);

  math::Vec2 fuzzyBirth;
  math::Vec2 sizeFromMin, sizeFromMax;
  math::Vec2 sizeToMin{0.1f, 0.01f}, sizeToMax{0.1f, 0.01f};
  math::Vec2 minSpeed, maxSpeed;
  float minSpeedMag = -1.0f;
  math::Vec2 lifespan{0.4f, 1.0f};
  bool additive = false;
  bool lockRect = true;
  bool active = true;
  float stretchSpeed = 0.0f;
  float genRate = 1.0f / 60.0f;
  int attractorCount = 0;
  Attractor attractors[kAttractorSlots];

 private:
  bool CanAnimate() const;

  Part2D* owner_;
  std::unique_ptr<Particle[]> particles_;
  int maxC_ = 0;
  int liveCount_ = 0;
  int hint_ = 0;
  std::string image_;
  ui::UISprite sprite_;
  uint32_t colours_[256];
  std::vector<math::Vec4> colourKeys_;
  float accumulator_ = 0.0f;
  std::unique_ptr<PartDie> partDie_;
};

}  // namespace part2d
