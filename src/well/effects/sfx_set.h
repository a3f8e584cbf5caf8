// A pool of short-lived board effects of one kind. Every set makes its whole
// pool when it is made or loaded; starting an effect takes a free item, and
// a full pool drops the request, so nothing is allocated while a level runs.
#pragma once

namespace well {

class WellSFX;

class SFXSet {
 public:
  SFXSet(void* owner, WellSFX* effects) : owner_(owner), effects_(effects) {}
  virtual ~SFXSet() = default;
  SFXSet(const SFXSet&) = delete;
  SFXSet& operator=(const SFXSet&) = delete;

  virtual void Draw() = 0;
  virtual void Tick(float dt) = 0;

  void* GetOwner() const { return owner_; }
  WellSFX* GetEffects() const { return effects_; }

 protected:
  void* owner_;
  WellSFX* effects_;
};

}  // namespace well
